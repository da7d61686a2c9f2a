#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

// Runs one program as a child process and waits for it. Arguments go to the
// program directly, never through a shell. Standard input is never
// redirected: the child shares the caller's. There is no time limit.
namespace ChildProcess {

// Where the child's standard output and standard error go.
enum class Output {
    discard,        // both to the null device
    standardOutput, // standard output to the pipe, standard error to the null device
    combined,       // both to one pipe, in the order the child writes them
};

struct Request {
    QString executable;         // the file to run (a local path)
    QStringList arguments;      // handed over one by one, unchanged
    QProcessEnvironment environment;
    QString workingDirectory;   // empty: the caller's current folder
    Output output = Output::discard;
};

struct Outcome {
    bool started = false;
    // The exit status of a child that exited. A child ended by a signal gets
    // 128 + the signal's number, as a shell reports it; it never counts as 0.
    // 127 when the child could not be started.
    int exitStatus = 127;
    QString error; // why it could not be started
};

// Called with every chunk read from the pipe, on the calling thread, in order.
using ChunkHandler = std::function<void(const QByteArray& chunk)>;

// Starts the child, hands every chunk of its output to the handler as it
// arrives (until the pipe's end of file), then waits for the child to exit.
Outcome run(const Request& request, const ChunkHandler& onChunk = {});

// Runs and gathers the whole output.
Outcome capture(const Request& request, QByteArray& output);

} // namespace ChildProcess
