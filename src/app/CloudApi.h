#pragma once

#include "cloud/CloudResult.h"
#include "cloud/ReleasePolicy.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// What the view model uses of the cloud client. Operations are synchronous
// like the client's own: each blocks the calling thread until its request is
// over, never throws, and may run on several threads at once. The log sink
// given to the factory is called on the thread of the operation that logs.
class CloudApi {
public:
    using LogSink = std::function<void(const QString& line)>;
    using Factory = std::function<std::shared_ptr<CloudApi>(LogSink log)>;

    virtual ~CloudApi() = default;

    virtual bool isConfigured() const = 0;

    // No policy on any failure (the reason is logged).
    virtual std::optional<ReleasePolicy> releasePolicy() = 0;

    // Catalog sync and the two cache files the catalog filters read. The
    // readers work offline and without configuration.
    virtual CloudResult syncCatalog() = 0;
    virtual QList<QJsonObject> cachedCatalogRows() = 0;
    virtual QList<QJsonObject> cachedBusinessPolicyRows() = 0;

    // The install-status rows as EngineApi::installStatusSnapshot gives them.
    virtual CloudResult uploadReport(const QList<QMap<QString, QString>>& items) = 0;

    virtual CloudResult syncTechnicianWorkspace() = 0;
    virtual CloudResult updateTechnicianBranding(const QString& displayName,
                                                 const std::optional<QString>& logoDataURL) = 0;
    virtual CloudResult saveTechnicianProfile(const QString& name, const QString& itemIDsText) = 0;
    virtual CloudResult businessDeviceConfig(const QString& action, const QString& department,
                                             const QString& assetCode) = 0;
};
