#pragma once

#include "model/EnumText.h"

#include <array>
#include <utility>

// How a catalog entry is installed or provided.
enum class AppKind { direct, formula, cask, bundle, shortcut, builtin, mime, blocked };

template <>
struct EnumNames<AppKind> {
    static constexpr std::array table{
        std::pair{AppKind::direct, "direct"},     std::pair{AppKind::formula, "formula"},
        std::pair{AppKind::cask, "cask"},         std::pair{AppKind::bundle, "bundle"},
        std::pair{AppKind::shortcut, "shortcut"}, std::pair{AppKind::builtin, "builtin"},
        std::pair{AppKind::mime, "mime"},         std::pair{AppKind::blocked, "blocked"},
    };
};

inline size_t qHash(AppKind kind, size_t hashSeed = 0)
{
    return qHash(EnumText::toString(kind), hashSeed);
}
