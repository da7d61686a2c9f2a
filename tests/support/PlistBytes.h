#pragma once

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>

// Property lists holding one dictionary of texts, written by hand in either
// form the platform reads, for fake bundles and preference files.
namespace PlistBytes {

using Entries = QList<QPair<QString, QString>>;

// The XML form ("<?xml ...><plist><dict>...").
QByteArray xml(const Entries& entries);

// The binary form ("bplist00"): ASCII texts as ASCII strings, others as
// UTF-16 strings, as the system writes them.
QByteArray binary(const Entries& entries);

// Writes the binary form as a file of exactly size bytes (at least the
// binary form's own): the room between the objects and their offset table is
// a hole, so a large valid list costs no disk space. False when the file
// cannot be written.
bool writeSparseBinary(const QString& path, const Entries& entries, qint64 size);

} // namespace PlistBytes
