// The operation and forced-update banners on the view model over its fakes:
// the values they show, the download button, and how they come and go.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "ui/catalog/OperationProgressBanner.h"
#include "ui/kit/ForceUpdateBanner.h"
#include "ui/kit/LinearProgressIndicator.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QSignalSpy>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const QString longAction = QStringLiteral(
    "Đang tải libreoffice-language-pack từ https://download.documentfoundation.org/libreoffice/stable/24.8.2/mac/"
    "aarch64/LibreOffice_24.8.2_MacOS_aarch64_langpack_vi.dmg");

ReleasePolicy requiredPolicy(const QString& link = {}, const QString& message = {})
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Tavrin Devivu Kit 3.0");
    policy.message = message;
    policy.downloadURL = link;
    policy.latestVersion = QStringLiteral("3.0");
    return policy;
}

// Starts an install of the entry whose engine call reports one progress
// update and then waits at its gate; returns when the update has landed.
std::shared_ptr<Gate> installHeldAt(ViewModelHarness& harness, const QString& id, double fraction,
                                    const QString& message)
{
    harness.engine->setInstallProgress(id, {InstallProgressUpdate{message, fraction}});
    std::shared_ptr<Gate> gate = harness.engine->hold(FakeEngine::Operation::install, id);
    DevivuKitViewModel& model = harness.startSettled();
    model.performPrimaryAction(catalogEntry(id));
    return gate;
}

} // namespace

class UiCatalogBannersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void percentageAndBarShownAsGiven_data();
    void percentageAndBarShownAsGiven();
    void longActionElidedInTheMiddle();
    void downloadButton_data();
    void downloadButton();
    void messageKeepsTwoLines_data();
    void messageKeepsTwoLines();
    void downloadTitleFollowsLanguage_data();
    void downloadTitleFollowsLanguage();
    void slideInAndOut();
};

void UiCatalogBannersTest::percentageAndBarShownAsGiven_data()
{
    QTest::addColumn<double>("fraction");
    QTest::addColumn<QString>("percent");
    QTest::addColumn<int>("barValue");

    // The text is rounded, the bar is not: each shows its own value.
    QTest::newRow("all but done") << 0.996 << "100%" << 996;
    QTest::newRow("barely started") << 0.004 << "0%" << 4;
    QTest::newRow("half away from zero") << 0.425 << "43%" << 425;
}

void UiCatalogBannersTest::percentageAndBarShownAsGiven()
{
    QFETCH(double, fraction);
    QFETCH(QString, percent);
    QFETCH(int, barValue);

    ViewModelHarness harness;
    const std::shared_ptr<Gate> gate = installHeldAt(harness, QStringLiteral("vlc"), fraction,
                                                     QStringLiteral("Downloading vlc"));
    DevivuKitViewModel& model = *harness.model();
    OperationProgressBanner banner(model);
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), QStringLiteral("Downloading vlc"),
                              ViewModelHarness::waitMilliseconds);

    QCOMPARE(model.operationProgressText(), percent);
    QCOMPARE(banner.percentText()->text(), percent);
    QCOMPARE(banner.progressIndicator()->value(), barValue);
    QCOMPARE(banner.progressIndicator()->maximum(), LinearProgressIndicator::steps);
    QCOMPARE(banner.progressIndicator()->palette().color(QPalette::Highlight), Design::primary);
    QCOMPARE(banner.captionText()->text(), QStringLiteral("Current progress"));
    QCOMPARE(banner.actionText()->text(), QStringLiteral("Downloading vlc"));
    QCOMPARE(banner.summaryText()->text(), model.operationSummaryText());

    gate->release();
    QVERIFY(harness.settle());
    QCOMPARE(banner.percentText()->text(), QStringLiteral("100%"));
    QCOMPARE(banner.progressIndicator()->value(), LinearProgressIndicator::steps);
}

void UiCatalogBannersTest::longActionElidedInTheMiddle()
{
    ViewModelHarness harness;
    const std::shared_ptr<Gate> gate = installHeldAt(harness, QStringLiteral("libreoffice"), 0.5, longAction);
    DevivuKitViewModel& model = *harness.model();
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), longAction, ViewModelHarness::waitMilliseconds);

    OperationProgressBanner banner(model);
    // At its narrowest the text column keeps its 220.
    QVERIFY(banner.minimumSizeHint().width() >= 598);
    banner.resize(banner.minimumSizeHint().width(), banner.heightForWidth(banner.minimumSizeHint().width()));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    TextBlock* action = banner.actionText();
    QVERIFY(action->width() >= 220);

    const TextBlock::Layout shown = action->layout(action->width());
    QCOMPARE(shown.lines.size(), 1);
    QVERIFY(shown.truncated);
    const QString line = shown.lines.constFirst().text;
    const qsizetype cut = line.indexOf(QChar(0x2026));
    QVERIFY2(cut > 0 && cut < line.size() - 1, qPrintable(line));
    QVERIFY(longAction.startsWith(line.left(cut)));
    QVERIFY(longAction.endsWith(line.mid(cut + 1)));
    // The progress column keeps its size beside it.
    QCOMPARE(banner.progressIndicator()->width(), 260);
    QVERIFY(action->mapTo(&banner, QPoint(action->width(), 0)).x()
            < banner.progressIndicator()->mapTo(&banner, QPoint(0, 0)).x());
}

