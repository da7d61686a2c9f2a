#pragma once

#include "ui/catalog/AppItemRow.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class CatalogHeaderView;
class DevivuKitViewModel;
class FooterView;
class ForceUpdateBanner;
class LogDrawerView;
class OperationProgressBanner;
class QScrollArea;
class QVBoxLayout;

// The right-hand column of the main window: the catalog column or, while
// "audit" is selected, the audit workspace, above the footer, which stays in
// both.
//
// The catalog column holds, top to bottom: the header, the forced-update
// banner while an update is required, the operation banner while an operation
// is shown (both slide in from the top), the scrolling rows of filteredItems
// and the log drawer while it is open.
//
// Rows are keyed by entry id. A change of status, progress, busy state or
// language updates them in place; only a change of the list's membership or
// order adds, removes (deleteLater) or moves rows, and a row whose entry
// stays keeps being the same widget. The rows' three requests are answered
// here: the primary button calls performPrimaryAction, details opens the
// item-detail sheet, and the remove request passes the release gate, then
// stops while an operation runs or for a built-in or unsupported entry, and
// otherwise sets pendingUninstall for the window's confirmation.
class ContentView : public QWidget {
    Q_OBJECT

public:
    explicit ContentView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // What a row of the entry shows now: its status (missing when the model
    // has none), busy while an operation runs or an update is required, and
    // progress only for the active item.
    AppItemRow::State rowState(const AppItem& item) const;

    // The rows in list order, and the row of an entry (nullptr when absent).
    QList<AppItemRow*> rows() const;
    AppItemRow* row(const QString& itemID) const { return m_rows.value(itemID); }

    QWidget* catalogColumn() const { return m_catalog; }
    QWidget* auditWorkspace() const { return m_audit; }
    CatalogHeaderView* header() const { return m_header; }
    ForceUpdateBanner* forceUpdateBanner() const { return m_forceUpdate; }
    OperationProgressBanner* operationBanner() const { return m_operation; }
    QScrollArea* rowList() const { return m_scroll; }
    // The drawer while it is open (and the catalog shows), else nullptr.
    LogDrawerView* logDrawer() const { return m_drawer; }
    FooterView* footer() const { return m_footer; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool auditSelected() const;
    void applyWorkspace();
    void syncRows();
    void applyRowStates();
    void applyBanners();
    void applyDrawer();
    AppItemRow* makeRow(const AppItem& item);
    void requestRemoval(const AppItem& item);

    DevivuKitViewModel& m_model;
    QWidget* m_catalog;
    QVBoxLayout* m_catalogLayout;
    QWidget* m_audit;
    CatalogHeaderView* m_header;
    ForceUpdateBanner* m_forceUpdate;
    OperationProgressBanner* m_operation;
    QScrollArea* m_scroll;
    QVBoxLayout* m_rowLayout;
    LogDrawerView* m_drawer = nullptr;
    FooterView* m_footer;

    // The ids of the rows in list order, and each id's row.
    QStringList m_rowOrder;
    QHash<QString, AppItemRow*> m_rows;
};
