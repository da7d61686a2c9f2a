#pragma once

#include <QString>

// Texts of Qt's own push buttons and message-box buttons are plain text: an
// "&" would otherwise make a keyboard shortcut of the next letter and vanish
// ("Meeting & Chat").
namespace ButtonText {

// The title with every "&" doubled, for QAbstractButton::setText.
inline QString escaped(const QString& title)
{
    QString text = title;
    return text.replace(u'&', QStringLiteral("&&"));
}

} // namespace ButtonText
