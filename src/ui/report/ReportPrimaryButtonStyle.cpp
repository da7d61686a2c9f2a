#include "ui/report/ReportPrimaryButtonStyle.h"

#include "ui/kit/RoundedBox.h"
#include "ui/kit/Symbols.h"
#include "ui/report/ReportColors.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>

const QColor ReportPrimaryButtonStyle::blue = ReportColors::blue;
const QColor ReportPrimaryButtonStyle::disabledFill{170, 182, 198};

namespace {

double symbolSide(const QString& symbol)
{
    return symbol.isEmpty() ? 0.0 : Symbols::side(ReportPrimaryButtonStyle::font().pixelSize);
}

double titleWidth(const QString& title)
{
    return QFontMetricsF(Design::font(ReportPrimaryButtonStyle::font())).horizontalAdvance(title);
}

} // namespace

Design::FontSpec ReportPrimaryButtonStyle::font()
{
    return {12, QFont::Bold, Design::FontDesign::rounded};
}

QColor ReportPrimaryButtonStyle::fill(bool enabled, bool pressed)
{
    if (!enabled)
        return disabledFill;
    return pressed ? Design::withOpacity(blue, 0.82) : blue;
}

QColor ReportPrimaryButtonStyle::shadowColor(bool enabled)
{
    return enabled ? Design::withOpacity(blue, 0.18) : QColor(Qt::transparent);
}

QSize ReportPrimaryButtonStyle::sizeFor(const QString& title, const QString& symbol)
{
    const double side = symbolSide(symbol);
    const double label = side + (side > 0 && !title.isEmpty() ? spacing : 0) + titleWidth(title);
    return {int(std::ceil(label + 2 * horizontalPadding)), height};
}

void ReportPrimaryButtonStyle::paint(QPainter& painter, const QRectF& box, const QString& title,
                                     const QString& symbol, bool enabled, bool pressed)
{
    RoundedBox::paint(painter, box, radius, fill(enabled, pressed));

    const QRectF content = box.adjusted(horizontalPadding, 0, -horizontalPadding, 0);
    const double side = symbolSide(symbol);
    const double gap = side > 0 && !title.isEmpty() ? spacing : 0;
    const double natural = side + gap + titleWidth(title);
    // The label sits in the middle; given less room the title is cut.
    const double left = natural < content.width() ? content.center().x() - natural / 2 : content.left();
    if (side > 0)
        Symbols::paint(painter, QRectF(left, content.top(), side, content.height()), symbol, side, Qt::white);

    const QRectF titleBox(left + side + gap, content.top(), qMax(0.0, content.right() - left - side - gap),
                          content.height());
    const QFont font = Design::font(ReportPrimaryButtonStyle::font());
    painter.save();
    painter.setFont(font);
    painter.setPen(Qt::white);
    const QString shown = QFontMetricsF(font).elidedText(title, Qt::ElideRight, titleBox.width() + 0.5);
    painter.drawText(titleBox, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, shown);
    painter.restore();
}
