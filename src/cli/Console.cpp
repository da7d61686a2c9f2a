#include "cli/Console.h"

#include <QByteArray>

#include <cerrno>
#include <mutex>

#include <unistd.h>

namespace {

std::mutex& writeLock()
{
    static std::mutex lock;
    return lock;
}

void writeAll(int descriptor, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::lock_guard guard(writeLock());
    qsizetype written = 0;
    while (written < bytes.size()) {
        const ssize_t count =
            ::write(descriptor, bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return; // The reader has gone; there is nobody left to tell.
        written += count;
    }
}

} // namespace

namespace Console {

void out(const QString& text)
{
    writeAll(STDOUT_FILENO, text);
}

void err(const QString& text)
{
    writeAll(STDERR_FILENO, text);
}

std::optional<QString> readLine()
{
    QByteArray line;
    bool readAny = false;
    for (;;) {
        char byte = 0;
        const ssize_t count = ::read(STDIN_FILENO, &byte, 1);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            break;
        readAny = true;
        if (byte == '\n')
            break;
        line.append(byte);
    }
    if (!readAny)
        return std::nullopt;
    return QString::fromUtf8(line);
}

} // namespace Console
