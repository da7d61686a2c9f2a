#include "ui/kit/CircularProgressIndicator.h"

#include "ui/kit/Design.h"

#include <QPainter>
#include <QTimerEvent>

namespace {

// One turn a second.
constexpr int stepMilliseconds = 1000 / CircularProgressIndicator::spokes;

} // namespace

CircularProgressIndicator::CircularProgressIndicator(int side, QWidget* parent)
    : QWidget(parent), m_side(side), m_color(Design::mutedText)
{
    setAttribute(Qt::WA_TranslucentBackground);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void CircularProgressIndicator::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

QSize CircularProgressIndicator::sizeHint() const
{
    return {m_side, m_side};
}

QSize CircularProgressIndicator::minimumSizeHint() const
{
    return sizeHint();
}

void CircularProgressIndicator::showEvent(QShowEvent* event)
{
    if (Design::animationsEnabled())
        m_timer.start(stepMilliseconds, this);
    QWidget::showEvent(event);
}

void CircularProgressIndicator::hideEvent(QHideEvent* event)
{
    m_timer.stop();
    QWidget::hideEvent(event);
}

void CircularProgressIndicator::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_step = (m_step + 1) % spokes;
    update();
}

void CircularProgressIndicator::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double side = qMin(width(), height());
    const double outer = side / 2;
    const double inner = outer * 0.45;
    const double thickness = qMax(1.5, side / 9);
    painter.translate(width() / 2.0, height() / 2.0);
    for (int k = 0; k < spokes; ++k) {
        // The current spoke is darkest; the ones behind it fade out.
        const int behind = (m_step - k + spokes) % spokes;
        QColor spoke = m_color;
        spoke.setAlphaF(float(m_color.alphaF() * (1.0 - 0.75 * behind / (spokes - 1))));
        painter.save();
        painter.rotate(360.0 * k / spokes);
        painter.setPen(QPen(spoke, thickness, Qt::SolidLine, Qt::RoundCap));
        painter.drawLine(QPointF(0, -inner), QPointF(0, -outer + thickness / 2));
        painter.restore();
    }
}
