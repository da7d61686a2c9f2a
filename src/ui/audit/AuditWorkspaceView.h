#pragma once

#include <QWidget>

class AuditApplicationList;
class AuditEmptyStateView;
class AuditHeaderView;
class DevivuKitViewModel;
class ForceUpdateBanner;
class LogDrawerView;
class QVBoxLayout;

// The audit column, shown in place of the catalog while "audit" is selected:
// the audit header, the forced-update banner while an update is required, the
// list of audited applications or the empty state, and the log drawer while
// it is open; padded 24 at the top and 28 left and right, 12 between parts.
//
// The empty state stands in the list's place exactly while the list is empty
// and no scan runs: a scan over an empty list shows the empty list, a rescan
// keeps the rows, and a scan that found nothing (or failed with nothing
// before) brings the empty state back. The two are switched by showing and
// hiding, so a scan button pressed inside one of them lives on.
//
// It holds no state of its own: it follows the view model and writes only
// activeSheet (a row's buttons open the detail sheet of its record).
class AuditWorkspaceView : public QWidget {
    Q_OBJECT

public:
    explicit AuditWorkspaceView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    AuditHeaderView* header() const { return m_header; }
    ForceUpdateBanner* updateBanner() const { return m_banner; }
    AuditEmptyStateView* emptyState() const { return m_empty; }
    AuditApplicationList* applicationList() const { return m_list; }
    // The open log drawer; nullptr while it is closed.
    LogDrawerView* logDrawer() const { return m_drawer; }

    // Whether the empty state is what the view model's state asks for now.
    bool showsEmptyState() const;

private:
    void applyPhase();
    void applyDrawer();

    DevivuKitViewModel& m_model;
    QVBoxLayout* m_column;
    AuditHeaderView* m_header;
    ForceUpdateBanner* m_banner;
    AuditEmptyStateView* m_empty;
    AuditApplicationList* m_list;
    LogDrawerView* m_drawer = nullptr;
};
