#include "ui/kit/LogDrawerView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QPainterPath>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTextLayout>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <deque>
#include <memory>

namespace {

const QColor lineColor(0x47, 0x54, 0x67);
constexpr int padding = 12;
constexpr int rowSpacing = 4;
constexpr double radius = 8;

} // namespace

// The scrolling list of lines: one wrapped text layout per line, painted only
// where it is in view.
class LogDrawerView::Lines final : public QAbstractScrollArea {
public:
    explicit Lines(QWidget* parent) : QAbstractScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setFocusPolicy(Qt::NoFocus);
        viewport()->setAutoFillBackground(false);
        setAutoFillBackground(false);
        m_font = Design::font(12, QFont::Normal, Design::FontDesign::monospaced);
    }

    // Follows the log: appended lines are laid out alone, lines gone from the
    // top are dropped, anything else is laid out anew. Then the last line is
    // brought to the bottom edge.
    void follow(const QStringList& next)
    {
        const QStringList previous = m_text;
        m_text = next;
        if (next.isEmpty()) {
            m_rows.clear();
            updateRange();
            viewport()->update();
            return;
        }
        if (!m_laidOut) {
            // Not on screen yet: laid out at its width when it gets one.
            return;
        }
        const qsizetype shift = droppedFromTop(previous, next);
        if (shift < 0) {
            relayout();
        } else {
            for (qsizetype i = 0; i < shift; ++i)
                m_rows.pop_front();
            for (qsizetype i = previous.size() - shift; i < next.size(); ++i)
                m_rows.push_back(layOut(next.at(i)));
            updateRange();
        }
        scrollToBottom();
        viewport()->update();
    }

    const QStringList& text() const { return m_text; }
    int laidOut() const { return m_laidOutCount; }

protected:
    void resizeEvent(QResizeEvent* event) override
    {
        QAbstractScrollArea::resizeEvent(event);
        if (!m_laidOut) {
            // The first width: the view starts at the newest line.
            m_laidOut = true;
            relayout();
            scrollToBottom();
            return;
        }
        QScrollBar* bar = verticalScrollBar();
        const bool atBottom = bar->value() == bar->maximum();
        if (wrapWidth() != m_wrapWidth)
            relayout();
        else
            updateRange();
        if (atBottom)
            scrollToBottom();
    }

    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(viewport());
        painter.setPen(lineColor);
        const double top = verticalScrollBar()->value();
        const double bottom = top + viewport()->height();
        double y = padding;
        for (const Row& row : m_rows) {
            if (y > bottom)
                break;
            if (y + row.height >= top)
                row.layout->draw(&painter, QPointF(padding, y - top));
            y += row.height + rowSpacing;
        }
    }

private:
    struct Row {
        std::unique_ptr<QTextLayout> layout;
        double height = 0;
    };

    // How many lines left the top when next is previous without its first
    // lines and with lines added at the end; -1 when next is anything else.
    static qsizetype droppedFromTop(const QStringList& previous, const QStringList& next)
    {
        for (qsizetype shift = 0; shift <= previous.size(); ++shift) {
            const qsizetype kept = previous.size() - shift;
            if (kept > next.size())
                continue;
            if (kept > 0 && previous.at(shift) != next.at(0))
                continue;
            if (std::equal(previous.cbegin() + shift, previous.cend(), next.cbegin()))
                return shift;
        }
        return -1;
    }

    // The width lines wrap at: the scroll bar's room is always kept free, so
    // that its coming and going never changes the layout.
    int wrapWidth() const
    {
        const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this);
        return std::max(1, width() - bar - 2 * padding);
    }

    Row layOut(const QString& line)
    {
        ++m_laidOutCount;
        Row row;
        row.layout = std::make_unique<QTextLayout>(line, m_font);
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        row.layout->setTextOption(option);
        row.layout->beginLayout();
        double height = 0;
        for (QTextLine textLine = row.layout->createLine(); textLine.isValid();
             textLine = row.layout->createLine()) {
            textLine.setLineWidth(m_wrapWidth);
            textLine.setPosition(QPointF(0, height));
            height += textLine.height();
        }
        row.layout->endLayout();
        row.height = height > 0 ? height : QFontMetricsF(m_font).height();
        return row;
    }

    void relayout()
    {
        m_wrapWidth = wrapWidth();
        m_rows.clear();
        for (const QString& line : std::as_const(m_text))
            m_rows.push_back(layOut(line));
        updateRange();
        viewport()->update();
    }

    int contentHeight() const
    {
        if (m_rows.empty())
            return 0;
        double height = 2 * padding + rowSpacing * double(m_rows.size() - 1);
        for (const Row& row : m_rows)
            height += row.height;
        return int(std::ceil(height));
    }

    void updateRange()
    {
        QScrollBar* bar = verticalScrollBar();
        bar->setPageStep(viewport()->height());
        bar->setSingleStep(int(std::ceil(QFontMetricsF(m_font).height())));
        bar->setRange(0, std::max(0, contentHeight() - viewport()->height()));
    }

    void scrollToBottom()
    {
        if (!m_rows.empty())
            verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    }

    QFont m_font;
    QStringList m_text;
    std::deque<Row> m_rows;
    int m_wrapWidth = 1;
    bool m_laidOut = false;
    int m_laidOutCount = 0;
};

LogDrawerView::LogDrawerView(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_lines(new Lines(this))
{
    setObjectName(QStringLiteral("log-drawer"));
    setFixedHeight(fixedHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    layout->addWidget(m_lines);

    connect(&model, &DevivuKitViewModel::logLinesChanged, this,
            [this, &model] { m_lines->follow(model.logLines()); });
    m_lines->follow(model.logLines());
}

void LogDrawerView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(rect()), radius, Design::card, Design::border);
}

void LogDrawerView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The lines and the scroll bar stay inside the rounded card.
    QPainterPath inside;
    inside.addRoundedRect(QRectF(0, 0, width() - 2, height() - 2), radius - 1, radius - 1);
    m_lines->setMask(QRegion(inside.toFillPolygon().toPolygon()));
}

QStringList LogDrawerView::lines() const
{
    return m_lines->text();
}

QScrollBar* LogDrawerView::verticalScrollBar() const
{
    return m_lines->verticalScrollBar();
}

int LogDrawerView::linesLaidOut() const
{
    return m_lines->laidOut();
}
