#pragma once

#include <QList>
#include <QString>

// Where the office suite's Vietnamese dictionary extension comes from: a
// public source repository at a pinned revision, and the seven files of the
// extension with the SHA-256 digest each must have. The engine holds one such
// value (pinned() unless replaced), so the whole source can be swapped at once.
struct VietnameseDictionarySource {
    struct File {
        QString name;   // relative to the extension's folder ("META-INF/manifest.xml")
        QString sha256; // lower-case hexadecimal, compared exactly

        bool operator==(const File&) const = default;
    };

    QString rawBaseAddress; // ends with "/"; the revision follows directly
    QString revision;       // a 40-digit hexadecimal commit identifier
    QList<File> files;      // in the order they are fetched

    bool operator==(const VietnameseDictionarySource&) const = default;

    // rawBaseAddress + revision + "/vi/" + the file's name.
    QString address(const File& file) const;

    // The source the program uses.
    static const VietnameseDictionarySource& pinned();
};
