// The audit workspace on the view model over its fakes: which of the list and
// the empty state it shows through held, finished, failed and empty scans,
// the release gate in front of both scan buttons, the rows' buttons and the
// detail sheet they ask for, the lazily built list, the forced-update banner
// and the log drawer.

#include "TestApplication.h"
#include "ViewModelHarness.h"
#include "audit/ReportFixtures.h"
#include "ui/audit/AuditApplicationList.h"
#include "ui/audit/AuditApplicationRow.h"
#include "ui/audit/AuditEmptyStateView.h"
#include "ui/audit/AuditHeaderView.h"
#include "ui/audit/AuditWorkspaceView.h"
#include "ui/kit/ForceUpdateBanner.h"
#include "ui/kit/LogDrawerView.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QList<InstalledMacApplication>)

using Operation = FakeEngine::Operation;
using Sheet = DevivuKitViewModel::Sheet;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

QList<InstalledMacApplication> named(const QStringList& names)
{
    QList<InstalledMacApplication> applications;
    for (const QString& name : names)
        applications.append(testApplication(name, AppLicenseEvidenceState::freeOrOpenSource));
    return applications;
}

ReleasePolicy requiredPolicy()
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Tavrin Devivu Kit 3.0");
    policy.latestVersion = QStringLiteral("3.0");
    return policy;
}

std::unique_ptr<AuditWorkspaceView> shownWorkspace(DevivuKitViewModel& model, QSize size = {1120, 760})
{
    auto view = std::make_unique<AuditWorkspaceView>(model);
    view->resize(size);
    view->show();
    if (!QTest::qWaitForWindowExposed(view.get()))
        return nullptr;
    QCoreApplication::processEvents();
    return view;
}

// A scan run to its end through the view model, before any view is made.
bool scanned(ViewModelHarness& harness, const QList<InstalledMacApplication>& applications)
{
    harness.engine->setApplications(applications);
    harness.model()->scanReportInventory();
    return harness.settle() && harness.model()->reportApplications() == applications;
}

StyledButton* button(const QWidget& view, const QString& name)
{
    return view.findChild<StyledButton*>(name);
}

// The records of the rows the list has built, by position.
QList<InstalledMacApplication> builtRecords(const AuditApplicationList& list)
{
    QList<InstalledMacApplication> records;
    for (const AuditApplicationRow* row : list.builtRows())
        records.append(row->application());
    return records;
}

} // namespace

class UiAuditWorkspaceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void phases_data();
    void phases();
    void gateRefusesBothScanButtons_data();
    void gateRefusesBothScanButtons();
    void rowButtonsOpenTheSheetForTheirRecord_data();
    void rowButtonsOpenTheSheetForTheirRecord();
    void rescanLeavesTheOpenSheetAlone();
    void rowsAreBuiltNearTheViewOnly();
    void equalRecordsKeepTheirRows();
    void bannerAndDrawerTakeTheirPlaces();
};

void UiAuditWorkspaceTest::phases_data()
{
    QTest::addColumn<QList<InstalledMacApplication>>("before");
    QTest::addColumn<QList<InstalledMacApplication>>("found");
    QTest::addColumn<bool>("fails");
    QTest::addColumn<QList<InstalledMacApplication>>("after"); // the rows at the end; none: the empty state

    const auto three = named({"Alpha", "Beta", "Gamma"});
    const auto two = named({"Delta", "Epsilon"});
    const QList<InstalledMacApplication> none;
    QTest::newRow("first scan finds applications") << none << three << false << three;
    QTest::newRow("first scan finds nothing") << none << none << false << none;
    QTest::newRow("first scan fails") << none << three << true << none;
    QTest::newRow("rescan finds others") << three << two << false << two;
    QTest::newRow("rescan fails") << three << two << true << three;
    QTest::newRow("rescan finds nothing") << three << none << false << none;
}

