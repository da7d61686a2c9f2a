#include "ui/kit/RoundedBox.h"

#include <QPainter>
#include <QPainterPath>

namespace RoundedBox {

void paint(QPainter& painter, const QRectF& box, double radius, const QColor& fill, const QColor& outline)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    if (fill.alpha() > 0) {
        QPainterPath shape;
        shape.addRoundedRect(box, radius, radius);
        painter.fillPath(shape, fill);
    }
    if (outline.alpha() > 0) {
        QPainterPath line;
        line.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius, radius);
        painter.strokePath(line, QPen(outline, 1));
    }
    painter.restore();
}

} // namespace RoundedBox
