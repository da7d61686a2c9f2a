#pragma once

#include "app/Clock.h"

// A clock that says what the test sets.
class FixedClock final : public Clock {
public:
    explicit FixedClock(QDateTime now = QDateTime(QDate(2024, 5, 6), QTime(9, 8, 7))) : m_now(std::move(now)) {}

    QDateTime now() const override { return m_now; }
    void set(const QDateTime& now) { m_now = now; }
    void advance(qint64 milliseconds) { m_now = m_now.addMSecs(milliseconds); }

private:
    QDateTime m_now;
};
