#pragma once

#include "Gate.h"

#include <QString>

#include <memory>
#include <mutex>
#include <vector>

// Gates waiting for calls by key, each for the next call with its key, in
// the order they were set.
class Gates {
public:
    // Holds the next call whose key matches (an empty key matches any).
    std::shared_ptr<Gate> hold(const QString& operation, const QString& key = {});
    // Called by a fake for each call: passes through the first gate waiting
    // for it, if any.
    void pass(const QString& operation, const QString& key);
    // Releases every gate, arrived or not.
    void releaseAll();

private:
    struct Waiting {
        QString operation;
        QString key;
        std::shared_ptr<Gate> gate;
    };

    std::mutex m_mutex;
    std::vector<Waiting> m_waiting;
    std::vector<std::shared_ptr<Gate>> m_all;
};
