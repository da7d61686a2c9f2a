// The program run as a child process against a fake Mac, as a technician runs
// it: options, printed lines and their order, exit statuses, the log file,
// the report and the fixture calls.

#include "HeadlessRun.h"

#include "model/SystemCheckTexts.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QtTest>

namespace {

constexpr qint64 gigabyte = qint64(1) << 30;
const QStringList attachDetach{QStringLiteral("attach"), QStringLiteral("detach")};

const QString noJob =
    QStringLiteral("CLI cần --preset minimal|standard|full hoặc --check. Bỏ --no-gui để mở app GUI.\n");
const QString invalidPreset = QStringLiteral("Preset không hợp lệ. Dùng minimal, standard hoặc full.\n");
const QString windowNotice = QStringLiteral("no display to open the window on");

const QStringList minimalPlan{
    QStringLiteral("- LibreDevivu + Vietnamese (cask)"), QStringLiteral("- Vietnamese Input Sources (builtin)"),
    QStringLiteral("- Devivu Fonts (cask)"),             QStringLiteral("- Skim (cask)"),
    QStringLiteral("- PDFsam Basic (cask)"),             QStringLiteral("- Archive Tools (bundle)"),
    QStringLiteral("- Thunderbird (direct)"),            QStringLiteral("- Screenshot & Markup (builtin)"),
};

// The packages brew was asked to install, in order.
QStringList brewInstalls(const FakeMac& mac)
{
    QStringList packages;
    for (const QStringList& call : mac.calls(QStringLiteral("/opt/homebrew/bin/brew"))) {
        if (call.value(1) != QLatin1String("install"))
            continue;
        for (const QString& argument : call.mid(2))
            if (!argument.startsWith(QLatin1String("--")))
                packages << argument;
    }
    return packages;
}

// The first argument of each call of a fixture program.
QStringList verbs(const FakeMac& mac, const QString& program)
{
    QStringList result;
    for (const QStringList& call : mac.calls(program))
        result << call.value(1);
    return result;
}

// The preset runs install through the engine, whose blockers ask for 5 GB
// free on the volume of the fake Mac (the real disk).
bool enoughSpace(const HeadlessRun& run, QString* why)
{
    const std::optional<qint64> free = run.mac.host().freeBytes();
    if (free && *free >= 5 * gigabyte)
        return true;
    *why = QStringLiteral("skipped: the disk of the temporary folder has %1 GB free, and a preset install needs 5 GB")
               .arg(free ? *free / gigabyte : 0);
    return false;
}

} // namespace

#define REQUIRE_FAKE_MAC(run)                                                                                          \
    QVERIFY2((run).mac.isValid(), qPrintable((run).mac.error()));

#define REQUIRE_PRESET_MAC(run)                                                                                        \
    REQUIRE_FAKE_MAC(run)                                                                                              \
    do {                                                                                                               \
        QString why;                                                                                                   \
        if (!enoughSpace(run, &why))                                                                                   \
            QSKIP(qPrintable(why));                                                                                    \
        QVERIFY((run).readyForPresets());                                                                              \
    } while (false)

class CliEndToEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void help_data();
    void help();
    void refusedBeforeTheEngine_data();
    void refusedBeforeTheEngine();
    void check_data();
    void check();
    void reportBelowARegularFile();
    void presetInstallsThePlan();
    void oneEntryFailing();
    void blockerStopsBeforeAnyInstall();
    void killedDuringCopyDoesNotBlockTheEntry();
    void confirmation_data();
    void confirmation();
};

void CliEndToEndTest::help_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--help") << QStringList{QStringLiteral("--help")};
    QTest::newRow("-h with a job and an invalid preset")
        << QStringList{QStringLiteral("--check"), QStringLiteral("--preset=bogus"), QStringLiteral("-h")};
}

