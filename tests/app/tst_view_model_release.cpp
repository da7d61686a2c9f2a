// The view model's release policy: applied at start-up, the gate in front of
// the guarded actions, the update download and the banner's texts.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"

#include <QSignalSpy>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;
using Sheet = DevivuKitViewModel::Sheet;

namespace {

ReleasePolicy policy(bool required, bool available, const QString& latest = {}, const QString& minimum = {})
{
    ReleasePolicy value;
    value.updateRequired = required;
    value.updateAvailable = available;
    value.title = QStringLiteral("Bản Tavrin mới");
    value.latestVersion = latest;
    value.minSupportedVersion = minimum;
    return value;
}

int linesStartingWith(const QStringList& lines, const QString& prefix)
{
    int count = 0;
    for (const QString& line : lines)
        if (line.mid(11).startsWith(prefix))
            ++count;
    return count;
}

} // namespace

class ViewModelReleaseTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void appliedAtStartUp_data();
    void appliedAtStartUp();
    void guardedActionsRefused_data();
    void guardedActionsRefused();
    void unsupportedEntryStillShowsItsDetails();
    void downloadLink_data();
    void downloadLink();
    void titleAndMessage_data();
    void titleAndMessage();
};

void ViewModelReleaseTest::appliedAtStartUp_data()
{
    QTest::addColumn<std::optional<ReleasePolicy>>("answer");
    QTest::addColumn<QString>("logLine");

    QTest::newRow("no policy") << std::optional<ReleasePolicy>()
                               << QStringLiteral("Release policy không khả dụng; app tiếp tục fail-open.");
    QTest::newRow("required") << std::optional<ReleasePolicy>(policy(true, false))
                              << QStringLiteral("Release policy yêu cầu update trước khi dùng tiếp.");
    QTest::newRow("required and available") << std::optional<ReleasePolicy>(policy(true, true, QStringLiteral("2.1")))
                                            << QStringLiteral("Release policy yêu cầu update trước khi dùng tiếp.");
    QTest::newRow("available") << std::optional<ReleasePolicy>(
        policy(false, true, QStringLiteral("2.1"), QStringLiteral("2.0")))
                               << QStringLiteral("Release policy báo có bản mới 2.1.");
    QTest::newRow("available, minimum only")
        << std::optional<ReleasePolicy>(policy(false, true, QString(), QStringLiteral("2.0")))
        << QStringLiteral("Release policy báo có bản mới 2.0.");
    QTest::newRow("available, no version")
        << std::optional<ReleasePolicy>(policy(false, true)) << QStringLiteral("Release policy báo có bản mới .");
    QTest::newRow("current") << std::optional<ReleasePolicy>(policy(false, false))
                             << QStringLiteral("Release policy OK cho phiên bản hiện tại.");
}

void ViewModelReleaseTest::appliedAtStartUp()
{
    QFETCH(std::optional<ReleasePolicy>, answer);
    QFETCH(QString, logLine);

    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(answer);
    const std::shared_ptr<Gate> check = harness.cloud->hold(FakeCloud::Operation::releasePolicy);
    DevivuKitViewModel& model = harness.start();
    const AppStrings texts;
    // The status refresh lands first, so the status line shows what the
    // policy does to it.
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), texts.statusRefreshed(), ViewModelHarness::waitMilliseconds);
    check->release();
    QVERIFY(harness.settle());

    const bool required = answer && answer->updateRequired;
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] ") + logLine);
    QCOMPARE(linesStartingWith(model.logLines(), QStringLiteral("Release policy")), 1);
    QCOMPARE(model.releasePolicy(), answer);
    QCOMPARE(model.updateRequired(), required);
    if (required) {
        // Shown although the start-up check asks for no toast.
        QCOMPARE(model.currentAction(), texts.updateRequiredStatus());
        QVERIFY(model.toast());
        QCOMPARE(model.toast()->text, QStringLiteral("Bản Tavrin mới"));
        QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    } else {
        QCOMPARE(model.currentAction(), texts.statusRefreshed());
        QVERIFY(!model.toast());
    }
}

void ViewModelReleaseTest::guardedActionsRefused_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("install") << "install";
    QTest::newRow("removal") << "removal";
    QTest::newRow("standard preset") << "standard";
    QTest::newRow("full preset") << "full";
    QTest::newRow("audit workspace") << "audit";
    QTest::newRow("audit scan") << "scan";
    QTest::newRow("report sheet") << "report";
    QTest::newRow("PDF export") << "export";
    QTest::newRow("catalog sync") << "syncCatalog";
    QTest::newRow("report upload") << "uploadReport";
    QTest::newRow("workspace sync") << "workspace";
    QTest::newRow("branding") << "branding";
    QTest::newRow("shared profile") << "profile";
    QTest::newRow("Business configuration") << "business";
}