void UiAuditWorkspaceTest::phases()
{
    QFETCH(QList<InstalledMacApplication>, before);
    QFETCH(QList<InstalledMacApplication>, found);
    QFETCH(bool, fails);
    QFETCH(QList<InstalledMacApplication>, after);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    if (!before.isEmpty())
        QVERIFY(scanned(harness, before));
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    AuditApplicationList* list = view->applicationList();
    AuditEmptyStateView* empty = view->emptyState();
    StyledButton* scan = button(*view, QStringLiteral("audit-scan"));
    QVERIFY(scan);

    // Before: the rows of the earlier scan, or the empty state filling the
    // rest of the column.
    QCOMPARE(empty->isVisible(), before.isEmpty());
    QCOMPARE(list->isVisible(), !before.isEmpty());
    if (before.isEmpty())
        QCOMPARE(empty->geometry().bottom() + 1, view->height());
    QCOMPARE(builtRecords(*list), before);

    harness.engine->setApplications(found);
    if (fails)
        harness.engine->setReportError(QStringLiteral("Không ghi được báo cáo"));
    const std::shared_ptr<Gate> held = harness.engine->hold(Operation::installedAdditionalApplications);
    QTest::mouseClick(scan, Qt::LeftButton);
    QVERIFY(held->waitArrived());
    QCoreApplication::processEvents();

    // While the scan runs: the list (empty, or the earlier rows), never the
    // empty state; the scan button stays disabled.
    QVERIFY(model.isReportRefreshing());
    QVERIFY(!empty->isVisible());
    QVERIFY(list->isVisible());
    QCOMPARE(builtRecords(*list), before);
    QVERIFY(!scan->isEnabled());

    held->release();
    QVERIFY(harness.settle());
    QCoreApplication::processEvents();

    QVERIFY(!model.isReportRefreshing());
    QVERIFY(scan->isEnabled());
    QCOMPARE(empty->isVisible(), after.isEmpty());
    QCOMPARE(list->isVisible(), !after.isEmpty());
    QCOMPARE(list->applications(), after);
    QCOMPARE(builtRecords(*list), after);
    if (!fails && found.isEmpty()) {
        // A scan that found nothing: the empty state, and a summary of zeros.
        QVERIFY(view->header()->summaryText()->isVisible());
        QCOMPARE(view->header()->summaryText()->text(), AppStrings().auditSummary(0, 0, 0, 0));
    }
}

void UiAuditWorkspaceTest::gateRefusesBothScanButtons_data()
{
    QTest::addColumn<QString>("buttonName");
    QTest::newRow("header") << "audit-scan";
    QTest::newRow("empty state") << "audit-empty-scan";
}

void UiAuditWorkspaceTest::gateRefusesBothScanButtons()
{
    QFETCH(QString, buttonName);

    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy());
    harness.engine->setApplications(named({"Alpha"}));
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(model.updateRequired());
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    QVERIFY(view->updateBanner()->isVisible());
    QVERIFY(view->emptyState()->isVisible());

    QSignalSpy refreshing(&model, &DevivuKitViewModel::isReportRefreshingChanged);
    QSignalSpy progress(&model, &DevivuKitViewModel::auditProgressChanged);
    QSignalSpy report(&model, &DevivuKitViewModel::reportChanged);
    QSignalSpy snapshot(&model, &DevivuKitViewModel::reportSnapshotChanged);
    QSignalSpy sheet(&model, &DevivuKitViewModel::activeSheetChanged);
    const qsizetype logLines = model.logLines().size();

    StyledButton* scan = button(*view, buttonName);
    QVERIFY(scan);
    QVERIFY(scan->isEnabled());
    QTest::mouseClick(scan, Qt::LeftButton);
    QVERIFY(harness.settle());

    // The gate's own warning, and nothing else.
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    QCOMPARE(model.toast()->text, AppStrings().updateRequiredToast());
    QCOMPARE(model.currentAction(), AppStrings().updateRequiredStatus());
    QVERIFY(harness.engine->calls(Operation::installedAdditionalApplications).isEmpty());
    QCOMPARE(refreshing.size(), 0);
    QCOMPARE(progress.size(), 0);
    QCOMPARE(report.size(), 0);
    QCOMPARE(snapshot.size(), 0);
    QCOMPARE(sheet.size(), 0);
    QCOMPARE(model.logLines().size(), logLines);
    QVERIFY(view->emptyState()->isVisible());
    QVERIFY(!view->applicationList()->isVisible());
    QVERIFY(scan->isEnabled());
}

void UiAuditWorkspaceTest::rowButtonsOpenTheSheetForTheirRecord_data()
{
    QTest::addColumn<QString>("which");
    QTest::newRow("details") << "details";
    QTest::newRow("menu") << "menu";
}

