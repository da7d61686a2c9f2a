#pragma once

#include "model/InstalledMacApplication.h"

#include <QString>

// The developer shown for an application: its developer name when that is a
// real name; else "Team <id>"; else a name inferred from its name,
// identifier and source; else its name; else "Không xác định".
QString resolvedDeveloperName(const InstalledMacApplication& application);
