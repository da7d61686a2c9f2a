#include "engine/ChildOutputLines.h"

#include "platform/TextLines.h"
#include "platform/Utf8.h"

QStringList ChildOutputLines::take(QByteArrayView chunk)
{
    if (chunk.isEmpty())
        return {};
    QByteArray bytes = m_carried + chunk.toByteArray();
    const qsizetype tail = Utf8::incompleteTail(bytes);
    m_carried = bytes.right(tail);
    bytes.chop(tail);
    const std::optional<QString> text = Utf8::decode(bytes);
    if (!text)
        return {};
    return TextLines::split(*text);
}
