// The probes that find licence signals on disk, and the Homebrew and
// installer-receipt matching used by the inventory scan.
#include "audit/MacLicenseEvidenceCollector.h"

#include "platform/PropertyList.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>

#include <algorithm>
#include <array>

namespace MacLicenseEvidenceCollector {

namespace {

using Verification = LicenseEvidenceVerification;

const QString accessKind = QStringLiteral("access");
const QString accessDetail =
    QStringLiteral("A relevant local evidence location exists but is not readable with the current permissions.");

// home / relative, as a folder URL joins a relative path.
QString inFolder(const QString& folder, const QString& relative)
{
    return folder.endsWith(QLatin1Char('/')) ? folder + relative : folder + QLatin1Char('/') + relative;
}

// A name or identifier taken from another vendor's bundle is used as one
// path component only: anything that would leave the intended folder (or
// name the folder itself) is not probed.
bool isSinglePathComponent(const QString& text)
{
    return !text.isEmpty() && text != QLatin1String(".") && text != QLatin1String("..")
           && !text.contains(QLatin1Char('/'));
}

bool containsAny(const QString& text, std::initializer_list<const char*> words)
{
    return std::any_of(words.begin(), words.end(),
                       [&text](const char* word) { return text.contains(QLatin1String(word)); });
}

// Keeps letters and digits of any script, lower-cased.
QString lettersAndNumbers(const QString& text)
{
    QString kept;
    for (const char32_t codePoint : text.toLower().toUcs4()) {
        if (QChar::isLetterOrNumber(codePoint))
            kept += QString::fromUcs4(&codePoint, 1);
    }
    return kept;
}

bool holdsLicenseAndSignature(const QJsonValue& value)
{
    if (value.isObject()) {
        const QJsonObject object = value.toObject();
        std::optional<QJsonValue> license;
        std::optional<QJsonValue> signature;
        for (auto it = object.begin(); it != object.end(); ++it) {
            if (!license && it.key().compare(QLatin1String("license"), Qt::CaseInsensitive) == 0)
                license = it.value();
            if (!signature && it.key().compare(QLatin1String("signature"), Qt::CaseInsensitive) == 0)
                signature = it.value();
        }
        const auto filled = [](const std::optional<QJsonValue>& field) {
            return field && field->isString() && !field->toString().trimmed().isEmpty();
        };
        if (filled(license) && filled(signature))
            return true;
        return std::any_of(object.begin(), object.end(),
                           [](const QJsonValue& member) { return holdsLicenseAndSignature(member); });
    }
    if (value.isArray()) {
        const QJsonArray array = value.toArray();
        return std::any_of(array.begin(), array.end(),
                           [](const QJsonValue& element) { return holdsLicenseAndSignature(element); });
    }
    return false;
}

void collectLicenseKeys(const QVariant& value, int depth, QSet<QString>& names)
{
    if (depth > 6 || names.size() > 11)
        return;
    if (value.typeId() == QMetaType::QVariantMap) {
        const QVariantMap dictionary = value.toMap();
        for (auto it = dictionary.begin(); it != dictionary.end(); ++it) {
            if (isLicenseMetadataKey(it.key()))
                names.insert(it.key());
            collectLicenseKeys(it.value(), depth + 1, names);
        }
    } else if (value.typeId() == QMetaType::QVariantList) {
        const QVariantList array = value.toList();
        for (qsizetype i = 0; i < std::min<qsizetype>(array.size(), 50); ++i)
            collectLicenseKeys(array.at(i), depth + 1, names);
    }
}

struct StoreRule {
    bool applies;
    QStringList paths;
    const char* source;
    const char* detail;
};

QString lastPathComponent(QString path)
{
    while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
        path.chop(1);
    if (path == QLatin1String("/"))
        return path;
    return path.mid(path.lastIndexOf(QLatin1Char('/')) + 1);
}

} // namespace

SignalScan vendorSignals(const QString& applicationName, const QString& bundleIdentifier,
                         const AuditFileSystem& fileSystem, const QString& homeDirectory,
                         const QString& systemLibrary)
{
    const QString id = bundleIdentifier.toLower();
    const QString name = applicationName.toLower();
    const auto idOrNameContains = [&](const char* word) {
        return id.contains(QLatin1String(word)) || name.contains(QLatin1String(word));
    };
    SignalScan scan;

    if (idOrNameContains("parallels")) {
        const QString licenseFile = inFolder(systemLibrary, QStringLiteral("Preferences/Parallels/licenses.json"));
        const QString source = QStringLiteral("parallels-license-store");
        if (fileSystem.exists(licenseFile)) {
            if (!fileSystem.isReadable(licenseFile))
                return {{{accessKind, source, Verification::inaccessible, accessDetail}}, true};
            if (parallelsLicenseStructureIsPresent(licenseFile, fileSystem))
                scan.signals.append({QStringLiteral("vendor-license-artifact"), source, Verification::structurallyValid,
                                     QStringLiteral("A Parallels license record containing non-empty license and signature fields was detected. Values were not collected. Vendor cryptographic validation still requires Parallels.")});
            else
                scan.signals.append({QStringLiteral("vendor-license-artifact"), source, Verification::failed,
                                     QStringLiteral("A Parallels license file exists, but its expected license/signature structure was not found.")});
        }
    }

    const QString homePath = homeDirectory; // "home path + X": the text joined as is
    const std::array vendorRules{
        StoreRule{containsAny(id, {"com.microsoft.word", "com.microsoft.excel", "com.microsoft.powerpoint",
                                   "com.microsoft.outlook", "com.microsoft.onenote"}),
                  {inFolder(systemLibrary, QStringLiteral("Preferences/com.microsoft.devivu.licensingV2.plist")),
                   inFolder(systemLibrary, QStringLiteral("Preferences/com.microsoft.devivu.licensing.plist")),
                   inFolder(systemLibrary, QStringLiteral("Application Support/Microsoft/Devivu/Licenses"))},
                  "microsoft-license-store",
                  "A Microsoft Devivu licensing-store artifact was detected. It indicates local licensing metadata, not a verified active subscription."},
        StoreRule{id.contains(QLatin1String("adobe")) || name.contains(QLatin1String("adobe"))
                      || name.contains(QLatin1String("acrobat")),
                  {inFolder(systemLibrary, QStringLiteral("Application Support/Adobe/SLStore")),
                   inFolder(systemLibrary, QStringLiteral("Application Support/Adobe/SLCache")),
                   homePath + QStringLiteral("/Library/Application Support/Adobe/OOBE")},
                  "adobe-license-store",
                  "An Adobe activation/account store was detected. It indicates local licensing metadata, not a verified current entitlement."},
        StoreRule{idOrNameContains("setapp"),
                  {homePath + QStringLiteral("/Library/Application Support/Setapp")},
                  "setapp-account-store",
                  "A Setapp account/subscription store was detected. Online subscription status was not queried."},
    };
    for (const StoreRule& rule : vendorRules) {
        if (!rule.applies)
            continue;
        for (const QString& path : rule.paths) {
            if (!fileSystem.exists(path))
                continue;
            if (fileSystem.isReadable(path)) {
                scan.signals.append({QStringLiteral("vendor-license-artifact"), QString::fromUtf8(rule.source),
                                     Verification::detected, QString::fromUtf8(rule.detail)});
                break;
            }
            scan.signals.append({accessKind, QString::fromUtf8(rule.source), Verification::inaccessible, accessDetail});
            scan.inaccessible = true;
        }
    }

    const std::array accountRules{
        StoreRule{idOrNameContains("teamviewer"),
                  {homePath + QStringLiteral("/Library/Application Support/TeamViewer"),
                   homePath + QStringLiteral("/Library/Preferences/com.teamviewer.TeamViewer.plist")},
                  "teamviewer-account-store",
                  "A TeamViewer account/configuration store was detected. Online plan status was not queried."},
        StoreRule{idOrNameContains("anydesk"),
                  {homePath + QStringLiteral("/Library/Preferences/com.philandro.anydesk.plist")},
                  "anydesk-account-store",
                  "An AnyDesk account/configuration artifact was detected. Online plan status was not queried."},
    };
    for (const StoreRule& rule : accountRules) {
        if (!rule.applies)
            continue;
        const auto existing = std::find_if(rule.paths.begin(), rule.paths.end(),
                                           [&fileSystem](const QString& path) { return fileSystem.exists(path); });
        if (existing != rule.paths.end())
            scan.signals.append({QStringLiteral("account-metadata"), QString::fromUtf8(rule.source),
                                 Verification::detected, QString::fromUtf8(rule.detail)});
    }
    return scan;
}

SignalScan preferenceSignals(const QString& applicationName, const QString& bundleIdentifier,
                             const AuditFileSystem& fileSystem, const QString& homeDirectory)
{
    SignalScan scan;
    const bool identifierIsComponent = isSinglePathComponent(bundleIdentifier);
    const bool nameIsComponent = isSinglePathComponent(applicationName);

    if (identifierIsComponent) {
        const QString fileName = bundleIdentifier + QStringLiteral(".plist");
        for (const QString& path : {inFolder(homeDirectory, QStringLiteral("Library/Preferences/") + fileName),
                                    fileSystem.localPath(QStringLiteral("/Library/Preferences/") + fileName)}) {
            if (!fileSystem.exists(path))
                continue;
            if (!fileSystem.isReadable(path)) {
                scan.signals.append({accessKind, QStringLiteral("app-preferences"), Verification::inaccessible, accessDetail});
                scan.inaccessible = true;
                continue;
            }
            const std::optional<MappedFile> file = fileSystem.read(path);
            const std::optional<QVariant> propertyList = file ? PropertyList::parse(file->bytes()) : std::nullopt;
            if (!propertyList)
                continue;
            const QStringList keys = matchingLicenseKeys(*propertyList);
            if (!keys.isEmpty())
                scan.signals.append({QStringLiteral("license-metadata"), QStringLiteral("app-preferences"),
                                     Verification::detected,
                                     QStringLiteral("App-scoped preferences contain license-related field names: ")
                                         + keys.mid(0, 5).join(QStringLiteral(", "))
                                         + QStringLiteral(". Field values were not collected or reported.")});
        }
    }

    QStringList folders;
    if (nameIsComponent)
        folders.append(inFolder(homeDirectory, QStringLiteral("Library/Application Support/") + applicationName));
    if (identifierIsComponent)
        folders.append(inFolder(homeDirectory, QStringLiteral("Library/Application Support/") + bundleIdentifier));
    if (nameIsComponent && identifierIsComponent)
        folders.append(inFolder(homeDirectory, QStringLiteral("Library/Containers/") + bundleIdentifier
                                                   + QStringLiteral("/Data/Library/Application Support/")
                                                   + applicationName));
    for (const QString& folder : folders) {
        if (!fileSystem.exists(folder))
            continue;
        if (!fileSystem.isDirectory(folder) || !fileSystem.isReadable(folder)) {
            scan.signals.append({accessKind, QStringLiteral("app-support-artifacts"), Verification::inaccessible, accessDetail});
            scan.inaccessible = true;
            continue;
        }
        if (const std::optional<QString> name = firstLicenseArtifactName(folder, fileSystem))
            scan.signals.append({QStringLiteral("license-metadata"), QStringLiteral("app-support-artifacts"),
                                 Verification::detected,
                                 QStringLiteral("An app-scoped license/activation artifact filename was detected: ") + *name
                                     + QStringLiteral(". File contents were not collected.")});
    }
    return scan;
}

bool parallelsLicenseStructureIsPresent(const QString& path, const AuditFileSystem& fileSystem)
{
    const std::optional<MappedFile> file = fileSystem.read(path);
    if (!file)
        return false;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file->bytes(), &error);
    if (error.error != QJsonParseError::NoError)
        return false;
    return holdsLicenseAndSignature(document.isObject() ? QJsonValue(document.object()) : QJsonValue(document.array()));
}

