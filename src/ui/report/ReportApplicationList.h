#pragma once

#include "i18n/AppStrings.h"
#include "model/InstalledMacApplication.h"
#include "ui/report/ReportApplicationRow.h"

#include <QAbstractScrollArea>
#include <QHash>
#include <QList>

#include <memory>

// The rows of the report sheet's table in a vertical scroll area, built
// lazily: only the rows in view exist as widgets, and rows that scroll out of
// view are reused for the ones that scroll in. Each row is known by its
// position in the list, so two equal applications are still two rows. Row
// heights are measured without building rows (ReportApplicationRow::Measure)
// whenever the list or the width changes.
class ReportApplicationList : public QAbstractScrollArea {
    Q_OBJECT

public:
    explicit ReportApplicationList(QWidget* parent = nullptr);
    ~ReportApplicationList() override;

    void setApplications(const QList<InstalledMacApplication>& applications, const AppStrings& strings);
    // Re-labels the badges of the rows; the rows keep their heights.
    void setStrings(const AppStrings& strings);

    qsizetype count() const { return m_applications.size(); }
    // The width the rows are laid out at: the viewport's.
    int rowWidth() const;
    // The height of all rows, and where a row starts within it.
    int contentHeight();
    int rowTop(qsizetype position);
    int rowHeight(qsizetype position);

    // The row widget of a position while it is built (in view), else null.
    ReportApplicationRow* row(qsizetype position) const;
    // The rows built now, by position.
    QList<ReportApplicationRow*> builtRows() const;

    // Scrolls so that the row's top is at the top of the view (as far as the
    // list scrolls).
    void scrollToPosition(qsizetype position);

    QSize sizeHint() const override;

Q_SIGNALS:
    // The viewport's width changed (a scroll bar came or went).
    void rowWidthChanged(int width);

protected:
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void showEvent(QShowEvent* event) override;

private:
    // The width the rows are measured at.
    int measureWidth() const;
    // Measures every row again when the width changed or the list is new.
    void ensureMeasured();
    void updateScrollRange();
    // Builds, reuses and places the rows in view; releases the others.
    void placeRows();

    QList<InstalledMacApplication> m_applications;
    AppStrings m_strings;
    std::unique_ptr<ReportApplicationRow::Measure> m_measure;
    // Row tops, one past the end holding the content height; valid for
    // m_measuredWidth.
    QList<int> m_tops;
    int m_measuredWidth = -1;
    int m_lastRowWidth = -1;
    QHash<qsizetype, ReportApplicationRow*> m_rows;
    QList<ReportApplicationRow*> m_spare;
};
