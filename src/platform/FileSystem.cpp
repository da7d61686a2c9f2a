#include "platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include <dirent.h>
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

namespace {

// Removes the entry named by a descriptor of its folder and its name; the
// entry's kind was found with lstat, so a link is never followed.
bool removeEntry(int folder, const char* name, int& failure);

bool removeFolderContents(int folder, int& failure)
{
    DIR* listing = ::fdopendir(folder);
    if (!listing) {
        failure = errno;
        ::close(folder);
        return false;
    }
    bool removed = true;
    // Names are read first: removing while reading may skip entries.
    QList<QByteArray> names;
    errno = 0;
    while (const dirent* entry = ::readdir(listing)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    if (errno != 0) {
        failure = errno;
        removed = false;
    }
    for (const QByteArray& name : names) {
        if (!removeEntry(::dirfd(listing), name.constData(), failure))
            removed = false;
    }
    ::closedir(listing);
    return removed;
}

bool removeEntry(int folder, const char* name, int& failure)
{
    struct stat info {};
    if (::fstatat(folder, name, &info, AT_SYMLINK_NOFOLLOW) != 0) {
        failure = errno;
        return false;
    }
    if (S_ISDIR(info.st_mode)) {
        const int inner = ::openat(folder, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (inner < 0) {
            failure = errno;
            return false;
        }
        if (!removeFolderContents(inner, failure))
            return false;
        if (::unlinkat(folder, name, AT_REMOVEDIR) != 0) {
            failure = errno;
            return false;
        }
        return true;
    }
    if (::unlinkat(folder, name, 0) != 0) {
        failure = errno;
        return false;
    }
    return true;
}

} // namespace

bool removeItem(const QString& path, QString* error)
{
    if (path.isEmpty())
        return fail(error, ENOENT);
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return fail(error, EINVAL);
    const int folder = ::open(QFile::encodeName(info.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0)
        return fail(error, errno);
    int failure = 0;
    const bool removed = removeEntry(folder, QFile::encodeName(name).constData(), failure);
    ::close(folder);
    return removed || fail(error, failure);
}

bool renameNoReplace(const QString& from, const QString& to, QString* error)
{
    if (from.isEmpty() || to.isEmpty())
        return fail(error, ENOENT);
    const QByteArray source = QFile::encodeName(from);
    const QByteArray target = QFile::encodeName(to);
#if defined(__APPLE__)
    if (::renamex_np(source.constData(), target.constData(), RENAME_EXCL) == 0)
        return true;
#else
    if (::renameat2(AT_FDCWD, source.constData(), AT_FDCWD, target.constData(), RENAME_NOREPLACE) == 0)
        return true;
#endif
    // A file system without the exclusive rename: test, then rename.
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return fail(error, errno);
    struct stat info {};
    if (::lstat(target.constData(), &info) == 0)
        return fail(error, EEXIST);
    if (errno != ENOENT)
        return fail(error, errno);
    if (std::rename(source.constData(), target.constData()) != 0)
        return fail(error, errno);
    return true;
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
