#pragma once

#include <QDateTime>

// The current time, as the view model stamps log lines and snapshots.
class Clock {
public:
    virtual ~Clock() = default;

    // The local time now.
    virtual QDateTime now() const = 0;
};
