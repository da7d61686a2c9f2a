#include "ui/kit/TavrinProgressBar.h"

#include "ui/kit/Design.h"

#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace {

const QColor trackColor(0xE5, 0xE7, 0xEB);

void paintCapsule(QPainter& painter, const QRectF& box, const QColor& color)
{
    const double radius = qMin(box.height(), box.width()) / 2;
    QPainterPath capsule;
    capsule.addRoundedRect(box, radius, radius);
    painter.fillPath(capsule, color);
}

} // namespace

TavrinProgressBar::TavrinProgressBar(double value, QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setFixedHeight(barHeight);
    m_value = value;
    setAccessibleDescription(percentText(value));
}

void TavrinProgressBar::setValue(double value)
{
    const bool same = value == m_value || (std::isnan(value) && std::isnan(m_value));
    m_value = value;
    if (same)
        return;
    setAccessibleDescription(percentText(value));
    update();
}

double TavrinProgressBar::clampedFraction(double value)
{
    if (!(value > 0)) // also a value that is not a number
        return 0;
    return std::min(value, 1.0);
}

QString TavrinProgressBar::percentText(double value)
{
    return QString::number(std::lround(clampedFraction(value) * 100)) + u'%';
}

double TavrinProgressBar::fillWidth() const
{
    return width() * clampedFraction(m_value);
}

QSize TavrinProgressBar::sizeHint() const
{
    return {120, barHeight};
}

QSize TavrinProgressBar::minimumSizeHint() const
{
    return {barHeight, barHeight};
}

void TavrinProgressBar::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF track(0, (height() - barHeight) / 2.0, width(), barHeight);
    paintCapsule(painter, track, trackColor);
    const double filled = fillWidth();
    if (filled > 0) {
        // The leading edge: the right one in a right-to-left layout.
        const double left = layoutDirection() == Qt::RightToLeft ? width() - filled : 0;
        const QRectF fill(left, 0, filled, barHeight);
        paintCapsule(painter, fill.translated(0, track.top()), Design::primary);
    }
}
