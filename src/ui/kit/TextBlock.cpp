#include "ui/kit/TextBlock.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QStyle>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>

namespace {

// Qt sets fonts in whole pixels. The text is laid out in a font of a whole
// pixel size and drawn scaled by unit, so that any size, fractions included,
// is exact, and measuring and painting use one layout.
struct LayoutFont {
    QFont font;
    double unit = 1.0; // logical pixels per layout pixel
};

LayoutFont layoutFont(const Design::FontSpec& fontSpec)
{
    const double size = qMax(fontSpec.pixelSize, 0.25);
    const bool whole = std::abs(size - std::round(size)) < 1e-9;
    const int pixels = whole ? int(std::round(size)) : int(std::round(size * 4));
    Design::FontSpec layoutSpec = fontSpec;
    layoutSpec.pixelSize = pixels;
    return {Design::font(layoutSpec), size / pixels};
}

QTextOption noWrap()
{
    QTextOption option;
    option.setWrapMode(QTextOption::NoWrap);
    return option;
}

// A line of text on its own: natural width and height in layout pixels.
struct Measured {
    double width = 0;
    double height = 0;
};

Measured measure(const QString& text, const QFont& font)
{
    QTextLayout layout(text, font);
    layout.setTextOption(noWrap());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    Measured result;
    if (line.isValid()) {
        line.setLineWidth(1e7);
        result = {line.naturalTextWidth(), line.height()};
    }
    layout.endLayout();
    if (result.height <= 0)
        result.height = QFontMetricsF(font).height();
    return result;
}

QString oneLine(QString text)
{
    text.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    for (QChar& c : text)
        if (c == u'\n' || c == u'\r' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator)
            c = u' ';
    return text;
}

QString trimmedEnd(const QString& text)
{
    qsizetype end = text.size();
    while (end > 0 && (text.at(end - 1).isSpace() || text.at(end - 1) == QChar::LineSeparator))
        --end;
    return text.left(end);
}

// The text's paragraphs laid out at a width in layout pixels: each line as
// the text it holds, its start in the text.
struct WrappedLine {
    QString text;
    qsizetype start = 0;
};

// The text with each line break ("\r\n", "\n" or "\r") as one line separator.
QString withLineSeparators(const QString& text)
{
    QString withBreaks = text;
    withBreaks.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    for (QChar& c : withBreaks)
        if (c == u'\n' || c == u'\r')
            c = QChar::LineSeparator;
    return withBreaks;
}

// Lines of a text given with line separators (withLineSeparators).
QList<WrappedLine> wrap(const QString& withBreaks, const QFont& font, double width)
{
    QTextLayout layout(withBreaks, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QList<WrappedLine> lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(qMax(width, 1.0));
        lines.append({trimmedEnd(withBreaks.mid(line.textStart(), line.textLength())), line.textStart()});
    }
    layout.endLayout();
    return lines;
}

} // namespace

TextBlock::TextBlock(QWidget* parent) : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
    m_color = Design::text;
}

TextBlock::TextBlock(const QString& text, const Design::FontSpec& font, const QColor& color,
                     QWidget* parent)
    : TextBlock(parent)
{
    m_text = text;
    m_font = font;
    m_color = color;
    setAccessibleName(text);
}

void TextBlock::changed()
{
    // A limited block elides (or shrinks) by design; an unlimited one, and a
    // single line that is neither cut nor shrunk, must be given its size.
    const bool elides = m_maximumLines > 1
                        || (m_maximumLines == 1 && (m_elideMode != Qt::ElideNone || m_minimumScale < 1.0));
    if (property(Design::elidesProperty).toBool() != elides)
        Design::setElides(*this, elides);
    m_cache.reset();
    updateGeometry();
    update();
}

void TextBlock::setText(const QString& text)
{
    if (text == m_text)
        return;
    m_text = text;
    setAccessibleName(text);
    changed();
}

void TextBlock::setFontSpec(const Design::FontSpec& font)
{
    if (font == m_font)
        return;
    m_font = font;
    changed();
}