void UiCatalogBannersTest::downloadButton_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("opened");
    QTest::newRow("release disk image") << "https://releases.tavrin.vn/mac/TavrinDevivuKit-3.0.dmg" << true;
    QTest::newRow("other host") << "https://downloads.example.com/mac/TavrinDevivuKit-3.0.dmg" << false;
    QTest::newRow("no link") << "" << false;
}

void UiCatalogBannersTest::downloadButton()
{
    QFETCH(QString, link);
    QFETCH(bool, opened);

    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy(link));
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(model.updateRequired());
    ForceUpdateBanner banner(model);
    banner.resize(900, banner.heightForWidth(900));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));
    auto* download = banner.findChild<StyledButton*>(QStringLiteral("update-download"));
    QVERIFY(download);
    QCOMPARE(download->title(), QStringLiteral("Download update"));
    QVERIFY(download->isEnabled());
    QCOMPARE(banner.titleText()->text(), QStringLiteral("Tavrin Devivu Kit 3.0"));
    QCOMPARE(banner.messageText()->text(), model.updateMessage());

    QTest::mouseClick(download, Qt::LeftButton);

    if (opened) {
        QCOMPARE(harness.desktop->openedUrls(), QList<QUrl>{QUrl(link)});
        QCOMPARE(model.currentAction(), AppStrings().openingUpdateDownload());
    } else {
        QVERIFY(harness.desktop->openedUrls().isEmpty());
        QVERIFY(model.toast());
        QCOMPARE(model.toast()->kind, Toast::Kind::warning);
        QCOMPARE(model.toast()->text, AppStrings().updateDownloadUnavailable());
    }
    // The banner stays while the update is required, whatever the press did.
    QVERIFY(model.updateRequired());
    QVERIFY(banner.isVisible());
}

void UiCatalogBannersTest::messageKeepsTwoLines_data()
{
    QTest::addColumn<QString>("message");
    QTest::newRow("three lines") << QStringLiteral("Phiên bản này đã ngừng hỗ trợ.\nHãy tải bản mới.\nDòng thứ ba.");
    QTest::newRow("one long paragraph")
        << QStringLiteral("This version is no longer supported and must be replaced before any further install, "
                          "removal, preset, report or cloud action; download the latest release from the link "
                          "beside this message, install it over this copy and start it again to continue. ")
               .repeated(2);
}

void UiCatalogBannersTest::messageKeepsTwoLines()
{
    QFETCH(QString, message);

    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy({}, message));
    DevivuKitViewModel& model = harness.startSettled();
    ForceUpdateBanner banner(model);
    banner.resize(900, banner.heightForWidth(900));
    banner.show();
    QVERIFY(QTest::qWaitForWindowExposed(&banner));

    TextBlock* shown = banner.messageText();
    QCOMPARE(shown->text(), message);
    const TextBlock::Layout layout = shown->layout(shown->width());
    QCOMPARE(layout.lines.size(), 2);
    QVERIFY(layout.truncated);
    QVERIFY(layout.lines.constLast().text.endsWith(QChar(0x2026)));
    QVERIFY(message.startsWith(layout.lines.constFirst().text));
    // Its full two lines fit in the strip.
    QCOMPARE(shown->height(), shown->heightForWidth(shown->width()));
}

void UiCatalogBannersTest::downloadTitleFollowsLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::newRow("en") << "en" << "Download update";
    QTest::newRow("vi") << "vi" << "Tải bản cập nhật";
    QTest::newRow("ko") << "ko" << "업데이트 다운로드";
    QTest::newRow("ja") << "ja" << "アップデートをダウンロード";
    QTest::newRow("zh") << "zh" << "下载更新";
}

void UiCatalogBannersTest::downloadTitleFollowsLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, title);

    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
    harness.cloud->setReleasePolicy(requiredPolicy());
    DevivuKitViewModel& model = harness.startSettled();
    ForceUpdateBanner banner(model);
    QCOMPARE(banner.downloadButton()->title(), title);
    QCOMPARE(banner.titleText()->text(), model.updateTitle());
    OperationProgressBanner progress(model);
    QCOMPARE(progress.captionText()->text(), AppStrings(model.language()).text(AppI18nKey::currentProgress));
}

void UiCatalogBannersTest::slideInAndOut()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QWidget column;
    auto* banner = new OperationProgressBanner(model, &column);
    column.resize(900, 200);
    banner->setGeometry(0, 0, 900, banner->heightForWidth(900));
    column.show();
    QVERIFY(QTest::qWaitForWindowExposed(&column));
    const int full = banner->heightForWidth(900);
    QVERIFY(full > 0);

    banner->setShownAnimated(false);
    QVERIFY(!banner->isShownTarget());
    QVERIFY(banner->isHidden());
    QCOMPARE(banner->heightForWidth(900), 0);

    banner->setShownAnimated(true);
    QVERIFY(banner->isShownTarget());
    QVERIFY(banner->isVisible());
    QCOMPARE(banner->reveal(), 1.0);
    QCOMPARE(banner->heightForWidth(900), full);

    // Part of the way in, the strip is as high as the part in view.
    banner->setReveal(0.5);
    QCOMPARE(banner->heightForWidth(900), (full + 1) / 2);
}

QTEST_MAIN(UiCatalogBannersTest)
#include "tst_ui_catalog_banners.moc"
