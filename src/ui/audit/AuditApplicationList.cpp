#include "ui/audit/AuditApplicationList.h"

#include <QResizeEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

namespace {

// Rows are built this many view heights above and below the view.
constexpr int marginInViews = 1;
// Measuring rows can change the heights that chose them; a few passes settle
// it (the second one rarely measures anything new).
constexpr int maximumPasses = 4;

} // namespace

AuditApplicationList::AuditApplicationList(AuditApplicationRow::DetailAction detail, QWidget* parent)
    : QAbstractScrollArea(parent), m_detail(std::move(detail)), m_estimate(AuditApplicationRow::minimumRowHeight)
{
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    verticalScrollBar()->setSingleStep(20);
    recomputeTops();
}

void AuditApplicationList::setApplications(const QList<InstalledMacApplication>& applications)
{
    const QList<InstalledMacApplication> previous = m_applications;
    const std::vector<int> previousHeights = m_heights;
    m_applications = applications;
    m_heights.assign(m_applications.size(), 0);

    // A built row stays while its position holds an equal record.
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        const int index = it.key();
        if (index < count() && previous.at(index) == m_applications.at(index)) {
            m_heights[index] = previousHeights[index];
            ++it;
        } else {
            dropRow(it.value());
            it = m_rows.erase(it);
        }
    }
    layOutRows();
}

void AuditApplicationList::setStrings(const AppStrings& strings)
{
    if (strings.language() == m_strings.language())
        return;
    m_strings = strings;
    for (AuditApplicationRow* row : std::as_const(m_rows))
        row->setStrings(strings);
    forgetHeights();
    layOutRows();
}

AuditApplicationRow* AuditApplicationList::builtRow(int index) const
{
    return m_rows.value(index, nullptr);
}

QList<AuditApplicationRow*> AuditApplicationList::builtRows() const
{
    return m_rows.values();
}

int AuditApplicationList::rowHeight(int index) const
{
    const int measured = m_heights[index];
    return measured > 0 ? measured : m_estimate;
}

int AuditApplicationList::rowTop(int index) const
{
    return m_tops[index];
}

int AuditApplicationList::contentHeight() const
{
    return m_applications.isEmpty() ? 0 : m_tops.back() - rowSpacing + bottomPadding;
}

int AuditApplicationList::rowAt(int y) const
{
    // The last row starting at or above y.
    const auto end = m_tops.begin() + count();
    const auto after = std::upper_bound(m_tops.begin(), end, y);
    return std::clamp(static_cast<int>(after - m_tops.begin()) - 1, 0, std::max(0, count() - 1));
}

void AuditApplicationList::recomputeTops()
{
    m_tops.resize(m_applications.size() + 1);
    int top = 0;
    for (int i = 0; i < count(); ++i) {
        m_tops[i] = top;
        top += rowHeight(i) + rowSpacing;
    }
    m_tops.back() = top;
}

void AuditApplicationList::updateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    const int view = viewport()->height();
    bar->setPageStep(std::max(1, view));
    bar->setRange(0, std::max(0, contentHeight() - view));
}

void AuditApplicationList::forgetHeights()
{
    std::fill(m_heights.begin(), m_heights.end(), 0);
    m_estimate = AuditApplicationRow::minimumRowHeight;
}

void AuditApplicationList::dropRow(AuditApplicationRow* row)
{
    // Out of the list at once (findChild no longer meets it), deleted later:
    // the row may be handling an event right now.
    row->hide();
    row->setParent(nullptr);
    row->deleteLater();
}

void AuditApplicationList::layOutRows()
{
    if (m_layingOut) {
        // The view changed under a pass (the scroll bar came or went): lay
        // out again once it is done.
        m_layOutAgain = true;
        return;
    }
    const QScopedValueRollback<bool> guard(m_layingOut, true);
    int rounds = 0;
    do {
        m_layOutAgain = false;
        layOutPass();
    } while (m_layOutAgain && ++rounds < maximumPasses);
}

