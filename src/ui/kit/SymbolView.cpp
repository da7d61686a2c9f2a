#include "ui/kit/SymbolView.h"

#include "ui/kit/Design.h"
#include "ui/kit/Symbols.h"

#include <QPainter>

#include <cmath>

namespace {

// A symbol given no font is set at the body text size.
constexpr double defaultFontPixelSize = 13;

} // namespace

SymbolView::SymbolView(const QString& symbolName, double side, const QColor& color, QWidget* parent)
    : QWidget(parent), m_name(symbolName), m_side(side), m_color(color)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void SymbolView::setSymbolName(const QString& name)
{
    if (name == m_name)
        return;
    m_name = name;
    update();
}

void SymbolView::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void SymbolView::setSide(double side)
{
    if (side == m_side)
        return;
    m_side = side;
    updateGeometry();
    update();
}

QSize SymbolView::sizeHint() const
{
    const int pixels = int(std::ceil(m_side));
    return {pixels, pixels};
}

QSize SymbolView::minimumSizeHint() const
{
    return sizeHint();
}

void SymbolView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    Symbols::paint(painter, QRectF(rect()), m_name, m_side, m_color.isValid() ? m_color : Design::text);
}

SymbolView* squareSymbolImage(const QString& symbolName, int side, QWidget* parent)
{
    auto* view = new SymbolView(symbolName, Symbols::side(defaultFontPixelSize), {}, parent);
    view->setFixedSize(side, side);
    return view;
}
