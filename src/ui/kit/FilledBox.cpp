#include "ui/kit/FilledBox.h"

#include "ui/kit/RoundedBox.h"

#include <QPainter>

FilledBox::FilledBox(const QColor& fill, double radius, const QColor& outline, QWidget* parent)
    : QWidget(parent), m_fill(fill), m_radius(radius), m_outline(outline)
{
}

void FilledBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(rect()), m_radius, m_fill, m_outline);
}
