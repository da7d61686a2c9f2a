#pragma once

#include "app/Clock.h"
#include "app/CloudApi.h"
#include "app/DesktopServices.h"
#include "app/EngineApi.h"
#include "app/PdfWriter.h"
#include "app/Scheduler.h"
#include "app/SettingsStore.h"
#include "i18n/AppLanguage.h"
#include "i18n/AppStrings.h"
#include "model/AppItem.h"
#include "model/CatalogGroup.h"
#include "model/InstallProgressUpdate.h"
#include "model/InstallStatus.h"
#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"
#include "model/SystemCheck.h"

#include <QDateTime>
#include <QHash>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <variant>

// The state behind the window and every user operation on it. One instance
// lives on the GUI thread for the life of the window; the views read its
// state, connect to its change signals and call its operations.
//
// Each piece of state has a getter and an argument-less change signal (some
// signals cover a value and the texts made from it); a signal is emitted only
// when a value really changed. Derived values (filteredItems, installedCount,
// updateTitle, updateMessage) are computed on every read and announced by the
// signals of what they are made of. The views write only four values
// directly: activeSheet, pendingUninstall, showLogDrawer and reportProfile.
//
// Blocking engine and cloud calls run on BackgroundTasks' pool; each job holds
// the shared service and a guarded pointer to the view model and posts its
// result to the GUI thread, where it is dropped when the view model is gone.
// Destroying the view model cancels no job.
class DevivuKitViewModel final : public QObject {
    Q_OBJECT

public:
    // A transient notice; every toast shown gets a new id.
    struct ToastMessage {
        enum class Kind { success, warning, failure };

        QUuid id;
        QString text;
        Kind kind = Kind::success;

        bool operator==(const ToastMessage&) const = default;
    };

    // The modal sheet to present, told apart by id().
    struct Sheet {
        enum class Kind { itemDetail, auditDetail, settings, systemChecks, report, cloudTools };

        Kind kind = Kind::settings;
        // The catalog entry of itemDetail, the application of auditDetail.
        std::variant<std::monostate, AppItem, InstalledMacApplication> payload;

        static Sheet itemDetail(AppItem item) { return {Kind::itemDetail, std::move(item)}; }
        static Sheet auditDetail(InstalledMacApplication application)
        {
            return {Kind::auditDetail, std::move(application)};
        }
        static Sheet settings() { return {Kind::settings, {}}; }
        static Sheet systemChecks() { return {Kind::systemChecks, {}}; }
        static Sheet report() { return {Kind::report, {}}; }
        static Sheet cloudTools() { return {Kind::cloudTools, {}}; }

        const AppItem* item() const { return std::get_if<AppItem>(&payload); }
        const InstalledMacApplication* application() const { return std::get_if<InstalledMacApplication>(&payload); }

        // "item-" + the entry's id; "audit-" + identifier + "-" + source;
        // "settings", "system-checks", "report", "cloud-tools".
        QString id() const;

        bool operator==(const Sheet&) const = default;
    };

    // The services the view model works with. A default value holds the
    // program's own: the engine on the environment's Mac, the cloud client
    // with the configuration found when it is made, the user's defaults, the
    // desktop without a save chooser, the PDF report writer, the system clock
    // and single-shot timers. Tests replace each.
    struct Dependencies {
        Dependencies();

        // Called once, by the constructor, with the engine's two sinks.
        EngineApi::Factory engine;
        // Called once, by the constructor, with the cloud client's log sink.
        CloudApi::Factory cloud;
        std::shared_ptr<SettingsStore> settings;
        std::shared_ptr<DesktopServices> desktop;
        std::shared_ptr<PdfWriter> pdfWriter;
        std::shared_ptr<Clock> clock;
        std::shared_ptr<Scheduler> scheduler;
    };

    // Builds the state, creates the engine and the cloud client, reads the
    // cached catalog rows, restores the report profile and the saved report
    // snapshot, and starts the start-up work (release policy, readiness
    // check, status refresh) without waiting for it.
    explicit DevivuKitViewModel(Dependencies dependencies = Dependencies(), QObject* parent = nullptr);
    ~DevivuKitViewModel() override;

    // ------------------------------------------------------------ state

