#include "model/SystemCheck.h"

SystemCheck SystemCheck::make(const QString& name, Level level, const QString& detail)
{
    return SystemCheck{QUuid::createUuid(), name, level, detail};
}
