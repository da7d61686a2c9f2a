#include "ui/report/ReportPrimaryButton.h"

#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/FocusRing.h"
#include "ui/report/ReportPrimaryButtonStyle.h"

#include <QFocusEvent>
#include <QGraphicsDropShadowEffect>
#include <QPainter>
#include <QPainterPath>

ReportPrimaryButton::ReportPrimaryButton(QWidget* parent)
    : QPushButton(parent), m_shadow(new QGraphicsDropShadowEffect(this))
{
    setAutoDefault(false);
    setFocusPolicy(Qt::TabFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_shadow->setBlurRadius(ReportPrimaryButtonStyle::shadowRadius);
    m_shadow->setOffset(0, ReportPrimaryButtonStyle::shadowOffsetY);
    setGraphicsEffect(m_shadow);
    updateShadow();
}

void ReportPrimaryButton::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    setText(ButtonText::escaped(title));
    updateGeometry();
    update();
}

void ReportPrimaryButton::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    updateGeometry();
    update();
}

QColor ReportPrimaryButton::shadowColor() const
{
    return m_shadow->color();
}

QSize ReportPrimaryButton::sizeHint() const
{
    return ReportPrimaryButtonStyle::sizeFor(m_title, m_symbol);
}

QSize ReportPrimaryButton::minimumSizeHint() const
{
    return sizeHint();
}

void ReportPrimaryButton::updateShadow()
{
    m_shadow->setColor(ReportPrimaryButtonStyle::shadowColor(isEnabled()));
}

void ReportPrimaryButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect());
    ReportPrimaryButtonStyle::paint(painter, box, m_title, m_symbol, isEnabled(), isDown());
    if (m_keyboardFocus && hasFocus()) {
        QPainterPath ring;
        ring.addRoundedRect(box.adjusted(1, 1, -1, -1), ReportPrimaryButtonStyle::radius,
                            ReportPrimaryButtonStyle::radius);
        painter.strokePath(ring, QPen(Design::withOpacity(Qt::white, 0.7), 2));
    }
}

void ReportPrimaryButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange) {
        updateShadow();
        setCursor(isEnabled() ? Qt::PointingHandCursor : Qt::ArrowCursor);
    }
    QPushButton::changeEvent(event);
}

void ReportPrimaryButton::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus = FocusRing::afterFocusIn(event->reason(), m_keyboardFocus);
    QPushButton::focusInEvent(event);
}

void ReportPrimaryButton::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = FocusRing::afterFocusOut(event->reason(), m_keyboardFocus);
    QPushButton::focusOutEvent(event);
}
