#include "platform/FileLock.h"

#include "platform/FileSystem.h"

#include <QFile>

#include <cerrno>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::~FileLock()
{
    unlock();
}

FileLock::FileLock(FileLock&& other) noexcept : m_descriptor(std::exchange(other.m_descriptor, -1)) {}

FileLock& FileLock::operator=(FileLock&& other) noexcept
{
    if (this != &other) {
        unlock();
        m_descriptor = std::exchange(other.m_descriptor, -1);
    }
    return *this;
}

FileLock::Outcome FileLock::lock(const QString& path, bool wait, QString* error)
{
    unlock();
    const int descriptor =
        ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (descriptor < 0) {
        if (error)
            *error = FileSystem::errorText(errno);
        return Outcome::failed;
    }
    int result = 0;
    do {
        result = ::flock(descriptor, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (result != 0 && errno == EINTR);
    if (result != 0) {
        const int number = errno;
        ::close(descriptor);
        if (number == EWOULDBLOCK)
            return Outcome::busy;
        if (error)
            *error = FileSystem::errorText(number);
        return Outcome::failed;
    }
    m_descriptor = descriptor;
    return Outcome::locked;
}

void FileLock::unlock()
{
    if (m_descriptor >= 0)
        ::close(std::exchange(m_descriptor, -1));
}
