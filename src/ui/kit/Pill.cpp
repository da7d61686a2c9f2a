#include "ui/kit/Pill.h"

#include "ui/kit/Design.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

QFont pillFont()
{
    return Design::font(11, QFont::Bold);
}

} // namespace

Pill::Pill(const QString& text, const QColor& foreground, const QColor& background, QWidget* parent)
    : QWidget(parent), m_text(text), m_foreground(foreground), m_background(background)
{
    setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Fixed);
    setAccessibleName(text);
}

void Pill::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void Pill::setColors(const QColor& foreground, const QColor& background)
{
    m_foreground = foreground;
    m_background = background;
    update();
}

QSize Pill::sizeHint() const
{
    const double textWidth = QFontMetricsF(pillFont()).horizontalAdvance(m_text);
    return {int(std::ceil(textWidth)) + 2 * padding, fixedHeight};
}

QSize Pill::minimumSizeHint() const
{
    if (m_text.isEmpty())
        return sizeHint();
    const double ellipsis = QFontMetricsF(pillFont()).horizontalAdvance(QStringLiteral("\u2026"));
    return {qMin(sizeHint().width(), int(std::ceil(ellipsis)) + 2 * padding), fixedHeight};
}

void Pill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(0, (height() - fixedHeight) / 2.0, width(), fixedHeight);
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    painter.fillPath(shape, m_background);

    const QFont font = pillFont();
    const QFontMetricsF metrics(font);
    const QRectF textBox = box.adjusted(padding, 0, -padding, 0);
    painter.setFont(font);
    painter.setPen(m_foreground);
    painter.setClipPath(shape);
    painter.drawText(textBox, Qt::AlignCenter | Qt::TextSingleLine,
                     metrics.elidedText(m_text, Qt::ElideRight, textBox.width()));
}
