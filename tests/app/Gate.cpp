#include "Gate.h"

#include <chrono>

void Gate::pass()
{
    std::unique_lock lock(m_mutex);
    m_arrived = true;
    m_changed.notify_all();
    m_changed.wait(lock, [this] { return m_released; });
}

void Gate::release()
{
    std::lock_guard lock(m_mutex);
    m_released = true;
    m_changed.notify_all();
}

bool Gate::waitArrived(int milliseconds)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return m_arrived; });
}

bool Gate::arrived() const
{
    std::lock_guard lock(m_mutex);
    return m_arrived;
}
