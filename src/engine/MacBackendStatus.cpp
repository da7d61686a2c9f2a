// Installed status, the Homebrew inventory and ONLYDEVIVU detection.

#include "engine/DirectAppVerifier.h"
#include "engine/MacBackend.h"

#include "audit/AuditFileSystem.h"
#include "audit/MacInventoryClassifier.h"
#include "catalog/Catalog.h"
#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"
#include "platform/TextLines.h"
#include "platform/TildePath.h"

#include <QFileInfo>

#include <algorithm>

namespace {

QString underHome(const QString& relative)
{
    return AppRuntime::appendingComponent(AppRuntime::homeDirectory(), relative);
}

// What the status rules ask of Homebrew: whether a package of a kind is
// listed. The single-entry status asks brew once per package, the batch
// status looks the name up in the inventory it read once.
using ListedTest = std::function<bool(const QString& name, bool cask)>;

// The file and command tests of the status rules.
struct StatusProbe {
    const Host& host;
    const MacBackend& engine;

    // A path of the Mac (a leading tilde expanded) at which something exists.
    bool exists(const QString& path) const { return QFileInfo::exists(host.map(TildePath::expand(path))); }
    bool anyExists(const QStringList& paths) const
    {
        return std::any_of(paths.begin(), paths.end(), [this](const QString& path) { return exists(path); });
    }
    bool resolves(const QString& command) const { return engine.commandPath(command).has_value(); }
    bool anyResolves(const QStringList& commands) const
    {
        return std::any_of(commands.begin(), commands.end(), [this](const QString& c) { return resolves(c); });
    }
    bool allResolve(const QStringList& commands) const
    {
        return std::all_of(commands.begin(), commands.end(), [this](const QString& c) { return resolves(c); });
    }
};

bool allListed(const QStringList& packages, bool cask, const ListedTest& listed)
{
    return std::all_of(packages.begin(), packages.end(),
                       [&](const QString& package) { return listed(package, cask); });
}

bool allMixedListed(const QStringList& entries, const ListedTest& listed)
{
    return std::all_of(entries.begin(), entries.end(), [&](const QString& entry) {
        const auto [name, cask] = MacBackend::parseMixedBrewPackage(entry);
        return listed(name, cask);
    });
}

InstallStatus installedWhen(bool condition)
{
    return condition ? InstallStatus::installed : InstallStatus::missing;
}

// The statuses of the kinds that depend on Homebrew; nothing for the others.
std::optional<InstallStatus> homebrewStatus(const AppItem& item, const StatusProbe& probe, const ListedTest& listed,
                                            const std::function<bool()>& dictionaryInstalled)
{
    switch (item.kind) {
    case AppKind::formula:
        return installedWhen(allListed(item.packages, false, listed)
                             && (item.commands.isEmpty() || probe.anyResolves(item.commands)));
    case AppKind::cask:
        if (item.id == QLatin1String("libreoffice"))
            return installedWhen(probe.anyExists(item.appPaths) && allListed(item.packages, true, listed)
                                 && dictionaryInstalled());
        return installedWhen(allListed(item.packages, true, listed)
                             && (item.appPaths.isEmpty() || probe.anyExists(item.appPaths)));
    case AppKind::bundle: {
        // The command and path tests are made even when a package is missing.
        const bool packages = allMixedListed(item.packages, listed);
        const bool commands = probe.allResolve(item.commands);
        const bool paths = item.appPaths.isEmpty() || probe.anyExists(item.appPaths);
        return installedWhen(packages && commands && paths);
    }
    default:
        return std::nullopt;
    }
}

} // namespace

// ---------------------------------------------------------------- status

bool MacBackend::libreDevivuVietnameseDictionaryInstalled()
{
    const QStringList folders{
        m_host.map(QStringLiteral("/Applications/LibreDevivu.app/Contents/Resources/extensions")),
        underHome(QStringLiteral("Applications/LibreDevivu.app/Contents/Resources/extensions")),
        underHome(QStringLiteral("Library/Application Support/LibreDevivu/4/user/uno_packages")),
        underHome(QStringLiteral("Library/Application Support/LibreDevivu/4/user/extensions")),
    };
    return MacInventoryClassifier::containsVietnameseDictionary(folders, LocalAuditFileSystem(m_host));
}

InstallStatus MacBackend::status(const AppItem& item)
{
    if (item.minimumMacOSMajor && m_host.macOSVersion().majorVersion() < *item.minimumMacOSMajor)
        return InstallStatus::blocked;

    const StatusProbe probe{m_host, *this};
    const ListedTest listed = [this](const QString& name, bool cask) { return brewList(name, cask); };
    if (const std::optional<InstallStatus> brewed =
            homebrewStatus(item, probe, listed, [this] { return libreDevivuVietnameseDictionaryInstalled(); }))
        return *brewed;

    switch (item.kind) {
    case AppKind::direct: {
        if (!item.directInstaller)
            return InstallStatus::missing;
        for (const QString& path : item.appPaths) {
            if (!probe.exists(path))
                continue;
            if (DirectAppVerifier::verify(TildePath::expand(path), *item.directInstaller, verificationTools()))
                return InstallStatus::installed;
        }
        return InstallStatus::missing;
    }
    case AppKind::shortcut:
        return installedWhen(item.shortcut
                             && QFileInfo::exists(AppRuntime::appendingComponent(AppRuntime::shortcutDir(),
                                                                                 item.shortcut->fileName)));
    case AppKind::builtin:
        return installedWhen(item.builtinReady || probe.anyExists(item.appPaths) || probe.anyResolves(item.commands));
    case AppKind::mime:
        return installedWhen(onlyofficeMimeIsDefault());
    default:
        return InstallStatus::blocked;
    }
}

