#pragma once

#include "ui/kit/Design.h"

#include <QColor>
#include <QRectF>
#include <QSize>
#include <QString>

class QPainter;

// The report sheet's filled blue button look: [symbol] title in 12 px bold
// rounded white, 14 px on either side, 32 high, radius 8. Enabled it is blue
// (at 0.82 while pressed) with a soft blue shadow; disabled it is grey
// without a shadow, the one button look of the window that shows its
// disabled state itself.
struct ReportPrimaryButtonStyle {
    static constexpr int height = 32;
    static constexpr int horizontalPadding = 14;
    static constexpr int spacing = 6;
    static constexpr double radius = 8;
    static constexpr double shadowRadius = 7;
    static constexpr double shadowOffsetY = 3;

    static const QColor blue;
    static const QColor disabledFill;

    static Design::FontSpec font();
    static QColor fill(bool enabled, bool pressed);
    // Transparent while disabled.
    static QColor shadowColor(bool enabled);

    // The button's size for its label: the width follows the label.
    static QSize sizeFor(const QString& title, const QString& symbol);
    // Draws the whole button (fill and label) into the box.
    static void paint(QPainter& painter, const QRectF& box, const QString& title, const QString& symbol,
                      bool enabled, bool pressed);
};
