#pragma once

#include "app/CloudApi.h"
#include "cloud/SupabaseClient.h"

// The cloud client of the window: a SupabaseClient.
class SupabaseCloud final : public CloudApi {
public:
    SupabaseCloud(std::optional<SupabaseConfig> config, LogSink log,
                  std::chrono::milliseconds timeout = SupabaseClient::defaultTimeout,
                  QSslConfiguration tls = QSslConfiguration::defaultConfiguration(),
                  Host host = Host::fromEnvironment());

    // Makes a client with the configuration SupabaseClient::loadConfig()
    // finds when the factory is called.
    static Factory factory();
    // Makes a client with the given constructor arguments.
    static Factory factory(std::optional<SupabaseConfig> config,
                           std::chrono::milliseconds timeout = SupabaseClient::defaultTimeout,
                           QSslConfiguration tls = QSslConfiguration::defaultConfiguration(),
                           Host host = Host::fromEnvironment());

    bool isConfigured() const override;
    std::optional<ReleasePolicy> releasePolicy() override;
    CloudResult syncCatalog() override;
    QList<QJsonObject> cachedCatalogRows() override;
    QList<QJsonObject> cachedBusinessPolicyRows() override;
    CloudResult uploadReport(const QList<QMap<QString, QString>>& items) override;
    CloudResult syncTechnicianWorkspace() override;
    CloudResult updateTechnicianBranding(const QString& displayName,
                                         const std::optional<QString>& logoDataURL) override;
    CloudResult saveTechnicianProfile(const QString& name, const QString& itemIDsText) override;
    CloudResult businessDeviceConfig(const QString& action, const QString& department,
                                     const QString& assetCode) override;

private:
    SupabaseClient m_client;
};
