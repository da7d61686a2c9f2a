// The view model's log, toasts, operation progress banner and catalog-wide
// progress.

#include "app/DevivuKitViewModel.h"

#include "app/ViewModelTexts.h"

namespace {

constexpr qsizetype maximumLogLines = 500;
constexpr int toastMilliseconds = 2200;
constexpr int bannerHideMilliseconds = 1600;

} // namespace

void DevivuKitViewModel::appendLog(const QString& message)
{
    appendLine(QLatin1Char('[') + m_clock->now().toString(QStringLiteral("HH:mm:ss")) + QStringLiteral("] ") + message);
}

void DevivuKitViewModel::appendBackendLog(const QString& line)
{
    // The engine has stamped the line already.
    appendLine(line);
}

void DevivuKitViewModel::appendLine(const QString& line)
{
    m_logLines.append(line);
    if (m_logLines.size() > maximumLogLines)
        m_logLines.remove(0, m_logLines.size() - maximumLogLines);
    Q_EMIT logLinesChanged();
}

void DevivuKitViewModel::showToast(const QString& text, ToastMessage::Kind kind)
{
    const ToastMessage toast{QUuid::createUuid(), text, kind};
    setToast(toast);
    // A toast replaced meanwhile stays for its own full time.
    m_scheduler->after(toastMilliseconds, this, [this, id = toast.id] {
        if (m_toast && m_toast->id == id)
            setToast(std::nullopt);
    });
}

void DevivuKitViewModel::beginOperation(int total, const std::optional<QString>& activeItemID, const QString& message)
{
    m_operationTotalItems = std::max(total, 1);
    m_operationCompletedItems = 0;
    ++m_operationDisplayToken;
    setActiveItemID(activeItemID);
    setActiveItemProgress(0);
    setShowOperationProgress(true);
    setShowLogDrawer(true);
    setOperationProgress(0);
    setOperationSummaryText(strings().operationSummary(0, m_operationTotalItems));
    setCurrentAction(message);
}

void DevivuKitViewModel::applyBackendProgress(const InstallProgressUpdate& update)
{
    // Progress the engine reports while no install, removal or preset runs
    // moves nothing.
    if (!m_isInstalling)
        return;
    setShowOperationProgress(true);
    setShowLogDrawer(true);
    setCurrentAction(update.message);
    const QString summary = strings().operationSummary(m_operationCompletedItems, m_operationTotalItems);
    if (!update.fraction) {
        setOperationSummaryText(summary);
        return;
    }
    const double item = clampedFraction(*update.fraction);
    setActiveItemProgress(*update.fraction);
    setOperationProgress((m_operationCompletedItems + item) / m_operationTotalItems);
    setOperationSummaryText(summary);
    setCurrentAction(update.message);
}

void DevivuKitViewModel::completeOperation(const QString& message)
{
    m_operationCompletedItems = std::max(m_operationTotalItems, 1);
    setActiveItemProgress(1);
    setOperationProgress(1);
    setOperationSummaryText(strings().operationSummary(m_operationCompletedItems, m_operationCompletedItems));
    setCurrentAction(message);
    // The banner hides later unless a newer operation began or one runs then;
    // its values stay at 100%.
    m_scheduler->after(bannerHideMilliseconds, this, [this, token = m_operationDisplayToken] {
        if (m_operationDisplayToken != token || m_isInstalling)
            return;
        setShowOperationProgress(false);
        setActiveItemID(std::nullopt);
    });
}

void DevivuKitViewModel::updateProgress(qint64 done, qint64 total)
{
    if (total <= 0) {
        setCatalogProgress(0, QStringLiteral("0%"));
        return;
    }
    setCatalogProgress(static_cast<double>(done) / static_cast<double>(total),
                       ViewModelTexts::truncatedPercent(done, total));
}

void DevivuKitViewModel::updateCatalogProgress()
{
    updateProgress(installedCount(), m_catalogItems.size());
}