InstallStatus MacBackend::status(const AppItem& item, const QSet<QString>& formulas, const QSet<QString>& casks)
{
    if (item.minimumMacOSMajor && m_host.macOSVersion().majorVersion() < *item.minimumMacOSMajor)
        return InstallStatus::blocked;
    const ListedTest listed = [&](const QString& name, bool cask) {
        return (cask ? casks : formulas).contains(name);
    };
    if (const std::optional<InstallStatus> brewed = homebrewStatus(
            item, StatusProbe{m_host, *this}, listed, [this] { return libreDevivuVietnameseDictionaryInstalled(); }))
        return *brewed;
    return status(item);
}

QHash<QString, InstallStatus> MacBackend::statuses(const QList<AppItem>& items)
{
    std::pair<QSet<QString>, QSet<QString>> inventory;
    if (brewPath())
        inventory = installedBrewInventory();
    QHash<QString, InstallStatus> result;
    for (const AppItem& item : items)
        result.insert(item.id, status(item, inventory.first, inventory.second));
    return result;
}

QList<QMap<QString, QString>> MacBackend::installStatusSnapshot()
{
    QList<QMap<QString, QString>> rows;
    for (const AppItem& item : Catalog::uniqueInstallItems(Catalog::items())) {
        rows.append({
            {QStringLiteral("item_id"), item.id},
            {QStringLiteral("name"), item.macName},
            {QStringLiteral("group_key"), item.group},
            {QStringLiteral("kind"), EnumText::toString(item.kind)},
            {QStringLiteral("status"), EnumText::toString(status(item))},
        });
    }
    return rows;
}

// ---------------------------------------------------------------- Homebrew

std::optional<QString> MacBackend::brewPath()
{
    const QStringList candidates{
        qEnvironmentVariable("HOMEBREW_BREW_FILE"),
        QStringLiteral("/opt/homebrew/bin/brew"),
        QStringLiteral("/usr/local/bin/brew"),
        commandPath(QStringLiteral("brew")).value_or(QString()),
    };
    for (const QString& candidate : candidates) {
        if (!candidate.isEmpty() && FileSystem::isExecutableFile(m_host.map(candidate)))
            return candidate;
    }
    return std::nullopt;
}

bool MacBackend::brewList(const QString& name, bool cask)
{
    const std::optional<QString> brew = brewPath();
    if (!brew)
        return false;
    return runQuiet({*brew, QStringLiteral("list"), cask ? QStringLiteral("--cask") : QStringLiteral("--formula"), name})
        == 0;
}

std::pair<QSet<QString>, QSet<QString>> MacBackend::installedBrewInventory()
{
    const std::optional<QString> brew = brewPath();
    if (!brew)
        return {};
    const auto listed = [&](const char* kind) {
        const QStringList lines = TextLines::split(
            runCapture({*brew, QStringLiteral("list"), QString::fromLatin1(kind), QStringLiteral("-1")}));
        return QSet<QString>(lines.begin(), lines.end());
    };
    QSet<QString> formulas = listed("--formula");
    QSet<QString> casks = listed("--cask");
    return {std::move(formulas), std::move(casks)};
}

// ---------------------------------------------------------------- ONLYDEVIVU

const QStringList& MacBackend::documentExtensions()
{
    static const QStringList extensions{QStringLiteral("doc"), QStringLiteral("docx"), QStringLiteral("xls"),
                                        QStringLiteral("xlsx"), QStringLiteral("ppt"), QStringLiteral("pptx")};
    return extensions;
}

QStringList MacBackend::onlyofficeAppCandidates() const
{
    return {
        QStringLiteral("/Applications/ONLYDEVIVU.app"),
        QStringLiteral("/Applications/ONLYDEVIVU Desktop Editors.app"),
        underHome(QStringLiteral("Applications/ONLYDEVIVU.app")),
        underHome(QStringLiteral("Applications/ONLYDEVIVU Desktop Editors.app")),
    };
}

bool MacBackend::onlyofficeInstalled() const
{
    const QStringList candidates = onlyofficeAppCandidates();
    return std::any_of(candidates.begin(), candidates.end(),
                       [this](const QString& path) { return QFileInfo::exists(m_host.map(path)); });
}

QString MacBackend::onlyofficeBundleID() const
{
    for (const QString& candidate : onlyofficeAppCandidates()) {
        const std::optional<QString> identifier = directAppBundleID(candidate);
        if (identifier && !identifier->isEmpty())
            return *identifier;
    }
    return QStringLiteral("org.onlyoffice.desktopeditors");
}

bool MacBackend::onlyofficeMimeIsDefault()
{
    if (!onlyofficeInstalled())
        return false;
    const std::optional<QString> duti = commandPath(QStringLiteral("duti"));
    if (!duti)
        return false;
    const QString bundle = onlyofficeBundleID();
    for (const QString& extension : documentExtensions()) {
        if (!runCapture({*duti, QStringLiteral("-x"), extension}).contains(bundle))
            return false;
    }
    return true;
}
