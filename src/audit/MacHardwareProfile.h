#pragma once

#include "model/HashBuilder.h"

#include <QString>

// The machine's hardware as the system profiler describes it, for the report's
// "Hardware model", "Model identifier", "Chip" and "Memory" lines. A field the
// profiler did not give as text is "—"; a blank one stays an empty text.
struct MacHardwareProfile {
    QString modelName;       // "machine_name"
    QString modelIdentifier; // "machine_model"
    QString chip;            // "chip_type"
    QString memory;          // "physical_memory"

    bool operator==(const MacHardwareProfile&) const = default;
};

inline size_t qHash(const MacHardwareProfile& profile, size_t hashSeed = 0)
{
    return HashBuilder(hashSeed)
        .add(profile.modelName)
        .add(profile.modelIdentifier)
        .add(profile.chip)
        .add(profile.memory)
        .value();
}
