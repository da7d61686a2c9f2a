#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

// Strict UTF-8: overlong forms, surrogates and values above U+10FFFF are
// invalid, as is a sequence cut short.
namespace Utf8 {

bool isValid(QByteArrayView bytes);

// The text of the bytes, or nothing when they are not valid UTF-8.
std::optional<QString> decode(QByteArrayView bytes);

// The number of bytes (0 to 3) at the end that begin a multi-byte character
// without finishing it while being valid so far; such bytes may be completed
// by what follows. 0 when the bytes end on a character boundary or when the
// unfinished sequence is already invalid.
qsizetype incompleteTail(QByteArrayView bytes);

} // namespace Utf8