void ViewModelReleaseTest::guardedActionsRefused()
{
    QFETCH(QString, action);

    ViewModelHarness harness;
    ReleasePolicy required = policy(true, false);
    required.message = QStringLiteral("Cài bản 2.1 để tiếp tục.");
    harness.cloud->setReleasePolicy(required);
    harness.engine->setStatus(QStringLiteral("keepassxc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(model.updateRequired());
    harness.scheduler->advance(2200);
    QVERIFY(!model.toast());

    const int engineCalls = harness.engine->calls().size();
    const int cloudCalls = harness.cloud->calls().size();
    const QHash<QString, InstallStatus> statuses = model.statuses();
    const qsizetype lines = model.logLines().size();
    if (action == QLatin1String("install")) {
        model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    } else if (action == QLatin1String("removal")) {
        model.setPendingUninstall(catalogEntry(QStringLiteral("keepassxc")));
        model.confirmUninstall(catalogEntry(QStringLiteral("keepassxc")));
        QVERIFY(!model.pendingUninstall());
    } else if (action == QLatin1String("standard")) {
        model.installStandard();
    } else if (action == QLatin1String("full")) {
        model.installFull();
    } else if (action == QLatin1String("audit")) {
        model.openAuditWorkspace();
    } else if (action == QLatin1String("scan")) {
        model.scanReportInventory();
    } else if (action == QLatin1String("report")) {
        model.openReport();
    } else if (action == QLatin1String("export")) {
        model.exportReportPDF();
    } else if (action == QLatin1String("syncCatalog")) {
        model.syncCatalog();
    } else if (action == QLatin1String("uploadReport")) {
        model.uploadReport();
    } else if (action == QLatin1String("workspace")) {
        model.syncTechnicianWorkspace();
    } else if (action == QLatin1String("branding")) {
        model.updateTechnicianBranding(QStringLiteral("Tiệm A"), std::nullopt);
    } else if (action == QLatin1String("profile")) {
        model.saveTechnicianProfile(QStringLiteral("Văn phòng"), QString());
    } else {
        model.businessDeviceConfig(QStringLiteral("fetch"), QString(), QString());
    }
    harness.scheduler->advance(0);
    QVERIFY(harness.settle());

    QCOMPARE(harness.engine->calls().size(), engineCalls);
    QCOMPARE(harness.cloud->calls().size(), cloudCalls);
    QCOMPARE(model.statuses(), statuses);
    QCOMPARE(model.logLines().size(), lines);
    QVERIFY(!model.isInstalling());
    QVERIFY(!model.showOperationProgress());
    QVERIFY(!model.isReportRefreshing());
    QVERIFY(!model.activeSheet());
    QCOMPARE(model.selectedGroupID(), QStringLiteral("all"));
    QVERIFY(harness.desktop->saveRequests().isEmpty());
    const AppStrings texts;
    QCOMPARE(model.currentAction(), texts.updateRequiredStatus());
    QCOMPARE(model.cloudOutput(), QStringLiteral("Cài bản 2.1 để tiếp tục."));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, texts.updateRequiredToast());
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
}

void ViewModelReleaseTest::unsupportedEntryStillShowsItsDetails()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(policy(true, false));
    DevivuKitViewModel& model = harness.startSettled();
    const QString action = model.currentAction();

    model.performPrimaryAction(catalogEntry(QStringLiteral("rclone")));
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::itemDetail(catalogEntry(QStringLiteral("rclone")))));
    QCOMPARE(model.toast()->text, AppStrings().itemUnsupportedToast());
    QCOMPARE(model.currentAction(), action);
}

