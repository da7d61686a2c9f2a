#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// How far an application's signature lets the audit vouch for it.
enum class AuditEvidenceState { verified, review, local, detected };

template <>
struct EnumNames<AuditEvidenceState> {
    static constexpr std::array table{
        std::pair{AuditEvidenceState::verified, "verified"},
        std::pair{AuditEvidenceState::review, "review"},
        std::pair{AuditEvidenceState::local, "local"},
        std::pair{AuditEvidenceState::detected, "detected"},
    };
};

inline size_t qHash(AuditEvidenceState value, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(value), hashSeed);
}
