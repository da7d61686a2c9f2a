#include "ui/shell/ToastView.h"

#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QGraphicsDropShadowEffect>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {

constexpr int horizontalPadding = 14;
constexpr int verticalPadding = 10;
constexpr int spacing = 10;
// The symbol takes the body size: the view sets no font for it.
constexpr double symbolFontSize = 13;

int symbolSide()
{
    return int(std::ceil(Symbols::side(symbolFontSize)));
}

} // namespace

// The card's soft shadow, drawn with the card at the toast's opacity: the
// widget's one graphics effect both casts the shadow and fades the toast.
class ToastView::Shadow : public QGraphicsDropShadowEffect {
public:
    using QGraphicsDropShadowEffect::QGraphicsDropShadowEffect;

    double opacity() const { return m_opacity; }
    void setOpacity(double opacity)
    {
        m_opacity = std::clamp(opacity, 0.0, 1.0);
        update();
    }

protected:
    void draw(QPainter* painter) override
    {
        if (m_opacity <= 0)
            return;
        painter->save();
        painter->setOpacity(painter->opacity() * m_opacity);
        QGraphicsDropShadowEffect::draw(painter);
        painter->restore();
    }

private:
    double m_opacity = 1.0;
};

ToastView::ToastView(const Message& message, QWidget* parent)
    : QWidget(parent), m_shadow(new Shadow(this)), m_symbol(new SymbolView({}, Symbols::side(symbolFontSize), {}, this)),
      m_text(new TextBlock({}, {13, QFont::DemiBold}, Design::text, this))
{
    setObjectName(QStringLiteral("toast"));
    setMaximumWidth(maximumWidth);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_text->setMaximumLines(2);

    m_shadow->setColor(Design::withOpacity(Qt::black, 0.16));
    m_shadow->setBlurRadius(18);
    m_shadow->setOffset(0, 8);
    setGraphicsEffect(m_shadow);

    setMessage(message);
}

void ToastView::setMessage(const Message& message)
{
    m_message = message;
    m_symbol->setSymbolName(symbolName(message.kind));
    m_symbol->setColor(kindColor(message.kind));
    m_text->setText(message.text);
    setAccessibleName(message.text);
    updateGeometry();
    placeChildren();
    update();
}

double ToastView::opacity() const
{
    return m_shadow->opacity();
}

void ToastView::setOpacity(double opacity)
{
    m_shadow->setOpacity(opacity);
}

QString ToastView::symbolName(Message::Kind kind)
{
    switch (kind) {
    case Message::Kind::success:
        return QStringLiteral("checkmark.circle.fill");
    case Message::Kind::warning:
        return QStringLiteral("exclamationmark.triangle.fill");
    case Message::Kind::failure:
        return QStringLiteral("xmark.octagon.fill");
    }
    return {};
}

QColor ToastView::kindColor(Message::Kind kind)
{
    switch (kind) {
    case Message::Kind::success:
        return Design::success;
    case Message::Kind::warning:
        return Design::warning;
    case Message::Kind::failure:
        return Design::danger;
    }
    return Design::text;
}

ToastView::Geometry ToastView::geometryAt(int width) const
{
    const int frame = std::min(width, int(maximumWidth));
    const int side = symbolSide();
    const bool hasText = !m_message.text.isEmpty();
    const int gap = hasText ? spacing : 0;
    const int room = std::max(0, frame - 2 * horizontalPadding - side - gap);
    const int textWidth = hasText ? std::min(m_text->sizeHint().width(), room) : 0;
    const int textHeight = hasText ? m_text->heightForWidth(textWidth) : 0;
    const int contentHeight = std::max(side, textHeight);

    Geometry result;
    const int cardWidth = 2 * horizontalPadding + side + gap + textWidth;
    result.card = QRect((frame - cardWidth) / 2, 0, cardWidth, contentHeight + 2 * verticalPadding);
    const int left = result.card.left() + horizontalPadding;
    result.symbol = QRect(left, verticalPadding + (contentHeight - side) / 2, side, side);
    result.text = QRect(left + side + gap, verticalPadding + (contentHeight - textHeight) / 2, textWidth, textHeight);
    return result;
}

void ToastView::placeChildren()
{
    const Geometry geometry = geometryAt(width());
    m_symbol->setGeometry(geometry.symbol);
    m_text->setGeometry(geometry.text);
}

QRect ToastView::cardRect() const
{
    return geometryAt(width()).card;
}

QSize ToastView::sizeHint() const
{
    return {int(maximumWidth), geometryAt(maximumWidth).card.height()};
}

QSize ToastView::minimumSizeHint() const
{
    const int width = 2 * horizontalPadding + symbolSide() + spacing + m_text->minimumSizeHint().width();
    return {width, geometryAt(width).card.height()};
}

bool ToastView::hasHeightForWidth() const
{
    return true;
}

int ToastView::heightForWidth(int width) const
{
    return geometryAt(width).card.height();
}

void ToastView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeChildren();
}

void ToastView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(cardRect()), 8, Design::card,
                      Design::withOpacity(kindColor(m_message.kind), 0.35));
}
