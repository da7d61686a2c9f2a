#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTime>

#include <cerrno>
#include <cmath>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

struct MacBackend::Sinks {
    LogSink uiLog;
    ProgressSink uiProgress;
};

namespace {

// Appends from every engine of the process go through one lock, so two lines
// never land on the same offset or interleave.
std::mutex& logFileLock()
{
    static std::mutex lock;
    return lock;
}

QString timeStamp()
{
    return QTime::currentTime().toString(QStringLiteral("HH:mm:ss"));
}

QString stamped(const QString& message)
{
    return QLatin1Char('[') + timeStamp() + QStringLiteral("] ") + message;
}

QString failureNotice(const QString& reason)
{
    return stamped(QStringLiteral("Không ghi được log file: ") + reason);
}

// Opens the log file for appending, creating it owner-only when missing, and
// sets it to owner-only. A symbolic link in its place is refused, so a link
// planted in a shared folder cannot redirect the writes or the permission
// change to another file. -1 with errno set on failure.
int openLogFile(const QString& path)
{
    const QByteArray encoded = QFile::encodeName(path);
    const int fd = ::open(encoded.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return -1;
    if (::fchmod(fd, 0600) != 0) {
        const int number = errno;
        ::close(fd);
        errno = number;
        return -1;
    }
    return fd;
}

// The log folder and every missing parent are created owner-only; a folder
// that already exists keeps its permissions (it may be shared, such as /tmp).
bool prepareLogFolder(const QString& logFile, QString* error)
{
    return FileSystem::createFolders(QFileInfo(logFile).path(), 0700, error);
}

} // namespace

MacBackend::MacBackend(LogSink uiLog, ProgressSink uiProgress, Delivery delivery, Host host)
    : m_sinks(std::make_shared<Sinks>(Sinks{std::move(uiLog), std::move(uiProgress)})),
      m_delivery(delivery),
      m_host(std::move(host))
{
    const QString logFile = AppRuntime::logFile();
    if (!prepareLogFolder(logFile, nullptr))
        return;
    const int fd = openLogFile(logFile);
    if (fd >= 0)
        ::close(fd);
}

MacBackend::~MacBackend() = default;

std::optional<QString> MacBackend::appendToLogFile(const QString& line)
{
    std::lock_guard guard(logFileLock());
    const QString logFile = AppRuntime::logFile();
    QString error;
    if (!prepareLogFolder(logFile, &error))
        return error;
    const int fd = openLogFile(logFile);
    if (fd < 0)
        return FileSystem::errorText(errno);
    const QByteArray bytes = line.toUtf8() + '\n';
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            const int number = count < 0 ? errno : EIO;
            ::close(fd);
            return FileSystem::errorText(number);
        }
        written += count;
    }
    if (::close(fd) != 0)
        return FileSystem::errorText(errno);
    return std::nullopt;
}

void MacBackend::post(std::function<void()> task)
{
    QCoreApplication* application = QCoreApplication::instance();
    if (m_delivery == Delivery::synchronous || !application) {
        task();
        return;
    }
    QMetaObject::invokeMethod(application, std::move(task), Qt::QueuedConnection);
}

void MacBackend::deliverLine(const QString& line)
{
    post([sinks = m_sinks, line] {
        if (sinks->uiLog)
            sinks->uiLog(line);
    });
}

void MacBackend::deliverFailureNotice(const QString& reason)
{
    // The notice carries the time at which it is handed over.
    post([sinks = m_sinks, reason] {
        if (sinks->uiLog)
            sinks->uiLog(failureNotice(reason));
    });
}

void MacBackend::deliverProgress(const InstallProgressUpdate& update)
{
    post([sinks = m_sinks, update] {
        if (sinks->uiProgress)
            sinks->uiProgress(update);
    });
}

void MacBackend::log(const QString& message)
{
    const QString line = stamped(message);
    std::lock_guard guard(m_lineLock);
    if (const std::optional<QString> failure = appendToLogFile(line))
        deliverFailureNotice(*failure);
    deliverLine(line);
}

double MacBackend::clampedFraction(double fraction)
{
    if (!(fraction > 0.0))
        return 0.0;
    if (fraction > 1.0)
        return 1.0;
    return fraction;
}

QString MacBackend::progressMessage(const QString& message, std::optional<double> fraction)
{
    if (!fraction)
        return QStringLiteral("PROGRESS: ") + message;
    const auto percent = static_cast<int>(std::trunc(clampedFraction(*fraction) * 100.0));
    return QStringLiteral("PROGRESS ") + QString::number(percent) + QStringLiteral("%: ") + message;
}

void MacBackend::progress(const QString& message, std::optional<double> fraction)
{
    InstallProgressUpdate update;
    update.message = message;
    if (fraction)
        update.fraction = clampedFraction(*fraction);
    std::lock_guard guard(m_lineLock);
    log(progressMessage(message, fraction));
    deliverProgress(update);
}

QString MacBackend::macOSVersionString() const
{
    return m_host.macOSVersionText();
}

QString MacBackend::architectureLabel() const
{
    return m_host.architecture();
}
