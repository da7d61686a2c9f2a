#include "platform/BundleInfo.h"

#include "platform/MappedFile.h"
#include "platform/PropertyList.h"
#include "platform/StringsFile.h"

#include <QDir>
#include <QFileInfo>

namespace {

// The language code behind the English names older bundles give their folders.
QString canonicalTag(QString tag)
{
    static const QList<std::pair<QLatin1String, QLatin1String>> oldNames{
        {QLatin1String("english"), QLatin1String("en")}, {QLatin1String("japanese"), QLatin1String("ja")},
        {QLatin1String("french"), QLatin1String("fr")},  {QLatin1String("german"), QLatin1String("de")},
        {QLatin1String("spanish"), QLatin1String("es")}, {QLatin1String("italian"), QLatin1String("it")},
        {QLatin1String("dutch"), QLatin1String("nl")},
    };
    tag = tag.toLower().replace(QLatin1Char('_'), QLatin1Char('-'));
    for (const auto& [name, code] : oldNames) {
        if (tag == name)
            return code;
    }
    return tag;
}

// The folder that holds Info.plist and the one that holds the ".lproj"
// folders: Contents and Contents/Resources in a macOS bundle, the bundle
// itself in a flat one.
std::pair<QString, QString> layoutOf(const QString& bundlePath)
{
    const QString contents = bundlePath + QStringLiteral("/Contents");
    if (QFileInfo(contents).isDir())
        return {contents, contents + QStringLiteral("/Resources")};
    return {bundlePath, bundlePath};
}

} // namespace

QString BundleInfo::preferredLocalization(const QStringList& available, const QStringList& preferredLanguages,
                                          const QString& developmentRegion)
{
    const auto serving = [&](const QString& wanted) -> QString {
        for (QString tag = canonicalTag(wanted); !tag.isEmpty();) {
            for (const QString& name : available) {
                if (canonicalTag(name) == tag)
                    return name;
            }
            const qsizetype dash = tag.lastIndexOf(QLatin1Char('-'));
            tag = dash > 0 ? tag.left(dash) : QString();
        }
        return {};
    };
    for (const QString& language : preferredLanguages) {
        const QString found = serving(language);
        if (!found.isEmpty())
            return found;
    }
    return developmentRegion.isEmpty() ? QString() : serving(developmentRegion);
}

std::optional<BundleInfo> BundleInfo::read(const QString& bundlePath, const QStringList& preferredLanguages)
{
    if (!QFileInfo(bundlePath).isDir())
        return std::nullopt;
    BundleInfo bundle;
    const auto [infoFolder, resources] = layoutOf(bundlePath);
    bundle.m_info = PropertyList::parseDictionaryFile(infoFolder + QStringLiteral("/Info.plist")).value_or(QVariantMap());

    QStringList available;
    for (const QString& folder : QDir(resources).entryList({QStringLiteral("*.lproj")}, QDir::Dirs | QDir::NoDotAndDotDot))
        available.append(folder.chopped(6));
    const QString region = bundle.rawString(QStringLiteral("CFBundleDevelopmentRegion")).value_or(QString());
    bundle.m_localization = preferredLocalization(available, preferredLanguages, region);
    if (bundle.m_localization.isEmpty())
        return bundle;
    const std::optional<MappedFile> table = MappedFile::open(
        resources + QLatin1Char('/') + bundle.m_localization + QStringLiteral(".lproj/InfoPlist.strings"),
        StringsFile::maximumSize);
    if (table)
        bundle.m_localized = StringsFile::parse(table->bytes()).value_or(QVariantMap());
    return bundle;
}

QVariant BundleInfo::value(const QString& key) const
{
    const auto localized = m_localized.constFind(key);
    if (localized != m_localized.cend())
        return *localized;
    return m_info.value(key);
}

QVariant BundleInfo::rawValue(const QString& key) const
{
    return m_info.value(key);
}

namespace {

std::optional<QString> textOf(const QVariant& value)
{
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    return value.toString();
}

} // namespace

std::optional<QString> BundleInfo::string(const QString& key) const
{
    return textOf(value(key));
}

std::optional<QString> BundleInfo::rawString(const QString& key) const
{
    return textOf(rawValue(key));
}
