// The view model's audit: the audit workspace, the inventory scan, the audit
// counters and the report snapshot kept between runs.

#include "app/DevivuKitViewModel.h"

#include "app/AuditProgressThrottle.h"
#include "app/BackgroundTasks.h"
#include "app/ReportSnapshot.h"
#include "app/ReportTextFile.h"

#include <cmath>

namespace {

enum class KeyFinding { present, notRequired, notDetected };

KeyFinding keyFinding(const InstalledMacApplication& application)
{
    const AppLicenseEvidenceState state =
        application.licenseEvidence ? application.licenseEvidence->state : AppLicenseEvidenceState::noEvidence;
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
    case AppLicenseEvidenceState::receiptIntegrityVerified:
    case AppLicenseEvidenceState::acquisitionReceipt:
    case AppLicenseEvidenceState::licenseArtifact:
        return KeyFinding::present;
    case AppLicenseEvidenceState::freeOrOpenSource:
    case AppLicenseEvidenceState::accountBased:
        return KeyFinding::notRequired;
    case AppLicenseEvidenceState::installationEvidence:
    case AppLicenseEvidenceState::needsEntitlementReview:
    case AppLicenseEvidenceState::accessRestricted:
    case AppLicenseEvidenceState::noEvidence:
    case AppLicenseEvidenceState::explicitUnlicensed:
        break;
    }
    return KeyFinding::notDetected;
}

int countFinding(const QList<InstalledMacApplication>& applications, KeyFinding finding)
{
    return static_cast<int>(std::count_if(applications.cbegin(), applications.cend(),
                                          [finding](const auto& application) {
                                              return keyFinding(application) == finding;
                                          }));
}

} // namespace

int DevivuKitViewModel::auditKeyPresentCount() const
{
    return countFinding(m_reportApplications, KeyFinding::present);
}

int DevivuKitViewModel::auditKeyNotRequiredCount() const
{
    return countFinding(m_reportApplications, KeyFinding::notRequired);
}

int DevivuKitViewModel::auditKeyNotDetectedCount() const
{
    return countFinding(m_reportApplications, KeyFinding::notDetected);
}

void DevivuKitViewModel::openAuditWorkspace()
{
    if (!releasePolicyAllowsAction())
        return;
    setSelectedGroupID(QStringLiteral("audit"));
    setCurrentAction(strings().auditPreparing());
    scheduleAuditScanAfterNavigationCommit();
}

void DevivuKitViewModel::scheduleAuditScanAfterNavigationCommit()
{
    // The scan starts on the next turn, once the workspace has been drawn,
    // and only if nothing moved the window elsewhere meanwhile.
    const quint64 token = ++m_deferredAuditScanToken;
    m_scheduler->after(0, this, [this, token] {
        if (token != m_deferredAuditScanToken || m_selectedGroupID != QLatin1String("audit"))
            return;
        if (releasePolicyAllowsAction())
            startReportInventoryScan();
    });
}

void DevivuKitViewModel::scanReportInventory()
{
    if (!releasePolicyAllowsAction())
        return;
    startReportInventoryScan();
}

void DevivuKitViewModel::startReportInventoryScan()
{
    // One scan at a time; a request meanwhile is ignored.
    if (m_isReportRefreshing)
        return;
    setIsReportRefreshing(true);
    const QString preparing = strings().auditPreparing();
    setAuditProgress(0, preparing);
    setCurrentAction(preparing);
    appendLog(QStringLiteral("Bắt đầu kiểm kê macOS: app bundle, Homebrew, pkg receipt và chữ ký số."));

    // A scan cannot be cancelled; once the view model is gone its remaining
    // steps still run and their results are dropped.
    BackgroundTasks::start([guard = QPointer<DevivuKitViewModel>(this), engine = m_engine, items = m_catalogItems,
                            language = m_language] {
        AuditProgressThrottle throttle;
        // Called on this thread; what passes is posted before the scan's end.
        const auto progress = [&throttle, guard](int completed, int total) {
            if (!throttle.shouldPost(completed, total))
                return;
            BackgroundTasks::post([guard, completed, total] {
                if (guard)
                    guard->updateAuditScanProgress(completed, total);
            });
        };
        QList<InstalledMacApplication> applications =
            engine->installedAdditionalApplications(progress, [] { return false; });
        BackgroundTasks::post([guard] {
            if (guard)
                guard->markReportCatalogRefresh();
        });
        QHash<QString, InstallStatus> statuses = engine->statuses(items);
        ReportTextFile::Outcome report = ReportTextFile::writeAndRead(*engine, std::nullopt, applications, language);
        BackgroundTasks::post([guard, report = std::move(report), applications = std::move(applications),
                               statuses = std::move(statuses)] {
            if (!guard)
                return;
            if (report.error)
                guard->finishReportFailure(*report.error);
            else
                guard->finishReportScan(report.text, applications, statuses);
        });
    });
}

