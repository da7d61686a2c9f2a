#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// How much a piece of licence evidence is worth, strongest first.
enum class LicenseEvidenceConfidence { verified, strong, indicative, informational, none };

template <>
struct EnumNames<LicenseEvidenceConfidence> {
    static constexpr std::array table{
        std::pair{LicenseEvidenceConfidence::verified, "verified"},
        std::pair{LicenseEvidenceConfidence::strong, "strong"},
        std::pair{LicenseEvidenceConfidence::indicative, "indicative"},
        std::pair{LicenseEvidenceConfidence::informational, "informational"},
        std::pair{LicenseEvidenceConfidence::none, "none"},
    };
};

inline size_t qHash(LicenseEvidenceConfidence value, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(value), hashSeed);
}
