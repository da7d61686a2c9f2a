#include "platform/ChildProcess.h"

#include "platform/FileSystem.h"

#include <QFile>

#include <mutex>
#include <vector>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Descriptors are created close-on-exec and children are forked under one
// lock, so a child started by one thread never inherits the pipe of another
// thread's child (which would keep that pipe open past its child's exit).
std::mutex& spawnLock()
{
    static std::mutex lock;
    return lock;
}

bool closeOnExecPipe(int fds[2])
{
    if (::pipe(fds) != 0)
        return false;
    for (int index = 0; index < 2; ++index)
        ::fcntl(fds[index], F_SETFD, FD_CLOEXEC);
    return true;
}

void closeIfOpen(int& fd)
{
    if (fd >= 0) {
        ::close(fd);
        fd = -1;
    }
}

// Byte strings that stay alive until exec and the pointer array over them.
struct CStrings {
    std::vector<QByteArray> storage;
    std::vector<char*> pointers;

    void add(const QByteArray& text) { storage.push_back(text); }

    char** finish()
    {
        pointers.clear();
        for (QByteArray& text : storage)
            pointers.push_back(text.data());
        pointers.push_back(nullptr);
        return pointers.data();
    }
};

// Runs in the forked child; only async-signal-safe calls until exec.
[[noreturn]] void becomeChild(const char* executable, char** argv, char** envp, const char* directory,
                              int nullFd, int outputWrite, ChildProcess::Output output, int errorWrite)
{
    sigset_t all;
    sigemptyset(&all);
    ::sigprocmask(SIG_SETMASK, &all, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
    const int outTarget = output == ChildProcess::Output::discard ? nullFd : outputWrite;
    const int errTarget = output == ChildProcess::Output::combined ? outputWrite : nullFd;
    if (::dup2(outTarget, STDOUT_FILENO) < 0 || ::dup2(errTarget, STDERR_FILENO) < 0
        || (directory && ::chdir(directory) != 0)) {
        const int number = errno;
        (void)!::write(errorWrite, &number, sizeof number);
        ::_exit(127);
    }
    ::execve(executable, argv, envp);
    const int number = errno;
    (void)!::write(errorWrite, &number, sizeof number);
    ::_exit(127);
}

int statusOf(int waitStatus)
{
    if (WIFEXITED(waitStatus))
        return WEXITSTATUS(waitStatus);
    if (WIFSIGNALED(waitStatus))
        return 128 + WTERMSIG(waitStatus);
    return 127;
}

ChildProcess::Outcome failure(int number)
{
    ChildProcess::Outcome outcome;
    outcome.error = FileSystem::errorText(number);
    return outcome;
}

} // namespace

namespace ChildProcess {

Outcome run(const Request& request, const ChunkHandler& onChunk)
{
    const QByteArray executable = QFile::encodeName(request.executable);
    CStrings argv;
    argv.add(executable);
    for (const QString& argument : request.arguments)
        argv.add(argument.toLocal8Bit());
    CStrings envp;
    for (const QString& entry : request.environment.toStringList())
        envp.add(entry.toLocal8Bit());
    const QByteArray directory = QFile::encodeName(request.workingDirectory);
    char** argvPointers = argv.finish();
    char** envpPointers = envp.finish();

    int nullFd = -1;
    int outputPipe[2] = {-1, -1};
    int errorPipe[2] = {-1, -1};
    pid_t pid = -1;
    int forkError = 0;
    {
        std::lock_guard guard(spawnLock());
        nullFd = ::open("/dev/null", O_RDWR | O_CLOEXEC);
        const bool ready = nullFd >= 0 && closeOnExecPipe(errorPipe)
            && (request.output == Output::discard || closeOnExecPipe(outputPipe));
        if (ready) {
            pid = ::fork();
            if (pid == 0) {
                becomeChild(executable.constData(), argvPointers, envpPointers,
                            directory.isEmpty() ? nullptr : directory.constData(), nullFd, outputPipe[1],
                            request.output, errorPipe[1]);
            }
        }
        forkError = errno;
    }
    closeIfOpen(nullFd);
    closeIfOpen(outputPipe[1]);
    closeIfOpen(errorPipe[1]);
    if (pid < 0) {
        closeIfOpen(outputPipe[0]);
        closeIfOpen(errorPipe[0]);
        return failure(forkError);
    }

    // The error pipe closes on a successful exec; otherwise it carries errno.
    int startError = 0;
    ssize_t got;
    do {
        got = ::read(errorPipe[0], &startError, sizeof startError);
    } while (got < 0 && errno == EINTR);
    closeIfOpen(errorPipe[0]);

    if (got <= 0 && outputPipe[0] >= 0) {
        std::vector<char> buffer(64 * 1024);
        while (true) {
            const ssize_t count = ::read(outputPipe[0], buffer.data(), buffer.size());
            if (count < 0 && errno == EINTR)
                continue;
            if (count <= 0)
                break;
            if (onChunk)
                onChunk(QByteArray(buffer.data(), count));
        }
    }
    closeIfOpen(outputPipe[0]);

    int waitStatus = 0;
    pid_t waited;
    do {
        waited = ::waitpid(pid, &waitStatus, 0);
    } while (waited < 0 && errno == EINTR);

    if (got > 0)
        return failure(startError);
    Outcome outcome;
    outcome.started = true;
    outcome.exitStatus = waited == pid ? statusOf(waitStatus) : 127;
    return outcome;
}

Outcome capture(const Request& request, QByteArray& output)
{
    output.clear();
    return run(request, [&output](const QByteArray& chunk) { output.append(chunk); });
}

} // namespace ChildProcess
