#include "app/BackgroundTasks.h"

#include <QThread>

#include <algorithm>

namespace BackgroundTasks {

QThreadPool& pool()
{
    // Never destroyed: jobs still running at exit are not waited for.
    static QThreadPool* const instance = [] {
        auto* created = new QThreadPool;
        created->setMaxThreadCount(std::max(minimumThreads, QThread::idealThreadCount()));
        return created;
    }();
    return *instance;
}

void start(std::function<void()> job)
{
    pool().start(std::move(job));
}

void post(std::function<void()> fn)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(fn), Qt::QueuedConnection);
}

bool isBusy()
{
    return pool().activeThreadCount() > 0;
}

bool waitForIdle(int milliseconds)
{
    return pool().waitForDone(milliseconds);
}

} // namespace BackgroundTasks