QStringList matchingLicenseKeys(const QVariant& propertyList)
{
    QSet<QString> names;
    collectLicenseKeys(propertyList, 0, names);
    QStringList sorted(names.begin(), names.end());
    std::sort(sorted.begin(), sorted.end());
    return sorted;
}

bool isLicenseMetadataKey(const QString& key)
{
    const QString normalised = lettersAndNumbers(key);
    if (containsAny(normalised, {"agreement", "accepted", "eula", "privacy", "migration", "window", "dialog"}))
        return false;
    return containsAny(normalised, {"licensekey", "licencekey", "productkey", "serialnumber", "activationstatus",
                                    "activationtoken", "subscriptionstatus", "entitlement", "purchasereceipt",
                                    "receiptdata", "licenseinfo", "licensestatus", "registrationkey"});
}

std::optional<QString> firstLicenseArtifactName(const QString& folder, const AuditFileSystem& fileSystem)
{
    std::optional<QString> found;
    int examined = 0;
    fileSystem.walk(folder, [&](const FolderWalk::Entry& entry) {
        if (examined == 300)
            return FolderWalk::Step::stop;
        ++examined;
        if (entry.depth > 3)
            return FolderWalk::Step::skipContents;
        const QString name = entry.name.toLower();
        if (containsAny(name, {"agreement", "eula", "readme", "license.txt", "licenses.txt", "third-party", "third_party"}))
            return FolderWalk::Step::next;
        if (containsAny(name, {"activation", "entitlement", "subscription", "purchase-receipt", "license-key", "licence-key"})) {
            found = entry.name;
            return FolderWalk::Step::stop;
        }
        return FolderWalk::Step::next;
    });
    return found;
}

