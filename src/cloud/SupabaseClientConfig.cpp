#include "cloud/SupabaseClient.h"

#include "cloud/CloudJson.h"
#include "platform/AppRuntime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const char* const urlVariable = "TAVRIN_SUPABASE_URL";
const char* const keyVariable = "TAVRIN_SUPABASE_ANON_KEY";
const char* const functionsVariable = "TAVRIN_SUPABASE_FUNCTIONS_URL";
const char* const fileName = "supabase.json";

QString trimmedVariable(const char* name)
{
    return qEnvironmentVariable(name).trimmed();
}

// The resource folder of the application bundle the executable lies in
// (Contents/Resources beside Contents/MacOS); none outside a bundle.
std::optional<QString> bundleResourceDir()
{
#if defined(Q_OS_MACOS)
    if (QCoreApplication::instance()) {
        const QFileInfo resources(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources"));
        if (resources.isDir())
            return resources.absoluteFilePath();
    }
#endif
    return std::nullopt;
}

// The first non-empty of the values under the keys, read loosely as text.
QString firstText(const QJsonObject& object, std::initializer_list<const char*> keys)
{
    for (const char* key : keys) {
        const QString text = CloudJson::string(object.value(QLatin1String(key)));
        if (!text.isEmpty())
            return text;
    }
    return {};
}

} // namespace

QStringList SupabaseClient::configFileCandidates()
{
    using AppRuntime::appendingComponent;
    const QString name = QString::fromLatin1(fileName);
    QStringList candidates;
    candidates.append(appendingComponent(AppRuntime::appSupportDir(), name));
    candidates.append(appendingComponent(
        appendingComponent(appendingComponent(AppRuntime::homeDirectory(), QStringLiteral(".config")),
                           QStringLiteral("tavrin-office-kit")),
        name));
    if (const std::optional<QString> resources = bundleResourceDir())
        candidates.append(appendingComponent(appendingComponent(*resources, QStringLiteral("config")), name));
    // Relative to the working folder, left as written.
    candidates.append(QDir::currentPath() + QStringLiteral("/../config/") + name);
    return candidates;
}

std::optional<SupabaseConfig> SupabaseClient::loadConfig()
{
    const QString url = trimmedVariable(urlVariable);
    const QString key = trimmedVariable(keyVariable);
    if (!url.isEmpty() && !key.isEmpty())
        return makeConfig(url, key, trimmedVariable(functionsVariable));

    for (const QString& candidate : configFileCandidates()) {
        QFile file(candidate);
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
        if (!document.isObject())
            continue;
        const QJsonObject object = document.object();
        const std::optional<SupabaseConfig> config =
            makeConfig(firstText(object, {"supabase_url", "url"}), firstText(object, {"anon_key", "supabase_anon_key"}),
                       CloudJson::string(object.value(QLatin1String("functions_url"))));
        if (config)
            return config;
    }
    return std::nullopt;
}
