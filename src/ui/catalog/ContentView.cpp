#include "ui/catalog/ContentView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/audit/AuditWorkspaceView.h"
#include "ui/catalog/CatalogHeaderView.h"
#include "ui/catalog/FooterView.h"
#include "ui/catalog/OperationProgressBanner.h"
#include "ui/kit/Design.h"
#include "ui/kit/ForceUpdateBanner.h"
#include "ui/kit/LogDrawerView.h"

#include <QPainter>
#include <QScrollArea>
#include <QSet>
#include <QVBoxLayout>

namespace {

const QString auditGroupID = QStringLiteral("audit");

} // namespace

ContentView::ContentView(DevivuKitViewModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* stack = new QVBoxLayout(this);
    stack->setContentsMargins(0, 0, 0, 0);
    stack->setSpacing(0);

    m_catalog = new QWidget(this);
    m_catalog->setObjectName(QStringLiteral("catalog-column"));
    m_catalogLayout = new QVBoxLayout(m_catalog);
    m_catalogLayout->setContentsMargins(28, 24, 28, 0);
    m_catalogLayout->setSpacing(12);

    m_header = new CatalogHeaderView(model, m_catalog);
    m_catalogLayout->addWidget(m_header);
    m_forceUpdate = new ForceUpdateBanner(model, m_catalog);
    m_catalogLayout->addWidget(m_forceUpdate);
    m_operation = new OperationProgressBanner(model, m_catalog);
    m_catalogLayout->addWidget(m_operation);

    m_scroll = new QScrollArea(m_catalog);
    m_scroll->setObjectName(QStringLiteral("catalog-rows"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->setWidgetResizable(true);
    m_scroll->viewport()->setAutoFillBackground(false);
    auto* list = new QWidget;
    m_rowLayout = new QVBoxLayout(list);
    m_rowLayout->setContentsMargins(0, 0, 0, 2);
    m_rowLayout->setSpacing(8);
    m_rowLayout->addStretch(1);
    m_scroll->setWidget(list);
    // The scroll area made it opaque: the column's background shows through.
    list->setAutoFillBackground(false);
    m_catalogLayout->addWidget(m_scroll, 1);
    stack->addWidget(m_catalog, 1);

    m_audit = new AuditWorkspaceView(model, this);
    stack->addWidget(m_audit, 1);

    m_footer = new FooterView(model, this);
    stack->addWidget(m_footer);

    // The banners show at once as the view starts; later changes slide.
    m_forceUpdate->setShownAnimated(model.updateRequired());
    m_operation->setShownAnimated(model.showOperationProgress());

    connect(&model, &DevivuKitViewModel::selectedGroupIDChanged, this, [this] {
        applyWorkspace();
        syncRows();
    });
    connect(&model, &DevivuKitViewModel::catalogItemsChanged, this, &ContentView::syncRows);
    for (auto signal : {&DevivuKitViewModel::statusesChanged, &DevivuKitViewModel::isInstallingChanged,
                        &DevivuKitViewModel::activeItemChanged, &DevivuKitViewModel::languageChanged})
        connect(&model, signal, this, &ContentView::applyRowStates);
    connect(&model, &DevivuKitViewModel::releasePolicyChanged, this, [this] {
        applyBanners();
        applyRowStates();
    });
    connect(&model, &DevivuKitViewModel::showOperationProgressChanged, this, &ContentView::applyBanners);
    connect(&model, &DevivuKitViewModel::showLogDrawerChanged, this, &ContentView::applyDrawer);

    applyWorkspace();
    syncRows();
}

bool ContentView::auditSelected() const
{
    return m_model.selectedGroupID() == auditGroupID;
}

AppItemRow::State ContentView::rowState(const AppItem& item) const
{
    AppItemRow::State state;
    state.status = m_model.statuses().value(item.id, InstallStatus::missing);
    state.isGlobalBusy = m_model.isInstalling() || m_model.updateRequired();
    if (m_model.activeItemID() == item.id) {
        state.itemProgress = m_model.activeItemProgress();
        state.itemProgressText = m_model.activeItemProgressText();
    }
    state.strings = AppStrings(m_model.language());
    return state;
}

QList<AppItemRow*> ContentView::rows() const
{
    QList<AppItemRow*> ordered;
    ordered.reserve(m_rowOrder.size());
    for (const QString& id : m_rowOrder)
        ordered.append(m_rows.value(id));
    return ordered;
}

void ContentView::applyWorkspace()
{
    const bool audit = auditSelected();
    m_catalog->setVisible(!audit);
    m_audit->setVisible(audit);
    applyDrawer();
}

void ContentView::syncRows()
{
    // While the audit workspace shows, the rows wait: they follow the list
    // again when a catalog group is selected.
    if (auditSelected())
        return;

    QList<AppItem> items;
    QStringList order;
    QSet<QString> seen;
    for (const AppItem& item : m_model.filteredItems()) {
        // Ids are unique in the catalog; a repeated one would share a row.
        if (seen.contains(item.id))
            continue;
        seen.insert(item.id);
        items.append(item);
        order.append(item.id);
    }

    QHash<QString, AppItemRow*> rows;
    for (const AppItem& item : std::as_const(items)) {
        AppItemRow* row = m_rows.take(item.id);
        if (row) {
            row->setItem(item);
            row->setState(rowState(item));
        } else {
            row = makeRow(item);
        }
        rows.insert(item.id, row);
    }
    for (AppItemRow* gone : std::as_const(m_rows)) {
        m_rowLayout->removeWidget(gone);
        gone->hide();
        gone->deleteLater();
    }
    m_rows = rows;

    if (order != m_rowOrder) {
        for (const QString& id : std::as_const(order))
            m_rowLayout->removeWidget(m_rows.value(id));
        for (qsizetype i = 0; i < order.size(); ++i) {
            AppItemRow* row = m_rows.value(order.at(i));
            m_rowLayout->insertWidget(int(i), row);
            row->show();
        }
        m_rowOrder = order;
    }
}

void ContentView::applyRowStates()
{
    for (AppItemRow* row : std::as_const(m_rows))
        row->setState(rowState(row->item()));
}

void ContentView::applyBanners()
{
    if (m_forceUpdate->isShownTarget() != m_model.updateRequired())
        m_forceUpdate->setShownAnimated(m_model.updateRequired());
    if (m_operation->isShownTarget() != m_model.showOperationProgress())
        m_operation->setShownAnimated(m_model.showOperationProgress());
}

void ContentView::applyDrawer()
{
    // The drawer is made when it opens, so it starts at the newest line, and
    // goes when it closes.
    const bool open = m_model.showLogDrawer() && !auditSelected();
    if (open == (m_drawer != nullptr))
        return;
    if (open) {
        m_drawer = new LogDrawerView(m_model, m_catalog);
        m_catalogLayout->addWidget(m_drawer);
        m_drawer->show();
        return;
    }
    m_catalogLayout->removeWidget(m_drawer);
    m_drawer->hide();
    m_drawer->deleteLater();
    m_drawer = nullptr;
}

AppItemRow* ContentView::makeRow(const AppItem& item)
{
    auto* row = new AppItemRow(item, rowState(item), m_scroll->widget());
    // Each request acts on a copy of the row's entry as it is when the
    // request comes (the row may be updated while the model works).
    connect(row, &AppItemRow::installRequested, this, [this, row] {
        const AppItem item = row->item();
        m_model.performPrimaryAction(item);
    });
    connect(row, &AppItemRow::removeRequested, this, [this, row] {
        const AppItem item = row->item();
        requestRemoval(item);
    });
    connect(row, &AppItemRow::detailRequested, this,
            [this, row] { m_model.setActiveSheet(DevivuKitViewModel::Sheet::itemDetail(row->item())); });
    return row;
}

void ContentView::requestRemoval(const AppItem& item)
{
    if (!m_model.releasePolicyAllowsAction())
        return;
    if (m_model.isInstalling())
        return;
    if (item.kind == AppKind::builtin || item.kind == AppKind::blocked)
        return;
    m_model.setPendingUninstall(item);
}

void ContentView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Design::background);
}