void CliEndToEndTest::help()
{
    QFETCH(QStringList, arguments);
    HeadlessRun run;
    REQUIRE_FAKE_MAC(run);
    const HeadlessRun::Result result = run.run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 0);
    QCOMPARE(QString::fromUtf8(result.out),
             QStringLiteral("Tavrin Devivu Kit macOS native CLI\n"
                            "\n"
                            "Usage:\n"
                            "  TavrinDevivuKit --check --no-gui\n"
                            "  TavrinDevivuKit --preset minimal --yes --no-gui\n"
                            "\n"
                            "Options:\n"
                            "  --check                 Run system checks and generate the local audit report.\n"
                            "  --preset VALUE          minimal, standard or full.\n"
                            "  --yes, -y               Do not prompt before install.\n"
                            "  --no-shortcuts          Skip .webloc shortcut items.\n"
                            "  --no-mime-defaults      Skip ONLYDEVIVU default app assignment.\n"
                            "  --no-gui                Keep CLI/headless route.\n"));
    QCOMPARE(result.err, QByteArray());
    QVERIFY(!QFileInfo::exists(run.logFolder()));
    QVERIFY(run.mac.calls().isEmpty());
}

void CliEndToEndTest::refusedBeforeTheEngine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("error");

    QTest::newRow("--no-gui alone") << QStringList{"--no-gui"} << 2 << noJob;
    QTest::newRow("--preset last") << QStringList{"--yes", "--preset"} << 2 << noJob;
    QTest::newRow("--preset= empty") << QStringList{"--preset="} << 2 << invalidPreset;
    QTest::newRow("unknown preset") << QStringList{"--preset", "office", "--no-gui"} << 2 << invalidPreset;
    QTest::newRow("--preset takes --yes as its name")
        << QStringList{"--preset", "--yes", "minimal"} << 2 << invalidPreset;
    // Without a headless option the window starts; without a display (the
    // child has none) it says so in one line.
    QTest::newRow("no arguments: window") << QStringList{} << 1 << windowNotice;
    QTest::newRow("--yes alone: window") << QStringList{"--yes", "minimal"} << 1 << windowNotice;
    QTest::newRow("--no-shortcuts alone: window") << QStringList{"--no-shortcuts"} << 1 << windowNotice;
}

// Usage errors and the window start happen before any engine exists: no log
// folder, no tool run.
void CliEndToEndTest::refusedBeforeTheEngine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, error);
    HeadlessRun run;
    REQUIRE_FAKE_MAC(run);
    const HeadlessRun::Result result = run.run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, status);
    QCOMPARE(result.out, QByteArray());
    if (status == 2)
        QCOMPARE(QString::fromUtf8(result.err), error);
    else
        QVERIFY2(QString::fromUtf8(result.err).contains(error) && result.err.count('\n') == 1, result.err.constData());
    QVERIFY(!QFileInfo::exists(run.logFolder()));
    QVERIFY(run.mac.calls().isEmpty());
}

void CliEndToEndTest::check_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::newRow("--check") << QStringList{QStringLiteral("--check")};
    QTest::newRow("--check ignores an invalid preset")
        << QStringList{QStringLiteral("--preset"), QStringLiteral("bogus"), QStringLiteral("--check"),
                       QStringLiteral("--no-gui")};
}

void CliEndToEndTest::check()
{
    QFETCH(QStringList, arguments);
    HeadlessRun run;
    REQUIRE_FAKE_MAC(run);
    const HeadlessRun::Result result = run.run(arguments);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 0);
    QCOMPARE(result.err, QByteArray());

    // The log file: the summary line, then one line per check in the
    // engine's order, among the lines of the report's scan.
    const QStringList log = run.logLines();
    const qsizetype summary = log.indexOf(QRegularExpression(QStringLiteral("^\\[..:..:..\\] System check summary:$")));
    QVERIFY2(summary >= 0, qPrintable(log.join(QLatin1Char('\n'))));
    const QStringList names{SystemCheckTexts::macOSCompatibilityName, SystemCheckTexts::cpuArchitectureName,
                            SystemCheckTexts::homebrewName,           SystemCheckTexts::internetConnectionName,
                            SystemCheckTexts::xcodeCommandLineToolsName, QString::fromUtf8(SystemCheckTexts::freeSpaceName),
                            SystemCheckTexts::userModeName,           SystemCheckTexts::libreDevivuName,
                            SystemCheckTexts::onlyDevivuName};
    const QRegularExpression checkLine(QStringLiteral("^\\[..:..:..\\] CHECK (OK|WARN|FAIL): (.*) - (.*)$"));
    QStringList table;
    for (qsizetype index = 0; index < names.size(); ++index) {
        const QRegularExpressionMatch match = checkLine.match(log.value(summary + 1 + index));
        QVERIFY2(match.hasMatch(), qPrintable(log.value(summary + 1 + index)));
        QCOMPARE(match.captured(2), names.at(index));
        table << match.captured(1).leftJustified(5) + QLatin1Char(' ') + names.at(index).leftJustified(28)
                + QLatin1Char(' ') + match.captured(3);
    }
    QVERIFY(table.contains(QStringLiteral("OK    Homebrew                     /opt/homebrew/bin/brew")));
    QVERIFY(table.contains(QStringLiteral("OK    Xcode Command Line Tools     Đã có xcode-select.")));

    // Standard output: every engine line, as the log file holds them (none
    // lost at exit), and the table, then the report's path.
    QCOMPARE(result.engineLines, log);
    const QStringList printed = QStringList{QString(), QStringLiteral("Kết quả kiểm tra hệ thống:")} + table
        + QStringList{QString(), QStringLiteral("Report: ") + run.reportFile()};
    QCOMPARE(result.ownLines, printed);

    QFile report(run.reportFile());
    QVERIFY(report.open(QIODevice::ReadOnly));
    const QStringList reportLines = QString::fromUtf8(report.readAll()).split(QLatin1Char('\n'));
    QCOMPARE(reportLines.value(0), QStringLiteral("Tavrin Devivu Kit macOS Report"));
    QVERIFY(reportLines.contains(QStringLiteral("Kiểm tra hệ thống:")));
    QCOMPARE(report.permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), QFileDevice::Permissions());
}