QStringList identifierTokens(const QString& text)
{
    QStringList tokens;
    QString token;
    for (const char32_t codePoint : text.toLower().toUcs4()) {
        if (QChar::isLetterOrNumber(codePoint)) {
            token += QString::fromUcs4(&codePoint, 1);
        } else if (!token.isEmpty()) {
            tokens.append(std::exchange(token, QString()));
        }
    }
    if (!token.isEmpty())
        tokens.append(token);
    return tokens;
}

QHash<QString, HomebrewCaskApplication> homebrewCaskApplications(const QString& json)
{
    const QJsonDocument document = QJsonDocument::fromJson(json.toUtf8());
    if (!document.isObject())
        return {};
    const QJsonValue casksValue = document.object().value(QStringLiteral("casks"));
    if (!casksValue.isArray())
        return {};
    const QJsonArray casks = casksValue.toArray();
    const auto isObject = [](const QJsonValue& value) { return value.isObject(); };
    if (!std::all_of(casks.begin(), casks.end(), isObject))
        return {};

    QHash<QString, HomebrewCaskApplication> applications;
    for (const QJsonValue& element : casks) {
        const QJsonObject cask = element.toObject();
        const QJsonValue token = cask.value(QStringLiteral("token"));
        if (cask.isEmpty() || !token.isString())
            continue;
        HomebrewCaskApplication application;
        application.token = token.toString();
        const QJsonValue installed = cask.value(QStringLiteral("installed"));
        const QJsonValue version = cask.value(QStringLiteral("version"));
        application.installedVersion = installed.isString() ? installed.toString()
                                       : version.isString() ? version.toString()
                                                            : QStringLiteral("unknown");
        const QJsonValue artifactsValue = cask.value(QStringLiteral("artifacts"));
        const QJsonArray artifacts = artifactsValue.toArray();
        if (artifactsValue.isArray() && std::all_of(artifacts.begin(), artifacts.end(), isObject)) {
            for (const QJsonValue& artifact : artifacts) {
                const QJsonArray app = artifact.toObject().value(QStringLiteral("app")).toArray();
                if (!app.isEmpty() && app.first().isString())
                    application.appNames.append(lastPathComponent(app.first().toString()).toLower());
            }
        }
        for (const QString& name : std::as_const(application.appNames))
            applications.insert(name, application);
    }
    return applications;
}

