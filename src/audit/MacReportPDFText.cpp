// The report's font and its one text primitive: a text is laid out by
// TextBox, which both measures it and draws it, so a measured height and the
// drawn lines always come from the same layout.
//
// Qt rounds a font's pixel size to a whole number, which would turn 8.7 and
// 8.8 points into the same 9. Fonts are therefore resolved at textScale
// times 72 dpi and every layout runs in those finer units: a text is
// measured in them and divided back, and drawn under a painter scaled down
// by the same factor.

#include "audit/MacReportPDF.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <cmath>
#include <memory>
#include <vector>

namespace MacReportPDF {

namespace {

constexpr double textScale = 10;

// A device that only reports textScale times 72 dots per inch, so that a font
// resolved against it has textScale pixels per point on every device.
class PointDevice : public QPaintDevice {
public:
    QPaintEngine* paintEngine() const override { return nullptr; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmDpiX:
        case PdmDpiY:
        case PdmPhysicalDpiX:
        case PdmPhysicalDpiY:
            return int(72 * textScale);
        case PdmWidth:
        case PdmHeight:
            return 1000;
        case PdmWidthMM:
        case PdmHeightMM:
            return 353;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return INT_MAX;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return int(devicePixelRatioFScale());
        }
        return 0;
    }
};

QFont::Weight qtWeight(Weight weight)
{
    switch (weight) {
    case Weight::medium:
        return QFont::Medium;
    case Weight::semibold:
        return QFont::DemiBold;
    case Weight::bold:
        return QFont::Bold;
    case Weight::black:
        return QFont::Black;
    }
    return QFont::Medium;
}

// Every kind of line break becomes the one QTextLayout breaks at.
QString withLineSeparators(QString text)
{
    text.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
    for (QChar breakCharacter : {QChar(u'\n'), QChar(u'\r'), QChar(u'\v'), QChar(u'\f'), QChar(0x0085),
                                 QChar(QChar::ParagraphSeparator)})
        text.replace(breakCharacter, QChar::LineSeparator);
    return text;
}

Qt::Alignment qtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::right:
        return Qt::AlignRight;
    case Alignment::center:
        return Qt::AlignHCenter;
    case Alignment::left:
        break;
    }
    return Qt::AlignLeft;
}

// A text laid out at a width in lines.
class TextBox {
public:
    TextBox(const QString& text, const QFont& font, double width, Alignment alignment, LineBreak lineBreak)
        : m_font(font), m_width(std::max(width, 1.0) * textScale), m_alignment(alignment)
    {
        if (text.isEmpty())
            return;
        const QString prepared = withLineSeparators(text);
        if (lineBreak == LineBreak::wordWrap) {
            addLayout(prepared, QTextOption::WrapAtWordBoundaryOrAnywhere);
        } else {
            const QFontMetricsF metrics(m_font);
            for (const QString& paragraph : prepared.split(QChar::LineSeparator))
                addLayout(metrics.elidedText(paragraph, Qt::ElideRight, m_width), QTextOption::NoWrap);
        }
    }

    double height() const { return m_height / textScale; }

    // Draws the lines whose bottom lies within the height (the first line
    // always); when lines remain below, the last drawn one ends in "…".
    void draw(QPainter& painter, const QPointF& topLeft, double maxHeight, const QColor& color) const
    {
        painter.save();
        painter.setPen(color);
        painter.translate(topLeft);
        painter.scale(1 / textScale, 1 / textScale);
        const QPointF origin(0, 0);
        const double limit = (maxHeight + 0.01) * textScale;
        for (size_t l = 0; l < m_layouts.size(); ++l) {
            const QTextLayout& layout = *m_layouts[l];
            for (int i = 0; i < layout.lineCount(); ++i) {
                const QTextLine line = layout.lineAt(i);
                const double top = line.y();
                if (top > 0 && top + line.height() > limit)
                    break;
                const bool isLastLine = (l + 1 == m_layouts.size() && i + 1 == layout.lineCount());
                const bool nextFits = !isLastLine && nextLineBottom(l, i) <= limit;
                if (isLastLine || nextFits) {
                    line.draw(&painter, origin);
                    continue;
                }
                drawElided(painter, origin, layout, line);
                painter.restore();
                return;
            }
        }
        painter.restore();
    }

private:
    void addLayout(const QString& text, QTextOption::WrapMode wrapMode)
    {
        auto layout = std::make_unique<QTextLayout>(text, m_font);
        QTextOption option(qtAlignment(m_alignment));
        option.setWrapMode(wrapMode);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        layout->beginLayout();
        for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
            line.setLeadingIncluded(true);
            line.setLineWidth(m_width);
            line.setPosition(QPointF(0, m_height));
            m_height += line.height();
        }
        layout->endLayout();
        m_layouts.push_back(std::move(layout));
    }

    double nextLineBottom(size_t layoutIndex, int lineIndex) const
    {
        const QTextLayout& layout = *m_layouts[layoutIndex];
        const QTextLine next = lineIndex + 1 < layout.lineCount() ? layout.lineAt(lineIndex + 1)
                                                                  : m_layouts[layoutIndex + 1]->lineAt(0);
        return next.y() + next.height();
    }

    // The rest of the text from this line on, as one line ending in "…".
    void drawElided(QPainter& painter, const QPointF& origin, const QTextLayout& layout,
                    const QTextLine& line) const
    {
        QString rest = layout.text().mid(line.textStart());
        rest.replace(QChar::LineSeparator, QLatin1Char(' '));
        const QString elided = QFontMetricsF(m_font).elidedText(rest + QChar(0x2026), Qt::ElideRight, m_width);
        QTextLayout single(elided, m_font);
        QTextOption option(qtAlignment(m_alignment));
        option.setWrapMode(QTextOption::NoWrap);
        single.setTextOption(option);
        single.beginLayout();
        QTextLine singleLine = single.createLine();
        singleLine.setLeadingIncluded(true);
        singleLine.setLineWidth(m_width);
        singleLine.setPosition(QPointF(0, line.y()));
        single.endLayout();
        singleLine.draw(&painter, origin);
    }

    QFont m_font;
    double m_width;
    Alignment m_alignment;
    double m_height = 0;
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
};

} // namespace

double textWidth(const QString& text, const QFont& font)
{
    return QFontMetricsF(font).horizontalAdvance(text) / textScale;
}

QFont reportFont(double size, Weight weight)
{
    static const PointDevice device;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPointSizeF(size);
    font.setWeight(qtWeight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    return QFont(font, &device);
}

double measureText(const QString& text, double width, const QFont& font)
{
    return TextBox(text, font, width, Alignment::left, LineBreak::wordWrap).height();
}

double drawText(QPainter& painter, const QString& text, const QRectF& rect, const QFont& font,
                const QColor& color, Alignment alignment, LineBreak lineBreak)
{
    const TextBox box(text, font, rect.width(), alignment, lineBreak);
    box.draw(painter, rect.topLeft(), rect.height(), color);
    if (lineBreak == LineBreak::wordWrap && alignment == Alignment::left)
        return box.height();
    return measureText(text, rect.width(), font);
}

} // namespace MacReportPDF
