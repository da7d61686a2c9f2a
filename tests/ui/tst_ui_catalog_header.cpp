// The catalog header on the view model over its fakes: its title, the
// installed summary over the whole catalog, the bar, and its two buttons.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "catalog/Catalog.h"
#include "ui/catalog/CatalogHeaderView.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"

#include <QtTest>

using Operation = FakeEngine::Operation;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

// The header shown at the column's width.
struct ShownHeader {
    explicit ShownHeader(DevivuKitViewModel& model) : header(model)
    {
        header.resize(760, header.heightForWidth(760));
        header.show();
        QVERIFY(QTest::qWaitForWindowExposed(&header));
    }

    CatalogHeaderView header;
};

} // namespace

class UiCatalogHeaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void title_data();
    void title();
    void totalIsTheWholeCatalog();
    void refreshReadsEveryStatus();
    void copiesTheLogPath();
};

void UiCatalogHeaderTest::title_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("groupID");
    QTest::addColumn<QString>("title");

    QTest::newRow("all") << AppLanguage(AppLanguage::english) << "all" << "Overview";
    QTest::newRow("devivu") << AppLanguage(AppLanguage::english) << "devivu" << AppStrings().groupLabel("devivu");
    QTest::newRow("unknown id") << AppLanguage(AppLanguage::english) << "lab-tools" << "lab-tools";
    const AppStrings japanese(AppLanguage::japanese);
    QTest::newRow("all, Japanese") << AppLanguage(AppLanguage::japanese) << "all" << japanese.text(AppI18nKey::overview);
    QTest::newRow("media, Japanese") << AppLanguage(AppLanguage::japanese) << "media" << japanese.groupLabel("media");
}

void UiCatalogHeaderTest::title()
{
    QFETCH(AppLanguage, language);
    QFETCH(QString, groupID);
    QFETCH(QString, title);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(language);
    CatalogHeaderView header(model);
    model.selectGroup(catalogGroup(groupID));
    QCOMPARE(header.titleText()->text(), title);
    QCOMPARE(header.headerTitle(), title);
    const AppStrings strings(language);
    QCOMPARE(header.refreshButton()->title(), strings.text(AppI18nKey::refresh));
    QCOMPARE(header.copyLogPathButton()->toolTip(), strings.text(AppI18nKey::copyLogPathHelp));
    QCOMPARE(header.logPathText()->text(), strings.text(AppI18nKey::log) + ": " + model.logPath());
}

void UiCatalogHeaderTest::totalIsTheWholeCatalog()
{
    ViewModelHarness harness;
    for (const char* id : {"vlc", "gimp", "libreoffice"})
        harness.engine->setStatus(QString::fromUtf8(id), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    ShownHeader shown(model);
    CatalogHeaderView& header = shown.header;
    const qsizetype total = Catalog::items().size();
    const int installed = model.installedCount();
    QVERIFY(installed >= 3);
    const QString summary = AppStrings().summary(installed, total);
    QCOMPARE(header.summaryText()->text(), summary);

    // A group of a few entries still counts the whole catalog.
    model.selectGroup(catalogGroup(QStringLiteral("microsoft")));
    QCOMPARE(header.summaryText()->text(), summary);
    QCOMPARE(header.percentText()->text(), model.progressText());
    QCOMPARE(header.progressBar()->value(), model.progress());

    // The path stays on one line however long it is.
    QCOMPARE(header.logPathText()->layout(header.logPathText()->width()).lines.size(), 1);
}

void UiCatalogHeaderTest::refreshReadsEveryStatus()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ShownHeader shown(model);
    CatalogHeaderView& header = shown.header;
    QCOMPARE(harness.engine->calls(Operation::statuses).size(), 1);
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);

    auto* refresh = header.findChild<StyledButton*>(QStringLiteral("header-refresh"));
    QVERIFY(refresh);
    QTest::mouseClick(refresh, Qt::LeftButton);
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->calls(Operation::statuses).size(), 2);
    QCOMPARE(harness.engine->arguments(Operation::statuses).constLast(),
             ViewModelHarness::ids(model.catalogItems()).join(QLatin1Char(',')));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    QCOMPARE(model.toast()->text, AppStrings().statusRefreshed());
    QCOMPARE(header.summaryText()->text(), AppStrings().summary(model.installedCount(), Catalog::items().size()));
    QCOMPARE(header.percentText()->text(), model.progressText());
}

void UiCatalogHeaderTest::copiesTheLogPath()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ShownHeader shown(model);
    CatalogHeaderView& header = shown.header;

    auto* copy = header.findChild<StyledButton*>(QStringLiteral("header-copy-log-path"));
    QVERIFY(copy);
    QCOMPARE(copy->size(), QSize(24, 24));
    QCOMPARE(copy->toolTip(), AppStrings().text(AppI18nKey::copyLogPathHelp));
    QTest::mouseClick(copy, Qt::LeftButton);
    QVERIFY(!model.logPath().isEmpty());
    QCOMPARE(harness.desktop->copiedTexts(), QStringList{model.logPath()});
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, AppStrings().copiedLogPath());
}

QTEST_MAIN(UiCatalogHeaderTest)
#include "tst_ui_catalog_header.moc"
