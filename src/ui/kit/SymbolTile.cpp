#include "ui/kit/SymbolTile.h"

#include "ui/kit/RoundedBox.h"
#include "ui/kit/Symbols.h"

#include <QPainter>

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
    const QRectF box = QRectF(rect());
    RoundedBox::paint(painter, box, m_look.radius, m_look.fill, m_look.outline);
    Symbols::paint(painter, box, m_name, Symbols::side(m_look.symbolFont.pixelSize), m_look.symbolColor);
}
