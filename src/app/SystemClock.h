#pragma once

#include "app/Clock.h"

// The system's clock in the local time zone.
class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
