#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// The rounded box most views of the window draw: a rectangle with rounded
// corners, filled, and outlined by a 1 px line that lies inside its edge.
namespace RoundedBox {

// A transparent fill or outline is not drawn.
void paint(QPainter& painter, const QRectF& box, double radius, const QColor& fill,
           const QColor& outline = Qt::transparent);

} // namespace RoundedBox
