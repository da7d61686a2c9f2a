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

#include "audit/ReportFontFamilies.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
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

// A text laid out at a width in lines. Every line is as tall as the report
// font's own line, and every baseline lies at the report font's ascent below
// its line's top: a line set in a fallback font (Korean, Japanese, Chinese),
// whose ascent and descent are larger, stays on the baseline of the Latin text
// beside it and does not push the following lines down.
class TextBox {
public:
    TextBox(const QString& text, const QFont& font, double width, Alignment alignment, LineBreak lineBreak)
        : m_font(font), m_width(std::max(width, 1.0) * textScale), m_alignment(alignment)
    {
        const QFontMetricsF metrics(m_font);
        m_ascent = metrics.ascent();
        m_lineHeight = metrics.ascent() + metrics.descent() + std::max(metrics.leading(), 0.0);
        if (text.isEmpty())
            return;
        const QString prepared = withLineSeparators(text);
        if (lineBreak == LineBreak::wordWrap) {
            addLayout(prepared, QTextOption::WrapAtWordBoundaryOrAnywhere);
        } else {
            for (const QString& paragraph : prepared.split(QChar::LineSeparator))
                addLayout(metrics.elidedText(paragraph, Qt::ElideRight, m_width), QTextOption::NoWrap);
        }
    }

    int lineCount() const { return int(m_lines.size()); }

    // The height of the given lines.
    double height(LineRange range = {}) const
    {
        const auto [first, end] = bounds(range);
        return (end - first) * m_lineHeight / textScale;
    }

    // Draws the given lines from topLeft on, those whose baseline lies within
    // maxHeight (the first one always); when lines of the range remain below,
    // the last drawn one ends in "…". A line's descent may reach below the
    // rectangle: the report's rectangles were sized for the Mac's system
    // font, whose lines are a little shorter, and a two-line rectangle must
    // keep its second line.
    void draw(QPainter& painter, const QPointF& topLeft, double maxHeight, const QColor& color,
              LineRange range) const
    {
        const auto [first, end] = bounds(range);
        if (first >= end)
            return;
        painter.save();
        painter.setPen(color);
        painter.translate(topLeft);
        painter.scale(1 / textScale, 1 / textScale);
        painter.translate(0, -first * m_lineHeight);
        const double limit = (maxHeight + 0.01) * textScale;
        for (int i = first; i < end; ++i) {
            const bool nextFits = i + 1 < end && (i + 1 - first) * m_lineHeight + m_ascent <= limit;
            if (i + 1 == end || nextFits) {
                line(i).draw(&painter, QPointF(0, 0));
                continue;
            }
            drawElided(painter, i);
            break;
        }
        painter.restore();
    }

private:
    struct LineIndex {
        size_t layout;
        int line;
    };

    std::pair<int, int> bounds(LineRange range) const
    {
        const int first = std::clamp(range.first, 0, lineCount());
        const int end = range.count < 0 ? lineCount() : std::min(lineCount(), first + range.count);
        return {first, end};
    }

    QTextLine line(int index) const
    {
        const LineIndex& at = m_lines[size_t(index)];
        return m_layouts[at.layout]->lineAt(at.line);
    }

    // Puts a laid-out line's baseline at the report font's ascent below the top of line number index.
    void place(QTextLine& textLine, int index) const
    {
        textLine.setPosition(QPointF(0, index * m_lineHeight + m_ascent - textLine.ascent()));
    }

    std::unique_ptr<QTextLayout> makeLayout(const QString& text, QTextOption::WrapMode wrapMode) const
    {
        auto layout = std::make_unique<QTextLayout>(text, m_font);
        QTextOption option(qtAlignment(m_alignment));
        option.setWrapMode(wrapMode);
        layout->setTextOption(option);
        layout->setCacheEnabled(true);
        return layout;
    }

    void addLayout(const QString& text, QTextOption::WrapMode wrapMode)
    {
        auto layout = makeLayout(text, wrapMode);
        layout->beginLayout();
        for (QTextLine textLine = layout->createLine(); textLine.isValid(); textLine = layout->createLine()) {
            textLine.setLineWidth(m_width);
            place(textLine, lineCount());
            m_lines.push_back(LineIndex{m_layouts.size(), textLine.lineNumber()});
        }
        layout->endLayout();
        m_layouts.push_back(std::move(layout));
    }

    // The rest of the text from line index on, as one line ending in "…".
    void drawElided(QPainter& painter, int index) const
    {
        const LineIndex& at = m_lines[size_t(index)];
        QString rest = m_layouts[at.layout]->text().mid(line(index).textStart());
        rest.replace(QChar::LineSeparator, QLatin1Char(' '));
        const QString elided = QFontMetricsF(m_font).elidedText(rest + QChar(0x2026), Qt::ElideRight, m_width);
        const auto single = makeLayout(elided, QTextOption::NoWrap);
        single->beginLayout();
        QTextLine singleLine = single->createLine();
        singleLine.setLineWidth(m_width);
        place(singleLine, index);
        single->endLayout();
        singleLine.draw(&painter, QPointF(0, 0));
    }

    QFont m_font;
    double m_width;
    Alignment m_alignment;
    double m_ascent = 0;
    double m_lineHeight = 0;
    std::vector<std::unique_ptr<QTextLayout>> m_layouts;
    std::vector<LineIndex> m_lines;
};

} // namespace

double textWidth(const QString& text, const QFont& font)
{
    return QFontMetricsF(font).horizontalAdvance(text) / textScale;
}

QFont reportFont(double size, Weight weight)
{
    static const PointDevice device;
    QFont font;
    font.setFamilies(reportFontFamilies());
    font.setPointSizeF(size);
    font.setWeight(qtWeight(weight));
    font.setHintingPreference(QFont::PreferNoHinting);
    // Unshaped text keeps one glyph per character for the scripts that need
    // no shaping: no ligature ("ffi") and no contextual alternate (the raised
    // hyphen between capitals) whose glyph the PDF's text layer would give back
    // as another character or none.
    font.setStyleStrategy(QFont::PreferNoShaping);
    return QFont(font, &device);
}

double measureText(const QString& text, double width, const QFont& font, LineRange lines)
{
    return TextBox(text, font, width, Alignment::left, LineBreak::wordWrap).height(lines);
}

int lineCount(const QString& text, double width, const QFont& font)
{
    return TextBox(text, font, width, Alignment::left, LineBreak::wordWrap).lineCount();
}

double drawText(QPainter& painter, const QString& text, const QRectF& rect, const QFont& font,
                const QColor& color, Alignment alignment, LineBreak lineBreak, LineRange lines)
{
    const TextBox box(text, font, rect.width(), alignment, lineBreak);
    box.draw(painter, rect.topLeft(), rect.height(), color, lines);
    if (lineBreak == LineBreak::wordWrap)
        return box.height(lines);
    return measureText(text, rect.width(), font, lines);
}

} // namespace MacReportPDF
