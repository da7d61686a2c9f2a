#include "ui/kit/BadgeLabel.h"

#include "ui/kit/TextBlock.h"

#include <QPainter>
#include <QPainterPath>

BadgeLabel::Look BadgeLabel::Look::evidencePill(double minimumScale)
{
    Look look;
    look.font = {10, QFont::Bold, Design::FontDesign::rounded};
    look.minimumScale = minimumScale;
    look.minimumHeight = 28;
    look.radius = 8;
    look.alignment = Qt::AlignHCenter;
    return look;
}

BadgeLabel::Look BadgeLabel::Look::reportBadge(double pixelSize, int horizontalPadding)
{
    Look look;
    look.font = {pixelSize, QFont::Bold, Design::FontDesign::rounded};
    look.minimumScale = 0.62;
    look.horizontalPadding = horizontalPadding;
    look.minimumHeight = 20;
    look.radius = -1;
    look.alignment = Qt::AlignLeading;
    return look;
}

BadgeLabel::BadgeLabel(const Look& look, QWidget* parent) : QWidget(parent), m_look(look)
{
    m_label = new TextBlock(this);
    m_label->setFontSpec(look.font);
    m_label->setMaximumLines(1);
    m_label->setMinimumScale(look.minimumScale);
    m_label->setElideMode(Qt::ElideRight);
    m_label->setAlignment(look.alignment | Qt::AlignVCenter);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString BadgeLabel::text() const
{
    return m_label->text();
}

void BadgeLabel::setText(const QString& text)
{
    m_label->setText(text);
    setAccessibleName(text);
    updateGeometry();
}

void BadgeLabel::setColors(const Colors& colors)
{
    if (colors == m_colors)
        return;
    m_colors = colors;
    m_label->setColor(colors.foreground);
    m_label->setGeometry(rect().adjusted(inset(), 0, -inset(), 0));
    updateGeometry();
    update();
}

QSize BadgeLabel::sizeHint() const
{
    const QSize text = m_label->sizeHint();
    return {text.width() + 2 * inset(), qMax(m_look.minimumHeight, text.height())};
}

QSize BadgeLabel::minimumSizeHint() const
{
    const QSize text = m_label->minimumSizeHint();
    return {text.width() + 2 * inset(), sizeHint().height()};
}

int BadgeLabel::inset() const
{
    // The text keeps off the outline.
    return m_look.horizontalPadding + (hasBorder() ? 1 : 0);
}

bool BadgeLabel::hasBorder() const
{
    return m_colors.border.isValid() && m_colors.border.alpha() > 0;
}

void BadgeLabel::resizeEvent(QResizeEvent*)
{
    m_label->setGeometry(rect().adjusted(inset(), 0, -inset(), 0));
}

void BadgeLabel::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    const double radius = m_look.radius < 0 ? box.height() / 2 : m_look.radius;
    QPainterPath shape;
    shape.addRoundedRect(box, radius, radius);
    painter.fillPath(shape, m_colors.background);
    if (hasBorder()) {
        QPainterPath outline;
        outline.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), radius - 0.5, radius - 0.5);
        painter.strokePath(outline, QPen(m_colors.border, 1));
    }
}
