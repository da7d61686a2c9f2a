#include "ui/kit/StyledButton.h"

#include "ui/kit/ButtonText.h"
#include "ui/kit/FocusRing.h"
#include "ui/kit/Symbols.h"

#include <QFocusEvent>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QtGlobal>

#include <cmath>

StyledButton::StyledButton(const ButtonStyle& style, QWidget* parent)
    : QAbstractButton(parent), m_style(style)
{
    connect(this, &QAbstractButton::pressed, this, [this] { run(Trigger::mouseDown); });
    connect(this, &QAbstractButton::clicked, this, [this] { run(Trigger::click); });
    setFocusPolicy(Qt::TabFocus);
    updateCursorAndPolicy();
}

StyledButton::StyledButton(const QString& title, const QString& symbol, const ButtonStyle& style,
                           QWidget* parent)
    : StyledButton(style, parent)
{
    setTitle(title);
    setSymbol(symbol);
}

StyledButton::~StyledButton()
{
    if (m_running)
        qCritical("StyledButton: deleted by its own action; screens must update buttons in place");
}

void StyledButton::setButtonStyle(const ButtonStyle& style)
{
    m_style = style;
    updateCursorAndPolicy();
    updateGeometry();
    update();
}

void StyledButton::setTitle(const QString& title)
{
    if (title == m_title)
        return;
    m_title = title;
    setText(ButtonText::escaped(title));
    updateGeometry();
    update();
}

void StyledButton::setSymbol(const QString& symbol)
{
    if (symbol == m_symbol)
        return;
    m_symbol = symbol;
    updateGeometry();
    update();
}

void StyledButton::setAction(std::function<void()> action, Trigger trigger)
{
    m_action = std::move(action);
    m_trigger = trigger;
    updateCursorAndPolicy();
}

void StyledButton::run(Trigger trigger)
{
    if (trigger != m_trigger || !m_action || !isEnabled())
        return;
    // A copy: the action may replace this button's action while it runs.
    const std::function<void()> action = m_action;
    QPointer<StyledButton> guard(this);
    m_running = true;
    action();
    if (guard)
        m_running = false;
}

void StyledButton::updateCursorAndPolicy()
{
    if (m_trigger == Trigger::mouseDown && isEnabled())
        setCursor(Qt::PointingHandCursor);
    else
        unsetCursor();
    setSizePolicy(m_style.fillsWidth ? QSizePolicy::Expanding : QSizePolicy::Maximum, QSizePolicy::Fixed);
}

double StyledButton::leadingWidth() const
{
    if (m_symbol.isEmpty())
        return 0;
    return m_style.symbolFrameWidth > 0 ? m_style.symbolFrameWidth
                                        : Symbols::side(m_style.symbolFont.pixelSize);
}

double StyledButton::trailingWidth() const
{
    switch (m_style.trailing) {
    case ButtonStyle::Trailing::none:
        return 0;
    case ButtonStyle::Trailing::balance:
        return leadingWidth();
    case ButtonStyle::Trailing::symbol:
        return Symbols::side(m_style.trailingFont.pixelSize);
    }
    return 0;
}

double StyledButton::titleWidth() const
{
    return QFontMetricsF(Design::font(m_style.font)).horizontalAdvance(m_title);
}

int StyledButton::contentHeight() const
{
    double content = QFontMetricsF(Design::font(m_style.font)).height();
    if (!m_symbol.isEmpty())
        content = qMax(content, Symbols::side(m_style.symbolFont.pixelSize));
    const int natural = int(std::ceil(content)) + 2 * m_style.verticalPadding;
    if (m_style.height <= 0)
        return natural;
    return m_style.fixedHeight ? m_style.height : qMax(m_style.height, natural);
}

QSize StyledButton::sizeHint() const
{
    const double leading = leadingWidth();
    const double trailing = trailingWidth();
    double width = 2 * m_style.horizontalPadding + titleWidth();
    if (leading > 0)
        width += leading + m_style.spacing;
    if (trailing > 0)
        width += trailing + m_style.spacing;
    return {int(std::ceil(width)), contentHeight()};
}

