#include "cloud/ReleasePolicy.h"

#include "cloud/CloudJson.h"
#include "model/HashBuilder.h"

ReleasePolicy ReleasePolicy::fromJson(const QJsonObject& data)
{
    ReleasePolicy policy;
    policy.updateRequired = CloudJson::boolean(data.value(QLatin1String("update_required")));
    policy.updateAvailable = CloudJson::boolean(data.value(QLatin1String("update_available")));
    policy.title = CloudJson::string(data.value(QLatin1String("title")),
                                     policy.updateRequired ? QStringLiteral("Update required")
                                                           : QStringLiteral("Update available"));
    policy.message = CloudJson::string(data.value(QLatin1String("message")),
                                       QStringLiteral("Install the latest Tavrin Devivu Kit build to receive fixes."));
    policy.downloadURL = CloudJson::string(data.value(QLatin1String("download_url")));
    policy.latestVersion = CloudJson::string(data.value(QLatin1String("latest_version")));
    policy.minSupportedVersion = CloudJson::string(data.value(QLatin1String("min_supported_version")));
    return policy;
}

size_t qHash(const ReleasePolicy& policy, size_t hashSeed)
{
    return HashBuilder(hashSeed)
        .add(policy.updateRequired)
        .add(policy.updateAvailable)
        .add(policy.title)
        .add(policy.message)
        .add(policy.downloadURL)
        .add(policy.latestVersion)
        .add(policy.minSupportedVersion)
        .value();
}