    // "all", a group id, or "audit" for the audit workspace.
    const QString& selectedGroupID() const { return m_selectedGroupID; }
    AppLanguage language() const { return m_language; }
    // Install status by entry id; an entry without one counts as missing.
    const QHash<QString, InstallStatus>& statuses() const { return m_statuses; }
    // An install, removal or preset runs; no other one starts meanwhile.
    bool isInstalling() const { return m_isInstalling; }
    // The installed share of the catalog and its text (truncated).
    double progress() const { return m_progress; }
    const QString& progressText() const { return m_progressText; }
    // The running operation's progress, its text (rounded) and the
    // done-of-total summary.
    double operationProgress() const { return m_operationProgress; }
    const QString& operationProgressText() const { return m_operationProgressText; }
    const QString& operationSummaryText() const { return m_operationSummaryText; }
    bool showOperationProgress() const { return m_showOperationProgress; }
    // The entry being processed, its progress and text (rounded).
    const std::optional<QString>& activeItemID() const { return m_activeItemID; }
    double activeItemProgress() const { return m_activeItemProgress; }
    const QString& activeItemProgressText() const { return m_activeItemProgressText; }
    const QString& currentAction() const { return m_currentAction; }
    // The newest 500 log lines, oldest first.
    const QStringList& logLines() const { return m_logLines; }
    bool showLogDrawer() const { return m_showLogDrawer; }
    const std::optional<ToastMessage>& toast() const { return m_toast; }
    const std::optional<Sheet>& activeSheet() const { return m_activeSheet; }
    // The entry whose removal waits for the user's confirmation.
    const std::optional<AppItem>& pendingUninstall() const { return m_pendingUninstall; }
    const QString& cloudOutput() const { return m_cloudOutput; }
    const QString& coreReadinessLabel() const { return m_coreReadinessLabel; }
    SystemCheck::Level coreReadinessLevel() const { return m_coreReadinessLevel; }
    const QString& coreReadinessDetail() const { return m_coreReadinessDetail; }
    const QList<SystemCheck>& latestChecks() const { return m_latestChecks; }
    const QString& reportText() const { return m_reportText; }
    const QList<InstalledMacApplication>& reportApplications() const { return m_reportApplications; }
    bool isReportRefreshing() const { return m_isReportRefreshing; }
    double auditProgress() const { return m_auditProgress; }
    const QString& auditProgressText() const { return m_auditProgressText; }
    const QString& auditProgressDetailText() const { return m_auditProgressDetailText; }
    bool hasReportSnapshot() const { return m_hasReportSnapshot; }
    const std::optional<QDateTime>& reportSnapshotDate() const { return m_reportSnapshotDate; }
    const MacReportProfile& reportProfile() const { return m_reportProfile; }
    const std::optional<ReleasePolicy>& releasePolicy() const { return m_releasePolicy; }
    // Every guarded action is refused while true.
    bool updateRequired() const { return m_updateRequired; }
    // The compiled-in catalog with the cached cloud overlay and business
    // policies applied.
    const QList<AppItem>& catalogItems() const { return m_catalogItems; }

    // Written by the views; each emits only on a change.
    void setActiveSheet(const std::optional<Sheet>& sheet);
    void setPendingUninstall(const std::optional<AppItem>& item);
    void setShowLogDrawer(bool shown);
    void setReportProfile(const MacReportProfile& profile);

    // The engine's log file and the plain-text report, fixed at start-up.
    const QString& logPath() const { return m_logPath; }
    const QString& reportPath() const { return m_reportPath; }

    // ---------------------------------------------------- derived values

    // The catalog entries of the selected group, in catalog order; every
    // entry for "all".
    QList<AppItem> filteredItems() const;
    // Catalog entries whose status is installed.
    int installedCount() const;
    // The update banner's title and message: the release policy's own texts,
    // else texts in the current language.
    QString updateTitle() const;
    QString updateMessage() const;
    // Audited applications by licence evidence: key or receipt present, no
    // key needed, nothing detected. The three add up to the applications.
    int auditKeyPresentCount() const;
    int auditKeyNotRequiredCount() const;
    int auditKeyNotDetectedCount() const;

    // -------------------------------------------------------- operations

