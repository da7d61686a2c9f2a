#pragma once

#include "app/Scheduler.h"

// Runs the function from a single-shot QTimer on the context's thread.
class TimerScheduler final : public Scheduler {
public:
    void after(int milliseconds, QObject* context, std::function<void()> fn) override;
};
