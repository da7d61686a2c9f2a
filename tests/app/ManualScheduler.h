#pragma once

#include "app/Scheduler.h"

#include <QList>
#include <QPointer>

// A scheduler whose time moves only when the test advances it. Functions
// run in the order they fall due (those due at the same time in the order
// they were scheduled), those of a destroyed context never.
class ManualScheduler final : public Scheduler {
public:
    void after(int milliseconds, QObject* context, std::function<void()> fn) override;

    // Moves the time on and runs every function that falls due meanwhile,
    // also those scheduled by a function that runs.
    void advance(qint64 milliseconds);
    // Functions still waiting.
    int pending() const { return static_cast<int>(m_waiting.size()); }
    qint64 now() const { return m_now; }

private:
    struct Waiting {
        qint64 due;
        quint64 order;
        QPointer<QObject> context;
        std::function<void()> fn;
    };

    qint64 m_now = 0;
    quint64 m_nextOrder = 0;
    QList<Waiting> m_waiting;
};
