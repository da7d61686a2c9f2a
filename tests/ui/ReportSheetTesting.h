#pragma once

#include "TestFiles.h"
#include "ViewModelHarness.h"
#include "app/ReportSnapshot.h"
#include "app/DevivuKitViewModel.h"
#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"

#include <QTest>
#include <QWidget>

#include <memory>

// Small steps shared by the report sheet's tests.
namespace ReportSheetTesting {

inline const QString profileKey = QStringLiteral("tavrin.mac.report-profile");

// A finished scan of the applications through the fake engine: the view
// model then holds a snapshot dated by the harness's clock.
inline bool scan(ViewModelHarness& harness, DevivuKitViewModel& model,
                 const QList<InstalledMacApplication>& applications)
{
    harness.engine->setApplications(applications);
    harness.engine->setReport(QStringLiteral("báo cáo"));
    model.scanReportInventory();
    return harness.settle() && model.hasReportSnapshot() && !model.isReportRefreshing();
}

// A snapshot saved by an earlier run, restored by the next model that
// starts (the way to hold one while the release gate refuses scans).
inline bool saveSnapshot(const QList<InstalledMacApplication>& applications)
{
    const ReportSnapshot snapshot{QStringLiteral("báo cáo"), applications,
                                  QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))};
    return TestFiles::write(ReportSnapshot::filePath(), snapshot.toJson());
}

// Starts a scan that the fake engine holds open until the gate is released.
inline std::shared_ptr<Gate> startHeldScan(ViewModelHarness& harness, DevivuKitViewModel& model)
{
    std::shared_ptr<Gate> gate = harness.engine->hold(FakeEngine::Operation::installedAdditionalApplications);
    model.scanReportInventory();
    if (!gate->waitArrived())
        qWarning("the scan never reached the engine");
    return gate;
}

inline bool show(QWidget& widget)
{
    widget.show();
    return QTest::qWaitForWindowExposed(&widget);
}

inline MacReportProfile profile(const QString& inspector, const QString& subject)
{
    MacReportProfile value;
    value.inspectorName = inspector;
    value.team = QStringLiteral("Kỹ thuật");
    value.recipient = QStringLiteral("Công ty A");
    value.subject = subject;
    value.notes = QStringLiteral("Ghi chú\ndòng hai");
    return value;
}

inline ReleasePolicy updateRequiredPolicy()
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Tavrin Devivu Kit 3.0");
    policy.latestVersion = QStringLiteral("3.0");
    return policy;
}

} // namespace ReportSheetTesting
