#include "ui/catalog/OperationProgressBanner.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/LinearProgressIndicator.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

OperationProgressBanner::OperationProgressBanner(DevivuKitViewModel& model, QWidget* parent)
    : Banner(QColor(0xFF, 0xF4, 0xEF), Design::border, parent), m_model(model)
{
    row()->addWidget(new SymbolTile(QStringLiteral("arrow.down.circle.fill"),
                                    {42, Design::withOpacity(Design::primary, 0.12), Qt::transparent,
                                     {22, QFont::DemiBold}, Design::primary}),
                     0, Qt::AlignVCenter);

    auto* texts = new QWidget;
    texts->setMinimumWidth(220);
    auto* textColumn = new QVBoxLayout(texts);
    textColumn->setContentsMargins(0, 0, 0, 0);
    textColumn->setSpacing(4);
    m_caption = new TextBlock({}, {11, QFont::Bold}, Design::primary);
    m_caption->setMaximumLines(1);
    m_action = new TextBlock({}, {13, QFont::DemiBold}, Design::text);
    m_action->setMaximumLines(1);
    m_action->setElideMode(Qt::ElideMiddle);
    m_summary = new TextBlock({}, {12, QFont::Normal}, Design::mutedText);
    textColumn->addWidget(m_caption);
    textColumn->addWidget(m_action);
    textColumn->addWidget(m_summary);
    row()->addWidget(texts, 1, Qt::AlignVCenter);

    auto* progress = new QWidget;
    auto* progressColumn = new QVBoxLayout(progress);
    progressColumn->setContentsMargins(0, 0, 0, 0);
    progressColumn->setSpacing(6);
    m_percent = new TextBlock({}, {12, QFont::Bold, Design::FontDesign::monospaced}, Design::primary);
    m_percent->setMaximumLines(1);
    m_percent->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
    m_percent->setFixedWidth(48);
    m_bar = new LinearProgressIndicator;
    m_bar->setFixedWidth(260);
    progressColumn->addWidget(m_percent, 0, Qt::AlignTrailing);
    progressColumn->addWidget(m_bar);
    row()->addWidget(progress, 0, Qt::AlignVCenter);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &OperationProgressBanner::applyLanguage);
    connect(&model, &DevivuKitViewModel::currentActionChanged, this, &OperationProgressBanner::applyAction);
    connect(&model, &DevivuKitViewModel::operationProgressChanged, this, &OperationProgressBanner::applyProgress);
    applyLanguage();
    applyAction();
    applyProgress();
}

void OperationProgressBanner::applyLanguage()
{
    m_caption->setText(AppStrings(m_model.language()).text(AppI18nKey::currentProgress));
}

void OperationProgressBanner::applyAction()
{
    m_action->setText(m_model.currentAction());
}

void OperationProgressBanner::applyProgress()
{
    m_summary->setText(m_model.operationSummaryText());
    m_percent->setText(m_model.operationProgressText());
    m_bar->setFraction(m_model.operationProgress());
}
