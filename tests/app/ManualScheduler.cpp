#include "ManualScheduler.h"

#include <algorithm>

void ManualScheduler::after(int milliseconds, QObject* context, std::function<void()> fn)
{
    m_waiting.append({m_now + milliseconds, m_nextOrder++, QPointer<QObject>(context), std::move(fn)});
}

void ManualScheduler::advance(qint64 milliseconds)
{
    const qint64 end = m_now + milliseconds;
    for (;;) {
        const auto next = std::min_element(m_waiting.begin(), m_waiting.end(), [](const Waiting& a, const Waiting& b) {
            return a.due != b.due ? a.due < b.due : a.order < b.order;
        });
        if (next == m_waiting.end() || next->due > end)
            break;
        const Waiting due = *next;
        m_waiting.erase(next);
        m_now = due.due;
        if (due.context)
            due.fn();
    }
    m_now = end;
}
