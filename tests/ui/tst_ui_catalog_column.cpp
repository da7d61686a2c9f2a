// The catalog column on the view model over its fakes: which workspace
// shows, the rows of the selected group and what they are handed, the banners
// and the drawer, and the rows' three requests.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "catalog/Catalog.h"
#include "ui/catalog/AppItemRow.h"
#include "ui/catalog/CatalogHeaderView.h"
#include "ui/catalog/ContentView.h"
#include "ui/catalog/FooterView.h"
#include "ui/catalog/OperationProgressBanner.h"
#include "ui/kit/ForceUpdateBanner.h"
#include "ui/kit/LogDrawerView.h"
#include "ui/kit/StatusPill.h"
#include "ui/kit/StyledButton.h"

#include <QScrollArea>
#include <QtTest>

#include <memory>

using Operation = FakeEngine::Operation;
using Sheet = DevivuKitViewModel::Sheet;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

ReleasePolicy requiredPolicy()
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Tavrin Devivu Kit 3.0");
    policy.latestVersion = QStringLiteral("3.0");
    return policy;
}

// The column shown in a window of the main window's size.
struct ShownColumn {
    explicit ShownColumn(DevivuKitViewModel& model)
    {
        window.resize(1120, 760);
        view = new ContentView(model, &window);
        view->setGeometry(0, 0, 1120, 760);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
    }

    QWidget window;
    ContentView* view = nullptr;
};

// Rows waiting for their deferred deletion are gone after this.
void dropDeletedRows()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QStringList rowIDs(const ContentView& view)
{
    QStringList ids;
    for (const AppItemRow* row : view.rows())
        ids.append(row->item().id);
    return ids;
}

// Whether the model has applied a status refresh (its log line is written
// when the result lands).
bool statusRefreshLanded(const DevivuKitViewModel& model, int count = 1)
{
    int landed = 0;
    for (const QString& line : model.logLines())
        if (line.contains(QStringLiteral("Refresh trạng thái: ")))
            ++landed;
    return landed >= count;
}

} // namespace

class UiCatalogColumnTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void auditHidesTheCatalogAndKeepsTheFooter();
    void groupShowsExactlyItsEntries_data();
    void groupShowsExactlyItsEntries();
    void emptyListLeavesTheRestInPlace();
    void absentStatusReadsMissing();
    void rowSurvivesAStatusChange();
    void onlyTheActiveRowShowsProgress();
    void updateRequiredDisablesActionsAndStacksTheBanners();
    void removeRequest_data();
    void removeRequest();
    void detailsOpensItsSheet();
};

void UiCatalogColumnTest::auditHidesTheCatalogAndKeepsTheFooter()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy());
    DevivuKitViewModel& model = harness.startSettled();
    model.setShowLogDrawer(true);
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    QVERIFY(view.header()->isVisible());
    QVERIFY(view.forceUpdateBanner()->isVisible());
    QVERIFY(view.logDrawer() && view.logDrawer()->isVisible());
    QVERIFY(!view.auditWorkspace()->isVisible());

    // The group itself (while an update is required, the gate refuses the
    // sidebar's audit entry, which would also start a scan).
    model.selectGroup(catalogGroup(QStringLiteral("audit")));
    QCOMPARE(model.selectedGroupID(), QStringLiteral("audit"));
    QVERIFY(!view.catalogColumn()->isVisible());
    QVERIFY(!view.header()->isVisible());
    QVERIFY(!view.forceUpdateBanner()->isVisible());
    QVERIFY(!view.rowList()->isVisible());
    QVERIFY(!view.logDrawer());
    QVERIFY(view.auditWorkspace()->isVisible());
    QVERIFY(view.footer()->isVisible());
    // The footer stays at the bottom, below the workspace.
    QCOMPARE(view.footer()->geometry().bottom(), view.rect().bottom());
    QVERIFY(view.auditWorkspace()->geometry().bottom() < view.footer()->geometry().top());

    model.selectGroup(catalogGroup(QStringLiteral("media")));
    QVERIFY(view.catalogColumn()->isVisible());
    QVERIFY(!view.auditWorkspace()->isVisible());
    QVERIFY(view.logDrawer() && view.logDrawer()->isVisible());
    QVERIFY(view.footer()->isVisible());
}