void CliEndToEndTest::reportBelowARegularFile()
{
    HeadlessRun run;
    REQUIRE_FAKE_MAC(run);
    const QString blocker = run.home() + QStringLiteral("/notes.txt");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QProcessEnvironment environment = run.environment();
    environment.insert(QStringLiteral("TAVRIN_MAC_REPORT_FILE"), blocker + QStringLiteral("/report.txt"));

    const HeadlessRun::Result result = run.run({QStringLiteral("--check")}, {}, environment);
    QVERIFY(result.finished);
    QCOMPARE(result.status, 1);
    const QString error = QString::fromUtf8(result.err);
    QVERIFY2(error.startsWith(QStringLiteral("Không thể tạo report: ")) && error.endsWith(QLatin1Char('\n'))
                 && error.count(QLatin1Char('\n')) == 1 && error.size() > 24,
             qPrintable(error));
    QVERIFY(!result.ownLines.isEmpty());
    QVERIFY(!result.ownLines.last().startsWith(QStringLiteral("Report:")));
    QCOMPARE(result.ownLines.value(1), QStringLiteral("Kết quả kiểm tra hệ thống:"));
}

void CliEndToEndTest::presetInstallsThePlan()
{
    HeadlessRun run;
    REQUIRE_PRESET_MAC(run);
    const HeadlessRun::Result result =
        run.run({QStringLiteral("--preset"), QStringLiteral("minimal"), QStringLiteral("--yes"),
                 QStringLiteral("--no-gui")});
    QVERIFY(result.finished);
    const QStringList printed = QStringList{QStringLiteral("Kế hoạch cài đặt:")} + minimalPlan
        + QStringList{QStringLiteral("Log: ") + run.logFile(), QStringLiteral("Hoàn tất: 8 thành công, 0 lỗi.")};
    QCOMPARE(result.ownLines, printed);
    QCOMPARE(result.err, QByteArray());
    QCOMPARE(result.status, 0);
    QCOMPARE(result.engineLines, run.logLines());

    const QStringList expectedInstalls{"libreoffice", "libreoffice-language-pack", "font-noto-sans", "font-noto-serif",
                          "font-noto-sans-cjk", "font-noto-serif-cjk", "font-noto-color-emoji", "font-liberation",
                          "font-carlito", "font-caladea", "skim", "pdfsam-basic", "p7zip", "keka"};
    QCOMPARE(brewInstalls(run.mac), expectedInstalls);
    QCOMPARE(verbs(run.mac, QStringLiteral("/usr/bin/hdiutil")), attachDetach);
    QCOMPARE(run.mac.calls(QStringLiteral("/usr/bin/curl")).size(), 1);
    QCOMPARE(run.mac.calls(QStringLiteral("/usr/bin/open")).size(), 2);
    QVERIFY(QFileInfo(run.mac.path(QStringLiteral("/Applications/Thunderbird.app/Contents/Info.plist"))).isFile());
}

