#pragma once

#include "model/EnumText.h"
#include "model/HashBuilder.h"

#include <QSet>
#include <QString>

#include <array>
#include <utility>

// A vendor download: a disk image or zip archive fetched from the vendor's
// own endpoint and accepted only when the bundle inside verifies.
struct DirectInstallerSpec {
    enum class InstallerType { dmg, zip };

    QString url;
    QString fileName;
    InstallerType installerType = InstallerType::dmg;
    QString appBundleName;
    QString expectedBundleID;
    QString expectedTeamID;
    QSet<QString> allowedDownloadHosts; // compared as a set

    bool operator==(const DirectInstallerSpec&) const = default;
};

template <>
struct EnumNames<DirectInstallerSpec::InstallerType> {
    static constexpr std::array table{
        std::pair{DirectInstallerSpec::InstallerType::dmg, "dmg"},
        std::pair{DirectInstallerSpec::InstallerType::zip, "zip"},
    };
};

inline size_t qHash(DirectInstallerSpec::InstallerType type, size_t hashSeed = 0)
{
    return qHash(EnumText::toString(type), hashSeed);
}

inline size_t qHash(const DirectInstallerSpec& installer, size_t hashSeed = 0)
{
    return HashBuilder(hashSeed)
        .add(installer.url)
        .add(installer.fileName)
        .add(EnumText::toString(installer.installerType))
        .add(installer.appBundleName)
        .add(installer.expectedBundleID)
        .add(installer.expectedTeamID)
        .add(installer.allowedDownloadHosts)
        .value();
}
