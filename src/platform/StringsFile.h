#pragma once

#include <QByteArray>
#include <QString>
#include <QVariantMap>

#include <optional>

// A localised strings table (".strings" files such as InfoPlist.strings) of
// an application bundle: key-value text pairs. Such files come in three forms:
// a binary or XML property list holding a dictionary, or the text form
//
//     /* comment */  "key" = "value";   // comment
//     unquotedKey = "value";  "lonely key";
//
// in UTF-8 or UTF-16 (with a byte-order mark, or recognised by its zero
// bytes). The files belong to other vendors and are read as untrusted input:
// a malformed table gives nothing, never a crash.
namespace StringsFile {

// Tables larger than this are refused.
inline constexpr qsizetype maximumSize = 4 * 1024 * 1024;

// The table as key to value (QString values for the text form; whatever the
// property list holds for the other two). Nothing when the bytes are no table.
std::optional<QVariantMap> parse(const QByteArray& bytes);

// The text form alone, already decoded.
std::optional<QVariantMap> parseText(const QString& text);

} // namespace StringsFile
