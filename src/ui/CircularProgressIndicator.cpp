#include "ui/CircularProgressIndicator.h"

#include "ui/Design.h"

#include <QPainter>
#include <QTimerEvent>

namespace {

constexpr int stepMilliseconds = 80;
constexpr int stepDegrees = 30;

} // namespace

CircularProgressIndicator::CircularProgressIndicator(const QColor& color, QWidget* parent)
    : QWidget(parent), m_color(color)
{
    setFixedSize(side, side);
}

QSize CircularProgressIndicator::sizeHint() const
{
    return {side, side};
}

void CircularProgressIndicator::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (Design::animationsEnabled())
        m_timer.start(stepMilliseconds, this);
}

void CircularProgressIndicator::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    m_timer.stop();
}

void CircularProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_angle = (m_angle + stepDegrees) % 360;
    update();
}

void CircularProgressIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double pen = 2;
    const QRectF ring = QRectF(rect()).adjusted(pen, pen, -pen, -pen);
    painter.setPen(QPen(Design::withOpacity(m_color, 0.25), pen));
    painter.drawEllipse(ring);
    painter.setPen(QPen(m_color, pen, Qt::SolidLine, Qt::RoundCap));
    // Qt counts angles counter-clockwise in sixteenths of a degree.
    painter.drawArc(ring, (90 - m_angle) * 16, -100 * 16);
}
