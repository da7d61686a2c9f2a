#include "Gates.h"

std::shared_ptr<Gate> Gates::hold(const QString& operation, const QString& key)
{
    auto gate = std::make_shared<Gate>();
    std::lock_guard lock(m_mutex);
    m_waiting.push_back({operation, key, gate});
    m_all.push_back(gate);
    return gate;
}

void Gates::pass(const QString& operation, const QString& key)
{
    std::shared_ptr<Gate> gate;
    {
        std::lock_guard lock(m_mutex);
        for (auto it = m_waiting.begin(); it != m_waiting.end(); ++it) {
            if (it->operation == operation && (it->key.isEmpty() || it->key == key)) {
                gate = it->gate;
                m_waiting.erase(it);
                break;
            }
        }
    }
    if (gate)
        gate->pass();
}

void Gates::releaseAll()
{
    std::lock_guard lock(m_mutex);
    for (const std::shared_ptr<Gate>& gate : m_all)
        gate->release();
    m_waiting.clear();
}