void UiCatalogColumnTest::groupShowsExactlyItsEntries_data()
{
    QTest::addColumn<QString>("groupID");
    QTest::newRow("all") << "all";
    QTest::newRow("devivu") << "devivu";
    // Two of its entries are there by their extra group.
    QTest::newRow("printer") << "printer";
    QTest::newRow("meeting") << "meeting";
    QTest::newRow("unknown group") << "lab";
}

void UiCatalogColumnTest::groupShowsExactlyItsEntries()
{
    QFETCH(QString, groupID);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    QCOMPARE(rowIDs(view), ViewModelHarness::ids(Catalog::items()));
    AppItemRow* pdfArranger = view.row(QStringLiteral("pdfarranger"));

    model.selectGroup(catalogGroup(groupID));
    dropDeletedRows();
    QStringList expected;
    for (const AppItem& item : Catalog::items())
        if (groupID == QLatin1String("all") || item.groups().contains(groupID))
            expected.append(item.id);
    QCOMPARE(rowIDs(view), expected);
    // Exactly these rows exist, each once, top to bottom in catalog order.
    QList<AppItemRow*> existing = view.rowList()->widget()->findChildren<AppItemRow*>();
    QCOMPARE(existing.size(), expected.size());
    int previousTop = -1;
    for (AppItemRow* row : view.rows()) {
        QVERIFY(row->isVisible());
        QVERIFY(row->y() > previousTop);
        previousTop = row->y();
    }
    // A row whose entry stays in the list is the same widget.
    if (expected.contains(QStringLiteral("pdfarranger")))
        QCOMPARE(view.row(QStringLiteral("pdfarranger")), pdfArranger);
}

void UiCatalogColumnTest::emptyListLeavesTheRestInPlace()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy());
    DevivuKitViewModel& model = harness.startSettled();
    model.setShowLogDrawer(true);
    ShownColumn shown(model);
    ContentView& view = *shown.view;

    model.selectGroup(catalogGroup(QStringLiteral("lab")));
    dropDeletedRows();
    QVERIFY(view.rows().isEmpty());
    QVERIFY(view.rowList()->isVisible());
    QVERIFY(view.header()->isVisible());
    QVERIFY(view.forceUpdateBanner()->isVisible());
    QVERIFY(view.logDrawer() && view.logDrawer()->isVisible());
    // The empty list shows the column's own background, not a grey panel.
    const QImage picture = view.grab().toImage();
    const QRect list = view.rowList()->geometry().translated(view.catalogColumn()->pos());
    QCOMPARE(picture.pixelColor(list.center()), Design::background);
}