    // Appends "[HH:mm:ss] " + message to the log.
    void appendLog(const QString& message);

    // Catalog statuses and navigation.
    void refreshStatuses(bool showToast);
    void selectGroup(const CatalogGroup& group);

    // Install, open and remove one entry.
    void performPrimaryAction(const AppItem& item);
    void install(const AppItem& item);
    void open(const AppItem& item);
    void confirmUninstall(const AppItem& item);

    // The presets.
    void installStandard();
    void installFull();

    // The release-policy gate: false, after saying why, while an update is
    // required.
    bool releasePolicyAllowsAction();
    void openReleaseDownload();

    // System checks and readiness. refreshChecks starts a full check (checks,
    // inventory, statuses, text report) in the background; nothing shows
    // until it ends, when everything is applied at once, the snapshot is
    // saved, "Report written" is shown and the report sheet is presented: an
    // open check sheet closes at once and the report sheet opens on the next
    // turn; with no sheet open it opens at once; any other sheet stays. A
    // newer run or cancelSystemCheck drops an older run (cancelSystemCheck
    // also shows the ready text; the check sheet's close calls it, then
    // clears activeSheet). logToDrawer writes a summary through the engine's
    // log, which reaches logLines a turn later.
    void refreshChecks(bool logToDrawer);
    void cancelSystemCheck();

    // The audit. openAuditWorkspace selects "audit" and starts a scan on the
    // next turn unless another group is selected first; scanReportInventory
    // starts one now. One scan at a time: isReportRefreshing is true while it
    // runs, the audit progress moves, and at its end the report, the
    // applications and the snapshot are replaced (a failure keeps them).
    void openAuditWorkspace();
    void scanReportInventory();

    // The report sheet and the PDF export. exportReportPDF warns without a
    // snapshot or without inspector and title, then asks the save chooser
    // (the only blocking call of the model) and writes, saves the snapshot
    // and opens the PDF. saveReportProfile stores reportProfile (the sheet's
    // close calls it; edits are otherwise kept in memory only).
    void openReport();
    void exportReportPDF();
    void saveReportProfile();

    // Cloud actions: the progress text in cloudOutput at once (and in
    // currentAction for the sync and the upload), the request in the
    // background, the client's message in cloudOutput, the log and a toast
    // at the end. A successful sync or Business configuration rebuilds the
    // catalog and refreshes the statuses. Not refused while an install runs.
    void syncCatalog();
    void uploadReport();
    void syncTechnicianWorkspace();
    void updateTechnicianBranding(const QString& displayName, const std::optional<QString>& logoDataURL);
    // Blank ids send the working catalog's standard-group entries.
    void saveTechnicianProfile(const QString& name, const QString& itemIDs);
    // action is "fetch" or "update".
    void businessDeviceConfig(const QString& action, const QString& department, const QString& assetCode);

    // Language, clipboard and the Homebrew guide; none of them passes the
    // release gate. setLanguage stores the choice, resets the status line and
    // translates the placeholders; a readiness result is checked again.
    void setLanguage(AppLanguage language);
    void openHomebrewGuide();
    void copyHomebrewInstallCommand();
    void copyLogPath();
    void copyReportPath();

Q_SIGNALS:
    void selectedGroupIDChanged();
    void languageChanged();
    void statusesChanged();
    void isInstallingChanged();
    // progress, progressText
    void progressChanged();
    // operationProgress, operationProgressText, operationSummaryText
    void operationProgressChanged();
    void showOperationProgressChanged();
    // activeItemID, activeItemProgress, activeItemProgressText
    void activeItemChanged();
    void currentActionChanged();
    void logLinesChanged();
    void showLogDrawerChanged();
    void toastChanged();
    void activeSheetChanged();
    void pendingUninstallChanged();
    void cloudOutputChanged();
    // coreReadinessLabel, coreReadinessLevel, coreReadinessDetail
    void coreReadinessChanged();
    void latestChecksChanged();
    // reportText, reportApplications
    void reportChanged();
    void isReportRefreshingChanged();
    // auditProgress, auditProgressText, auditProgressDetailText
    void auditProgressChanged();
    // hasReportSnapshot, reportSnapshotDate
    void reportSnapshotChanged();
    void reportProfileChanged();
    // releasePolicy, updateRequired
    void releasePolicyChanged();
    void catalogItemsChanged();

private:
    enum class ItemOperation { install, removal };

