#include "ui/kit/Banner.h"

#include "ui/kit/Design.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QGraphicsOpacityEffect>
#include <QHBoxLayout>
#include <QPainter>

#include <cmath>

namespace {

// The strip itself: the background and the bottom rule under the row.
class BannerBody final : public QWidget {
public:
    BannerBody(const QColor& background, const QColor& rule, QWidget* parent)
        : QWidget(parent), m_background(background), m_rule(rule)
    {
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_background);
        painter.fillRect(QRect(0, height() - 1, width(), 1), m_rule);
    }

private:
    QColor m_background;
    QColor m_rule;
};

} // namespace

Banner::Banner(const QColor& background, const QColor& rule, QWidget* parent)
    : QWidget(parent), m_body(new BannerBody(background, rule, this)), m_row(new QHBoxLayout(m_body)),
      m_fade(new QGraphicsOpacityEffect(m_body))
{
    m_row->setSpacing(14);
    m_row->setContentsMargins(24, 10, 24, 10);
    m_fade->setOpacity(1.0);
    m_fade->setEnabled(false);
    m_body->setGraphicsEffect(m_fade);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void Banner::setShownAnimated(bool shown)
{
    m_shownTarget = shown;
    if (m_slide)
        m_slide->stop(); // deleted when stopped
    const bool onScreen = parentWidget() ? parentWidget()->isVisible() : isVisible();
    if (!onScreen || (!shown && !isVisible())) {
        // Nothing to watch: the column is not on screen, or there is nothing
        // to slide away.
        setReveal(shown ? 1.0 : 0.0);
        setVisible(shown);
        return;
    }
    if (shown && isHidden()) {
        setReveal(0);
        show();
    }
    m_slide = Design::animate(this, "reveal", shown ? 1.0 : 0.0, slideMilliseconds);
    if (shown)
        return;
    if (!m_slide) {
        hide();
        return;
    }
    connect(m_slide, &QAbstractAnimation::finished, this, [this] {
        if (!m_shownTarget)
            hide();
    });
}

void Banner::setReveal(double reveal)
{
    reveal = std::clamp(reveal, 0.0, 1.0);
    if (reveal == m_reveal)
        return;
    m_reveal = reveal;
    m_fade->setOpacity(reveal);
    m_fade->setEnabled(reveal < 1.0);
    updateGeometry();
    placeBody();
}

int Banner::bodyHeight(int width) const
{
    return m_body->hasHeightForWidth() ? m_body->heightForWidth(width) : m_body->sizeHint().height();
}

QSize Banner::sizeHint() const
{
    const QSize body = m_body->sizeHint();
    return {body.width(), int(std::ceil(m_reveal * bodyHeight(body.width())))};
}

QSize Banner::minimumSizeHint() const
{
    const QSize body = m_body->minimumSizeHint();
    return {body.width(), int(std::ceil(m_reveal * bodyHeight(body.width())))};
}

bool Banner::hasHeightForWidth() const
{
    return true;
}

int Banner::heightForWidth(int width) const
{
    return int(std::ceil(m_reveal * bodyHeight(width)));
}

bool Banner::event(QEvent* event)
{
    // The body has no layout above it: a change of its size hints arrives
    // here and moves the strip's own.
    if (event->type() == QEvent::LayoutRequest) {
        updateGeometry();
        placeBody();
    }
    return QWidget::event(event);
}

void Banner::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeBody();
}

void Banner::placeBody()
{
    // Anchored to the bottom edge: while the strip is partly in view its top
    // is above the visible part, so it slides down from the top.
    const int full = bodyHeight(width());
    m_body->setGeometry(0, height() - full, width(), full);
}
