// The cache files of the cloud client: written whole and atomically by the
// operations, read back by the catalog filters and the PDF report.

#include "cloud/SupabaseClient.h"

#include "cloud/CloudJson.h"
#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QJsonDocument>

namespace {

// The member of the file's top-level object when it is an array of objects
// only; otherwise empty.
QList<QJsonObject> cachedObjects(const char* fileName, const char* member)
{
    QFile file(SupabaseClient::cacheFilePath(fileName));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return CloudJson::objectRows(file.readAll(), QLatin1String(member));
}

} // namespace

QString SupabaseClient::cacheFilePath(const char* fileName)
{
    return AppRuntime::appendingComponent(AppRuntime::cacheDir(), QString::fromLatin1(fileName));
}

std::optional<QString> SupabaseClient::writeCacheFile(const char* fileName, const QJsonObject& object)
{
    QString error;
    // QJsonObject keeps its keys sorted, nested objects included.
    const QByteArray bytes = QJsonDocument(object).toJson(QJsonDocument::Indented);
    if (!FileSystem::createFolders(AppRuntime::cacheDir(), 0700, &error)
        || !FileSystem::replaceFile(cacheFilePath(fileName), bytes, 0600, &error))
        return error;
    return std::nullopt;
}

QList<QJsonObject> SupabaseClient::cachedCatalogRows()
{
    return cachedObjects(catalogCacheFileName, "items");
}

QList<QJsonObject> SupabaseClient::cachedBusinessPolicyRows()
{
    return cachedObjects(businessPolicyCacheFileName, "policies");
}
