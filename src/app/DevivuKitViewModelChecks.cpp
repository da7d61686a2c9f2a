// The view model's system checks: the readiness badge and the full check run
// with its report.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/ReportTextFile.h"
#include "app/ViewModelTexts.h"
#include "model/SystemCheckTexts.h"

#include <algorithm>
#include <array>

namespace {

// The rows that decide the readiness badge, compared with a row's name
// exactly; every other row (Xcode, the office suites) never does.
bool isCoreCheck(const QString& name)
{
    static const std::array<QString, 6> names{
        QString::fromUtf8(SystemCheckTexts::macOSCompatibilityName),
        QString::fromUtf8(SystemCheckTexts::cpuArchitectureName),
        QString::fromUtf8(SystemCheckTexts::homebrewName),
        QString::fromUtf8(SystemCheckTexts::internetConnectionName),
        QString::fromUtf8(SystemCheckTexts::freeSpaceName),
        QString::fromUtf8(SystemCheckTexts::userModeName),
    };
    return std::find(names.cbegin(), names.cend(), name) != names.cend();
}

} // namespace

// What a full check run found, applied at once on the GUI thread.
struct DevivuKitViewModel::CheckRun {
    QList<SystemCheck> checks;
    QList<InstalledMacApplication> applications;
    QHash<QString, InstallStatus> statuses;
    QString reportText;
};

void DevivuKitViewModel::refreshChecks(bool logToDrawer)
{
    // A newer run makes every earlier one worthless: the running one is told
    // to stop, and whatever it still delivers carries an old generation.
    if (m_systemCheckCancel)
        m_systemCheckCancel->store(true);
    const quint64 generation = ++m_systemCheckGeneration;
    auto cancel = std::make_shared<std::atomic_bool>(false);
    m_systemCheckCancel = cancel;

    BackgroundTasks::start([guard = QPointer<DevivuKitViewModel>(this), engine = m_engine, items = m_catalogItems,
                            language = m_language, generation, cancel, logToDrawer] {
        const auto cancelled = [&cancel] { return cancel->load(); };
        if (cancelled())
            return;
        CheckRun run;
        run.checks = engine->systemChecks();
        if (cancelled())
            return;
        run.applications = engine->installedAdditionalApplications({}, cancelled);
        if (cancelled())
            return;
        BackgroundTasks::post([guard] {
            if (guard)
                guard->markReportCatalogRefresh();
        });
        run.statuses = engine->statuses(items);
        if (cancelled())
            return;
        ReportTextFile::Outcome report = ReportTextFile::writeAndRead(*engine, run.checks, run.applications, language);
        if (report.error) {
            // Shown even when a newer run has started meanwhile.
            BackgroundTasks::post([guard, error = *report.error] {
                if (guard)
                    guard->finishReportFailure(error);
            });
            return;
        }
        if (cancelled())
            return;
        run.reportText = std::move(report.text);
        BackgroundTasks::post([guard, generation, run = std::move(run), logToDrawer] {
            if (guard)
                guard->applyCheckRun(generation, run, logToDrawer);
        });
    });
}

void DevivuKitViewModel::applyCheckRun(quint64 generation, const CheckRun& run, bool logToDrawer)
{
    if (generation != m_systemCheckGeneration)
        return;
    m_systemCheckCancel.reset();
    setStatuses(run.statuses);
    updateCatalogProgress();
    setLatestChecks(run.checks);
    applyCoreReadiness(run.checks);
    if (logToDrawer)
        logChecks(run.checks);
    finishPrepareReport(run.reportText, run.applications, true);
}

void DevivuKitViewModel::cancelSystemCheck()
{
    if (m_systemCheckCancel) {
        m_systemCheckCancel->store(true);
        m_systemCheckCancel.reset();
    }
    // A run already past its last cancellation point is dropped when it
    // delivers.
    ++m_systemCheckGeneration;
    setCurrentAction(strings().text(AppI18nKey::readyAction));
}

void DevivuKitViewModel::refreshCoreReadiness()
{
    BackgroundTasks::runThenApply(
        this, [engine = m_engine] { return engine->systemChecks(); },
        [](DevivuKitViewModel& model, const QList<SystemCheck>& checks) {
            model.setLatestChecks(checks);
            model.applyCoreReadiness(checks);
        });
}

void DevivuKitViewModel::applyCoreReadiness(const QList<SystemCheck>& checks)
{
    QList<SystemCheck> warnings;
    for (const SystemCheck& check : checks) {
        if (!isCoreCheck(check.name))
            continue;
        if (check.level == SystemCheck::Level::fail) {
            // The engine's own words, untranslated.
            setCoreReadiness(QStringLiteral("FAIL"), SystemCheck::Level::fail, check.detail);
            return;
        }
        if (check.level == SystemCheck::Level::warn)
            warnings.append(check);
    }
    if (!warnings.isEmpty())
        setCoreReadiness(QStringLiteral("SETUP"), SystemCheck::Level::warn, strings().setupNeeded(warnings));
    else
        setCoreReadiness(QStringLiteral("OK"), SystemCheck::Level::ok, strings().systemReadyDetail());
}

void DevivuKitViewModel::logChecks(const QList<SystemCheck>& checks)
{
    // Through the engine, so the lines are stamped by it and go to the log
    // file as well; they reach the drawer when the engine delivers them.
    m_engine->log(QStringLiteral("System check summary:"));
    for (const SystemCheck& check : checks)
        m_engine->log(QStringLiteral("CHECK ") + SystemCheck::levelLabel(check.level) + QStringLiteral(": ") + check.name
                      + QStringLiteral(" - ") + check.detail);
}

void DevivuKitViewModel::finishPrepareReport(const QString& text, const QList<InstalledMacApplication>& applications,
                                             bool presentWhenReady)
{
    setReport(text, applications);
    setIsReportRefreshing(false);
    setReportSnapshot(true, m_clock->now());
    saveReportSnapshot();
    const QString written = ViewModelTexts::reportWritten(m_language);
    setCurrentAction(written);
    if (presentWhenReady)
        showToast(written, ToastMessage::Kind::success);
    if (m_activeSheet && m_activeSheet->kind == Sheet::Kind::systemChecks) {
        // The check sheet goes first; the report sheet follows on the next
        // turn, so the window sees two changes rather than one swap.
        setActiveSheet(std::nullopt);
        m_scheduler->after(0, this, [this] { setActiveSheet(Sheet::report()); });
    } else if (presentWhenReady && !m_activeSheet) {
        setActiveSheet(Sheet::report());
    }
}
