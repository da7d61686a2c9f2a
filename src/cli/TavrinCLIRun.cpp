// The run of the command-line mode: validation, the engine, the two jobs.

#include "cli/TavrinCLI.h"

#include "cli/Console.h"
#include "engine/MacBackend.h"
#include "i18n/AppLanguage.h"
#include "platform/AppRuntime.h"

#include <exception>

namespace TavrinCLI {

namespace {

constexpr int success = 0;
constexpr int failure = 1;
constexpr int usageError = 2;
constexpr int declined = 130;

void printLine(const QString& line)
{
    Console::out(line + QLatin1Char('\n'));
}

// The confirmation: "y" or "yes" in any letter case, blanks around allowed.
// End of input counts as an empty answer.
bool confirmed()
{
    Console::out(QStringLiteral("Tiếp tục? [y/N] "));
    const QString answer = Console::readLine().value_or(QString()).trimmed().toLower();
    return answer == QLatin1String("y") || answer == QLatin1String("yes");
}

int runCheck(MacBackend& engine)
{
    const QList<SystemCheck> checks = engine.systemChecks();
    engine.log(QStringLiteral("System check summary:"));
    for (const SystemCheck& check : checks)
        engine.log(QStringLiteral("CHECK ") + SystemCheck::levelLabel(check.level) + QStringLiteral(": ") + check.name
                   + QStringLiteral(" - ") + check.detail);
    printChecks(checks);

    QString report;
    try {
        report = engine.writeReport(checks, std::nullopt, AppLanguage::vietnamese);
    } catch (const std::exception& error) {
        Console::err(QStringLiteral("Không thể tạo report: ") + QString::fromLocal8Bit(error.what())
                     + QLatin1Char('\n'));
        return failure;
    }
    printLine(QStringLiteral("Report: ") + report);
    return success;
}

int runPreset(MacBackend& engine, const QString& preset, const Options& options)
{
    const QList<AppItem> entries = plan(preset, options);
    const QStringList blockers = engine.installBlockers(entries);
    if (!blockers.isEmpty()) {
        for (const QString& blocker : blockers)
            Console::err(QStringLiteral("BLOCK: ") + blocker + QLatin1Char('\n'));
        return failure;
    }

    printLine(QStringLiteral("Kế hoạch cài đặt:"));
    for (const AppItem& entry : entries)
        printLine(QStringLiteral("- ") + entry.macName + QStringLiteral(" (") + EnumText::toString(entry.kind)
                  + QLatin1Char(')'));
    printLine(QStringLiteral("Log: ") + AppRuntime::logFile());

    if (!options.yes && !confirmed()) {
        printLine(QStringLiteral("Đã hủy."));
        return declined;
    }

    int succeeded = 0;
    int failed = 0;
    for (const AppItem& entry : entries) {
        if (engine.install(entry))
            ++succeeded;
        else
            ++failed;
    }
    printLine(QStringLiteral("Hoàn tất: ") + QString::number(succeeded) + QStringLiteral(" thành công, ")
              + QString::number(failed) + QStringLiteral(" lỗi."));
    return failed == 0 ? success : failure;
}

} // namespace

void printChecks(const QList<SystemCheck>& checks)
{
    Console::out(checkTable(checks));
}

int run(const QStringList& arguments)
{
    const Options options = parse(arguments.mid(1));
    if (options.help) {
        printLine(usageText());
        return success;
    }

    // The preset is checked before the engine exists: a usage error leaves
    // no log folder or file behind.
    QString preset;
    if (!options.check) {
        if (!options.preset) {
            Console::err(QStringLiteral(
                "CLI cần --preset minimal|standard|full hoặc --check. Bỏ --no-gui để mở app GUI.\n"));
            return usageError;
        }
        preset = options.preset->toLower();
        if (!presetNames().contains(preset)) {
            Console::err(QStringLiteral("Preset không hợp lệ. Dùng minimal, standard hoặc full.\n"));
            return usageError;
        }
    }

    // Lines are handed over inside log() itself: each is on standard output
    // before the engine goes on, and none can be left behind at exit.
    MacBackend engine([](const QString& line) { printLine(line); }, [](const InstallProgressUpdate&) {},
                      MacBackend::Delivery::synchronous);
    return options.check ? runCheck(engine) : runPreset(engine, preset, options);
}

} // namespace TavrinCLI