    AppStrings strings() const { return AppStrings(m_language); }
    // The value clamped to 0...1; values at or below 0 (and not-a-number)
    // give 0.
    static double clampedFraction(double value);

    // ---- State setters; each emits its signal only on a change.
    void setSelectedGroupID(const QString& id);
    void setStatuses(const QHash<QString, InstallStatus>& statuses);
    void setStatus(const QString& itemID, InstallStatus status);
    void setIsInstalling(bool installing);
    void setCatalogProgress(double progress, const QString& text);
    // The value clamped to 0...1 and its rounded text.
    void setOperationProgress(double fraction);
    void setOperationSummaryText(const QString& text);
    void setShowOperationProgress(bool shown);
    void setActiveItemID(const std::optional<QString>& id);
    void setCurrentAction(const QString& text);
    void setToast(const std::optional<ToastMessage>& toast);
    void setCloudOutput(const QString& text);
    void setCoreReadiness(const QString& label, SystemCheck::Level level, const QString& detail);
    void setLatestChecks(const QList<SystemCheck>& checks);
    void setReport(const QString& text, const QList<InstalledMacApplication>& applications);
    void setIsReportRefreshing(bool refreshing);
    // The value clamped to 0...1, its rounded text and the detail.
    void setAuditProgress(double fraction, const QString& detail);
    void setReportSnapshot(bool present, const std::optional<QDateTime>& date);
    void setReleasePolicyState(const std::optional<ReleasePolicy>& policy, bool updateRequired);
    void setCatalogItems(const QList<AppItem>& items);

    // ---- Log, toasts and operation progress
    void appendBackendLog(const QString& line);
    void applyBackendProgress(const InstallProgressUpdate& update);
    void appendLine(const QString& line);
    void showToast(const QString& text, ToastMessage::Kind kind);
    void beginOperation(int total, const std::optional<QString>& activeItemID, const QString& message);
    void setActiveItemProgress(double value);
    void completeOperation(const QString& message);
    void updateProgress(qint64 done, qint64 total);
    // updateProgress with installedCount and the catalog's size.
    void updateCatalogProgress();

    // ---- Catalog statuses
    void seedStatuses();
    void applyRefreshedStatuses(const QHash<QString, InstallStatus>& result, bool showToast);

    // ---- Install, open and remove
    void startItemOperation(const AppItem& item, ItemOperation operation);
    void finishInstall(const AppItem& item, bool ok, InstallStatus finalStatus, ItemOperation operation);
    void finishOpenItem(const AppItem& item, bool ok);

    // ---- Presets
    // The catalog entries a preset installs: not blocked, supported by this
    // Mac's macOS, in a standard group when standardOnly, one per install
    // target.
    QList<AppItem> presetItems(bool standardOnly) const;
    void startPreset(const QString& name, const QList<AppItem>& items);
    void markPresetItemWorking(const AppItem& item, int index, int total);
    void finishPresetItem(const AppItem& item, int index, int total, InstallStatus finalStatus);
    void finishPreset(const QString& name, const QHash<QString, InstallStatus>& refreshed, int success, int failed);

    // ---- Release policy
    void checkReleasePolicy(bool showToast);
    void applyReleasePolicy(const std::optional<ReleasePolicy>& policy, bool showToast);
    // The held policy's latestVersion, else its minSupportedVersion.
    QString announcedVersion() const;

    // ---- System checks and readiness
    struct CheckRun;
    void refreshCoreReadiness();
    void applyCoreReadiness(const QList<SystemCheck>& checks);
    void logChecks(const QList<SystemCheck>& checks);
    void applyCheckRun(quint64 generation, const CheckRun& run, bool logToDrawer);
    void finishPrepareReport(const QString& text, const QList<InstalledMacApplication>& applications,
                             bool presentWhenReady);

