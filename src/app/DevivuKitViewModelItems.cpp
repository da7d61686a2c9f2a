// The view model's install, open and removal of one catalog entry.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/ViewModelTexts.h"

#include <utility>

void DevivuKitViewModel::performPrimaryAction(const AppItem& item)
{
    const InstallStatus status = m_statuses.value(item.id, InstallStatus::missing);
    // An unsupported entry only shows its details, also while an update is
    // required.
    if (item.kind == AppKind::blocked || status == InstallStatus::blocked) {
        setActiveSheet(Sheet::itemDetail(item));
        showToast(strings().itemUnsupportedToast(), ToastMessage::Kind::warning);
        return;
    }
    if (!releasePolicyAllowsAction())
        return;
    switch (status) {
    case InstallStatus::missing:
    case InstallStatus::failed:
        install(item);
        return;
    case InstallStatus::installed: {
        const bool opens = item.kind == AppKind::shortcut || item.kind == AppKind::builtin
                           || (item.kind != AppKind::mime && !item.appPaths.isEmpty());
        if (opens)
            open(item);
        else
            setActiveSheet(Sheet::itemDetail(item));
        return;
    }
    case InstallStatus::working:
    case InstallStatus::blocked:
        return;
    }
}

void DevivuKitViewModel::install(const AppItem& item)
{
    startItemOperation(item, ItemOperation::install);
}

void DevivuKitViewModel::confirmUninstall(const AppItem& item)
{
    // The confirmation is closed whatever follows.
    setPendingUninstall(std::nullopt);
    startItemOperation(item, ItemOperation::removal);
}

void DevivuKitViewModel::startItemOperation(const AppItem& item, ItemOperation operation)
{
    if (!releasePolicyAllowsAction())
        return;
    if (m_isInstalling)
        return;
    const bool installing = operation == ItemOperation::install;
    const AppStrings texts = strings();
    const QString name = texts.itemName(item);
    setIsInstalling(true);
    setStatus(item.id, InstallStatus::working);
    setCurrentAction(installing ? texts.processing(name) : texts.removing(name));
    beginOperation(1, item.id, installing ? texts.preparingInstall(name) : texts.preparingRemove(name));
    appendLog((installing ? QStringLiteral("Bắt đầu xử lý ") : QStringLiteral("Bắt đầu gỡ bỏ ")) + item.id
              + QStringLiteral(" -> ") + item.macName + QStringLiteral(" [") + ViewModelTexts::methodLabel(item.kind)
              + QStringLiteral("]."));
    BackgroundTasks::runThenApply(
        this,
        [engine = m_engine, item, installing] {
            const bool ok = installing ? engine->install(item) : engine->uninstall(item);
            return std::pair{ok, ok ? engine->status(item) : InstallStatus::failed};
        },
        [item, operation](DevivuKitViewModel& model, const std::pair<bool, InstallStatus>& result) {
            model.finishInstall(item, result.first, result.second, operation);
        });
}

void DevivuKitViewModel::finishInstall(const AppItem& item, bool ok, InstallStatus finalStatus, ItemOperation operation)
{
    const bool installing = operation == ItemOperation::install;
    const AppStrings texts = strings();
    const QString name = texts.itemName(item);
    // A failed removal shows failed until the next refresh reads the real
    // status.
    setStatus(item.id, finalStatus);
    setIsInstalling(false);
    QString action;
    QString toast;
    if (installing) {
        action = ok ? texts.finished(name) : texts.failedToProcess(name);
        toast = ok ? texts.processed(name) : texts.failedItem(name);
    } else {
        action = ok ? texts.removed(name) : texts.failedToRemove(name);
        toast = ok ? texts.removed(name) : texts.removeFailed(name);
    }
    setCurrentAction(action);
    completeOperation(action);
    updateCatalogProgress();
    showToast(toast, ok ? ToastMessage::Kind::success : ToastMessage::Kind::failure);
}

void DevivuKitViewModel::open(const AppItem& item)
{
    // Opening is not an operation: no banner, no status, and opens may
    // overlap; only a running install, removal or preset refuses it.
    if (m_isInstalling)
        return;
    setCurrentAction(strings().opening(strings().itemName(item)));
    appendLog(QStringLiteral("Mở ") + item.id + QStringLiteral(" -> ") + item.macName + QLatin1Char('.'));
    BackgroundTasks::runThenApply(
        this, [engine = m_engine, item] { return engine->open(item); },
        [item](DevivuKitViewModel& model, bool ok) { model.finishOpenItem(item, ok); });
}

void DevivuKitViewModel::finishOpenItem(const AppItem& item, bool ok)
{
    const AppStrings texts = strings();
    const QString name = texts.itemName(item);
    const QString text = ok ? texts.opened(name) : texts.couldNotOpen(name);
    setCurrentAction(text);
    showToast(text, ok ? ToastMessage::Kind::success : ToastMessage::Kind::warning);
}
