#include "app/SupabaseCloud.h"

SupabaseCloud::SupabaseCloud(std::optional<SupabaseConfig> config, LogSink log, std::chrono::milliseconds timeout,
                             QSslConfiguration tls, Host host)
    : m_client(std::move(config), std::move(log), timeout, std::move(tls), std::move(host))
{
}

CloudApi::Factory SupabaseCloud::factory()
{
    return [](LogSink log) -> std::shared_ptr<CloudApi> {
        return std::make_shared<SupabaseCloud>(SupabaseClient::loadConfig(), std::move(log));
    };
}

CloudApi::Factory SupabaseCloud::factory(std::optional<SupabaseConfig> config, std::chrono::milliseconds timeout,
                                         QSslConfiguration tls, Host host)
{
    return [=](LogSink log) -> std::shared_ptr<CloudApi> {
        return std::make_shared<SupabaseCloud>(config, std::move(log), timeout, tls, host);
    };
}

bool SupabaseCloud::isConfigured() const
{
    return m_client.isConfigured();
}

std::optional<ReleasePolicy> SupabaseCloud::releasePolicy()
{
    return m_client.releasePolicy();
}

CloudResult SupabaseCloud::syncCatalog()
{
    return m_client.syncCatalog();
}

QList<QJsonObject> SupabaseCloud::cachedCatalogRows()
{
    return SupabaseClient::cachedCatalogRows();
}

QList<QJsonObject> SupabaseCloud::cachedBusinessPolicyRows()
{
    return SupabaseClient::cachedBusinessPolicyRows();
}

CloudResult SupabaseCloud::uploadReport(const QList<QMap<QString, QString>>& items)
{
    return m_client.uploadReport(items);
}

CloudResult SupabaseCloud::syncTechnicianWorkspace()
{
    return m_client.syncTechnicianWorkspace();
}

CloudResult SupabaseCloud::updateTechnicianBranding(const QString& displayName,
                                                    const std::optional<QString>& logoDataURL)
{
    return m_client.updateTechnicianBranding(displayName, logoDataURL);
}

CloudResult SupabaseCloud::saveTechnicianProfile(const QString& name, const QString& itemIDsText)
{
    return m_client.saveTechnicianProfile(name, itemIDsText);
}

CloudResult SupabaseCloud::businessDeviceConfig(const QString& action, const QString& department,
                                                const QString& assetCode)
{
    return m_client.businessDeviceConfig(action, department, assetCode);
}
