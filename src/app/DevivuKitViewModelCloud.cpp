// The view model's cloud actions: catalog sync, report upload, technician
// workspace, branding, shared profile and the Business device configuration.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/ViewModelTexts.h"
#include "catalog/Catalog.h"

#include <algorithm>

// A cloud request's result with the cache files read after it succeeded.
struct DevivuKitViewModel::CloudCatalogAnswer {
    CloudResult result;
    QList<QJsonObject> catalogRows;
    QList<QJsonObject> businessPolicyRows;
};

bool DevivuKitViewModel::beginCloudAction(const QString& progressText, const std::optional<QString>& statusText)
{
    if (!releasePolicyAllowsAction())
        return false;
    setCloudOutput(progressText);
    if (statusText)
        setCurrentAction(*statusText);
    return true;
}

void DevivuKitViewModel::runCloudAction(std::function<CloudResult(CloudApi&)> request)
{
    // Cloud actions do not wait for each other or for an install; the last
    // to finish leaves its message in the output box.
    BackgroundTasks::runThenApply(
        this, [cloud = m_cloud, request = std::move(request)] { return request(*cloud); },
        [](DevivuKitViewModel& model, const CloudResult& result) { model.finishCloudAction(result); });
}

void DevivuKitViewModel::runCloudCatalogAction(std::function<CloudResult(CloudApi&)> request)
{
    BackgroundTasks::runThenApply(
        this,
        [cloud = m_cloud, request = std::move(request)] {
            CloudCatalogAnswer answer;
            answer.result = request(*cloud);
            if (answer.result.ok) {
                answer.catalogRows = cloud->cachedCatalogRows();
                answer.businessPolicyRows = cloud->cachedBusinessPolicyRows();
            }
            return answer;
        },
        [](DevivuKitViewModel& model, const CloudCatalogAnswer& answer) { model.applyCloudCatalog(answer); });
}

void DevivuKitViewModel::applyCloudCatalog(const CloudCatalogAnswer& answer)
{
    // A failed request leaves the catalog and the statuses as they are.
    if (answer.result.ok) {
        setCatalogItems(Catalog::applyingBusinessPolicies(
            answer.businessPolicyRows, Catalog::applyingCloudOverlay(answer.catalogRows, Catalog::items())));
        seedStatuses();
        refreshStatuses(false);
    }
    finishCloudAction(answer.result);
}

void DevivuKitViewModel::finishCloudAction(const CloudResult& result)
{
    setCloudOutput(result.message);
    setCurrentAction(result.ok ? strings().cloudActionFinished() : strings().cloudActionFailed());
    appendLog(result.message);
    showToast(result.message, result.ok ? ToastMessage::Kind::success : ToastMessage::Kind::warning);
}

void DevivuKitViewModel::syncCatalog()
{
    const QString syncing = strings().syncingCatalog();
    if (!beginCloudAction(syncing + QStringLiteral("..."), syncing))
        return;
    runCloudCatalogAction([](CloudApi& cloud) { return cloud.syncCatalog(); });
}

void DevivuKitViewModel::uploadReport()
{
    const QString uploading = strings().uploadingReport();
    if (!beginCloudAction(uploading + QStringLiteral("..."), uploading))
        return;
    // The install status is read first, on the same background task.
    BackgroundTasks::runThenApply(
        this,
        [engine = m_engine, cloud = m_cloud] { return cloud->uploadReport(engine->installStatusSnapshot()); },
        [](DevivuKitViewModel& model, const CloudResult& result) { model.finishCloudAction(result); });
}

void DevivuKitViewModel::syncTechnicianWorkspace()
{
    if (!beginCloudAction(ViewModelTexts::syncingWorkspace(m_language), std::nullopt))
        return;
    runCloudAction([](CloudApi& cloud) { return cloud.syncTechnicianWorkspace(); });
}

void DevivuKitViewModel::updateTechnicianBranding(const QString& displayName,
                                                  const std::optional<QString>& logoDataURL)
{
    if (!beginCloudAction(ViewModelTexts::savingBranding(m_language), std::nullopt))
        return;
    // Both values go as given; the client trims what it needs to.
    runCloudAction([displayName, logoDataURL](CloudApi& cloud) {
        return cloud.updateTechnicianBranding(displayName, logoDataURL);
    });
}

void DevivuKitViewModel::saveTechnicianProfile(const QString& name, const QString& itemIDs)
{
    if (!beginCloudAction(ViewModelTexts::savingSharedProfile(m_language), std::nullopt))
        return;
    // Without ids of its own the profile holds the standard groups' entries
    // of the working catalog, in catalog order.
    const QSet<QString>& standardGroups = Catalog::standardGroups();
    QStringList defaults;
    for (const AppItem& item : m_catalogItems) {
        const QStringList groups = item.groups();
        if (std::any_of(groups.cbegin(), groups.cend(),
                        [&](const QString& group) { return standardGroups.contains(group); }))
            defaults.append(item.id);
    }
    runCloudAction([name, itemIDs, defaults = defaults.join(QLatin1Char(','))](CloudApi& cloud) {
        // Only a blank text is replaced; any other goes exactly as typed.
        return cloud.saveTechnicianProfile(name, itemIDs.trimmed().isEmpty() ? defaults : itemIDs);
    });
}

void DevivuKitViewModel::businessDeviceConfig(const QString& action, const QString& department,
                                              const QString& assetCode)
{
    if (!beginCloudAction(ViewModelTexts::loadingBusinessConfig(m_language), std::nullopt))
        return;
    runCloudCatalogAction([action, department, assetCode](CloudApi& cloud) {
        return cloud.businessDeviceConfig(action, department, assetCode);
    });
}
