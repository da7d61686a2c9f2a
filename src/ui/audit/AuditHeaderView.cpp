#include "ui/audit/AuditHeaderView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/audit/AuditTexts.h"
#include "ui/kit/CircularProgressIndicator.h"
#include "ui/kit/Design.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>

namespace {

// A text that takes the width it is given and wraps in it.
TextBlock* wrappingText(const Design::FontSpec& font, const QColor& color, QWidget* parent)
{
    auto* block = new TextBlock({}, font, color, parent);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    block->setSizePolicy(policy);
    return block;
}

TextBlock* oneLine(const Design::FontSpec& font, const QColor& color, QWidget* parent)
{
    auto* block = new TextBlock({}, font, color, parent);
    block->setMaximumLines(1);
    return block;
}

} // namespace

AuditHeaderView::AuditHeaderView(DevivuKitViewModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);

    // Title, subtitle and the scan button.
    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(8);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    m_title = wrappingText({26, QFont::Bold}, Design::text, this);
    m_title->setObjectName(QStringLiteral("audit-title"));
    titles->addWidget(m_title);
    m_subtitle = wrappingText({13, QFont::Normal}, Design::mutedText, this);
    m_subtitle->setObjectName(QStringLiteral("audit-subtitle"));
    m_subtitle->setMaximumLines(2);
    titles->addWidget(m_subtitle);
    titleRow->addLayout(titles, 1);
    titleRow->addSpacing(18);
    m_scan = new StyledButton(QString(), QStringLiteral("magnifyingglass"), ButtonStyle::refresh(), this);
    m_scan->setObjectName(QStringLiteral("audit-scan"));
    m_scan->setAction([this] { scan(m_model); });
    titleRow->addWidget(m_scan, 0, Qt::AlignTop);
    column->addLayout(titleRow);

    // The bar, its text and the copy button.
    auto* progressRow = new QHBoxLayout;
    progressRow->setSpacing(12);
    m_bar = new TavrinProgressBar(0, this);
    progressRow->addWidget(m_bar, 1, Qt::AlignVCenter);
    m_progressText = wrappingText({12, QFont::Bold, Design::FontDesign::monospaced}, Design::mutedText, this);
    m_progressText->setObjectName(QStringLiteral("audit-progress-text"));
    m_progressText->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
    progressRow->addWidget(m_progressText);
    m_copy = new StyledButton(QString(), QStringLiteral("doc.on.doc"), ButtonStyle::symbolSquare(24), this);
    m_copy->setObjectName(QStringLiteral("audit-copy-report-path"));
    m_copy->setFixedSize(24, 24);
    m_copy->setAction([this] { m_model.copyReportPath(); });
    progressRow->addWidget(m_copy, 0, Qt::AlignVCenter);
    column->addLayout(progressRow);

    // The report's path, then the scan's detail or the summary.
    auto* reportRow = new QHBoxLayout;
    reportRow->setSpacing(8);
    m_reportPath = oneLine({12, QFont::Normal, Design::FontDesign::monospaced}, Design::mutedText, this);
    m_reportPath->setObjectName(QStringLiteral("audit-report-path"));
    m_reportPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    reportRow->addWidget(m_reportPath, 1, Qt::AlignVCenter);
    reportRow->addSpacing(12);
    m_spinner = new CircularProgressIndicator(16, this);
    m_spinner->setColor(Design::mutedText);
    reportRow->addWidget(m_spinner, 0, Qt::AlignVCenter);
    m_scanDetail = oneLine({11, QFont::DemiBold}, Design::mutedText, this);
    m_scanDetail->setObjectName(QStringLiteral("audit-scan-detail"));
    reportRow->addWidget(m_scanDetail, 0, Qt::AlignVCenter);
    m_summary = oneLine({11, QFont::DemiBold}, Design::success, this);
    m_summary->setObjectName(QStringLiteral("audit-summary"));
    reportRow->addWidget(m_summary, 0, Qt::AlignVCenter);
    column->addLayout(reportRow);

    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyTexts();
        applyState();
    });
    connect(&model, &DevivuKitViewModel::isReportRefreshingChanged, this, &AuditHeaderView::applyState);
    connect(&model, &DevivuKitViewModel::auditProgressChanged, this, &AuditHeaderView::applyState);
    connect(&model, &DevivuKitViewModel::reportSnapshotChanged, this, &AuditHeaderView::applyState);
    connect(&model, &DevivuKitViewModel::reportChanged, this, &AuditHeaderView::applyState);
    applyTexts();
    applyState();
}

void AuditHeaderView::scan(DevivuKitViewModel& model)
{
    if (model.releasePolicyAllowsAction())
        model.scanReportInventory();
}

void AuditHeaderView::applyTexts()
{
    const AppLanguage language = m_model.language();
    const AppStrings strings(language);
    m_title->setText(AuditTexts::headerTitle(language));
    m_subtitle->setText(strings.auditSubtitle());
    m_scan->setTitle(AuditTexts::scanTitle(language));
    const QString copyHelp = strings.text(AppI18nKey::copyLogPathHelp);
    m_copy->setToolTip(copyHelp);
    m_copy->setAccessibleName(copyHelp);
    m_reportPath->setText(AuditTexts::reportWord(language) + QStringLiteral(": ") + m_model.reportPath());
}

void AuditHeaderView::applyState()
{
    const bool scanning = m_model.isReportRefreshing();
    m_scan->setEnabled(!scanning);

    m_bar->setValue(m_model.auditProgress());
    m_progressText->setText(scanning ? m_model.auditProgressDetailText() : m_model.auditProgressText());
    m_progressText->setFixedWidth(scanning ? scanningProgressWidth : idleProgressWidth);

    m_spinner->setVisible(scanning);
    m_scanDetail->setVisible(scanning);
    m_scanDetail->setText(m_model.auditProgressDetailText());

    const bool summary = !scanning && m_model.hasReportSnapshot();
    m_summary->setVisible(summary);
    if (summary) {
        const int notDetected = m_model.auditKeyNotDetectedCount();
        m_summary->setText(AppStrings(m_model.language())
                               .auditSummary(m_model.reportApplications().size(), m_model.auditKeyPresentCount(),
                                             m_model.auditKeyNotRequiredCount(), notDetected));
        m_summary->setColor(notDetected > 0 ? Design::warning : Design::success);
    }
}