void UiAuditWorkspaceTest::rowButtonsOpenTheSheetForTheirRecord()
{
    QFETCH(QString, which);

    // Positions 1 and 2 hold equal records: two rows, each its own.
    QList<InstalledMacApplication> applications = named({"Alpha", "Beta", "Beta", "Gamma"});
    applications[3].licenseEvidence.reset();
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scanned(harness, applications));
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    QCOMPARE(view->applicationList()->builtRows().size(), 4);

    for (int index : {2, 3, 0}) {
        StyledButton* press = button(*view, QStringLiteral("audit-row-%1-%2").arg(index).arg(which));
        QVERIFY(press);
        QTest::mouseClick(press, Qt::LeftButton);
        QVERIFY(model.activeSheet());
        QCOMPARE(*model.activeSheet(), Sheet::auditDetail(applications.at(index)));
        QCOMPARE(model.activeSheet()->id(), QStringLiteral("audit-org.example.%1-Applications")
                                                .arg(applications.at(index).name.toLower()));
    }
    // Nothing but the sheet was asked for.
    QVERIFY(harness.engine->calls(Operation::installedAdditionalApplications).size() == 1);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("all"));
}

void UiAuditWorkspaceTest::rescanLeavesTheOpenSheetAlone()
{
    const QList<InstalledMacApplication> applications = named({"Alpha", "Beta"});
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scanned(harness, applications));
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    QTest::mouseClick(button(*view, QStringLiteral("audit-row-1-details")), Qt::LeftButton);
    QCOMPARE(*model.activeSheet(), Sheet::auditDetail(applications.at(1)));

    QSignalSpy sheet(&model, &DevivuKitViewModel::activeSheetChanged);
    QList<InstalledMacApplication> changed = applications;
    changed[1].version = QStringLiteral("2.0");
    QVERIFY(scanned(harness, changed));
    QCoreApplication::processEvents();

    // The rows follow the scan; the sheet keeps the record it opened with.
    QCOMPARE(view->applicationList()->builtRow(1)->application(), changed.at(1));
    QCOMPARE(sheet.size(), 0);
    QCOMPARE(*model.activeSheet(), Sheet::auditDetail(applications.at(1)));
}

void UiAuditWorkspaceTest::rowsAreBuiltNearTheViewOnly()
{
    const QList<InstalledMacApplication> applications = ReportFixtures::manyApplications(500);
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scanned(harness, applications));
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    AuditApplicationList* list = view->applicationList();
    QCOMPARE(list->count(), 500);

    // The rows in view and about a view below it, from the top, 8 apart.
    const QList<AuditApplicationRow*> rows = list->builtRows();
    QVERIFY2(rows.size() >= 3 && rows.size() < 40, qPrintable(QString::number(rows.size())));
    for (int i = 0; i < rows.size(); ++i) {
        QCOMPARE(rows.at(i)->index(), i);
        QCOMPARE(rows.at(i)->application(), applications.at(i));
        QCOMPARE(rows.at(i)->width(), list->viewport()->width());
        QVERIFY(rows.at(i)->height() >= AuditApplicationRow::minimumRowHeight);
        if (i > 0)
            QCOMPARE(rows.at(i)->y(), rows.at(i - 1)->geometry().bottom() + 1 + AuditApplicationList::rowSpacing);
    }
    QCOMPARE(rows.constFirst()->y(), 0);

    // The last row is built when it comes into view, and its buttons are
    // named by its position; the first ones are dropped.
    AuditApplicationRow* last = list->scrollToRow(499);
    QVERIFY(last);
    QCOMPARE(last->application(), applications.at(499));
    QVERIFY(!list->builtRow(0));
    QVERIFY(list->builtRows().size() < 40);
    QCOMPARE(last->geometry().bottom() + 1, list->viewport()->height());
    QCOMPARE(list->verticalScrollBar()->value() + AuditApplicationList::bottomPadding,
             list->verticalScrollBar()->maximum());
    QCOMPARE(list->contentHeight(), list->rowTop(499) + last->height() + AuditApplicationList::bottomPadding);
    StyledButton* menu = last->findChild<StyledButton*>(QStringLiteral("audit-row-499-menu"));
    QVERIFY(menu);
    QTest::mouseClick(menu, Qt::LeftButton);
    QCOMPARE(*model.activeSheet(), Sheet::auditDetail(applications.at(499)));
    // Dropped rows are out of reach at once.
    QVERIFY(!view->findChild<StyledButton*>(QStringLiteral("audit-row-0-details")));

    // Back at the top, the first row is built again; a language switch
    // relabels the rows that exist.
    QCOMPARE(list->scrollToRow(0)->application(), applications.at(0));
    model.setLanguage(AppLanguage::vietnamese);
    QCOMPARE(button(*list->builtRow(0), QStringLiteral("audit-row-0-details"))->title(), QStringLiteral("Chi tiết"));
    for (AuditApplicationRow* row : list->builtRows())
        QCOMPARE(row->width(), list->viewport()->width());
}

