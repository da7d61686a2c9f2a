// The view model's catalog statuses and group navigation.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"

void DevivuKitViewModel::seedStatuses()
{
    // What the catalog alone says, until the engine has looked.
    QHash<QString, InstallStatus> seeded;
    for (const AppItem& item : m_catalogItems) {
        InstallStatus status = InstallStatus::missing;
        if (item.kind == AppKind::blocked)
            status = InstallStatus::blocked;
        else if (item.kind == AppKind::builtin)
            status = InstallStatus::installed;
        seeded.insert(item.id, status);
    }
    setStatuses(seeded);
    updateCatalogProgress();
}

void DevivuKitViewModel::refreshStatuses(bool showToast)
{
    setCurrentAction(strings().checkingInstalledStatus());
    appendLog(QStringLiteral("Bắt đầu refresh trạng thái native backend."));
    // Refreshes are not coordinated: each applies its own result, the last
    // to finish wins, and a refresh may overwrite the working status of an
    // entry being installed (the install sets its final status when it ends).
    BackgroundTasks::runThenApply(
        this, [engine = m_engine, items = m_catalogItems] { return engine->statuses(items); },
        [showToast](DevivuKitViewModel& model, const QHash<QString, InstallStatus>& result) {
            model.applyRefreshedStatuses(result, showToast);
        });
}

void DevivuKitViewModel::applyRefreshedStatuses(const QHash<QString, InstallStatus>& result, bool showToast)
{
    setStatuses(result);
    const AppStrings texts = strings();
    setCurrentAction(texts.statusRefreshed());
    updateCatalogProgress();
    appendLog(QStringLiteral("Refresh trạng thái: ") + texts.summary(installedCount(), m_catalogItems.size())
              + QLatin1Char('.'));
    if (showToast)
        this->showToast(texts.statusRefreshed(), ToastMessage::Kind::success);
}

void DevivuKitViewModel::selectGroup(const CatalogGroup& group)
{
    if (m_selectedGroupID == group.id)
        return;
    // An audit scan still waiting for its turn does not start.
    ++m_deferredAuditScanToken;
    setSelectedGroupID(group.id);
}
