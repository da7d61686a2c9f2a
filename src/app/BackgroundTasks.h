#pragma once

#include <QCoreApplication>
#include <QMetaObject>
#include <QPointer>
#include <QThreadPool>

#include <functional>
#include <utility>

// The threads on which the view model runs blocking engine and cloud calls,
// and the way their results come back to the GUI thread.
//
// The pool is the process's own (never Qt's global one, which has a thread
// per core while a preset holds one for minutes): at least minimumThreads
// threads, created on first use and never destroyed, so nothing waits for a
// running job when the program ends.
//
// Results are posted to the application object and so run on the GUI thread
// in the order they were posted from all threads together. The engine posts
// its log lines and progress updates the same way while an operation runs,
// so they arrive before the operation's result.
namespace BackgroundTasks {

inline constexpr int minimumThreads = 16;

QThreadPool& pool();

// Runs the job on a thread of the pool.
void start(std::function<void()> job);

// Runs the function on the GUI thread from its event loop, after everything
// posted before it. Dropped when there is no application object.
void post(std::function<void()> fn);

// Whether a job is running (or waiting for a thread).
bool isBusy();

// Waits until no job runs, at most the given time; false on time-out.
bool waitForIdle(int milliseconds);

// Runs work() on the pool, then apply(*target, result) on the GUI thread,
// unless target has been destroyed by then. The guard is only read on the GUI
// thread; the job keeps what work() captured (shared services, copies) alive
// on its own.
template <typename Target, typename Work, typename Apply>
void runThenApply(Target* target, Work work, Apply apply)
{
    start([guard = QPointer<Target>(target), work = std::move(work), apply = std::move(apply)]() mutable {
        auto result = work();
        post([guard = std::move(guard), result = std::move(result), apply = std::move(apply)]() mutable {
            if (guard)
                apply(*guard, std::move(result));
        });
    });
}

} // namespace BackgroundTasks
