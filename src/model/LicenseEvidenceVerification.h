#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// How a single licence signal was checked.
enum class LicenseEvidenceVerification { verified, structurallyValid, detected, notVerified, inaccessible, failed };

template <>
struct EnumNames<LicenseEvidenceVerification> {
    static constexpr std::array table{
        std::pair{LicenseEvidenceVerification::verified, "verified"},
        std::pair{LicenseEvidenceVerification::structurallyValid, "structurallyValid"},
        std::pair{LicenseEvidenceVerification::detected, "detected"},
        std::pair{LicenseEvidenceVerification::notVerified, "notVerified"},
        std::pair{LicenseEvidenceVerification::inaccessible, "inaccessible"},
        std::pair{LicenseEvidenceVerification::failed, "failed"},
    };
};

inline size_t qHash(LicenseEvidenceVerification value, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(value), hashSeed);
}
