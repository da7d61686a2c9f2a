// Installing and removing Homebrew formulae and casks, one logged run each.

#include "engine/MacBackend.h"

#include "model/SystemCheckTexts.h"

namespace {

constexpr double installStart = 0.12;
constexpr double installSpan = 0.76;
constexpr double removalStart = 0.15;
constexpr double removalSpan = 0.7;

// One package to handle: its name and kind.
struct BrewPackage {
    QString name;
    bool cask = false;
};

QList<BrewPackage> packagesOfKind(const QStringList& names, bool cask)
{
    QList<BrewPackage> packages;
    for (const QString& name : names) {
        if (!name.isEmpty())
            packages.append({name, cask});
    }
    return packages;
}

QList<BrewPackage> mixedPackages(const QStringList& entries)
{
    QList<BrewPackage> packages;
    for (const QString& entry : entries) {
        if (entry.isEmpty())
            continue;
        const auto [name, cask] = MacBackend::parseMixedBrewPackage(entry);
        packages.append({name, cask});
    }
    return packages;
}

QString languagePackToken()
{
    return QStringLiteral("libreoffice-language-pack");
}

} // namespace

QString MacBackend::brewManagedLabel(const QString& name, bool cask)
{
    return (cask ? QStringLiteral("app Homebrew cask ") : QStringLiteral("gói Homebrew formula ")) + name;
}

std::pair<QString, bool> MacBackend::parseMixedBrewPackage(const QString& entry)
{
    if (entry.startsWith(QLatin1String("cask:")))
        return {entry.mid(5), true};
    if (entry.startsWith(QLatin1String("formula:")))
        return {entry.mid(8), false};
    return {entry, false};
}

namespace {

using ListedTest = std::function<bool(const QString& name, bool cask)>;

// The brew path, logged; without one the message is logged and nothing returned.
std::optional<QString> foundBrew(MacBackend& engine, const QString& missingMessage)
{
    const std::optional<QString> brew = engine.brewPath();
    if (!brew) {
        engine.log(missingMessage);
        return std::nullopt;
    }
    engine.log(QStringLiteral("Đã tìm thấy Homebrew: ") + *brew);
    return brew;
}

QString installMissingMessage()
{
    return QStringLiteral("Chưa tìm thấy Homebrew. Cài Homebrew trước: ") + SystemCheckTexts::homebrewSite;
}

QString removalMissingMessage()
{
    return QStringLiteral("Chưa tìm thấy Homebrew nên không thể gỡ package Homebrew.");
}

// Runs brew with the verb, "--cask" for a cask, "--language=vi" when asked,
// and the package, logged under "brew " + the same words; true on exit 0.
bool runBrew(MacBackend& engine, const QString& brew, const QString& verb, const BrewPackage& package, bool language)
{
    QStringList words{verb};
    if (package.cask)
        words << QStringLiteral("--cask");
    if (language)
        words << QStringLiteral("--language=vi");
    words << package.name;
    return engine.runCommand(QStringList{brew} + words, QStringLiteral("brew ") + words.join(QLatin1Char(' '))) == 0;
}

// The install loop shared by the single-kind and mixed forms. withLanguage:
// the LibreDevivu language pack gets "--language=vi".
bool installPackages(MacBackend& engine, const ListedTest& listed, const QString& brew,
                     const QList<BrewPackage>& packages, bool withLanguage)
{
    const auto count = static_cast<double>(packages.size());
    bool result = true;
    for (qsizetype index = 0; index < packages.size(); ++index) {
        const BrewPackage& package = packages.at(index);
        const QString label = MacBackend::brewManagedLabel(package.name, package.cask);
        const double before = installStart + installSpan * static_cast<double>(index) / count;
        if (listed(package.name, package.cask)) {
            engine.log(label + QStringLiteral(" đã có sẵn."));
            engine.progress(label + QStringLiteral(" đã có sẵn"), before);
            continue;
        }
        engine.progress(QStringLiteral("Đang cài ") + label, before);
        const bool language = withLanguage && package.cask && package.name == languagePackToken();
        if (!runBrew(engine, brew, QStringLiteral("install"), package, language))
            result = false;
        engine.progress(QStringLiteral("Đã xử lý ") + label,
                        installStart + installSpan * static_cast<double>(index + 1) / count);
    }
    return result;
}

// The removal loop, last package first. skipUnlisted: an unlisted package is
// passed over without changing the result (mixed entries); otherwise it makes
// the result false.
bool uninstallPackages(MacBackend& engine, const ListedTest& listed, const QString& brew,
                       const QList<BrewPackage>& packages, bool skipUnlisted)
{
    const auto count = static_cast<double>(packages.size());
    bool result = true;
    qsizetype step = 0;
    for (qsizetype index = packages.size() - 1; index >= 0; --index, ++step) {
        const BrewPackage& package = packages.at(index);
        const QString label = MacBackend::brewManagedLabel(package.name, package.cask);
        const double before = removalStart + removalSpan * static_cast<double>(step) / count;
        if (!listed(package.name, package.cask)) {
            engine.log(label + QStringLiteral(" chưa có receipt cài đặt."));
            if (skipUnlisted) {
                engine.progress(label + QStringLiteral(" chưa có receipt Homebrew"), before);
            } else {
                engine.progress(label + QStringLiteral(" không do Homebrew quản lý; không tự động gỡ"), before);
                result = false;
            }
            continue;
        }
        engine.progress(QStringLiteral("Đang gỡ ") + label, before);
        if (!runBrew(engine, brew, QStringLiteral("uninstall"), package, false))
            result = false;
        engine.progress(QStringLiteral("Đã xử lý gỡ ") + label,
                        removalStart + removalSpan * static_cast<double>(step + 1) / count);
    }
    return result;
}

} // namespace

bool MacBackend::installBrewPackages(const QStringList& packages, bool cask)
{
    const std::optional<QString> brew = foundBrew(*this, installMissingMessage());
    if (!brew)
        return false;
    return installPackages(*this, [this](const QString& name, bool isCask) { return brewList(name, isCask); }, *brew,
                           packagesOfKind(packages, cask), true);
}

bool MacBackend::installMixedBrewPackages(const QStringList& entries)
{
    const std::optional<QString> brew = foundBrew(*this, installMissingMessage());
    if (!brew)
        return false;
    return installPackages(*this, [this](const QString& name, bool isCask) { return brewList(name, isCask); }, *brew,
                           mixedPackages(entries), false);
}

bool MacBackend::uninstallBrewPackages(const QStringList& packages, bool cask)
{
    const std::optional<QString> brew = foundBrew(*this, removalMissingMessage());
    if (!brew)
        return false;
    return uninstallPackages(*this, [this](const QString& name, bool isCask) { return brewList(name, isCask); },
                             *brew, packagesOfKind(packages, cask), false);
}

bool MacBackend::uninstallMixedBrewPackages(const QStringList& entries)
{
    const std::optional<QString> brew = foundBrew(*this, removalMissingMessage());
    if (!brew)
        return false;
    return uninstallPackages(*this, [this](const QString& name, bool isCask) { return brewList(name, isCask); },
                             *brew, mixedPackages(entries), true);
}
