#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace FileSystem {

QString errorText(int number)
{
    if (number <= 0)
        number = EIO;
    return QString::fromLocal8Bit(std::strerror(number));
}

bool isExecutableFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    const QByteArray encoded = QFile::encodeName(path);
    struct stat info {};
    return ::stat(encoded.constData(), &info) == 0 && S_ISREG(info.st_mode) && ::access(encoded.constData(), X_OK) == 0;
}

namespace {

bool fail(QString* error, int number)
{
    if (error)
        *error = errorText(number);
    errno = number;
    return false;
}

} // namespace

bool createFolders(const QString& path, mode_t mode, QString* error)
{
    if (path.isEmpty())
        return fail(error, ENOENT);
    const QString absolute = QDir::cleanPath(QDir(path).absolutePath());
    // Walk down from the file-system root, one component at a time.
    qsizetype next = 1;
    while (true) {
        const qsizetype slash = absolute.indexOf(QLatin1Char('/'), next);
        const QString prefix = slash < 0 ? absolute : absolute.left(slash);
        const QByteArray encoded = QFile::encodeName(prefix);
        struct stat info {};
        if (::stat(encoded.constData(), &info) == 0) {
            if (!S_ISDIR(info.st_mode))
                return fail(error, ENOTDIR);
        } else if (errno != ENOENT) {
            return fail(error, errno);
        } else if (::mkdir(encoded.constData(), mode) == 0) {
            // The process's file-creation mask must not narrow or widen it.
            ::chmod(encoded.constData(), mode);
        } else if (errno != EEXIST) {
            return fail(error, errno);
        }
        if (slash < 0)
            return true;
        next = slash + 1;
    }
}

bool replaceFile(const QString& path, QByteArrayView bytes, mode_t mode, QString* error)
{
    if (path.isEmpty())
        return fail(error, ENOENT);
    const QFileInfo target(path);
    // mkstemp creates the file owner-only (0600) and exclusively.
    QByteArray temporary =
        QFile::encodeName(target.absolutePath() + QStringLiteral("/.") + target.fileName() + QStringLiteral(".XXXXXX"));
    const int descriptor = ::mkstemp(temporary.data());
    if (descriptor < 0)
        return fail(error, errno);
    const auto abandon = [&](int number) {
        ::close(descriptor);
        ::unlink(temporary.constData());
        return fail(error, number);
    };
    if (::fchmod(descriptor, mode) != 0)
        return abandon(errno);
    const char* data = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(descriptor, data, static_cast<size_t>(left));
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return abandon(errno);
        }
        data += written;
        left -= written;
    }
    if (::fsync(descriptor) != 0)
        return abandon(errno);
    if (::close(descriptor) != 0) {
        const int number = errno;
        ::unlink(temporary.constData());
        return fail(error, number);
    }
    if (std::rename(temporary.constData(), QFile::encodeName(target.absoluteFilePath()).constData()) != 0) {
        const int number = errno;
        ::unlink(temporary.constData());
        return fail(error, number);
    }
    return true;
}

} // namespace FileSystem
