#include "ui/kit/ButtonStyle.h"

ButtonStyle ButtonStyle::primary(bool compact)
{
    ButtonStyle style;
    style.font = {compact ? 12.0 : 13.0, QFont::DemiBold};
    style.symbolFont = style.font;
    style.foreground = Qt::white;
    style.fill = Design::primary;
    style.pressedFill = Design::withOpacity(Design::primary, 0.82);
    style.height = compact ? 30 : 34;
    style.horizontalPadding = compact ? 10 : 14;
    return style;
}

ButtonStyle ButtonStyle::sidebar(bool selected)
{
    ButtonStyle style;
    style.font = {13, QFont::DemiBold};
    style.foreground = Qt::white;
    style.fill = selected ? Design::sidebarSelected : QColor(Qt::transparent);
    style.pressedFill = selected ? Design::sidebarSelected : Design::withOpacity(Qt::white, 0.08);
    style.height = 40;
    style.fixedHeight = false;
    style.horizontalPadding = 10;
    style.fillsWidth = true;
    style.symbolFont = {13, QFont::Medium};
    style.symbolColor = Design::withOpacity(Qt::white, 0.92);
    style.symbolFrameWidth = 22;
    style.spacing = 10;
    style.trailing = Trailing::balance;
    return style;
}

ButtonStyle ButtonStyle::action(ActionVariant variant)
{
    ButtonStyle style;
    style.font = {13, QFont::DemiBold};
    style.symbolFont = style.font;
    style.symbolFrameWidth = 20;
    style.spacing = 10;
    style.trailing = Trailing::balance;
    style.fillsWidth = true;
    style.fixedHeight = false;
    style.horizontalPadding = 12;
    style.disabledOpacity = 0.55;
    switch (variant) {
    case ActionVariant::green:
        style.foreground = Qt::white;
        style.fill = Design::sidebarAction;
        style.border = Design::withOpacity(Design::sidebarAction, 0.55);
        style.height = 38;
        break;
    case ActionVariant::light:
        style.foreground = Design::mutedText;
        style.fill = Qt::white;
        style.border = Design::withOpacity(Qt::white, 0.55);
        style.height = 38;
        break;
    case ActionVariant::plain:
        style.foreground = Qt::white;
        style.height = 34;
        break;
    }
    style.pressedFill = style.fill;
    return style;
}

ButtonStyle ButtonStyle::symbolSquare(int side)
{
    ButtonStyle style;
    style.symbolFrameWidth = side;
    style.spacing = 0;
    style.height = side;
    return style;
}

ButtonStyle ButtonStyle::refresh()
{
    ButtonStyle style;
    style.font = {13, QFont::Bold};
    style.symbolFont = style.font;
    style.foreground = QColor(0x1F, 0x29, 0x37);
    style.fill = Design::card;
    style.pressedFill = Design::withOpacity(Design::card, 0.8);
    style.border = QColor(0xDC, 0xE3, 0xEC);
    style.height = 36;
    style.horizontalPadding = 14;
    return style;
}
