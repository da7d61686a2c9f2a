#include "platform/TextLines.h"

namespace TextLines {

bool isLineBreak(QChar character)
{
    const char16_t unit = character.unicode();
    return (unit >= 0x000A && unit <= 0x000D) || unit == 0x0085 || unit == 0x2028 || unit == 0x2029;
}

QStringList split(const QString& text)
{
    QStringList lines;
    qsizetype start = 0;
    for (qsizetype index = 0; index <= text.size(); ++index) {
        if (index < text.size() && !isLineBreak(text.at(index)))
            continue;
        if (index > start)
            lines.append(text.mid(start, index - start));
        start = index + 1;
    }
    return lines;
}

} // namespace TextLines
