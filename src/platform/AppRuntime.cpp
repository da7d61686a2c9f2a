#include "platform/AppRuntime.h"

#include "platform/PropertyList.h"
#include "platform/TildePath.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace AppRuntime {

QString homeDirectory()
{
    static const QString home = [] {
        QString path = QDir::homePath();
        if (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        return path;
    }();
    return home;
}

QString appendingComponent(const QString& folder, const QString& component)
{
    if (folder.isEmpty())
        return component;
    if (folder.endsWith(QLatin1Char('/')))
        return folder + component;
    return folder + QLatin1Char('/') + component;
}

QString envURL(const char* variable, const QString& fallback)
{
    if (!qEnvironmentVariableIsSet(variable))
        return fallback;
    const QString value = qEnvironmentVariable(variable);
    if (value.trimmed().isEmpty())
        return fallback;
    QString path = TildePath::expand(value);
    if (!QDir::isAbsolutePath(path))
        path = appendingComponent(QDir::currentPath(), path);
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    return path;
}

namespace {

QString underHome(std::initializer_list<const char*> components)
{
    QString path = homeDirectory();
    for (const char* component : components)
        path = appendingComponent(path, QString::fromUtf8(component));
    return path;
}

} // namespace

QString appSupportDir()
{
    return envURL(configDirVariable, underHome({"Library", "Application Support", "Tavrin Devivu Kit"}));
}

QString cacheDir()
{
    return envURL(cacheDirVariable, underHome({"Library", "Caches", "tavrin-office-kit"}));
}

QString logFile()
{
    return appendingComponent(envURL(logDirVariable, underHome({"Library", "Logs"})),
                              QString::fromUtf8(logFileName));
}

QString shortcutDir()
{
    return envURL(shortcutDirVariable, underHome({"Applications", "Tavrin Devivu Kit"}));
}

QString reportFile()
{
    const QString reports = appendingComponent(appSupportDir(), QStringLiteral("Reports"));
    return envURL(reportFileVariable, appendingComponent(reports, QString::fromUtf8(reportFileName)));
}

QVariantMap infoDictionary()
{
#if defined(Q_OS_MACOS)
    // The executable lies in Contents/MacOS of the bundle.
    if (QCoreApplication::instance()) {
        QFile file(QCoreApplication::applicationDirPath() + QStringLiteral("/../Info.plist"));
        if (file.open(QIODevice::ReadOnly)) {
            const std::optional<QVariant> parsed = PropertyList::parse(file.readAll());
            if (parsed && parsed->typeId() == QMetaType::QVariantMap)
                return parsed->toMap();
        }
    }
    return {};
#else
    QVariantMap info;
    const QString shortVersion = QStringLiteral(TAVRIN_SHORT_VERSION);
    const QString build = QStringLiteral(TAVRIN_BUILD_NUMBER);
    if (!shortVersion.isEmpty())
        info.insert(QStringLiteral("CFBundleShortVersionString"), shortVersion);
    if (!build.isEmpty())
        info.insert(QStringLiteral("CFBundleVersion"), build);
    return info;
#endif
}

QString bundleString(const QVariantMap& info, const QString& key)
{
    const QVariant value = info.value(key);
    if (value.typeId() != QMetaType::QString)
        return {};
    return value.toString().trimmed();
}

QString versionLabel(const QVariantMap& info)
{
    const QString shortVersion = bundleString(info, QStringLiteral("CFBundleShortVersionString"));
    const QString build = bundleString(info, QStringLiteral("CFBundleVersion"));
    if (shortVersion.isEmpty())
        return QStringLiteral("dev");
    if (build.isEmpty())
        return shortVersion;
    return shortVersion + QStringLiteral(" (") + build + QLatin1Char(')');
}

QString bundleString(const QString& key)
{
    return bundleString(infoDictionary(), key);
}

QString appVersion()
{
    return versionLabel(infoDictionary());
}

} // namespace AppRuntime