void CliEndToEndTest::oneEntryFailing()
{
    HeadlessRun run;
    REQUIRE_PRESET_MAC(run);
    QVERIFY(run.mac.setState(QStringLiteral("brew-fail"), "install skim\n"));
    const HeadlessRun::Result result = run.run({QStringLiteral("--preset=minimal"), QStringLiteral("-y")});
    QVERIFY(result.finished);
    QCOMPARE(result.ownLines.value(result.ownLines.size() - 1), QStringLiteral("Hoàn tất: 7 thành công, 1 lỗi."));
    QCOMPARE(result.status, 1);
    // Every entry after the failing one was still attempted.
    const QStringList installs = brewInstalls(run.mac);
    const QStringList afterSkim{"skim", "pdfsam-basic", "p7zip", "keka"};
    QCOMPARE(installs.mid(installs.indexOf(QStringLiteral("skim"))), afterSkim);
    QCOMPARE(verbs(run.mac, QStringLiteral("/usr/bin/hdiutil")), attachDetach);
    QCOMPARE(run.mac.calls(QStringLiteral("/usr/bin/open")).size(), 2);
}

void CliEndToEndTest::blockerStopsBeforeAnyInstall()
{
    HeadlessRun run;
    REQUIRE_PRESET_MAC(run);
    QVERIFY(run.mac.removeFile(QStringLiteral("/opt/homebrew/bin/brew")));
    const HeadlessRun::Result result = run.run({QStringLiteral("--preset"), QStringLiteral("minimal"),
                                                QStringLiteral("--yes")});
    QVERIFY(result.finished);
    QCOMPARE(result.status, 1);
    QCOMPARE(result.out, QByteArray());
    const QStringList errors = QString::fromUtf8(result.err).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    QVERIFY(!errors.isEmpty());
    for (const QString& line : errors)
        QVERIFY2(line.startsWith(QStringLiteral("BLOCK: ")), qPrintable(line));
    QVERIFY(errors.contains(QStringLiteral("BLOCK: Chưa có Homebrew. Cài Homebrew từ https://brew.sh rồi chạy lại.")));
    for (const char* tool : {"/usr/bin/curl", "/usr/bin/hdiutil", "/usr/bin/open", "/usr/bin/ditto"})
        QVERIFY2(run.mac.calls(QString::fromLatin1(tool)).isEmpty(), tool);
}

// The program dies while ditto copies a vendor application (the fixture kills
// it half-way, as a crash or power loss would): the destination never holds a
// part, and the next run clears what the dead one left and installs.
void CliEndToEndTest::killedDuringCopyDoesNotBlockTheEntry()
{
    HeadlessRun run;
    REQUIRE_PRESET_MAC(run);
    const QDir applications(run.mac.path(QStringLiteral("/Applications")));
    const QDir mounts(run.home() + QStringLiteral("/Caches/Tavrin/mounts"));
    const QString target = applications.filePath(QStringLiteral("Thunderbird.app"));
    const auto copies = [&] {
        return applications.entryList({QStringLiteral(".Thunderbird-*.app")},
                                      QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    };
    const QStringList minimal{QStringLiteral("--preset"), QStringLiteral("minimal"), QStringLiteral("--yes")};

    QVERIFY(run.mac.setState(QStringLiteral("ditto-mode"), "die\n"));
    const HeadlessRun::Result killed = run.run(minimal);
    QVERIFY(!killed.finished);
    QVERIFY(!killed.ownLines.join(QLatin1Char('\n')).contains(QStringLiteral("Hoàn tất:")));
    QVERIFY(!QFileInfo::exists(target));
    QCOMPARE(copies().size(), 1);
    const QString partial = applications.filePath(copies().first());
    QVERIFY(QFileInfo(partial + QStringLiteral("/Contents/Info.plist")).isFile());
    QVERIFY(!QFileInfo::exists(partial + QStringLiteral("/.fake-signature")));
    const QStringList mountPoints = mounts.entryList({QStringLiteral("thunderbird-*")}, QDir::Dirs);
    QCOMPARE(mountPoints.size(), 1);
    QVERIFY(!QDir(mounts.filePath(mountPoints.first())).isEmpty()); // its image still attached

    QVERIFY(run.mac.removeState(QStringLiteral("ditto-mode")));
    run.mac.clearCalls();
    const HeadlessRun::Result again = run.run(minimal);
    QVERIFY(again.finished);
    QCOMPARE(again.status, 0);
    QVERIFY(QFileInfo(target + QStringLiteral("/.fake-signature")).isFile());
    QCOMPARE(copies(), QStringList());
    QCOMPARE(mounts.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("thunderbird.lock")});
    QCOMPARE(run.mac.calls(QStringLiteral("/usr/bin/hdiutil")).first(),
             QStringList({QStringLiteral("/usr/bin/hdiutil"), QStringLiteral("detach"), mounts.filePath(mountPoints.first()),
                          QStringLiteral("-quiet")}));
    QCOMPARE(verbs(run.mac, QStringLiteral("/usr/bin/hdiutil")), QStringList({"detach", "attach", "detach"}));
    const QString removal = QStringLiteral("] Đã xoá bản copy dở dang của lần cài trước: /Applications/")
        + QFileInfo(partial).fileName();
    QCOMPARE(run.logLines().filter(removal).size(), 1);
}