void AuditApplicationList::layOutPass()
{
    const int width = viewport()->width();
    if (!isVisible() || width <= 0) {
        // Not on screen: rows are built when it is.
        recomputeTops();
        updateScrollRange();
        return;
    }
    if (width != m_measuredWidth) {
        forgetHeights();
        m_measuredWidth = width;
    }

    QScrollBar* bar = verticalScrollBar();
    const int view = viewport()->height();
    for (int pass = 0; pass < maximumPasses; ++pass) {
        recomputeTops();
        updateScrollRange();
        if (m_applications.isEmpty())
            break;
        const int top = bar->value();
        const int anchor = rowAt(top);
        const int anchorOffset = top - m_tops[anchor];
        const int first = rowAt(top - marginInViews * view);
        const int last = rowAt(top + view + marginInViews * view);

        for (auto it = m_rows.begin(); it != m_rows.end();) {
            if (it.key() < first || it.key() > last) {
                dropRow(it.value());
                it = m_rows.erase(it);
            } else {
                ++it;
            }
        }

        const int estimate = m_estimate;
        bool changed = false;
        for (int i = first; i <= last; ++i) {
            AuditApplicationRow* row = m_rows.value(i, nullptr);
            if (!row) {
                row = new AuditApplicationRow(i, m_applications.at(i), m_strings, m_detail, viewport());
                m_rows.insert(i, row);
                ++m_rowsCreated;
            }
            if (m_heights[i] > 0)
                continue;
            const int fitted = row->hasHeightForWidth() ? row->heightForWidth(width) : row->sizeHint().height();
            const int height = std::max(row->minimumHeight(), fitted);
            m_heights[i] = height;
            changed = changed || height != estimate;
        }
        // Rows not built count with the smallest height met so far.
        int smallest = 0;
        for (const int height : std::as_const(m_heights))
            if (height > 0 && (smallest == 0 || height < smallest))
                smallest = height;
        m_estimate = smallest > 0 ? smallest : AuditApplicationRow::minimumRowHeight;
        changed = changed || m_estimate != estimate;
        if (!changed)
            break;
        // The row at the top of the view keeps its place.
        recomputeTops();
        updateScrollRange();
        bar->setValue(m_tops[anchor] + anchorOffset);
    }

    const int offset = bar->value();
    for (auto it = m_rows.cbegin(); it != m_rows.cend(); ++it) {
        AuditApplicationRow* row = it.value();
        row->setGeometry(0, m_tops[it.key()] - offset, width, rowHeight(it.key()));
        if (row->isHidden())
            row->show();
    }
}

AuditApplicationRow* AuditApplicationList::scrollToRow(int index)
{
    if (index < 0 || index >= count())
        return nullptr;
    QScrollBar* bar = verticalScrollBar();
    for (int pass = 0; pass < maximumPasses; ++pass) {
        layOutRows();
        const int top = m_tops[index];
        const int bottom = top + rowHeight(index);
        const int view = viewport()->height();
        int target = bar->value();
        if (top < target)
            target = top;
        else if (bottom > target + view)
            target = std::min(top, bottom - view);
        if (target == bar->value() && m_heights[index] > 0)
            break;
        bar->setValue(target);
    }
    return builtRow(index);
}

void AuditApplicationList::scrollToEnd()
{
    QScrollBar* bar = verticalScrollBar();
    for (int pass = 0; pass < maximumPasses; ++pass) {
        layOutRows();
        if (bar->value() == bar->maximum() && (m_applications.isEmpty() || builtRow(count() - 1)))
            break;
        bar->setValue(bar->maximum());
    }
}

void AuditApplicationList::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    layOutRows();
}

void AuditApplicationList::showEvent(QShowEvent* event)
{
    QAbstractScrollArea::showEvent(event);
    layOutRows();
}

void AuditApplicationList::scrollContentsBy(int, int)
{
    // The scroll bar moved: the rows follow (a layout pass places them at its
    // end anyway).
    if (!m_layingOut)
        layOutRows();
}
