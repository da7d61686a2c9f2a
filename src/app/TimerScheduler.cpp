#include "app/TimerScheduler.h"

#include <QTimer>

void TimerScheduler::after(int milliseconds, QObject* context, std::function<void()> fn)
{
    QTimer::singleShot(milliseconds, context, std::move(fn));
}
