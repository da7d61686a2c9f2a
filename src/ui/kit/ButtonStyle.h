#pragma once

#include "ui/kit/Design.h"

#include <QColor>
#include <QString>
#include <Qt>

// The look of a StyledButton: a rounded box, optionally filled and outlined,
// holding a row of [symbol] title [balance box or trailing symbol].
struct ButtonStyle {
    // What follows the title: nothing; a clear box as wide as the leading
    // symbol's frame (so that a centred title sits in the middle of the
    // button); or a second symbol.
    enum class Trailing { none, balance, symbol };
    // The three looks of the sidebar's action buttons.
    enum class ActionVariant { green, light, plain };

    Design::FontSpec font;
    QColor foreground = Design::text;
    QColor fill = Qt::transparent;
    QColor pressedFill = Qt::transparent;
    QColor border = Qt::transparent; // a 1 px outline when not transparent
    double radius = 8;

    int height = 0;          // the button's height; 0: content and padding
    bool fixedHeight = true; // false: height is a minimum the content may exceed
    int horizontalPadding = 0;
    int verticalPadding = 0;
    bool fillsWidth = false; // true: as wide as offered; false: follows the label
    Qt::Alignment titleAlignment = Qt::AlignHCenter;

    // The leading symbol: its font, colour (invalid: the foreground) and the
    // width of its frame (0: the symbol's own width). spacing separates the
    // row's parts.
    Design::FontSpec symbolFont;
    QColor symbolColor;
    int symbolFrameWidth = 0;
    int spacing = 6;

    Trailing trailing = Trailing::none;
    QString trailingSymbol;
    Design::FontSpec trailingFont;
    QColor trailingColor;

    // Opacity of the whole button while disabled (1: no disabled look).
    double disabledOpacity = 1.0;

    // The filled accent button: 13 px semibold white, padding 14, 34 high
    // (compact: 12 px, padding 10, 30 high); pressed, the fill is at 0.82.
    static ButtonStyle primary(bool compact = false);
    // A navigation button of the dark sidebar: 13 px semibold white, at least
    // 40 high and as wide as the sidebar, 10 padding inside the highlight,
    // symbol in a 22 px frame balanced after the centred title. Selected:
    // filled with Design::sidebarSelected; else white at 0.08 while pressed.
    static ButtonStyle sidebar(bool selected);
    // A command button of the sidebar (the install presets, the sheets).
    static ButtonStyle action(ActionVariant variant);
    // The white outlined secondary button: 13 px bold, 36 high, padding 14;
    // pressed, the white fill is at 0.8.
    static ButtonStyle refresh();
    // A borderless button of one symbol at the body size, framed to a square
    // of the side: the sheets' xmark (28) and the header's copy button (24).
    static ButtonStyle symbolSquare(int side);
};
