#pragma once

#include <QByteArray>
#include <QVariant>

#include <optional>

// A reader of property lists in XML form and in the binary form ("bplist00").
// The files it reads (Info.plist of other applications, preference files,
// system files) are untrusted: every offset, count and length is checked,
// nesting is limited, shared and cyclic references in binary lists are
// handled, and no input makes it crash; a malformed list gives nothing.
namespace PropertyList {

// Deeper nesting than this is refused.
inline constexpr int maximumDepth = 256;

// The value of a property list, as Qt values:
//   dictionary -> QVariantMap (keys are texts; a repeated key keeps the last value)
//   array (and a binary set) -> QVariantList
//   string -> QString
//   integer -> qint64 (quint64 for values above the qint64 range)
//   real -> double
//   true/false -> bool
//   data -> QByteArray
//   date -> QDateTime in UTC
//   binary UID -> QVariantMap with the single key "CF$UID" (qint64)
std::optional<QVariant> parse(const QByteArray& bytes);

// Reads a whole file (MappedFile: a regular file of at most
// MappedFile::maximumSize bytes); nothing when it cannot be read or is not a
// property list.
std::optional<QVariant> parseFile(const QString& path);

// Convenience for the common case: the top level as a dictionary, or nothing.
std::optional<QVariantMap> parseDictionaryFile(const QString& path);

// The value as an XML property list (UTF-8, the standard declaration and
// document type, tab-indented), the form that parse() reads back to the same
// value. Accepted: QVariantMap (keys sorted), QVariantList and QStringList,
// QString, bool, the integer types, finite doubles, QByteArray (base64) and
// valid QDateTime (written in UTC, whole seconds). Text is escaped ("&", "<",
// ">", and a carriage return, which XML would otherwise turn into a line
// feed). Nothing for any other type, for text that XML 1.0 cannot carry
// (control characters other than tab, line feed and carriage return, a lone
// surrogate, U+FFFE, U+FFFF) or for nesting deeper than maximumDepth.
std::optional<QByteArray> toXml(const QVariant& value);

} // namespace PropertyList
