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

inline size_t qHash(const ShortcutSpec& shortcut, size_t hashSeed = 0)
{
    return HashBuilder(hashSeed).add(shortcut.fileName).add(shortcut.name).add(shortcut.url).value();
}