void UiCatalogColumnTest::absentStatusReadsMissing()
{
    // A status refresh that began with a smaller catalog lands after the
    // catalog grew: the entries it did not read have no status at all.
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("gimp")});
    harness.engine->setStatus(QStringLiteral("inkscape"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    QCOMPARE(rowIDs(view), (QStringList{"vlc", "gimp"}));

    const std::shared_ptr<Gate> stale = harness.engine->hold(Operation::statuses);
    model.refreshStatuses(false);
    QVERIFY(stale->waitArrived());
    harness.cloud->setCachedBusinessPolicyRows({});
    harness.cloud->setResult(FakeCloud::Operation::syncCatalog, CloudResult{true, QStringLiteral("Đã đồng bộ.")});
    AppItemRow* vlc = view.row(QStringLiteral("vlc"));
    model.syncCatalog();
    QTRY_COMPARE_WITH_TIMEOUT(model.catalogItems().size(), Catalog::items().size(),
                              ViewModelHarness::waitMilliseconds);
    QTRY_VERIFY_WITH_TIMEOUT(statusRefreshLanded(model, 2), ViewModelHarness::waitMilliseconds);
    dropDeletedRows();
    QCOMPARE(rowIDs(view), ViewModelHarness::ids(Catalog::items()));
    QCOMPARE(view.row(QStringLiteral("vlc")), vlc);
    QCOMPARE(view.row(QStringLiteral("inkscape"))->state().status, InstallStatus::installed);

    stale->release();
    QVERIFY(harness.settle());
    QVERIFY(!model.statuses().contains(QStringLiteral("inkscape")));
    AppItemRow* inkscape = view.row(QStringLiteral("inkscape"));
    QCOMPARE(inkscape->state().status, InstallStatus::missing);
    QCOMPARE(inkscape->statusPill()->text(), QStringLiteral("● Missing"));
    QCOMPARE(inkscape->primaryButton()->title(), QStringLiteral("Install"));
    QVERIFY(inkscape->trashButton()->isHidden());
}

void UiCatalogColumnTest::rowSurvivesAStatusChange()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    AppItemRow* gimp = view.row(QStringLiteral("gimp"));
    QCOMPARE(gimp->primaryButton()->title(), QStringLiteral("Install"));
    const QList<AppItemRow*> before = view.rows();

    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    model.refreshStatuses(false);
    QVERIFY(harness.settle());
    dropDeletedRows();
    QCOMPARE(view.row(QStringLiteral("gimp")), gimp);
    QCOMPARE(view.rows(), before);
    QCOMPARE(gimp->statusPill()->text(), QStringLiteral("● Installed"));
    QCOMPARE(gimp->primaryButton()->title(), QStringLiteral("Open"));
    QVERIFY(gimp->trashButton()->isVisible());

    // A language change is an update in place too.
    model.setLanguage(AppLanguage::korean);
    dropDeletedRows();
    QCOMPARE(view.rows(), before);
    QCOMPARE(gimp->statusPill()->text(), AppStrings(AppLanguage::korean).statusText(InstallStatus::installed));
}

void UiCatalogColumnTest::onlyTheActiveRowShowsProgress()
{
    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("inkscape"), InstallStatus::installed);
    harness.engine->setInstallProgress(QStringLiteral("vlc"),
                                       {InstallProgressUpdate{QStringLiteral("Đang tải VLC"), 0.5}});
    const std::shared_ptr<Gate> gate = harness.engine->hold(Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.startSettled();
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    QVERIFY(!view.operationBanner()->isVisible());
    QVERIFY(!view.logDrawer());
    AppItemRow* vlc = view.row(QStringLiteral("vlc"));

    // A press alone starts the install.
    QTest::mousePress(vlc->primaryButton(), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(model.activeItemProgressText(), QStringLiteral("50%"),
                              ViewModelHarness::waitMilliseconds);
    QTest::mouseRelease(vlc->primaryButton(), Qt::LeftButton);
    QCOMPARE(view.row(QStringLiteral("vlc")), vlc);
    QCOMPARE(vlc->state().status, InstallStatus::working);
    QVERIFY(vlc->progressLine()->isVisible());
    QCOMPARE(vlc->statusPill()->text(), QStringLiteral("● 50%"));
    for (AppItemRow* row : view.rows()) {
        QVERIFY(!row->primaryButton()->isEnabled());
        QVERIFY(!row->trashButton()->isEnabled());
        QVERIFY(row->detailsButton()->isEnabled());
        if (row != vlc) {
            QVERIFY2(row->progressLine()->isHidden(), qPrintable(row->item().id));
            QVERIFY(!row->state().itemProgress);
        }
    }
    QVERIFY(view.operationBanner()->isVisible());
    QVERIFY(view.logDrawer() && view.logDrawer()->isVisible());
    QVERIFY(view.logDrawer()->geometry().top() > view.rowList()->geometry().bottom());

    gate->release();
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->arguments(Operation::install), QStringList{"vlc"});
    QCOMPARE(view.row(QStringLiteral("vlc")), vlc);
    QCOMPARE(vlc->state().status, InstallStatus::installed);
    QVERIFY(vlc->progressLine()->isHidden());
    QVERIFY(view.row(QStringLiteral("inkscape"))->trashButton()->isEnabled());

    // When the banner goes, the active item goes with it.
    harness.scheduler->advance(1600);
    QVERIFY(!model.showOperationProgress());
    QVERIFY(view.operationBanner()->isHidden());
    QVERIFY(!vlc->state().itemProgress);
}

