#pragma once

#include <QHashFunctions>
#include <QJsonObject>
#include <QString>

// The backend's answer on updates: whether this build must or may be updated,
// what to tell the user and where the new build is. The client neither
// compares versions nor checks the link; the view model does.
struct ReleasePolicy {
    bool updateRequired = false;
    bool updateAvailable = false;
    QString title;
    QString message;
    QString downloadURL;
    QString latestVersion;
    QString minSupportedVersion;

    // Reads any object: flags loosely as Booleans, texts loosely as texts;
    // missing or null keys take their defaults.
    static ReleasePolicy fromJson(const QJsonObject& data);

    bool operator==(const ReleasePolicy&) const = default;
};

size_t qHash(const ReleasePolicy& policy, size_t hashSeed = 0);
