#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <sys/stat.h>

namespace FileSystem {

QString errorText(int number)
{
    if (number <= 0)
        number = EIO;
    return QString::fromLocal8Bit(std::strerror(number));
}

namespace {

bool fail(QString* error, int number)
{
    if (error)
        *error = errorText(number);
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

} // namespace FileSystem
