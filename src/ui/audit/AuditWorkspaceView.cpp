#include "ui/audit/AuditWorkspaceView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/audit/AuditApplicationList.h"
#include "ui/audit/AuditEmptyStateView.h"
#include "ui/audit/AuditHeaderView.h"
#include "ui/kit/ForceUpdateBanner.h"
#include "ui/kit/LogDrawerView.h"

#include <QVBoxLayout>

AuditWorkspaceView::AuditWorkspaceView(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    m_column = new QVBoxLayout(this);
    m_column->setContentsMargins(28, 24, 28, 0);
    m_column->setSpacing(12);

    m_header = new AuditHeaderView(model, this);
    m_column->addWidget(m_header);

    m_banner = new ForceUpdateBanner(model, this);
    m_banner->setShownAnimated(model.updateRequired());
    m_column->addWidget(m_banner);

    m_empty = new AuditEmptyStateView(model, this);
    m_column->addWidget(m_empty, 1);

    m_list = new AuditApplicationList(
        [&model](const InstalledMacApplication& application) {
            model.setActiveSheet(DevivuKitViewModel::Sheet::auditDetail(application));
        },
        this);
    m_list->setObjectName(QStringLiteral("audit-list"));
    m_list->setStrings(AppStrings(model.language()));
    m_list->setApplications(model.reportApplications());
    m_column->addWidget(m_list, 1);

    connect(&model, &DevivuKitViewModel::releasePolicyChanged, this, [this] {
        if (m_banner->isShownTarget() != m_model.updateRequired())
            m_banner->setShownAnimated(m_model.updateRequired());
    });
    connect(&model, &DevivuKitViewModel::reportChanged, this, [this] {
        m_list->setApplications(m_model.reportApplications());
        applyPhase();
    });
    connect(&model, &DevivuKitViewModel::isReportRefreshingChanged, this, &AuditWorkspaceView::applyPhase);
    connect(&model, &DevivuKitViewModel::languageChanged, this,
            [this] { m_list->setStrings(AppStrings(m_model.language())); });
    connect(&model, &DevivuKitViewModel::showLogDrawerChanged, this, &AuditWorkspaceView::applyDrawer);
    applyPhase();
    applyDrawer();
}

bool AuditWorkspaceView::showsEmptyState() const
{
    return m_model.reportApplications().isEmpty() && !m_model.isReportRefreshing();
}

void AuditWorkspaceView::applyPhase()
{
    const bool empty = showsEmptyState();
    m_empty->setVisible(empty);
    m_list->setVisible(!empty);
}

void AuditWorkspaceView::applyDrawer()
{
    // The drawer exists while it is open, so a closed one follows no log.
    if (m_model.showLogDrawer() && !m_drawer) {
        m_drawer = new LogDrawerView(m_model, this);
        m_column->addWidget(m_drawer);
    } else if (!m_model.showLogDrawer() && m_drawer) {
        m_column->removeWidget(m_drawer);
        m_drawer->hide();
        m_drawer->deleteLater();
        m_drawer = nullptr;
    }
}
