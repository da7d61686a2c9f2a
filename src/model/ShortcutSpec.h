#pragma once

#include "model/HashBuilder.h"

#include <QString>

// A web-link shortcut file (".webloc").
struct ShortcutSpec {
    QString fileName;
    QString name;
    QString url;

    bool operator==(const ShortcutSpec&) const = default;
};

inline size_t qHash(const ShortcutSpec& spec, size_t hashSeed = 0)
{
    return HashBuilder(hashSeed).add(spec.fileName).add(spec.name).add(spec.url).value();
}
