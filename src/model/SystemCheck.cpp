#include "model/SystemCheck.h"

SystemCheck SystemCheck::make(const QString& name, Level level, const QString& detail)
{
    return SystemCheck{QUuid::createUuid(), name, level, detail};
}

QString SystemCheck::levelLabel(Level level)
{
    switch (level) {
    case Level::ok:
        return QStringLiteral("OK");
    case Level::warn:
        return QStringLiteral("WARN");
    case Level::fail:
        break;
    }
    return QStringLiteral("FAIL");
}
