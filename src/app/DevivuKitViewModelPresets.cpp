// The view model's presets: several catalog entries installed one after
// another in one operation.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/ViewModelTexts.h"
#include "catalog/Catalog.h"

void DevivuKitViewModel::installStandard()
{
    startPreset(ViewModelTexts::standardPresetName(m_language), presetItems(true));
}

void DevivuKitViewModel::installFull()
{
    startPreset(ViewModelTexts::fullPresetName(m_language), presetItems(false));
}

QList<AppItem> DevivuKitViewModel::presetItems(bool standardOnly) const
{
    const int major = m_engine->macOSMajorVersion();
    const QSet<QString>& standardGroups = Catalog::standardGroups();
    QList<AppItem> kept;
    for (const AppItem& item : m_catalogItems) {
        if (item.kind == AppKind::blocked)
            continue;
        if (item.minimumMacOSMajor && major < *item.minimumMacOSMajor)
            continue;
        if (standardOnly) {
            const QStringList groups = item.groups();
            if (std::none_of(groups.cbegin(), groups.cend(),
                             [&](const QString& group) { return standardGroups.contains(group); }))
                continue;
        }
        kept.append(item);
    }
    return Catalog::uniqueInstallItems(kept);
}

void DevivuKitViewModel::startPreset(const QString& name, const QList<AppItem>& items)
{
    if (!releasePolicyAllowsAction())
        return;
    if (m_isInstalling)
        return;
    setIsInstalling(true);
    beginOperation(static_cast<int>(items.size()), std::nullopt, strings().preparingPreset(name));
    QStringList ids;
    for (const AppItem& item : items)
        ids.append(item.id);
    appendLog(QStringLiteral("Preset ") + name + QStringLiteral(": ") + ids.join(QStringLiteral(", "))
              + QLatin1Char('.'));

    // One job installs the entries strictly one after another. Each entry
    // posts its start and its end to the GUI thread around the install, so
    // the engine's lines and progress for it arrive in between; the merged
    // statuses come last. Every step is dropped once the view model is gone,
    // but the job installs the remaining entries all the same.
    BackgroundTasks::start(
        [guard = QPointer<DevivuKitViewModel>(this), engine = m_engine, items, catalog = m_catalogItems, name] {
            const int total = static_cast<int>(items.size());
            int success = 0;
            int failed = 0;
            for (int index = 0; index < total; ++index) {
                const AppItem& item = items[index];
                BackgroundTasks::post([guard, item, index, total] {
                    if (guard)
                        guard->markPresetItemWorking(item, index, total);
                });
                InstallStatus finalStatus = InstallStatus::failed;
                if (engine->install(item)) {
                    ++success;
                    finalStatus = engine->status(item);
                } else {
                    ++failed;
                }
                BackgroundTasks::post([guard, item, index, total, finalStatus] {
                    if (guard)
                        guard->finishPresetItem(item, index, total, finalStatus);
                });
            }
            const QHash<QString, InstallStatus> refreshed = engine->statuses(catalog);
            BackgroundTasks::post([guard, name, refreshed, success, failed] {
                if (guard)
                    guard->finishPreset(name, refreshed, success, failed);
            });
        });
}

void DevivuKitViewModel::markPresetItemWorking(const AppItem& item, int index, int total)
{
    // The engine's progress for this entry is added on top of the entries
    // done.
    m_operationCompletedItems = index;
    setActiveItemID(item.id);
    setActiveItemProgress(0);
    setStatus(item.id, InstallStatus::working);
    setOperationProgress(total == 0 ? 1.0 : static_cast<double>(index) / total);
    setOperationSummaryText(strings().operationSummary(index, total));
    setCurrentAction(strings().installing(strings().itemName(item)));
}

void DevivuKitViewModel::finishPresetItem(const AppItem& item, int index, int total, InstallStatus finalStatus)
{
    m_operationCompletedItems = index + 1;
    setActiveItemProgress(1.0);
    setStatus(item.id, finalStatus);
    setOperationProgress(static_cast<double>(index + 1) / total);
    setOperationSummaryText(strings().operationSummary(index + 1, total));
    setCurrentAction(strings().processedItem(strings().itemName(item)));
    updateCatalogProgress();
}

void DevivuKitViewModel::finishPreset(const QString& name, const QHash<QString, InstallStatus>& refreshed, int success,
                                      int failed)
{
    // A failure always wins over the refreshed status, also for an entry that
    // failed in an earlier action and was not part of this preset.
    QHash<QString, InstallStatus> merged = refreshed;
    for (auto it = m_statuses.cbegin(); it != m_statuses.cend(); ++it)
        if (it.value() == InstallStatus::failed)
            merged.insert(it.key(), InstallStatus::failed);
    setStatuses(merged);
    setIsInstalling(false);
    const AppStrings texts = strings();
    completeOperation(texts.finishedPresetSummary(name, success, failed));
    updateCatalogProgress();
    if (failed > 0)
        showToast(texts.presetFailures(failed), ToastMessage::Kind::warning);
    else
        showToast(texts.finishedPreset(name), ToastMessage::Kind::success);
}
