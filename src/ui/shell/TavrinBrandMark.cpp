#include "ui/shell/TavrinBrandMark.h"

#include "ui/kit/Design.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor squareColor{255, 138, 0};
constexpr double tileRadius = 10;
constexpr double squareSide = 7;
constexpr double squareRadius = 2;

void paintSquare(QPainter& painter, const QPointF& centre)
{
    QPainterPath square;
    square.addRoundedRect(QRectF(centre.x() - squareSide / 2, centre.y() - squareSide / 2, squareSide, squareSide),
                          squareRadius, squareRadius);
    painter.fillPath(square, squareColor);
}

} // namespace

TavrinBrandMark::TavrinBrandMark(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TranslucentBackground);
}

QSize TavrinBrandMark::sizeHint() const
{
    return {46, 46};
}

void TavrinBrandMark::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF tile = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(tile, tileRadius, tileRadius);
    painter.fillPath(shape, Qt::white);

    const QPointF centre = tile.center();
    QFont letter = Design::font({34, QFont::Black, Design::FontDesign::rounded, true});
    painter.setFont(letter);
    painter.setPen(Design::sidebar);
    painter.drawText(tile.translated(-1, 0), Qt::AlignCenter, QStringLiteral("T"));

    paintSquare(painter, centre + QPointF(13, -11));
    paintSquare(painter, centre + QPointF(-13, 11));

    QPainterPath outline;
    outline.addRoundedRect(tile.adjusted(0.5, 0.5, -0.5, -0.5), tileRadius, tileRadius);
    painter.strokePath(outline, QPen(Design::withOpacity(Qt::black, 0.06), 1));
}