void TextBlock::setColor(const QColor& color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void TextBlock::setMaximumLines(int lines)
{
    lines = qMax(0, lines);
    if (lines == m_maximumLines)
        return;
    m_maximumLines = lines;
    QSizePolicy policy = sizePolicy();
    policy.setHeightForWidth(lines != 1);
    setSizePolicy(policy);
    changed();
}

void TextBlock::setElideMode(Qt::TextElideMode mode)
{
    if (mode == m_elideMode)
        return;
    m_elideMode = mode;
    changed();
}

void TextBlock::setMinimumScale(double scale)
{
    scale = qBound(0.01, scale, 1.0);
    if (scale == m_minimumScale)
        return;
    m_minimumScale = scale;
    changed();
}

void TextBlock::setAlignment(Qt::Alignment alignment)
{
    if (alignment == m_alignment)
        return;
    m_alignment = alignment;
    changed();
}

TextBlock::Layout TextBlock::layout(double width) const
{
    if (m_cache && m_cache->first == width)
        return m_cache->second;

    Layout result;
    if (m_text.isEmpty())
        return result;
    const LayoutFont lf = layoutFont(m_font);
    const double available = qMax(width, 0.0) / lf.unit; // in layout pixels
    const QFontMetricsF metrics(lf.font);

    QStringList texts;
    if (m_maximumLines == 1) {
        QString line = oneLine(m_text);
        const double natural = measure(line, lf.font).width;
        if (natural > available) {
            result.scale = qMax(m_minimumScale, available / natural);
            if (natural * result.scale > available + 1e-6 && m_elideMode != Qt::ElideNone) {
                line = metrics.elidedText(line, m_elideMode, available / result.scale);
                result.truncated = true;
            }
        }
        texts.append(line);
    } else {
        const QString withBreaks = withLineSeparators(m_text);
        const QList<WrappedLine> wrapped = wrap(withBreaks, lf.font, available);
        const qsizetype kept = m_maximumLines > 0 ? qMin<qsizetype>(m_maximumLines, wrapped.size())
                                                  : wrapped.size();
        for (qsizetype k = 0; k < kept; ++k)
            texts.append(wrapped.at(k).text);
        if (kept < wrapped.size()) {
            const qsizetype next = wrapped.at(kept).start;
            if (next > 0 && withBreaks.at(next - 1) == QChar::LineSeparator) {
                // Cut at a line break: the last line shown keeps its own text
                // and ends in the ellipsis; what follows is not joined to it.
                texts.last() = metrics.elidedText(texts.last() + QChar(0x2026), Qt::ElideRight, available);
                result.truncated = true;
            } else {
                // The last line holds the rest of the text, cut at its end.
                const QString rest = trimmedEnd(oneLine(withBreaks.mid(wrapped.at(kept - 1).start)));
                texts.last() = metrics.elidedText(rest, Qt::ElideRight, available);
                result.truncated = texts.last() != rest;
            }
        }
    }

    const double factor = lf.unit * result.scale;
    double y = 0;
    for (const QString& text : std::as_const(texts)) {
        const Measured m = measure(text, lf.font);
        const double lineWidth = m.width * factor;
        double x = 0;
        const Qt::Alignment horizontal = QStyle::visualAlignment(layoutDirection(), m_alignment);
        if (horizontal & Qt::AlignHCenter)
            x = (width - lineWidth) / 2;
        else if (horizontal & Qt::AlignRight)
            x = width - lineWidth;
        result.lines.append({text, QRectF(x, y, lineWidth, m.height * factor)});
        y += m.height * factor;
    }
    result.height = y;
    m_cache.emplace(width, result);
    return result;
}

QSize TextBlock::sizeHint() const
{
    if (m_text.isEmpty())
        return {0, 0};
    const LayoutFont lf = layoutFont(m_font);
    double widest = 0;
    if (m_maximumLines == 1) {
        widest = measure(oneLine(m_text), lf.font).width;
    } else {
        QString text = m_text;
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
        for (const QString& paragraph : text.split(u'\n'))
            widest = qMax(widest, measure(paragraph, lf.font).width);
    }
    const int width = int(std::ceil(widest * lf.unit - 1e-6));
    return {width, int(std::ceil(layout(width).height - 1e-6))};
}

QSize TextBlock::minimumSizeHint() const
{
    if (m_text.isEmpty())
        return {0, 0};
    const LayoutFont lf = layoutFont(m_font);
    const Measured ellipsis = measure(QStringLiteral("\u2026"), lf.font);
    const double scale = m_maximumLines == 1 ? m_minimumScale : 1.0;
    const int width = m_maximumLines == 1 && m_elideMode == Qt::ElideNone
                          ? sizeHint().width()
                          : int(std::ceil(ellipsis.width * lf.unit * scale));
    return {width, int(std::ceil(ellipsis.height * lf.unit * scale - 1e-6))};
}

bool TextBlock::hasHeightForWidth() const
{
    return m_maximumLines != 1;
}

int TextBlock::heightForWidth(int width) const
{
    return int(std::ceil(layout(width).height - 1e-6));
}

void TextBlock::paintEvent(QPaintEvent*)
{
    const Layout laid = layout(width());
    if (laid.lines.isEmpty())
        return;
    double top = 0;
    if (m_alignment & Qt::AlignVCenter)
        top = (height() - laid.height) / 2;
    else if (m_alignment & Qt::AlignBottom)
        top = height() - laid.height;

    const LayoutFont lf = layoutFont(m_font);
    const double factor = lf.unit * laid.scale;
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(m_color);
    for (const Line& line : laid.lines) {
        QTextLayout text(line.text, lf.font);
        text.setTextOption(noWrap());
        text.beginLayout();
        QTextLine textLine = text.createLine();
        if (textLine.isValid()) {
            textLine.setLineWidth(1e7);
            textLine.setPosition(QPointF(0, 0));
        }
        text.endLayout();
        painter.save();
        painter.translate(line.rect.left(), top + line.rect.top());
        if (factor != 1.0)
            painter.scale(factor, factor);
        text.draw(&painter, QPointF(0, 0));
        painter.restore();
    }
}