QSize StyledButton::minimumSizeHint() const
{
    const QSize hint = sizeHint();
    const QFontMetricsF metrics(Design::font(m_style.font));
    const double cut = titleWidth() - metrics.horizontalAdvance(QStringLiteral("\u2026"));
    return {int(std::ceil(hint.width() - qMax(0.0, cut))), hint.height()};
}

void StyledButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    if (!isEnabled())
        painter.setOpacity(m_style.disabledOpacity);

    const QRectF box = QRectF(rect());
    QPainterPath shape;
    shape.addRoundedRect(box, m_style.radius, m_style.radius);
    const QColor fill = isDown() ? m_style.pressedFill : m_style.fill;
    if (fill.alpha() > 0)
        painter.fillPath(shape, fill);
    if (m_style.border.alpha() > 0) {
        QPainterPath outline;
        outline.addRoundedRect(box.adjusted(0.5, 0.5, -0.5, -0.5), m_style.radius, m_style.radius);
        painter.strokePath(outline, QPen(m_style.border, 1));
    }
    if (m_keyboardFocus && hasFocus()) {
        QPainterPath ring;
        ring.addRoundedRect(box.adjusted(1, 1, -1, -1), m_style.radius, m_style.radius);
        painter.strokePath(ring, QPen(Design::withOpacity(Design::primary, 0.6), 2));
    }

    // The row: [symbol] title [balance or symbol]. A button that follows its
    // label keeps the row together in its middle; one that fills its width
    // puts the symbols at the edges and aligns the title between them.
    const QRectF content = box.adjusted(m_style.horizontalPadding, m_style.verticalPadding,
                                        -m_style.horizontalPadding, -m_style.verticalPadding);
    const double leading = leadingWidth();
    const double trailing = trailingWidth();
    const double gapBefore = leading > 0 ? leading + m_style.spacing : 0;
    const double gapAfter = trailing > 0 ? trailing + m_style.spacing : 0;
    QRectF row = content;
    if (!m_style.fillsWidth) {
        const double natural = gapBefore + titleWidth() + gapAfter;
        if (natural < content.width())
            row = QRectF(content.center().x() - natural / 2, content.top(), natural, content.height());
    }

    const QColor symbolColor = m_style.symbolColor.isValid() ? m_style.symbolColor : m_style.foreground;
    if (leading > 0)
        Symbols::paint(painter, QRectF(row.left(), row.top(), leading, row.height()), m_symbol,
                       Symbols::side(m_style.symbolFont.pixelSize), symbolColor);
    if (m_style.trailing == ButtonStyle::Trailing::symbol)
        Symbols::paint(painter, QRectF(row.right() - trailing, row.top(), trailing, row.height()),
                       m_style.trailingSymbol, trailing,
                       m_style.trailingColor.isValid() ? m_style.trailingColor : m_style.foreground);

    const QRectF titleBox = row.adjusted(gapBefore, 0, -gapAfter, 0);
    const QFont font = Design::font(m_style.font);
    painter.setFont(font);
    painter.setPen(m_style.foreground);
    const QString shown = QFontMetricsF(font).elidedText(m_title, Qt::ElideRight, titleBox.width() + 0.5);
    painter.drawText(titleBox, int(m_style.titleAlignment | Qt::AlignVCenter) | Qt::TextSingleLine, shown);
}

void StyledButton::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::EnabledChange)
        updateCursorAndPolicy();
    QAbstractButton::changeEvent(event);
}

void StyledButton::focusInEvent(QFocusEvent* event)
{
    m_keyboardFocus = FocusRing::afterFocusIn(event->reason(), m_keyboardFocus);
    QAbstractButton::focusInEvent(event);
}

void StyledButton::focusOutEvent(QFocusEvent* event)
{
    m_keyboardFocus = FocusRing::afterFocusOut(event->reason(), m_keyboardFocus);
    QAbstractButton::focusOutEvent(event);
}
