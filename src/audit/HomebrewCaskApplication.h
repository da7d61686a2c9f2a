#pragma once

#include <QString>
#include <QStringList>

// One installed Homebrew cask, as far as the audit needs it.
struct HomebrewCaskApplication {
    QString token;            // the cask's name
    QString installedVersion;
    QStringList appNames;     // lower-cased file names of the ".app" bundles it installs

    bool operator==(const HomebrewCaskApplication&) const = default;
};

size_t qHash(const HomebrewCaskApplication& cask, size_t hashSeed = 0);