void CliEndToEndTest::confirmation_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QStringList>("plan");
    QTest::addColumn<int>("status");

    const QStringList minimal{QStringLiteral("--preset"), QStringLiteral("minimal")};
    const QStringList standardPlan = minimalPlan
        + QStringList{QStringLiteral("- ONLYDEVIVU Desktop Editors (cask)"),
                      QStringLiteral("- Set ONLYDEVIVU Defaults (mime)"),
                      QStringLiteral("- Microsoft 365 shortcut (shortcut)"),
                      QStringLiteral("- Printers & Scanners (builtin)"), QStringLiteral("- SANE scanner tools (formula)")};

    QTest::newRow("y") << minimal << QByteArray("y\n") << minimalPlan << 0;
    QTest::newRow("YES with blanks, preset in capitals")
        << QStringList{QStringLiteral("--preset=MiniMal")} << QByteArray(" YES \n") << minimalPlan << 0;
    QTest::newRow("n") << minimal << QByteArray("n\n") << minimalPlan << 130;
    QTest::newRow("empty line") << minimal << QByteArray("\n") << minimalPlan << 130;
    QTest::newRow("end of input") << minimal << QByteArray() << minimalPlan << 130;
    QTest::newRow("other answer") << minimal << QByteArray("yes please\n") << minimalPlan << 130;
    QTest::newRow("standard plan") << QStringList{QStringLiteral("--preset"), QStringLiteral("Standard")}
                                   << QByteArray("no\n") << standardPlan << 130;
    QTest::newRow("standard without shortcuts and defaults")
        << QStringList{QStringLiteral("--no-shortcuts"), QStringLiteral("--preset"), QStringLiteral("standard"),
                       QStringLiteral("--no-mime-defaults")}
        << QByteArray("\n")
        << (minimalPlan
            + QStringList{QStringLiteral("- ONLYDEVIVU Desktop Editors (cask)"),
                          QStringLiteral("- Printers & Scanners (builtin)"),
                          QStringLiteral("- SANE scanner tools (formula)")})
        << 130;
}

void CliEndToEndTest::confirmation()
{
    QFETCH(QStringList, arguments);
    QFETCH(QByteArray, answer);
    QFETCH(QStringList, plan);
    QFETCH(int, status);
    HeadlessRun run;
    REQUIRE_PRESET_MAC(run);
    const HeadlessRun::Result result = run.run(arguments, answer);
    QVERIFY(result.finished);
    QCOMPARE(result.status, status);
    QCOMPARE(result.err, QByteArray());
    const QStringList head = QStringList{QStringLiteral("Kế hoạch cài đặt:")} + plan
        + QStringList{QStringLiteral("Log: ") + run.logFile()};
    if (status == 130) {
        QCOMPARE(result.ownLines, head + QStringList{HeadlessRun::prompt() + QStringLiteral("Đã hủy.")});
        QCOMPARE(brewInstalls(run.mac), QStringList());
        QVERIFY(run.mac.calls(QStringLiteral("/usr/bin/curl")).isEmpty());
        QVERIFY(run.mac.calls(QStringLiteral("/usr/bin/open")).isEmpty());
        return;
    }
    QCOMPARE(result.ownLines, head + QStringList{QStringLiteral("Hoàn tất: 8 thành công, 0 lỗi.")});
    QVERIFY(result.out.contains(HeadlessRun::prompt().toUtf8() + "["));
    QVERIFY(!brewInstalls(run.mac).isEmpty());
}

QTEST_GUILESS_MAIN(CliEndToEndTest)
#include "tst_cli_e2e.moc"
