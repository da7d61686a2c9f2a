// The view model's state: start-up, the state setters and the derived values.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/MacBackendEngine.h"
#include "app/MacReportPdfWriter.h"
#include "app/SupabaseCloud.h"
#include "app/SystemClock.h"
#include "app/SystemDesktop.h"
#include "app/TimerScheduler.h"
#include "app/UserDefaultsSettings.h"
#include "app/ViewModelTexts.h"
#include "catalog/Catalog.h"
#include "platform/AppRuntime.h"

#include <QThread>

#include <algorithm>

namespace {

// Stores the value and answers true when it differs from the field's.
template <typename T>
bool assign(T& field, const T& value)
{
    if (field == value)
        return false;
    field = value;
    return true;
}

// Calls fn on the GUI thread: at once when already there, else posted behind
// everything posted before.
void onGuiThread(std::function<void()> fn)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (application && QThread::currentThread() == application->thread())
        fn();
    else
        BackgroundTasks::post(std::move(fn));
}

} // namespace

DevivuKitViewModel::Dependencies::Dependencies()
    : engine(MacBackendEngine::factory()),
      cloud(SupabaseCloud::factory()),
      settings(std::make_shared<UserDefaultsSettings>()),
      desktop(std::make_shared<SystemDesktop>()),
      pdfWriter(std::make_shared<MacReportPdfWriter>()),
      clock(std::make_shared<SystemClock>()),
      scheduler(std::make_shared<TimerScheduler>())
{
}

QString DevivuKitViewModel::Sheet::id() const
{
    switch (kind) {
    case Kind::itemDetail:
        return QStringLiteral("item-") + (item() ? item()->id : QString());
    case Kind::auditDetail:
        if (const InstalledMacApplication* found = application())
            return QStringLiteral("audit-") + found->identifier + QLatin1Char('-') + found->source;
        return QStringLiteral("audit-");
    case Kind::settings:
        return QStringLiteral("settings");
    case Kind::systemChecks:
        return QStringLiteral("system-checks");
    case Kind::report:
        return QStringLiteral("report");
    case Kind::cloudTools:
        break;
    }
    return QStringLiteral("cloud-tools");
}

DevivuKitViewModel::DevivuKitViewModel(Dependencies dependencies, QObject* parent)
    : QObject(parent),
      m_settings(std::move(dependencies.settings)),
      m_desktop(std::move(dependencies.desktop)),
      m_pdfWriter(std::move(dependencies.pdfWriter)),
      m_clock(std::move(dependencies.clock)),
      m_scheduler(std::move(dependencies.scheduler)),
      m_language(m_settings->language()),
      m_catalogItems(Catalog::items())
{
    m_logPath = AppRuntime::logFile();
    m_reportPath = AppRuntime::reportFile();

    const AppStrings texts = strings();
    m_currentAction = texts.text(AppI18nKey::readyAction);
    m_operationSummaryText = texts.operationSummary(0, 0);
    m_cloudOutput = texts.text(AppI18nKey::noDeviceData);
    m_coreReadinessDetail = texts.text(AppI18nKey::checkingCore);

    // The sinks hold the view model weakly and do nothing once it is gone.
    // The engine posts its lines and progress to the GUI thread, where they
    // apply at once; the cloud client logs on its request's thread, so its
    // lines are posted, in the order they were made.
    const QPointer<DevivuKitViewModel> self(this);
    m_engine = dependencies.engine(
        [self](const QString& line) {
            onGuiThread([self, line] {
                if (self)
                    self->appendBackendLog(line);
            });
        },
        [self](const InstallProgressUpdate& update) {
            onGuiThread([self, update] {
                if (self)
                    self->applyBackendProgress(update);
            });
        });
    m_cloud = dependencies.cloud([self](const QString& message) {
        onGuiThread([self, message] {
            if (self)
                self->appendLog(QStringLiteral("Supabase: ") + message);
        });
    });

    m_catalogItems = Catalog::applyingBusinessPolicies(
        m_cloud->cachedBusinessPolicyRows(),
        Catalog::applyingCloudOverlay(m_cloud->cachedCatalogRows(), Catalog::items()));
    seedStatuses();
    loadReportProfile();
    loadReportSnapshot();

    appendLog(QStringLiteral("Khởi động UI native SwiftUI/AppKit."));
    appendLog(QStringLiteral("Catalog Linux đã map sang macOS: ") + QString::number(m_catalogItems.size())
              + QStringLiteral(" mục."));

    checkReleasePolicy(false);
    refreshCoreReadiness();
    refreshStatuses(false);
}

DevivuKitViewModel::~DevivuKitViewModel() = default;

// ------------------------------------------------------------ view setters

void DevivuKitViewModel::setActiveSheet(const std::optional<Sheet>& sheet)
{
    if (assign(m_activeSheet, sheet))
        Q_EMIT activeSheetChanged();
}

void DevivuKitViewModel::setPendingUninstall(const std::optional<AppItem>& item)
{
    if (assign(m_pendingUninstall, item))
        Q_EMIT pendingUninstallChanged();
}

void DevivuKitViewModel::setShowLogDrawer(bool shown)
{
    if (assign(m_showLogDrawer, shown))
        Q_EMIT showLogDrawerChanged();
}

void DevivuKitViewModel::setReportProfile(const MacReportProfile& profile)
{
    if (assign(m_reportProfile, profile))
        Q_EMIT reportProfileChanged();
}

// ----------------------------------------------------------- state setters

