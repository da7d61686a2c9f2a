#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// Install state of one catalog entry.
enum class InstallStatus { missing, installed, working, failed, blocked };

template <>
struct EnumNames<InstallStatus> {
    static constexpr std::array table{
        std::pair{InstallStatus::missing, "missing"}, std::pair{InstallStatus::installed, "installed"},
        std::pair{InstallStatus::working, "working"}, std::pair{InstallStatus::failed, "failed"},
        std::pair{InstallStatus::blocked, "blocked"},
    };
};

inline size_t qHash(InstallStatus status, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(status), hashSeed);
}
