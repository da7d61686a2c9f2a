// The rules that choose and assemble texts; the texts themselves are in
// AppStringsTexts.cpp.

#include "i18n/AppStrings.h"

#include "model/SystemCheckTexts.h"

#include <QHash>

namespace {

using ItemTexts = QHash<AppLanguage, QHash<QString, QString>>;

ItemTexts buildItemTexts(QList<std::pair<QString, QString>> (*list)(AppLanguage))
{
    ItemTexts table;
    for (const AppLanguage language : EnumText::allCases<AppLanguage>()) {
        QHash<QString, QString> texts;
        for (const auto& [id, text] : list(language))
            texts.insert(id, text);
        if (!texts.isEmpty())
            table.insert(language, texts);
    }
    return table;
}

// Vietnamese is the catalog's own language; other languages fall back to
// English, then to the entry's own text.
QString translatedItemText(const ItemTexts& table, AppLanguage language, const QString& id, const QString& own)
{
    if (language == AppLanguage::vietnamese)
        return own;
    for (const AppLanguage candidate : {language, AppLanguage(AppLanguage::english)}) {
        const auto texts = table.constFind(candidate);
        if (texts == table.cend())
            continue;
        const auto text = texts->constFind(id);
        if (text != texts->cend())
            return *text;
    }
    return own;
}

} // namespace

QString AppStrings::pick(const char* en, const char* vi, const char* ko, const char* ja, const char* zh) const
{
    switch (m_language) {
    case AppLanguage::vietnamese:
        return QString::fromUtf8(vi);
    case AppLanguage::korean:
        return QString::fromUtf8(ko);
    case AppLanguage::japanese:
        return QString::fromUtf8(ja);
    case AppLanguage::chinese:
        return QString::fromUtf8(zh);
    case AppLanguage::english:
        break;
    }
    return QString::fromUtf8(en);
}

QString AppStrings::text(AppI18nKey key) const
{
    static const QHash<AppLanguage, QHash<AppI18nKey, QString>> table = [] {
        QHash<AppLanguage, QHash<AppI18nKey, QString>> built;
        for (const AppLanguage language : EnumText::allCases<AppLanguage>()) {
            QHash<AppI18nKey, QString> texts;
            for (const auto& [entry, text] : keyedTextList(language))
                texts.insert(entry, text);
            built.insert(language, texts);
        }
        return built;
    }();

    for (const AppLanguage candidate : {m_language, AppLanguage(AppLanguage::english)}) {
        const auto texts = table.constFind(candidate);
        if (texts == table.cend() || texts->isEmpty())
            continue;
        const auto found = texts->constFind(key);
        if (found != texts->cend())
            return *found;
    }
    return EnumText::toString(key);
}

QString AppStrings::preparingPreset(const QString& name) const
{
    return preparingInstall(name);
}

QString AppStrings::processedItem(const QString& name) const
{
    return processed(name);
}

QString AppStrings::itemName(const AppItem& item) const
{
    if (item.id == "deja-dup")
        return dejaDupName();
    if (item.id == "rclone")
        return rcloneName();
    return item.macName;
}

QString AppStrings::itemDescription(const AppItem& item) const
{
    static const ItemTexts table = buildItemTexts(&AppStrings::itemDescriptionList);
    return translatedItemText(table, m_language, item.id, item.description);
}

QString AppStrings::itemReplacementNote(const AppItem& item) const
{
    static const ItemTexts table = buildItemTexts(&AppStrings::replacementNoteList);
    return translatedItemText(table, m_language, item.id, item.replacementNote);
}

// The first rule that applies gives the detail; the rules for the Homebrew,
// Internet, Xcode, free-space and user checks apply by the check's name alone.
QString AppStrings::systemCheckDetail(const SystemCheck& check) const
{
    using namespace SystemCheckTexts;
    const QString& detail = check.detail;

    if (check.name == homebrewName) {
        if (!detail.startsWith(QString::fromUtf8(brewNotFoundLead)))
            return detail;
        return brewNotFoundText().value_or(detail);
    }
    if (check.name == internetConnectionName)
        return internetText(check.level == SystemCheck::Level::ok);
    if (check.name == xcodeCommandLineToolsName)
        return xcodeText(check.level == SystemCheck::Level::ok);
    if (check.name == freeSpaceName) {
        const QStringList pieces = detail.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        return freeSpaceText(pieces.isEmpty() ? detail : pieces.first()).value_or(detail);
    }
    if (check.name == userModeName) {
        if (!detail.startsWith(QString::fromUtf8(rootUserLead)))
            return detail;
        return rootUserText().value_or(detail);
    }
    if (const std::optional<QString> installState = installStateText(detail))
        return *installState;
    if (detail.contains(QString::fromUtf8(tooOldMarker))) {
        QString replaced = detail;
        if (const std::optional<QString> replacement = tooOldReplacement())
            replaced.replace(QString::fromUtf8(tooOldPhrase), *replacement);
        return replaced;
    }
    if (detail.contains(QString::fromUtf8(missingPackagesPhrase))) {
        QString replaced = detail;
        if (const std::optional<QString> replacement = missingPackagesReplacement())
            replaced.replace(QString::fromUtf8(missingPackagesPhrase), *replacement);
        return replaced;
    }
    return detail;
}

QString AppStrings::setupNeeded(const QList<SystemCheck>& checks) const
{
    QStringList names;
    for (const SystemCheck& check : checks)
        names.append(systemCheckName(check));
    return setupNeededFrame(names.join(", "));
}

QString AppStrings::statusText(InstallStatus status, const std::optional<QString>& progressText) const
{
    if (status == InstallStatus::working && progressText)
        return "● " + *progressText;
    return "● " + statusLabel(status);
}

QString AppStrings::primaryActionLabel(InstallStatus status, const AppItem& item) const
{
    switch (status) {
    case InstallStatus::missing:
        return installLabel();
    case InstallStatus::working:
        return workingLabel();
    case InstallStatus::failed:
        return retryLabel();
    case InstallStatus::blocked:
        return detailsLabel();
    case InstallStatus::installed:
        break;
    }
    switch (item.kind) {
    case AppKind::shortcut:
    case AppKind::builtin:
        return openLabel();
    case AppKind::direct:
    case AppKind::formula:
    case AppKind::cask:
    case AppKind::bundle:
        return item.appPaths.isEmpty() ? detailsLabel() : openLabel();
    case AppKind::mime:
    case AppKind::blocked:
        break;
    }
    return detailsLabel();
}

QString AppStrings::packageSummary(const QStringList& packages) const
{
    if (packages.size() <= 2)
        return packages.join(", ");
    return packageCountText(packages.size());
}