double DevivuKitViewModel::clampedFraction(double value)
{
    if (!(value > 0.0))
        return 0.0;
    return std::min(value, 1.0);
}

void DevivuKitViewModel::setSelectedGroupID(const QString& id)
{
    if (assign(m_selectedGroupID, id))
        Q_EMIT selectedGroupIDChanged();
}

void DevivuKitViewModel::setStatuses(const QHash<QString, InstallStatus>& statuses)
{
    if (assign(m_statuses, statuses))
        Q_EMIT statusesChanged();
}

void DevivuKitViewModel::setStatus(const QString& itemID, InstallStatus status)
{
    const auto found = m_statuses.constFind(itemID);
    if (found != m_statuses.constEnd() && *found == status)
        return;
    m_statuses.insert(itemID, status);
    Q_EMIT statusesChanged();
}

void DevivuKitViewModel::setIsInstalling(bool installing)
{
    if (assign(m_isInstalling, installing))
        Q_EMIT isInstallingChanged();
}

void DevivuKitViewModel::setCatalogProgress(double progress, const QString& text)
{
    if (assign(m_progress, progress) | assign(m_progressText, text))
        Q_EMIT progressChanged();
}

void DevivuKitViewModel::setOperationProgress(double fraction)
{
    const double clamped = clampedFraction(fraction);
    if (assign(m_operationProgress, clamped) | assign(m_operationProgressText, ViewModelTexts::roundedPercent(clamped)))
        Q_EMIT operationProgressChanged();
}

void DevivuKitViewModel::setOperationSummaryText(const QString& text)
{
    if (assign(m_operationSummaryText, text))
        Q_EMIT operationProgressChanged();
}

void DevivuKitViewModel::setShowOperationProgress(bool shown)
{
    if (assign(m_showOperationProgress, shown))
        Q_EMIT showOperationProgressChanged();
}

void DevivuKitViewModel::setActiveItemID(const std::optional<QString>& id)
{
    if (assign(m_activeItemID, id))
        Q_EMIT activeItemChanged();
}

void DevivuKitViewModel::setActiveItemProgress(double value)
{
    const double clamped = clampedFraction(value);
    if (assign(m_activeItemProgress, clamped)
        | assign(m_activeItemProgressText, ViewModelTexts::roundedPercent(clamped)))
        Q_EMIT activeItemChanged();
}

void DevivuKitViewModel::setCurrentAction(const QString& text)
{
    if (assign(m_currentAction, text))
        Q_EMIT currentActionChanged();
}

void DevivuKitViewModel::setToast(const std::optional<ToastMessage>& toast)
{
    if (assign(m_toast, toast))
        Q_EMIT toastChanged();
}

void DevivuKitViewModel::setCloudOutput(const QString& text)
{
    if (assign(m_cloudOutput, text))
        Q_EMIT cloudOutputChanged();
}

void DevivuKitViewModel::setCoreReadiness(const QString& label, SystemCheck::Level level, const QString& detail)
{
    if (assign(m_coreReadinessLabel, label) | assign(m_coreReadinessLevel, level)
        | assign(m_coreReadinessDetail, detail))
        Q_EMIT coreReadinessChanged();
}

void DevivuKitViewModel::setLatestChecks(const QList<SystemCheck>& checks)
{
    if (assign(m_latestChecks, checks))
        Q_EMIT latestChecksChanged();
}

void DevivuKitViewModel::setReport(const QString& text, const QList<InstalledMacApplication>& applications)
{
    if (assign(m_reportText, text) | assign(m_reportApplications, applications))
        Q_EMIT reportChanged();
}

void DevivuKitViewModel::setIsReportRefreshing(bool refreshing)
{
    if (assign(m_isReportRefreshing, refreshing))
        Q_EMIT isReportRefreshingChanged();
}

void DevivuKitViewModel::setAuditProgress(double fraction, const QString& detail)
{
    const double clamped = clampedFraction(fraction);
    if (assign(m_auditProgress, clamped) | assign(m_auditProgressText, ViewModelTexts::roundedPercent(clamped))
        | assign(m_auditProgressDetailText, detail))
        Q_EMIT auditProgressChanged();
}

void DevivuKitViewModel::setReportSnapshot(bool present, const std::optional<QDateTime>& date)
{
    if (assign(m_hasReportSnapshot, present) | assign(m_reportSnapshotDate, date))
        Q_EMIT reportSnapshotChanged();
}

void DevivuKitViewModel::setReleasePolicyState(const std::optional<ReleasePolicy>& policy, bool updateRequired)
{
    if (assign(m_releasePolicy, policy) | assign(m_updateRequired, updateRequired))
        Q_EMIT releasePolicyChanged();
}

void DevivuKitViewModel::setCatalogItems(const QList<AppItem>& items)
{
    if (assign(m_catalogItems, items))
        Q_EMIT catalogItemsChanged();
}

// ---------------------------------------------------------- derived values

QList<AppItem> DevivuKitViewModel::filteredItems() const
{
    if (m_selectedGroupID == QLatin1String("all"))
        return m_catalogItems;
    QList<AppItem> items;
    for (const AppItem& item : m_catalogItems)
        if (item.groups().contains(m_selectedGroupID))
            items.append(item);
    return items;
}

int DevivuKitViewModel::installedCount() const
{
    int count = 0;
    for (const AppItem& item : m_catalogItems)
        if (m_statuses.value(item.id, InstallStatus::missing) == InstallStatus::installed)
            ++count;
    return count;
}