    // ---- Audit scan and report snapshot
    void scheduleAuditScanAfterNavigationCommit();
    void startReportInventoryScan();
    void updateAuditScanProgress(int completed, int total);
    void markReportCatalogRefresh();
    void finishReportScan(const QString& text, const QList<InstalledMacApplication>& applications,
                          const QHash<QString, InstallStatus>& statuses);
    void finishReportFailure(const QString& error);
    void saveReportSnapshot();
    void loadReportSnapshot();

    // ---- Report profile and PDF export
    void loadReportProfile();
    void startReportPDFExport();
    void finishPDFExport(const QString& text, const QList<InstalledMacApplication>& applications,
                         const QString& path);

    // ---- Cloud actions
    struct CloudCatalogAnswer;
    // The progress text in the cloud output box (and, when asked, the
    // status line); false when the release gate refused.
    bool beginCloudAction(const QString& progressText, const std::optional<QString>& statusText);
    // Runs the request on the pool, then finishCloudAction.
    void runCloudAction(std::function<CloudResult(CloudApi&)> request);
    // Runs the request on the pool; when it succeeds the working catalog is
    // rebuilt from the cache files before finishCloudAction.
    void runCloudCatalogAction(std::function<CloudResult(CloudApi&)> request);
    void applyCloudCatalog(const CloudCatalogAnswer& answer);
    void finishCloudAction(const CloudResult& result);

    // ---- Services
    std::shared_ptr<SettingsStore> m_settings;
    std::shared_ptr<DesktopServices> m_desktop;
    std::shared_ptr<PdfWriter> m_pdfWriter;
    std::shared_ptr<Clock> m_clock;
    std::shared_ptr<Scheduler> m_scheduler;
    std::shared_ptr<EngineApi> m_engine;
    std::shared_ptr<CloudApi> m_cloud;

    // ---- Published state
    QString m_selectedGroupID = QStringLiteral("all");
    AppLanguage m_language;
    QHash<QString, InstallStatus> m_statuses;
    bool m_isInstalling = false;
    double m_progress = 0;
    QString m_progressText = QStringLiteral("0%");
    double m_operationProgress = 0;
    QString m_operationProgressText = QStringLiteral("0%");
    QString m_operationSummaryText;
    bool m_showOperationProgress = false;
    std::optional<QString> m_activeItemID;
    double m_activeItemProgress = 0;
    QString m_activeItemProgressText = QStringLiteral("0%");
    QString m_currentAction;
    QStringList m_logLines;
    bool m_showLogDrawer = false;
    std::optional<ToastMessage> m_toast;
    std::optional<Sheet> m_activeSheet;
    std::optional<AppItem> m_pendingUninstall;
    QString m_cloudOutput;
    QString m_coreReadinessLabel = QStringLiteral("CHECK");
    SystemCheck::Level m_coreReadinessLevel = SystemCheck::Level::warn;
    QString m_coreReadinessDetail;
    QList<SystemCheck> m_latestChecks;
    QString m_reportText;
    QList<InstalledMacApplication> m_reportApplications;
    bool m_isReportRefreshing = false;
    double m_auditProgress = 0;
    QString m_auditProgressText = QStringLiteral("0%");
    QString m_auditProgressDetailText = QStringLiteral("Preparing macOS inventory");
    bool m_hasReportSnapshot = false;
    std::optional<QDateTime> m_reportSnapshotDate;
    MacReportProfile m_reportProfile;
    std::optional<ReleasePolicy> m_releasePolicy;
    bool m_updateRequired = false;
    QList<AppItem> m_catalogItems;

    // ---- Plain state
    QString m_logPath;
    QString m_reportPath;
    // Items of the running operation (at least 1 once one began) and how many
    // of them are done.
    int m_operationTotalItems = 1;
    int m_operationCompletedItems = 0;
    // The operation whose banner is shown; the delayed hide acts only while
    // it is unchanged.
    quint64 m_operationDisplayToken = 0;
    // The latest full system check: its generation (a result of another one
    // is dropped) and the flag that cancels it while it runs (none once it
    // was applied or cancelled).
    quint64 m_systemCheckGeneration = 0;
    std::shared_ptr<std::atomic_bool> m_systemCheckCancel;
    // The audit scan waiting for the next turn; it starts only while this is
    // unchanged (a newer schedule or another group renews it).
    quint64 m_deferredAuditScanToken = 0;
};
