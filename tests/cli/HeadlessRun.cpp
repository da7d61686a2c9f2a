#include "HeadlessRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QRegularExpression>

namespace {

QStringList lines(const QByteArray& bytes)
{
    QStringList result = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    if (!result.isEmpty() && result.last().isEmpty())
        result.removeLast();
    return result;
}

} // namespace

HeadlessRun::HeadlessRun()
{
    QDir().mkpath(home());
}

QString HeadlessRun::home() const
{
    return QFileInfo(mac.root()).path() + QStringLiteral("/home");
}

QString HeadlessRun::logFolder() const
{
    return home() + QStringLiteral("/Library/Logs/Tavrin");
}

QString HeadlessRun::logFile() const
{
    return logFolder() + QStringLiteral("/tavrin-office-kit.log");
}

QString HeadlessRun::reportFile() const
{
    return home() + QStringLiteral("/Support/Reports/tavrin-office-kit-report.txt");
}

QProcessEnvironment HeadlessRun::environment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "HOMEBREW_BREW_FILE",
                             "TAVRIN_MAC_REPORT_FILE"})
        environment.remove(QString::fromLatin1(name));
    environment.insert(QStringLiteral("TAVRIN_MAC_ROOT"), mac.root());
    environment.insert(QStringLiteral("TAVRIN_FAKE_LOG"), mac.callLogPath());
    environment.insert(QStringLiteral("TAVRIN_FAKE_ROOT"), mac.root());
    environment.insert(QStringLiteral("HOME"), home());
    environment.insert(QStringLiteral("TAVRIN_MAC_CONFIG_DIR"), home() + QStringLiteral("/Support"));
    environment.insert(QStringLiteral("TAVRIN_MAC_CACHE_DIR"), home() + QStringLiteral("/Caches/Tavrin"));
    environment.insert(QStringLiteral("TAVRIN_MAC_LOG_DIR"), logFolder());
    environment.insert(QStringLiteral("TAVRIN_MAC_SHORTCUT_DIR"), home() + QStringLiteral("/Applications/Tavrin"));
    return environment;
}

bool HeadlessRun::readyForPresets() const
{
    QProcess script;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), home());
    script.setProcessEnvironment(environment);
    script.start(QStringLiteral("/bin/sh"), {mac.path(QStringLiteral("/.fake/ready-for-presets"))});
    return script.waitForFinished(60000) && script.exitStatus() == QProcess::NormalExit && script.exitCode() == 0;
}

HeadlessRun::Result HeadlessRun::run(const QStringList& arguments, const QByteArray& input) const
{
    return run(arguments, input, environment());
}

HeadlessRun::Result HeadlessRun::run(const QStringList& arguments, const QByteArray& input,
                                     const QProcessEnvironment& environment) const
{
    QProcess program;
    program.setProcessEnvironment(environment);
    program.setWorkingDirectory(home());
    program.start(QStringLiteral(TAVRIN_PROGRAM), arguments);
    Result result;
    if (!program.waitForStarted())
        return result;
    program.write(input);
    program.closeWriteChannel();
    result.finished = program.waitForFinished(240000) && program.exitStatus() == QProcess::NormalExit;
    result.status = program.exitCode();
    result.out = program.readAllStandardOutput();
    result.err = program.readAllStandardError();

    static const QRegularExpression stamp(QStringLiteral("^\\[\\d\\d:\\d\\d:\\d\\d\\] "));
    for (QString line : lines(result.out)) {
        if (line.startsWith(prompt()) && stamp.match(line.mid(prompt().size())).hasMatch())
            line = line.mid(prompt().size());
        (stamp.match(line).hasMatch() ? result.engineLines : result.ownLines).append(line);
    }
    return result;
}

QStringList HeadlessRun::logLines() const
{
    QFile file(logFile());
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return lines(file.readAll());
}

QString HeadlessRun::prompt()
{
    return QStringLiteral("Tiếp tục? [y/N] ");
}