void UiCatalogColumnTest::updateRequiredDisablesActionsAndStacksTheBanners()
{
    // The policy answers only once an install is under way, so both banners
    // show at once.
    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("inkscape"), InstallStatus::installed);
    harness.cloud->setReleasePolicy(requiredPolicy());
    const std::shared_ptr<Gate> policy = harness.cloud->hold(FakeCloud::Operation::releasePolicy);
    const std::shared_ptr<Gate> install = harness.engine->hold(Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.start();
    QVERIFY(policy->waitArrived());
    QTRY_VERIFY_WITH_TIMEOUT(statusRefreshLanded(model), ViewModelHarness::waitMilliseconds);
    ShownColumn shown(model);
    ContentView& view = *shown.view;
    QVERIFY(view.row(QStringLiteral("inkscape"))->trashButton()->isEnabled());

    QTest::mousePress(view.row(QStringLiteral("vlc"))->primaryButton(), Qt::LeftButton);
    QVERIFY(install->waitArrived());
    policy->release();
    QTRY_VERIFY_WITH_TIMEOUT(model.updateRequired(), ViewModelHarness::waitMilliseconds);
    QVERIFY(model.showOperationProgress());

    ForceUpdateBanner* update = view.forceUpdateBanner();
    OperationProgressBanner* operation = view.operationBanner();
    QVERIFY(update->isVisible());
    QVERIFY(operation->isVisible());
    QVERIFY(view.header()->geometry().bottom() < update->geometry().top());
    QVERIFY(update->geometry().bottom() < operation->geometry().top());
    QVERIFY(operation->geometry().bottom() < view.rowList()->geometry().top());

    install->release();
    QVERIFY(harness.settle());
    // Nothing installs any more, yet every row stays busy.
    QVERIFY(!model.isInstalling());
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    for (AppItemRow* row : view.rows()) {
        QVERIFY(row->state().isGlobalBusy);
        QVERIFY2(!row->primaryButton()->isEnabled(), qPrintable(row->item().id));
        QVERIFY(!row->trashButton()->isEnabled());
        QVERIFY(row->detailsButton()->isEnabled());
    }
    QVERIFY(view.row(QStringLiteral("inkscape"))->trashButton()->isVisible());
    QTest::mousePress(view.row(QStringLiteral("gimp"))->primaryButton(), Qt::LeftButton);
    QTest::mouseClick(view.row(QStringLiteral("inkscape"))->trashButton(), Qt::LeftButton);
    QCOMPARE(harness.engine->arguments(Operation::install), QStringList{"vlc"});
    QVERIFY(!model.pendingUninstall());

    harness.scheduler->advance(1600);
    QVERIFY(operation->isHidden());
    QVERIFY(update->isVisible());
}

void UiCatalogColumnTest::removeRequest_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<bool>("updateRequired");
    QTest::addColumn<bool>("installing");
    QTest::addColumn<bool>("pending");

    QTest::newRow("gate refuses") << "vlc" << true << false << false;
    QTest::newRow("installing") << "vlc" << false << true << false;
    // The gate speaks first, even while an install runs.
    QTest::newRow("gate refuses while installing") << "vlc" << true << true << false;
    QTest::newRow("builtin") << "ibus-unikey" << false << false << false;
    QTest::newRow("blocked") << "deja-dup" << false << false << false;
    QTest::newRow("installed cask") << "vlc" << false << false << true;
    QTest::newRow("installed default-app setting") << "onlyoffice-mime" << false << false << true;
}

