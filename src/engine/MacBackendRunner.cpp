// The child-process runner of the engine.

#include "engine/ChildOutputLines.h"
#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/ChildProcess.h"
#include "platform/FileSystem.h"
#include "platform/TildePath.h"
#include "platform/Utf8.h"

namespace {

void appendOnce(QStringList& list, const QString& entry)
{
    if (!list.contains(entry))
        list.append(entry);
}

} // namespace

const QStringList& MacBackend::searchPathPrefix()
{
    static const QStringList prefix{
        QStringLiteral("/opt/homebrew/bin"), QStringLiteral("/opt/homebrew/sbin"), QStringLiteral("/usr/local/bin"),
        QStringLiteral("/usr/local/sbin"),   QStringLiteral("/usr/bin"),           QStringLiteral("/bin"),
        QStringLiteral("/usr/sbin"),         QStringLiteral("/sbin"),
    };
    return prefix;
}

QStringList MacBackend::commandSearchPath() const
{
    QStringList folders = searchPathPrefix();
    for (const QString& piece : qEnvironmentVariable("PATH").split(QLatin1Char(':'), Qt::SkipEmptyParts))
        appendOnce(folders, piece);
    return folders;
}

QProcessEnvironment MacBackend::commandEnvironment() const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QStringList local;
    for (const QString& folder : commandSearchPath())
        appendOnce(local, m_host.map(folder));
    environment.insert(QStringLiteral("PATH"), local.join(QLatin1Char(':')));
    return environment;
}

std::optional<QString> MacBackend::commandPath(const QString& command) const
{
    if (command.isEmpty())
        return std::nullopt;
    if (command.contains(QLatin1Char('/'))) {
        const QString path = TildePath::expand(command);
        if (FileSystem::isExecutableFile(m_host.map(path)))
            return path;
        return std::nullopt;
    }
    for (const QString& folder : commandSearchPath()) {
        const QString candidate = AppRuntime::appendingComponent(folder, command);
        if (FileSystem::isExecutableFile(m_host.map(candidate)))
            return candidate;
    }
    return std::nullopt;
}

namespace {

ChildProcess::Request requestFor(const QString& executable, const QStringList& arguments,
                                 const QProcessEnvironment& environment, ChildProcess::Output output)
{
    ChildProcess::Request request;
    request.executable = executable;
    request.arguments = arguments.mid(1);
    request.environment = environment;
    request.output = output;
    return request;
}

} // namespace

int MacBackend::runCommand(const QStringList& arguments, const QString& description,
                           const std::optional<QString>& currentDirectory)
{
    log(QStringLiteral("$ ") + description);
    const QString command = arguments.value(0);
    const std::optional<QString> resolved = commandPath(command);
    if (!resolved) {
        log(QStringLiteral("Lỗi: không tìm thấy lệnh ") + command);
        return 127;
    }
    ChildProcess::Request request =
        requestFor(m_host.map(*resolved), arguments, commandEnvironment(), ChildProcess::Output::combined);
    request.workingDirectory = currentDirectory.value_or(QString());
    ChildOutputLines lines;
    const ChildProcess::Outcome outcome = ChildProcess::run(request, [this, &lines](const QByteArray& chunk) {
        for (const QString& line : lines.take(chunk))
            log(line);
    });
    if (!outcome.started) {
        log(QStringLiteral("Không chạy được ") + description + QStringLiteral(": ") + outcome.error);
        return 127;
    }
    log(QStringLiteral("Hoàn tất: ") + description + QStringLiteral(" (exit ") + QString::number(outcome.exitStatus)
        + QLatin1Char(')'));
    return outcome.exitStatus;
}

int MacBackend::runQuiet(const QStringList& arguments)
{
    const std::optional<QString> resolved = commandPath(arguments.value(0));
    if (!resolved)
        return 127;
    const ChildProcess::Outcome outcome = ChildProcess::run(
        requestFor(m_host.map(*resolved), arguments, commandEnvironment(), ChildProcess::Output::discard));
    return outcome.started ? outcome.exitStatus : 127;
}

MacBackend::CapturedRun MacBackend::runCaptureStatus(const QStringList& arguments)
{
    const std::optional<QString> resolved = commandPath(arguments.value(0));
    if (!resolved)
        return {};
    QByteArray output;
    const ChildProcess::Outcome outcome = ChildProcess::capture(
        requestFor(m_host.map(*resolved), arguments, commandEnvironment(), ChildProcess::Output::standardOutput),
        output);
    if (!outcome.started)
        return {};
    return {outcome.exitStatus, Utf8::decode(output).value_or(QString())};
}

QString MacBackend::runCapture(const QStringList& arguments)
{
    return runCaptureStatus(arguments).output;
}

QString MacBackend::runCaptureCombined(const QStringList& arguments)
{
    const std::optional<QString> resolved = commandPath(arguments.value(0));
    if (!resolved)
        return {};
    QByteArray output;
    const ChildProcess::Outcome outcome = ChildProcess::capture(
        requestFor(m_host.map(*resolved), arguments, commandEnvironment(), ChildProcess::Output::combined), output);
    if (!outcome.started)
        return {};
    return Utf8::decode(output).value_or(QString());
}