void UiAuditWorkspaceTest::equalRecordsKeepTheirRows()
{
    const QList<InstalledMacApplication> applications = named({"Alpha", "Beta", "Gamma"});
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scanned(harness, applications));
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    const QList<AuditApplicationRow*> before = view->applicationList()->builtRows();
    const QPointer<AuditApplicationRow> kept = before.at(0);
    const QPointer<AuditApplicationRow> replaced = before.at(1);

    // A rescan in which only the second record changed.
    QList<InstalledMacApplication> changed = applications;
    changed[1].signatureStatus = QStringLiteral("ad-hoc");
    QVERIFY(scanned(harness, changed));
    const QList<AuditApplicationRow*> after = view->applicationList()->builtRows();
    QCOMPARE(after.size(), 3);
    QCOMPARE(after.at(0), kept.data());
    QCOMPARE(after.at(2), before.at(2));
    QVERIFY(after.at(1) != before.at(1));
    QCOMPARE(after.at(1)->application(), changed.at(1));
    QTRY_VERIFY(!replaced);

    // A replaced row leaves the list at once but is deleted on a later turn
    // (it may be handling an event).
    const QPointer<AuditApplicationRow> leaving = after.at(2);
    changed[2].version = QStringLiteral("9.9");
    view->applicationList()->setApplications(changed);
    QVERIFY(leaving);
    QVERIFY(!leaving->isVisible());
    QVERIFY(!view->isAncestorOf(leaving));
    QCOMPARE(view->applicationList()->builtRow(2)->application(), changed.at(2));
    QTRY_VERIFY(!leaving);
}

void UiAuditWorkspaceTest::bannerAndDrawerTakeTheirPlaces()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(requiredPolicy());
    const std::shared_ptr<Gate> policy = harness.cloud->hold(FakeCloud::Operation::releasePolicy);
    harness.engine->setApplications(named({"Alpha", "Beta"}));
    DevivuKitViewModel& model = harness.start();
    QVERIFY(!model.updateRequired());
    // The policy is held, so the background never settles meanwhile.
    model.scanReportInventory();
    QTRY_VERIFY_WITH_TIMEOUT(model.reportApplications().size() == 2 && !model.isReportRefreshing(),
                             ViewModelHarness::waitMilliseconds);
    const auto view = shownWorkspace(model);
    QVERIFY(view);
    QVERIFY(!view->updateBanner()->isVisible());
    QVERIFY(!view->logDrawer());

    // The policy lands while the workspace is shown: the banner comes in
    // between the header and the list.
    policy->release();
    QVERIFY(harness.settle());
    QVERIFY(model.updateRequired());
    QTRY_VERIFY(view->updateBanner()->isVisible());
    QCoreApplication::processEvents();
    const int bannerTop = view->updateBanner()->y();
    QVERIFY(bannerTop >= view->header()->geometry().bottom() + 12);
    QVERIFY(view->applicationList()->y() >= view->updateBanner()->geometry().bottom() + 12);

    // The drawer sits below the list, inside the padded column.
    model.setShowLogDrawer(true);
    QVERIFY(view->logDrawer());
    QTRY_VERIFY(view->logDrawer()->isVisible());
    QTRY_COMPARE(view->logDrawer()->geometry().bottom() + 1, view->height());
    QCOMPARE(view->logDrawer()->height(), LogDrawerView::fixedHeight);
    QCOMPARE(view->logDrawer()->x(), 28);
    QCOMPARE(view->logDrawer()->width(), view->width() - 56);
    QVERIFY(view->logDrawer()->y() >= view->applicationList()->geometry().bottom() + 12);
    QCOMPARE(view->logDrawer()->lines(), model.logLines());

    const QPointer<LogDrawerView> drawer = view->logDrawer();
    model.setShowLogDrawer(false);
    QVERIFY(!view->logDrawer());
    QVERIFY(!drawer->isVisible());
    QTRY_VERIFY(!drawer);
    QTRY_COMPARE(view->applicationList()->geometry().bottom() + 1, view->height());
}

QTEST_MAIN(UiAuditWorkspaceTest)
#include "tst_ui_audit_workspace.moc"
