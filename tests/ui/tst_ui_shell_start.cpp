// The window start: the display check, and quitting while an install runs.
// The quitting test runs window_quit_child (the program's own window start)
// on a fake Mac whose Homebrew install never ends by itself.

#include "cli/HeadlessRun.h"
#include "ui/shell/WindowStart.h"

#include <QFile>
#include <QProcess>
#include <QtTest>

#include <csignal>
#include <sys/types.h>

namespace {

// Kills a process left running by the test when it goes.
class ProcessKiller {
public:
    explicit ProcessKiller(pid_t pid) : m_pid(pid) {}
    ~ProcessKiller()
    {
        if (m_pid > 0)
            ::kill(m_pid, SIGKILL);
    }
    ProcessKiller(const ProcessKiller&) = delete;
    ProcessKiller& operator=(const ProcessKiller&) = delete;

private:
    pid_t m_pid;
};

} // namespace

class UiShellStartTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void display_data();
    void display();
    void closingTheWindowQuitsWhileAnInstallRuns();
};

void UiShellStartTest::display_data()
{
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<bool>("hasDisplay");
    QTest::newRow("none") << QStringList{} << false;
    QTest::newRow("X11") << QStringList{"DISPLAY=:0"} << true;
    QTest::newRow("Wayland") << QStringList{"WAYLAND_DISPLAY=wayland-0"} << true;
    QTest::newRow("a platform for Qt") << QStringList{"QT_QPA_PLATFORM=offscreen"} << true;
    QTest::newRow("all empty") << QStringList{"DISPLAY=", "WAYLAND_DISPLAY=", "QT_QPA_PLATFORM="} << false;
    QTest::newRow("others only") << QStringList{"XDG_SESSION_TYPE=x11", "TERM=xterm"} << false;
}

void UiShellStartTest::display()
{
    QFETCH(QStringList, variables);
    QFETCH(bool, hasDisplay);
    QProcessEnvironment environment;
    for (const QString& variable : variables) {
        const qsizetype equals = variable.indexOf(u'=');
        environment.insert(variable.left(equals), variable.mid(equals + 1));
    }
    QCOMPARE(WindowStart::hasDisplay(environment), hasDisplay);
    QVERIFY(!WindowStart::noDisplayMessage().contains(u'\n'));
}

void UiShellStartTest::closingTheWindowQuitsWhileAnInstallRuns()
{
    HeadlessRun run;
    QVERIFY2(run.mac.isValid(), qPrintable(run.mac.error()));
    QVERIFY(run.readyForPresets());
    QVERIFY(run.mac.setState(QStringLiteral("brew-hold"), "1\n"));

    QProcessEnvironment environment = run.environment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.insert(QStringLiteral("TAVRIN_UI_ANIMATIONS"), QStringLiteral("0"));
    QProcess child;
    child.setProcessEnvironment(environment);
    child.setWorkingDirectory(run.home());
    child.setStandardInputFile(QProcess::nullDevice());
    child.start(QStringLiteral(TAVRIN_QUIT_CHILD), {});
    QVERIFY(child.waitForStarted());
    const bool finished = child.waitForFinished(180000);

    // Whatever happened, the held brew is ended by the test.
    const QByteArray held = run.mac.state(QStringLiteral("brew-held")).trimmed();
    const pid_t brew = held.isEmpty() ? 0 : pid_t(held.toLongLong());
    const ProcessKiller killer(brew);

    QVERIFY2(finished, "the program did not end after its window was closed");
    const QByteArray errors = child.readAllStandardError();
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QVERIFY2(child.exitCode() == 0, errors.constData());
    QVERIFY(brew > 0);
    // The program ended while brew still runs: it did not wait for it.
    QCOMPARE(::kill(brew, 0), 0);

    // The first entry of the preset reached brew; the rest never will.
    QStringList installs;
    for (const QStringList& call : run.mac.calls(QStringLiteral("/opt/homebrew/bin/brew"))) {
        if (call.value(1) == QLatin1String("install"))
            installs.append(call.mid(1).join(u' '));
    }
    QCOMPARE(installs, QStringList{QStringLiteral("install --cask libreoffice")});
    QVERIFY2(run.logLines().join(u'\n').contains(QStringLiteral("==> Fetching libreoffice")),
             qPrintable(run.logLines().join(u'\n')));
}

QTEST_GUILESS_MAIN(UiShellStartTest)
#include "tst_ui_shell_start.moc"
