#include "ui/report/ReportApplicationList.h"

#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>

#include <algorithm>

using Row = ReportApplicationRow;

ReportApplicationList::ReportApplicationList(QWidget* parent)
    : QAbstractScrollArea(parent), m_measure(std::make_unique<ReportApplicationRow::Measure>())
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(24);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

ReportApplicationList::~ReportApplicationList() = default;

void ReportApplicationList::setApplications(const QList<InstalledMacApplication>& applications,
                                            const AppStrings& strings)
{
    m_applications = applications;
    m_strings = strings;
    // Every row shows another entry now: all go back to the spares.
    for (ReportApplicationRow* row : std::as_const(m_rows)) {
        row->hide();
        m_spare.append(row);
    }
    m_rows.clear();
    m_measuredWidth = -1;
    m_tops.clear();
    if (isVisible()) {
        updateScrollRange();
        placeRows();
    }
}

void ReportApplicationList::setStrings(const AppStrings& strings)
{
    m_strings = strings;
    for (ReportApplicationRow* row : std::as_const(m_rows))
        row->setStrings(strings);
}

int ReportApplicationList::rowWidth() const
{
    return viewport()->width();
}

int ReportApplicationList::contentHeight()
{
    ensureMeasured();
    return m_tops.isEmpty() ? 0 : m_tops.constLast();
}

int ReportApplicationList::rowTop(qsizetype position)
{
    ensureMeasured();
    return m_tops.value(position);
}

int ReportApplicationList::rowHeight(qsizetype position)
{
    ensureMeasured();
    if (position < 0 || position >= count())
        return 0;
    return m_tops.at(position + 1) - m_tops.at(position);
}

ReportApplicationRow* ReportApplicationList::row(qsizetype position) const
{
    return m_rows.value(position);
}

QList<ReportApplicationRow*> ReportApplicationList::builtRows() const
{
    QList<ReportApplicationRow*> rows = m_rows.values();
    std::sort(rows.begin(), rows.end(), [](const Row* a, const Row* b) { return a->position() < b->position(); });
    return rows;
}

void ReportApplicationList::scrollToPosition(qsizetype position)
{
    updateScrollRange();
    verticalScrollBar()->setValue(rowTop(qBound<qsizetype>(0, position, count())));
}

QSize ReportApplicationList::sizeHint() const
{
    return {400, 300};
}

int ReportApplicationList::measureWidth() const
{
    // While the scroll bar is about to appear (it does so a turn after the
    // range grows), the rows are measured at the width it will leave, so
    // that a long list is not measured twice.
    const int width = rowWidth();
    if (verticalScrollBar()->isVisibleTo(this))
        return width;
    const qint64 lowest = qint64(count()) * (Row::badgeHeight + 2 * Row::verticalPadding + Row::dividerHeight);
    if (lowest <= viewport()->height())
        return width;
    return width - style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
}

void ReportApplicationList::ensureMeasured()
{
    const int width = measureWidth();
    if (width == m_measuredWidth && m_tops.size() == m_applications.size() + 1)
        return;
    m_measuredWidth = width;
    m_tops.resize(m_applications.size() + 1);
    int top = 0;
    for (qsizetype k = 0; k < m_applications.size(); ++k) {
        m_tops[k] = top;
        top += m_measure->height(k, m_applications.at(k), width);
    }
    m_tops[m_applications.size()] = top;
}

void ReportApplicationList::updateScrollRange()
{
    const int content = contentHeight();
    QScrollBar* bar = verticalScrollBar();
    bar->setPageStep(viewport()->height());
    bar->setRange(0, qMax(0, content - viewport()->height()));
}

void ReportApplicationList::placeRows()
{
    ensureMeasured();
    const int width = rowWidth();
    const int top = verticalScrollBar()->value();
    const int bottom = top + viewport()->height();
    // The rows that meet [top, bottom).
    qsizetype first = std::upper_bound(m_tops.cbegin(), m_tops.cend() - 1, top) - m_tops.cbegin() - 1;
    first = qMax<qsizetype>(0, first);
    qsizetype last = first;
    while (last < count() && m_tops.at(last) < bottom)
        ++last;
    if (viewport()->height() <= 0)
        last = first;

    for (auto it = m_rows.begin(); it != m_rows.end();) {
        if (it.key() < first || it.key() >= last) {
            it.value()->hide();
            m_spare.append(it.value());
            it = m_rows.erase(it);
        } else {
            ++it;
        }
    }
    for (qsizetype position = first; position < last; ++position) {
        ReportApplicationRow* row = m_rows.value(position);
        if (!row) {
            row = m_spare.isEmpty() ? new ReportApplicationRow(viewport()) : m_spare.takeLast();
            row->setEntry(position, m_applications.at(position), m_strings);
            m_rows.insert(position, row);
        }
        row->setGeometry(0, m_tops.at(position) - top, width, m_tops.at(position + 1) - m_tops.at(position));
        row->show();
    }
}

void ReportApplicationList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    updateScrollRange();
    placeRows();
    if (rowWidth() != m_lastRowWidth) {
        m_lastRowWidth = rowWidth();
        Q_EMIT rowWidthChanged(m_lastRowWidth);
    }
}

void ReportApplicationList::scrollContentsBy(int, int)
{
    placeRows();
}

void ReportApplicationList::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    updateScrollRange();
    placeRows();
}
