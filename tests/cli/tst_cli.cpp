#include "cli/TavrinCLI.h"

#include <QtTest>

Q_DECLARE_METATYPE(TavrinCLI::Options)

namespace {

using TavrinCLI::Options;

Options withPreset(const QString& preset, Options options = {})
{
    options.preset = preset;
    return options;
}

QStringList ids(const QList<AppItem>& items)
{
    QStringList result;
    for (const AppItem& item : items)
        result << item.id;
    return result;
}

} // namespace

class CliTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void shouldRun_data();
    void shouldRun();
    void parse_data();
    void parse();
    void plan_data();
    void plan();
    void checkTable();
};

void CliTest::shouldRun_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<bool>("headless");

    const QString program = QStringLiteral("/Applications/Tavrin Devivu Kit.app/Contents/MacOS/TavrinDevivuKit");
    const auto row = [&](const char* name, const QStringList& options, bool headless) {
        QTest::newRow(name) << (QStringList{program} + options) << headless;
    };
    QTest::newRow("no arguments at all") << QStringList{} << false;
    row("program path only", {}, false);
    QTest::newRow("program path is never read") << QStringList{QStringLiteral("--check")} << false;
    row("--check", {QStringLiteral("--check")}, true);
    row("--no-gui", {QStringLiteral("--no-gui")}, true);
    row("--preset last", {QStringLiteral("--preset")}, true);
    row("--preset=", {QStringLiteral("--preset=")}, true);
    row("--preset=full after others", {QStringLiteral("--yes"), QStringLiteral("--preset=full")}, true);
    row("--help", {QStringLiteral("--help")}, true);
    row("-h", {QStringLiteral("-h")}, true);
    row("--yes alone", {QStringLiteral("--yes")}, false);
    row("-y alone", {QStringLiteral("-y")}, false);
    row("--no-shortcuts and --no-mime-defaults",
        {QStringLiteral("--no-shortcuts"), QStringLiteral("--no-mime-defaults")}, false);
    row("letter case counts", {QStringLiteral("--CHECK"), QStringLiteral("-H")}, false);
    row("unknown arguments", {QStringLiteral("--presets"), QStringLiteral("-preset=x"), QStringLiteral("minimal")},
        false);
    row("prefix inside an argument", {QStringLiteral("x--preset=full")}, false);
    row("blank around a flag", {QStringLiteral(" --check")}, false);
}

void CliTest::shouldRun()
{
    QFETCH(QStringList, arguments);
    QFETCH(bool, headless);
    QCOMPARE(TavrinCLI::shouldRun(arguments), headless);
}

void CliTest::parse_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Options>("expected");

    Options all;
    all.check = all.noGUI = all.yes = all.noShortcuts = all.noMimeDefaults = all.help = true;
    Options yes;
    yes.yes = true;
    Options help;
    help.help = true;
    Options check;
    check.check = true;

    QTest::newRow("nothing") << QStringList{} << Options{};
    QTest::newRow("every flag")
        << QStringList{"--check", "--no-gui", "-y", "--no-shortcuts", "--no-mime-defaults", "-h"} << all;
    QTest::newRow("long forms") << QStringList{"--yes"} << yes;
    QTest::newRow("--help") << QStringList{"--help"} << help;
    QTest::newRow("flags repeat") << QStringList{"--check", "--check"} << check;
    QTest::newRow("unknown ignored") << QStringList{"-Y", "--Check", "minimal", "--preset-full"} << Options{};
    QTest::newRow("--preset VALUE") << QStringList{"--preset", "minimal"} << withPreset("minimal");
    QTest::newRow("--preset last changes nothing") << QStringList{"--yes", "--preset"} << yes;
    QTest::newRow("--preset takes a flag as its value")
        << QStringList{"--preset", "--yes"} << withPreset("--yes");
    QTest::newRow("--preset= empty") << QStringList{"--preset="} << withPreset("");
    QTest::newRow("--preset= keeps case and later =") << QStringList{"--preset=Full=x"} << withPreset("Full=x");
    QTest::newRow("later preset wins")
        << QStringList{"--preset", "minimal", "--check", "--preset=full"} << withPreset("full", check);
    QTest::newRow("value after --preset is consumed")
        << QStringList{"--preset", "--check", "standard"} << withPreset("--check");
    QTest::newRow("--preset= then --preset VALUE")
        << QStringList{"--preset=full", "--preset", "-y"} << withPreset("-y");
}

