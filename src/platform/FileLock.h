#pragma once

#include <QString>

// An exclusive advisory lock (flock) on a file, held while the object lives.
// Two holders never overlap, whether they are two processes (the command
// line and the window) or two threads of one process: each lock opens the
// file anew. The descriptor is closed on exec, so a child process never keeps
// the lock alive; the system releases it when the holder dies.
class FileLock final {
public:
    enum class Outcome {
        locked, // the lock is held
        busy,   // another holder has it (only without waiting)
        failed, // the file could not be opened or locked
    };

    FileLock() = default;
    ~FileLock();
    FileLock(FileLock&& other) noexcept;
    FileLock& operator=(FileLock&& other) noexcept;
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Opens the file at path (created owner-only when missing; a symbolic
    // link is refused) and takes the lock, first releasing any lock this
    // object holds. With wait, blocks until the other holder lets go. On
    // failure, error (when given) receives the text of the failing call's errno.
    Outcome lock(const QString& path, bool wait, QString* error = nullptr);
    bool isLocked() const { return m_descriptor >= 0; }
    // Releases the lock; the file stays.
    void unlock();

private:
    int m_descriptor = -1;
};
