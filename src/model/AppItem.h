#pragma once

#include "model/AppKind.h"
#include "model/DirectInstallerSpec.h"
#include "model/ShortcutSpec.h"

#include <QString>
#include <QStringList>

#include <optional>

// One catalog entry: a Linux office application and the macOS software that
// replaces it, with everything the engine needs to install, check and open it.
struct AppItem {
    QString id;
    QString linuxName;
    QString macName;
    QString group;
    QStringList extraGroups;
    AppKind kind = AppKind::blocked;
    QStringList packages;
    QString description;
    QString replacementNote;
    QString symbol;
    std::optional<ShortcutSpec> shortcut;
    std::optional<DirectInstallerSpec> directInstaller;
    QStringList appPaths;
    QStringList commands;
    bool builtinReady = false;
    std::optional<int> minimumMacOSMajor;

    bool operator==(const AppItem&) const = default;

    // The entry's groups: its own group followed by its extra groups.
    QStringList groups() const { return QStringList{group} + extraGroups; }
};

size_t qHash(const AppItem& item, size_t hashSeed = 0);
