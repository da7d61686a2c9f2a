#include "cli/TavrinCLI.h"

#include "catalog/Catalog.h"
#include "model/HashBuilder.h"

#include <algorithm>
#include <functional>
#include <iterator>

namespace TavrinCLI {

namespace {

const QString presetOption = QStringLiteral("--preset");
const QString presetPrefix = QStringLiteral("--preset=");

} // namespace

size_t qHash(const Options& options, size_t hashSeed)
{
    return HashBuilder(hashSeed)
        .add(options.check)
        .add(options.noGUI)
        .add(options.yes)
        .add(options.noShortcuts)
        .add(options.noMimeDefaults)
        .add(options.help)
        .add(options.preset)
        .value();
}

const QStringList& presetNames()
{
    static const QStringList names{QStringLiteral("minimal"), QStringLiteral("standard"), QStringLiteral("full")};
    return names;
}

bool shouldRun(const QStringList& arguments)
{
    static const QStringList headless{QStringLiteral("--no-gui"), QStringLiteral("--check"), presetOption,
                                      QStringLiteral("--help"), QStringLiteral("-h")};
    const QStringList options = arguments.mid(1);
    return std::any_of(options.begin(), options.end(), [](const QString& argument) {
        return headless.contains(argument) || argument.startsWith(presetPrefix);
    });
}

Options parse(const QStringList& arguments)
{
    Options options;
    for (qsizetype index = 0; index < arguments.size(); ++index) {
        const QString& argument = arguments.at(index);
        if (argument == QLatin1String("--check"))
            options.check = true;
        else if (argument == QLatin1String("--no-gui"))
            options.noGUI = true;
        else if (argument == QLatin1String("--yes") || argument == QLatin1String("-y"))
            options.yes = true;
        else if (argument == QLatin1String("--no-shortcuts"))
            options.noShortcuts = true;
        else if (argument == QLatin1String("--no-mime-defaults"))
            options.noMimeDefaults = true;
        else if (argument == QLatin1String("--help") || argument == QLatin1String("-h"))
            options.help = true;
        else if (argument == presetOption) {
            if (index + 1 < arguments.size())
                options.preset = arguments.at(++index);
        } else if (argument.startsWith(presetPrefix))
            options.preset = argument.mid(presetPrefix.size());
    }
    return options;
}

QList<AppItem> items(const QString& preset)
{
    const QList<AppItem>& catalog = Catalog::items();
    std::function<bool(const AppItem&)> wanted;
    if (preset == QLatin1String("minimal"))
        wanted = [](const AppItem& item) { return item.groups().contains(QLatin1String("devivu")); };
    else if (preset == QLatin1String("standard"))
        wanted = [](const AppItem& item) {
            const QStringList groups = item.groups();
            return std::any_of(groups.begin(), groups.end(),
                               [](const QString& group) { return Catalog::standardGroups().contains(group); });
        };
    else if (preset == QLatin1String("full"))
        return catalog;
    else
        return {};
    QList<AppItem> result;
    std::copy_if(catalog.begin(), catalog.end(), std::back_inserter(result), wanted);
    return result;
}

QList<AppItem> plan(const QString& preset, const Options& options)
{
    QList<AppItem> entries = items(preset);
    entries.removeIf([](const AppItem& item) { return item.kind == AppKind::blocked; });
    entries = Catalog::uniqueInstallItems(entries);
    entries.removeIf([&options](const AppItem& item) {
        return (options.noShortcuts && item.kind == AppKind::shortcut)
            || (options.noMimeDefaults && item.kind == AppKind::mime);
    });
    return entries;
}

QString checkTable(const QList<SystemCheck>& checks)
{
    QString table = QStringLiteral("\nKết quả kiểm tra hệ thống:\n");
    for (const SystemCheck& check : checks)
        table += SystemCheck::levelLabel(check.level).leftJustified(5, QLatin1Char(' '), true) + QLatin1Char(' ')
            + check.name.leftJustified(28, QLatin1Char(' '), true) + QLatin1Char(' ') + check.detail
            + QLatin1Char('\n');
    return table + QLatin1Char('\n');
}

QString usageText()
{
    static const std::pair<const char*, const char*> options[] = {
        {"--check", "Run system checks and generate the local audit report."},
        {"--preset VALUE", "minimal, standard or full."},
        {"--yes, -y", "Do not prompt before install."},
        {"--no-shortcuts", "Skip .webloc shortcut items."},
        {"--no-mime-defaults", "Skip ONLYDEVIVU default app assignment."},
        {"--no-gui", "Keep CLI/headless route."},
    };
    QStringList lines{
        QStringLiteral("Tavrin Devivu Kit macOS native CLI"),
        QString(),
        QStringLiteral("Usage:"),
        QStringLiteral("  TavrinDevivuKit --check --no-gui"),
        QStringLiteral("  TavrinDevivuKit --preset minimal --yes --no-gui"),
        QString(),
        QStringLiteral("Options:"),
    };
    for (const auto& [option, description] : options)
        lines << QStringLiteral("  ") + QString::fromUtf8(option).leftJustified(24) + QString::fromUtf8(description);
    return lines.join(QLatin1Char('\n'));
}

} // namespace TavrinCLI