QStringList matchingInstallerReceipts(const QString& applicationName, const QString& bundleIdentifier,
                                      const QStringList& receiptIdentifiers)
{
    static const QSet<QString> stopWords{
        QStringLiteral("app"),   QStringLiteral("apps"),    QStringLiteral("application"), QStringLiteral("applications"),
        QStringLiteral("com"),   QStringLiteral("org"),     QStringLiteral("net"),         QStringLiteral("desktop"),
        QStringLiteral("mac"),   QStringLiteral("macos"),   QStringLiteral("osx"),         QStringLiteral("pkg"),
    };
    QSet<QString> candidates;
    for (const QString& token : identifierTokens(bundleIdentifier) + identifierTokens(applicationName)) {
        if (token.size() >= 4 && !stopWords.contains(token))
            candidates.insert(token);
    }
    if (candidates.isEmpty())
        return {};

    QStringList matched;
    for (const QString& receipt : receiptIdentifiers) {
        const QStringList tokens = identifierTokens(receipt);
        if (std::any_of(tokens.begin(), tokens.end(), [&candidates](const QString& token) { return candidates.contains(token); }))
            matched.append(receipt);
    }
    std::sort(matched.begin(), matched.end());
    return matched;
}

} // namespace MacLicenseEvidenceCollector