void UiCatalogColumnTest::removeRequest()
{
    QFETCH(QString, id);
    QFETCH(bool, updateRequired);
    QFETCH(bool, installing);
    QFETCH(bool, pending);

    ViewModelHarness harness;
    for (const QString& installed : {QStringLiteral("vlc"), QStringLiteral("onlyoffice-mime"),
                                     QStringLiteral("ibus-unikey"), QStringLiteral("deja-dup")})
        harness.engine->setStatus(installed, InstallStatus::installed);
    if (updateRequired)
        harness.cloud->setReleasePolicy(requiredPolicy());
    const std::shared_ptr<Gate> install = harness.engine->hold(Operation::install, QStringLiteral("gimp"));
    // The policy answers only once the install is under way.
    const std::shared_ptr<Gate> policy = harness.cloud->hold(FakeCloud::Operation::releasePolicy);
    DevivuKitViewModel& model = harness.start();
    QVERIFY(policy->waitArrived());
    QTRY_VERIFY_WITH_TIMEOUT(statusRefreshLanded(model), ViewModelHarness::waitMilliseconds);
    if (installing) {
        model.performPrimaryAction(catalogEntry(QStringLiteral("gimp")));
        QVERIFY(install->waitArrived());
    }
    policy->release();
    // Its answer is logged when it lands.
    QTRY_VERIFY_WITH_TIMEOUT(!model.logLines().filter(QStringLiteral("Release policy")).isEmpty(),
                             ViewModelHarness::waitMilliseconds);
    QCOMPARE(model.isInstalling(), installing);
    QCOMPARE(model.updateRequired(), updateRequired);
    ShownColumn shown(model);
    AppItemRow* row = shown.view->row(id);
    QVERIFY(row);
    model.setActiveSheet(std::nullopt);
    const std::optional<Toast> toastBefore = model.toast();
    const QString actionBefore = model.currentAction();

    // Where the trash button can be used it is; otherwise the request comes
    // as if it had been sent anyway.
    StyledButton* trash = row->trashButton();
    if (trash->isVisible() && trash->isEnabled())
        QTest::mouseClick(trash, Qt::LeftButton);
    else
        Q_EMIT row->removeRequested();

    if (pending) {
        QVERIFY(model.pendingUninstall());
        QCOMPARE(*model.pendingUninstall(), catalogEntry(id));
    } else {
        QVERIFY(!model.pendingUninstall());
    }
    if (updateRequired) {
        // The gate's own effects.
        QVERIFY(model.toast() && model.toast() != toastBefore);
        QCOMPARE(model.toast()->kind, Toast::Kind::warning);
        QCOMPARE(model.currentAction(), AppStrings().updateRequiredStatus());
    } else {
        QCOMPARE(model.toast(), toastBefore);
        QCOMPARE(model.currentAction(), actionBefore);
    }
    // A request never removes by itself, nor opens a sheet.
    QVERIFY(harness.engine->calls(Operation::uninstall).isEmpty());
    QVERIFY(!model.activeSheet());
}

void UiCatalogColumnTest::detailsOpensItsSheet()
{
    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    ShownColumn shown(model);
    auto* details = shown.view->findChild<StyledButton*>(QStringLiteral("details-deja-dup"));
    QVERIFY(details);
    QTest::mouseClick(details, Qt::LeftButton);
    QVERIFY(model.activeSheet());
    QCOMPARE(*model.activeSheet(), Sheet::itemDetail(catalogEntry(QStringLiteral("deja-dup"))));
    QCOMPARE(model.activeSheet()->id(), QStringLiteral("item-deja-dup"));
    QVERIFY(harness.engine->calls(Operation::open).isEmpty());
}

QTEST_MAIN(UiCatalogColumnTest)
#include "tst_ui_catalog_column.moc"
