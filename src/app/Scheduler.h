#pragma once

#include <QObject>

#include <functional>

// Runs a function once on the GUI thread after a delay. Used on the GUI
// thread only.
class Scheduler {
public:
    virtual ~Scheduler() = default;

    // Runs fn once, milliseconds from now, unless context is destroyed first.
    virtual void after(int milliseconds, QObject* context, std::function<void()> fn) = 0;
};
