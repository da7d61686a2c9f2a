#include "ui/catalog/CatalogHeaderView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

constexpr int copyButtonSide = 24;
constexpr int percentWidth = 44;
// A row's default gap between the title block and the refresh button.
constexpr int titleRowSpacing = 8;

} // namespace

CatalogHeaderView::CatalogHeaderView(DevivuKitViewModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(14);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(titleRowSpacing);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    m_title = new TextBlock({}, {26, QFont::Bold}, Design::text, this);
    m_summary = new TextBlock({}, {13, QFont::Normal}, Design::mutedText, this);
    titles->addWidget(m_title);
    titles->addWidget(m_summary);
    titleRow->addLayout(titles, 1);
    m_refresh = new StyledButton(ButtonStyle::refresh(), this);
    m_refresh->setObjectName(QStringLiteral("header-refresh"));
    m_refresh->setSymbol(QStringLiteral("arrow.clockwise"));
    m_refresh->setAction([this] { m_model.refreshStatuses(true); });
    titleRow->addWidget(m_refresh, 0, Qt::AlignTop);
    column->addLayout(titleRow);

    auto* progressRow = new QHBoxLayout;
    progressRow->setSpacing(12);
    m_bar = new TavrinProgressBar(0, this);
    progressRow->addWidget(m_bar, 1, Qt::AlignVCenter);
    m_percent = new TextBlock({}, {12, QFont::Bold, Design::FontDesign::monospaced}, Design::mutedText, this);
    m_percent->setMaximumLines(1);
    m_percent->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
    m_percent->setFixedWidth(percentWidth);
    progressRow->addWidget(m_percent, 0, Qt::AlignVCenter);
    m_copy = new StyledButton(ButtonStyle::symbolSquare(copyButtonSide), this);
    m_copy->setObjectName(QStringLiteral("header-copy-log-path"));
    m_copy->setSymbol(QStringLiteral("doc.on.doc"));
    m_copy->setFixedSize(copyButtonSide, copyButtonSide);
    m_copy->setAction([this] { m_model.copyLogPath(); });
    progressRow->addWidget(m_copy, 0, Qt::AlignVCenter);
    column->addLayout(progressRow);

    // A long path stays on one line, cut at its end.
    m_logPath = new TextBlock({}, {12, QFont::Normal, Design::FontDesign::monospaced}, Design::mutedText, this);
    m_logPath->setMaximumLines(1);
    m_logPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    column->addWidget(m_logPath);

    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyTexts();
        applySummary();
    });
    connect(&model, &DevivuKitViewModel::selectedGroupIDChanged, this, &CatalogHeaderView::applyTexts);
    connect(&model, &DevivuKitViewModel::statusesChanged, this, &CatalogHeaderView::applySummary);
    connect(&model, &DevivuKitViewModel::catalogItemsChanged, this, &CatalogHeaderView::applySummary);
    connect(&model, &DevivuKitViewModel::progressChanged, this, &CatalogHeaderView::applyProgress);
    applyTexts();
    applySummary();
    applyProgress();
}

QString CatalogHeaderView::headerTitle() const
{
    const AppStrings strings(m_model.language());
    const QString& group = m_model.selectedGroupID();
    return group == QLatin1String("all") ? strings.text(AppI18nKey::overview) : strings.groupLabel(group);
}

void CatalogHeaderView::applyTexts()
{
    const AppStrings strings(m_model.language());
    m_title->setText(headerTitle());
    m_refresh->setTitle(strings.text(AppI18nKey::refresh));
    m_copy->setToolTip(strings.text(AppI18nKey::copyLogPathHelp));
    m_logPath->setText(strings.text(AppI18nKey::log) + QStringLiteral(": ") + m_model.logPath());
}

void CatalogHeaderView::applySummary()
{
    // The total is the whole catalog, whatever group is selected.
    m_summary->setText(AppStrings(m_model.language()).summary(m_model.installedCount(), m_model.catalogItems().size()));
}

void CatalogHeaderView::applyProgress()
{
    m_bar->setValue(m_model.progress());
    m_percent->setText(m_model.progressText());
}
