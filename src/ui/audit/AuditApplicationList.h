#pragma once

#include "i18n/AppStrings.h"
#include "model/InstalledMacApplication.h"
#include "ui/audit/AuditApplicationRow.h"

#include <QAbstractScrollArea>
#include <QList>
#include <QMap>

#include <vector>

// The scrolling list of the audit workspace: one AuditApplicationRow per
// record, in the order given, 8 apart, with 2 below the last. Rows stand for
// positions (two equal records are two rows) and are built lazily: only the
// rows in view and about one screen above and below exist; the others are
// built when they scroll near and dropped (deleteLater) when they leave.
//
// A row's height is measured when it is built. Rows not built yet count with
// the smallest height measured at the current width and language (at first
// the row's minimum), so the scroll range settles as rows are met; the row at
// the top of the view keeps its place meanwhile.
//
// A new list keeps every built row whose position holds an equal record and
// replaces the others; a language change relabels the built rows.
class AuditApplicationList : public QAbstractScrollArea {
    Q_OBJECT

public:
    static constexpr int rowSpacing = 8;
    static constexpr int bottomPadding = 2;

    explicit AuditApplicationList(AuditApplicationRow::DetailAction detail, QWidget* parent = nullptr);

    const QList<InstalledMacApplication>& applications() const { return m_applications; }
    void setApplications(const QList<InstalledMacApplication>& applications);

    const AppStrings& strings() const { return m_strings; }
    void setStrings(const AppStrings& strings);

    int count() const { return static_cast<int>(m_applications.size()); }
    // The built row at a position, or nullptr.
    AuditApplicationRow* builtRow(int index) const;
    // The built rows, by position.
    QList<AuditApplicationRow*> builtRows() const;
    // Rows built since the list was made: what showing it has cost.
    int rowsCreated() const { return m_rowsCreated; }

    // Scrolls the least that brings the row at a position wholly into view
    // (its top when it is taller than the view) and returns the row, built;
    // nullptr for a position outside the list.
    AuditApplicationRow* scrollToRow(int index);
    // Scrolls to the bottom of the list and builds the last rows.
    void scrollToEnd();

    // Height of all rows, spacing and padding as far as they are known.
    int contentHeight() const;
    // Where the row at a position starts in the content.
    int rowTop(int index) const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int rowHeight(int index) const;
    // The position of the row at a content offset (the last row below the end).
    int rowAt(int y) const;
    void recomputeTops();
    void updateScrollRange();
    // Builds and measures the rows near the view, drops the others and
    // places them.
    void layOutRows();
    void layOutPass();
    void dropRow(AuditApplicationRow* row);
    // Forgets every measured height (the width or the language changed).
    void forgetHeights();

    AuditApplicationRow::DetailAction m_detail;
    QList<InstalledMacApplication> m_applications;
    AppStrings m_strings;
    // The measured height of each row (0: not measured) and the top of each
    // row in the content, with the content's end after the last.
    std::vector<int> m_heights;
    std::vector<int> m_tops;
    int m_estimate;
    int m_measuredWidth = -1;
    QMap<int, AuditApplicationRow*> m_rows;
    int m_rowsCreated = 0;
    bool m_layingOut = false;
    bool m_layOutAgain = false;
};