void CliTest::parse()
{
    QFETCH(QStringList, arguments);
    QFETCH(Options, expected);
    QCOMPARE(TavrinCLI::parse(arguments), expected);
}

void CliTest::plan_data()
{
    QTest::addColumn<QString>("preset");
    QTest::addColumn<bool>("noShortcuts");
    QTest::addColumn<bool>("noMimeDefaults");
    QTest::addColumn<QStringList>("expected");

    const QStringList minimal{"libreoffice", "ibus-unikey", "devivu-fonts", "evince",    "pdfarranger",
                              "archive-tools", "thunderbird", "flameshot"};
    // xournalpp installs the same cask as evince and is dropped.
    QTest::newRow("minimal") << "minimal" << false << false << minimal;
    QTest::newRow("minimal unaffected by filters") << "minimal" << true << true << minimal;
    QTest::newRow("standard")
        << "standard" << false << false
        << (minimal + QStringList{"onlyoffice", "onlyoffice-mime", "microsoft-365", "printer-drivers", "scanner-tools"});
    QTest::newRow("standard without shortcuts and defaults")
        << "standard" << true << true
        << (minimal + QStringList{"onlyoffice", "printer-drivers", "scanner-tools"});
    QTest::newRow("full without shortcuts: blocked entries dropped")
        << "full" << true << false
        << (minimal
            + QStringList{"onlyoffice", "onlyoffice-mime", "printer-drivers", "scanner-tools", "telegram", "slack",
                          "vlc", "gimp", "inkscape", "ocrmypdf", "remmina", "keepassxc", "gnome-disks"});
    QTest::newRow("names are lower-case only") << "Minimal" << false << false << QStringList{};
    QTest::newRow("unknown name") << "everything" << false << false << QStringList{};
}

void CliTest::plan()
{
    QFETCH(QString, preset);
    QFETCH(bool, noShortcuts);
    QFETCH(bool, noMimeDefaults);
    QFETCH(QStringList, expected);
    Options options;
    options.noShortcuts = noShortcuts;
    options.noMimeDefaults = noMimeDefaults;
    QCOMPARE(ids(TavrinCLI::plan(preset, options)), expected);
}

void CliTest::checkTable()
{
    using Level = SystemCheck::Level;
    const QList<SystemCheck> checks{
        SystemCheck::make(QStringLiteral("Homebrew"), Level::ok, QStringLiteral("/opt/homebrew/bin/brew")),
        // 16 UTF-16 units though longer in UTF-8 bytes.
        SystemCheck::make(QStringLiteral("Dung lượng trống"), Level::fail, QStringLiteral("3GB")),
        SystemCheck::make(QStringLiteral("exactly twenty-eight units.."), Level::warn, QString()),
        SystemCheck::make(QStringLiteral("a name that runs past the column"), Level::warn, QStringLiteral("x")),
    };
    const QString expected = QStringLiteral("\n"
                                            "Kết quả kiểm tra hệ thống:\n"
                                            "OK    Homebrew                     /opt/homebrew/bin/brew\n"
                                            "FAIL  Dung lượng trống             3GB\n"
                                            "WARN  exactly twenty-eight units.. \n"
                                            "WARN  a name that runs past the co x\n"
                                            "\n");
    QCOMPARE(TavrinCLI::checkTable(checks), expected);
}

QTEST_GUILESS_MAIN(CliTest)
#include "tst_cli.moc"
