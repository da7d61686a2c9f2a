#include "ui/kit/PushButton.h"

#include "ui/kit/Design.h"

#include <QFontMetricsF>

#include <cmath>

PushButton::PushButton(const QString& objectName, QWidget* parent) : QPushButton(parent)
{
    setObjectName(objectName);
    setAutoDefault(false);
#ifndef Q_OS_MACOS
    setFont(Design::font(13));
    setFocusPolicy(Qt::TabFocus);
#endif
}

QSize PushButton::sizeHint() const
{
#ifdef Q_OS_MACOS
    return QPushButton::sizeHint();
#else
    // Titles are plain text with every "&" doubled (ButtonText).
    QString shown = text();
    shown.replace(QStringLiteral("&&"), QStringLiteral("&"));
    int width = int(std::ceil(QFontMetricsF(font()).horizontalAdvance(shown))) + 2 * labelPadding;
    if (!icon().isNull())
        width += iconSize().width() + 4;
    return {width, standardHeight};
#endif
}

QSize PushButton::minimumSizeHint() const
{
#ifdef Q_OS_MACOS
    return QPushButton::minimumSizeHint();
#else
    return sizeHint();
#endif
}