void DevivuKitViewModel::updateAuditScanProgress(int completed, int total)
{
    // A report that arrives after the scan's end changes nothing.
    if (!m_isReportRefreshing)
        return;
    const double fraction = total > 0 ? clampedFraction(static_cast<double>(completed) / total) : 0.0;
    const auto percent = static_cast<qint64>(std::round(fraction * 100.0));
    const QString detail = strings().auditScanProgress(completed, total, percent);
    setAuditProgress(fraction, detail);
    setCurrentAction(detail);
}

void DevivuKitViewModel::markReportCatalogRefresh()
{
    setCurrentAction(strings().auditUpdatingCatalog(m_catalogItems.size()));
}

void DevivuKitViewModel::finishReportScan(const QString& text, const QList<InstalledMacApplication>& applications,
                                          const QHash<QString, InstallStatus>& statuses)
{
    const auto count = applications.size();
    setStatuses(statuses);
    updateCatalogProgress();
    setReport(text, applications);
    setIsReportRefreshing(false);
    setAuditProgress(1, strings().auditScanProgress(count, count, 100));
    setReportSnapshot(true, m_clock->now());
    saveReportSnapshot();
    const QString complete = strings().auditComplete(count);
    setCurrentAction(complete);
    appendLog(QStringLiteral("Hoàn tất kiểm kê macOS: ") + QString::number(count) + QStringLiteral(" phần mềm, ")
              + QString::number(auditKeyPresentCount()) + QStringLiteral(" mục có key/receipt, ")
              + QString::number(auditKeyNotRequiredCount()) + QStringLiteral(" mục không cần key, ")
              + QString::number(auditKeyNotDetectedCount()) + QStringLiteral(" mục không phát hiện key."));
    showToast(complete, ToastMessage::Kind::success);
}

void DevivuKitViewModel::finishReportFailure(const QString& error)
{
    // The report, the applications and the snapshot stay as they were.
    setIsReportRefreshing(false);
    setAuditProgress(0, strings().auditPreparing());
    setCurrentAction(error);
    showToast(error, ToastMessage::Kind::failure);
}

void DevivuKitViewModel::saveReportSnapshot()
{
    // Stamped with the time of saving, whatever reportSnapshotDate shows.
    const ReportSnapshot snapshot{m_reportText, m_reportApplications, m_clock->now()};
    if (const std::optional<QString> error = ReportSnapshot::save(snapshot.toJson())) {
        appendLog(QStringLiteral("Không lưu được report snapshot an toàn: ") + *error);
        return;
    }
    // Only a complete save retires an older version's copy.
    m_settings->remove(QString::fromUtf8(ReportSnapshot::legacyDefaultsKey));
}

void DevivuKitViewModel::loadReportSnapshot()
{
    const std::optional<QByteArray> legacy = m_settings->bytes(QString::fromUtf8(ReportSnapshot::legacyDefaultsKey));
    const std::optional<QByteArray> file = ReportSnapshot::readFile();
    const std::optional<QByteArray>& data = file ? file : legacy;
    if (!data)
        return;
    // An undecodable snapshot is left alone, and the other copy is not tried.
    const std::optional<ReportSnapshot> snapshot = ReportSnapshot::fromJson(*data);
    if (!snapshot)
        return;
    setReport(snapshot->text, snapshot->applications);
    setReportSnapshot(true, snapshot->createdAt);
    setAuditProgress(1, strings().auditComplete(snapshot->applications.size()));
    // An older version's copy moves into the file (the date shown stays its
    // own until the next start).
    if (!file)
        saveReportSnapshot();
}
