#include "ui/shell/SystemSummaryCard.h"

#include "app/DevivuKitViewModel.h"
#include "platform/AppRuntime.h"
#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QString auditGroupID = QStringLiteral("audit");

} // namespace

SystemSummaryCard::SystemSummaryCard(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model),
      m_symbol(new SymbolView(QStringLiteral("shield.lefthalf.filled"), Symbols::side(14),
                              Design::withOpacity(Qt::white, 0.82), this)),
      m_title(new TextBlock({}, {13, QFont::Bold}, Qt::white, this)),
      m_detail(new TextBlock({}, {11, QFont::Normal}, Design::sidebarMuted, this)),
      m_version(new TextBlock({}, {11, QFont::Normal}, Design::sidebarMuted, this))
{
    setObjectName(QStringLiteral("sidebar-summary"));
    m_title->setObjectName(QStringLiteral("summary-title"));
    m_detail->setObjectName(QStringLiteral("summary-detail"));
    m_version->setObjectName(QStringLiteral("summary-version"));
    m_version->setMaximumLines(1);
    m_symbol->setFixedWidth(18);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(12, 12, 12, 12);
    row->setSpacing(10);
    row->addWidget(m_symbol, 0, Qt::AlignTop);
    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(m_title);
    texts->addWidget(m_detail);
    texts->addWidget(m_version);
    row->addLayout(texts, 1);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &SystemSummaryCard::applyTexts);
    connect(&model, &DevivuKitViewModel::selectedGroupIDChanged, this, &SystemSummaryCard::applyTexts);
    connect(&model, &DevivuKitViewModel::coreReadinessChanged, this, &SystemSummaryCard::applyTexts);
    connect(&model, &DevivuKitViewModel::reportChanged, this, &SystemSummaryCard::applyTexts);
    applyTexts();
}

QString SystemSummaryCard::summaryTitle(const DevivuKitViewModel& model)
{
    const AppStrings strings(model.language());
    if (model.selectedGroupID() == auditGroupID)
        return strings.auditSidebarSummaryTitle();
    return strings.systemTitle(model.coreReadinessLevel());
}

QString SystemSummaryCard::summaryDetail(const DevivuKitViewModel& model)
{
    if (model.selectedGroupID() == auditGroupID)
        return AppStrings(model.language()).auditSidebarSummaryDetail(model.reportApplications().size());
    return model.coreReadinessDetail();
}

void SystemSummaryCard::applyTexts()
{
    m_title->setText(summaryTitle(m_model));
    m_detail->setText(summaryDetail(m_model));
    m_version->setText(AppStrings(m_model.language()).text(AppI18nKey::version) + QStringLiteral(": ")
                       + AppRuntime::appVersion());
}

void SystemSummaryCard::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    RoundedBox::paint(painter, QRectF(rect()), 8, Design::withOpacity(Qt::white, 0.07),
                      Design::withOpacity(Qt::white, 0.08));
}
