#include "platform/MappedFile.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool isAcceptable(const struct stat& status, qint64 limit)
{
    return S_ISREG(status.st_mode) && status.st_size >= 0 && qint64(status.st_size) <= limit;
}

} // namespace

MappedFile::MappedFile() = default;

MappedFile::MappedFile(QByteArray bytes) : m_bytes(std::move(bytes)) {}

MappedFile::MappedFile(MappedFile&& other) noexcept = default;

MappedFile& MappedFile::operator=(MappedFile&& other) noexcept = default;

MappedFile::~MappedFile() = default;

std::optional<MappedFile> MappedFile::open(const QString& path, qint64 limit)
{
    const QByteArray encoded = QFile::encodeName(path);
    if (encoded.isEmpty())
        return std::nullopt;
    // Judged before the file is opened: opening a named pipe waits for a
    // writer, and opening a device can act on it.
    struct stat status {};
    if (::stat(encoded.constData(), &status) != 0 || !isAcceptable(status, limit))
        return std::nullopt;
    const int descriptor = ::open(encoded.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (descriptor < 0)
        return std::nullopt;
    // The path may name another file by now: the opened one is judged again.
    if (::fstat(descriptor, &status) != 0 || !isAcceptable(status, limit)) {
        ::close(descriptor);
        return std::nullopt;
    }
    auto file = std::make_unique<QFile>();
    if (!file->open(descriptor, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(descriptor);
        return std::nullopt;
    }

    MappedFile result;
    const qint64 size = status.st_size;
    if (size > 0) {
        if (uchar* data = file->map(0, size)) {
            result.m_bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), size);
            result.m_file = std::move(file);
            return result;
        }
    }
    // An empty file, or a file system without mappings: read, never more than
    // the limit even when the file has grown since.
    QByteArray bytes = file->read(limit + 1);
    if (file->error() != QFileDevice::NoError || bytes.size() > limit)
        return std::nullopt;
    result.m_bytes = std::move(bytes);
    return result;
}
