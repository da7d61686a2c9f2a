#include "ui/kit/RoundedCard.h"

#include "ui/kit/RoundedBox.h"

#include <QChildEvent>
#include <QPainter>
#include <QPainterPath>

namespace {

// The layer above the content: the corners and the outline.
class CornerLayer : public QWidget {
public:
    CornerLayer(const RoundedCard::Look& look, QWidget* parent) : QWidget(parent), m_look(look)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect());
        QPainterPath outside;
        outside.addRect(box);
        QPainterPath inside;
        inside.addRoundedRect(box, m_look.radius, m_look.radius);
        painter.fillPath(outside.subtracted(inside), m_look.surround);
        RoundedBox::paint(painter, box, m_look.radius, Qt::transparent, m_look.outline);
    }

private:
    RoundedCard::Look m_look;
};

} // namespace

RoundedCard::RoundedCard(const Look& look, QWidget* parent)
    : QWidget(parent), m_look(look)
{
    m_corners = new CornerLayer(look, this);
}

void RoundedCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(rect()), m_look.radius, m_look.fill);
}

void RoundedCard::resizeEvent(QResizeEvent* event)
{
    m_corners->setGeometry(rect());
    m_corners->raise();
    QWidget::resizeEvent(event);
}

void RoundedCard::childEvent(QChildEvent* event)
{
    // Content added later stays below the corners.
    if (m_corners && event->type() == QEvent::ChildPolished && event->child() != m_corners)
        m_corners->raise();
    QWidget::childEvent(event);
}
