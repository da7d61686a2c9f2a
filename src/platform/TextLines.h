#pragma once

#include <QString>
#include <QStringList>

// Text printed by command-line tools, taken apart into lines.
namespace TextLines {

// Splits at every line break (line feed, carriage return, a carriage return
// and line feed pair once, vertical tab, form feed, U+0085, U+2028, U+2029)
// and drops empty pieces. Blanks inside or around a line stay part of it.
QStringList split(const QString& text);

// Whether the character is one of the line breaks above.
bool isLineBreak(QChar character);

} // namespace TextLines
