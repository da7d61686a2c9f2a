#include "ui/SymbolTile.h"

#include "ui/Symbols.h"

#include <QPainter>
#include <QPainterPath>

SymbolTile::SymbolTile(const QString& symbolName, const Look& look, QWidget* parent)
    : QWidget(parent), m_name(symbolName), m_look(look)
{
    setFixedSize(look.side, look.side);
}

void SymbolTile::setSymbolName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    update();
}

void SymbolTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(box, 8, 8);
    painter.fillPath(shape, m_look.fill);
    if (m_look.outline.alpha() > 0) {
        QPainterPath outline;
        outline.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
        painter.strokePath(outline, QPen(m_look.outline, 1));
    }
    Symbols::paint(painter, box, m_name, Symbols::side(m_look.symbolFont.pixelSize), m_look.symbolColor);
}