void ViewModelReleaseTest::downloadLink_data()
{
    QTest::addColumn<std::optional<QString>>("link"); // none: no policy
    QTest::addColumn<bool>("opened");

    using Link = std::optional<QString>;
    QTest::newRow("release disk image") << Link(
        QStringLiteral("https://releases.tavrin.vn/mac/TavrinDevivuKit-2.1.dmg"))
                                        << true;
    QTest::newRow("letter case") << Link(QStringLiteral("HTTPS://Releases.Tavrin.vn/mac/Kit.DMG")) << true;
    QTest::newRow("plain http") << Link(QStringLiteral("http://releases.tavrin.vn/mac/Kit.dmg")) << false;
    QTest::newRow("other host") << Link(QStringLiteral("https://downloads.example.com/mac/Kit.dmg")) << false;
    QTest::newRow("user part") << Link(QStringLiteral("https://me:pw@releases.tavrin.vn/mac/Kit.dmg")) << false;
    QTest::newRow("not a disk image") << Link(QStringLiteral("https://releases.tavrin.vn/mac/Kit.zip")) << false;
    QTest::newRow("no policy") << Link() << false;
}

void ViewModelReleaseTest::downloadLink()
{
    QFETCH(std::optional<QString>, link);
    QFETCH(bool, opened);

    ViewModelHarness harness;
    if (link) {
        ReleasePolicy available = policy(false, true, QStringLiteral("2.1"));
        available.downloadURL = *link;
        harness.cloud->setReleasePolicy(available);
    }
    DevivuKitViewModel& model = harness.startSettled();
    const QString action = model.currentAction();
    const qsizetype lines = model.logLines().size();
    const AppStrings texts;

    model.openReleaseDownload();

    if (opened) {
        QCOMPARE(harness.desktop->openedUrls().size(), 1);
        QCOMPARE(harness.desktop->openedUrls().constFirst(), QUrl(*link));
        QCOMPARE(model.currentAction(), texts.openingUpdateDownload());
        QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] Mở link update: ") + *link);
        QVERIFY(!model.toast());
    } else {
        QVERIFY(harness.desktop->openedUrls().isEmpty());
        QCOMPARE(model.currentAction(), action);
        QCOMPARE(model.logLines().size(), lines);
        QVERIFY(model.toast());
        QCOMPARE(model.toast()->text, texts.updateDownloadUnavailable());
        QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    }
}

void ViewModelReleaseTest::titleAndMessage_data()
{
    QTest::addColumn<std::optional<ReleasePolicy>>("answer");
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("message");

    const AppStrings english(AppLanguage::english);
    const AppStrings vietnamese(AppLanguage::vietnamese);
    using Answer = std::optional<ReleasePolicy>;
    QTest::newRow("no policy") << Answer() << AppLanguage(AppLanguage::english) << QStringLiteral("Update required")
                               << english.updateRequiredMessage();
    QTest::newRow("no policy, Vietnamese") << Answer() << AppLanguage(AppLanguage::vietnamese)
                                           << QStringLiteral("Cần cập nhật") << vietnamese.updateRequiredMessage();
    QTest::newRow("no policy, Korean") << Answer() << AppLanguage(AppLanguage::korean)
                                       << QStringLiteral("업데이트 필요")
                                       << AppStrings(AppLanguage::korean).updateRequiredMessage();

    ReleasePolicy own = policy(true, false, QStringLiteral("3.0"));
    own.title = QStringLiteral("Kit 3.0");
    own.message = QStringLiteral("Cài bản mới.");
    QTest::newRow("own texts") << Answer(own) << AppLanguage(AppLanguage::english) << QStringLiteral("Kit 3.0")
                               << QStringLiteral("Cài bản mới.");
    ReleasePolicy bare = policy(true, false, QString(), QStringLiteral("2.0"));
    bare.title.clear();
    QTest::newRow("empty texts, minimum version") << Answer(bare) << AppLanguage(AppLanguage::vietnamese) << QString()
                                                  << vietnamese.updateRequiredMessageWithVersion(QStringLiteral("2.0"));
    QTest::newRow("empty message, latest version")
        << Answer(policy(false, true, QStringLiteral("3.1"), QStringLiteral("2.0")))
        << AppLanguage(AppLanguage::english) << QStringLiteral("Bản Tavrin mới")
        << english.updateRequiredMessageWithVersion(QStringLiteral("3.1"));
}

void ViewModelReleaseTest::titleAndMessage()
{
    QFETCH(std::optional<ReleasePolicy>, answer);
    QFETCH(AppLanguage, language);
    QFETCH(QString, title);
    QFETCH(QString, message);

    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(answer);
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), language.code());
    DevivuKitViewModel& model = harness.startSettled();

    QCOMPARE(model.updateTitle(), title);
    QCOMPARE(model.updateMessage(), message);
}

QTEST_MAIN(ViewModelReleaseTest)
#include "tst_view_model_release.moc"
