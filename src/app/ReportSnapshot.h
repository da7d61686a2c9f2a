#pragma once

#include "model/InstalledMacApplication.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>

// The last audit as it is kept between runs: the plain-text report, the
// applications and when it was saved, in "report-snapshot.json" in the
// "Reports" folder of the application-support folder.
//
// JSON form: one compact object with the keys "text", "applications" (the
// applications' own JSON form) and "createdAt", seconds since 2001-01-01
// 00:00:00 UTC as a number with fraction; all three are required.
struct ReportSnapshot {
    // The user-defaults key of an older version's copy (the same JSON as
    // bytes); read to move it into the file, never written.
    static constexpr const char* legacyDefaultsKey = "tavrin.mac.report-snapshot.v1";
    static constexpr const char* fileName = "report-snapshot.json";

    QString text;
    QList<InstalledMacApplication> applications;
    QDateTime createdAt;

    bool operator==(const ReportSnapshot&) const = default;

    QByteArray toJson() const;
    // None for anything but a whole, valid snapshot.
    static std::optional<ReportSnapshot> fromJson(const QByteArray& bytes);

    // Seconds between the Unix epoch and 2001-01-01 00:00:00 UTC.
    static constexpr qint64 referenceDateOffset = 978307200;

    // AppRuntime::appSupportDir()/Reports and the file in it.
    static QString folder();
    static QString filePath();

    // Writes the bytes to filePath(): the folder is created (700) when
    // missing and set to 700 in any case; the file is written owner-only from
    // its first byte, renamed into place and set to 600. None on success,
    // else the failure's description (the path and the system's reason).
    static std::optional<QString> save(const QByteArray& bytes);
    // The file's whole contents, or none when it cannot be read.
    static std::optional<QByteArray> readFile();
};
