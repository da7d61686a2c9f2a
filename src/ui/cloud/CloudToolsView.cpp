#include "ui/cloud/CloudToolsView.h"
#include "ui/kit/ButtonText.h"

#include "app/DevivuKitViewModel.h"
#include "ui/cloud/CloudManagementPanel.h"
#include "ui/cloud/CloudTexts.h"
#include "ui/kit/Design.h"
#include "ui/kit/FilledBox.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/SelectableText.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>

namespace {

using Sheet = DevivuKitViewModel::Sheet;

constexpr int columnPadding = 26;
constexpr int columnSpacing = 20;
constexpr int boxPadding = 12;
constexpr int boxSpacing = 6;
constexpr int titleSpacing = 8;

} // namespace

CloudToolsView::CloudToolsView(DevivuKitViewModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(Sheet::cloudTools().id());
    setWindowModality(Qt::WindowModal);
    setFixedSize(sheetWidth, sheetHeight);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(0, 0, 0, 0);
    m_scroll = new QScrollArea(this);
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setWidgetResizable(true);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_scroll->viewport()->setAutoFillBackground(false);
    root->addWidget(m_scroll);

    // The column, centred in the sheet's width and starting at its top.
    auto* page = new QWidget;
    auto* centring = new QHBoxLayout(page);
    centring->setContentsMargins(0, 0, 0, 0);
    centring->addStretch(1);
    auto* content = new QWidget(page);
    content->setFixedWidth(columnWidth);
    centring->addWidget(content);
    centring->addStretch(1);

    auto* column = new QVBoxLayout(content);
    column->setContentsMargins(columnPadding, columnPadding, columnPadding, columnPadding);
    column->setSpacing(columnSpacing);

    auto* titleRow = new QHBoxLayout;
    titleRow->setSpacing(titleSpacing);
    m_title = new TextBlock({}, {20, QFont::Bold}, Design::text, content);
    titleRow->addWidget(new SymbolView(QStringLiteral("cloud.fill"), Symbols::side(20), Design::text, content), 0,
                        Qt::AlignVCenter);
    titleRow->addWidget(m_title, 1, Qt::AlignVCenter);
    column->addLayout(titleRow);

    m_outputBox = new FilledBox(Design::background, 8, Qt::transparent, content);
    m_outputBox->setObjectName(QStringLiteral("cloud-output"));
    auto* box = new QVBoxLayout(m_outputBox);
    box->setContentsMargins(boxPadding, boxPadding, boxPadding, boxPadding);
    box->setSpacing(boxSpacing);
    m_outputTitle = new TextBlock({}, {11, QFont::Bold}, Design::text, m_outputBox);
    m_outputText = new SelectableText({}, Design::font(12), Design::mutedText, m_outputBox);
    box->addWidget(m_outputTitle);
    box->addWidget(m_outputText);
    column->addWidget(m_outputBox);

    m_panel = new CloudManagementPanel(model, content);
    column->addWidget(m_panel);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    m_close = new PushButton(QStringLiteral("cloud-close"), content);
    connect(m_close, &QPushButton::clicked, this, &CloudToolsView::closeSheet);
    bottom->addWidget(m_close);
    column->addLayout(bottom);
    column->addStretch(1);

    m_scroll->setWidget(page);
    // The scroll area made the page opaque: the sheet's background shows.
    page->setAutoFillBackground(false);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &CloudToolsView::applyLanguage);
    connect(&model, &DevivuKitViewModel::cloudOutputChanged, this, &CloudToolsView::applyOutput);
    applyLanguage();
    applyOutput();
}

bool CloudToolsView::shouldShowCloudOutput(const QString& output)
{
    const QString trimmed = output.trimmed();
    if (trimmed.isEmpty())
        return false;
    for (const AppLanguage language : AppLanguage::supported()) {
        if (trimmed == AppStrings(language).text(AppI18nKey::noDeviceData))
            return false;
    }
    return true;
}

bool CloudToolsView::namesThisSheet() const
{
    const std::optional<Sheet>& sheet = m_model.activeSheet();
    return sheet && sheet->kind == Sheet::Kind::cloudTools;
}

void CloudToolsView::closeSheet()
{
    // The host closes the dialog as soon as activeSheet changes, and deletes
    // it later; whatever is still open is dismissed here.
    const QPointer<CloudToolsView> guard(this);
    m_model.setActiveSheet(std::nullopt);
    if (guard && guard->isVisible())
        guard->reject();
}

void CloudToolsView::keyPressEvent(QKeyEvent* event)
{
    // No key has an action on this sheet: Escape does not close it and
    // Return, wherever it is pressed, presses nothing.
    if (event->matches(QKeySequence::Cancel) || event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CloudToolsView::closeEvent(QCloseEvent* event)
{
    // The user's close while this sheet is the view model's: Close's steps.
    if (isVisible() && namesThisSheet()) {
        closeSheet();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void CloudToolsView::applyLanguage()
{
    const AppLanguage language = m_model.language();
    const AppStrings strings(language);
    setWindowTitle(strings.text(AppI18nKey::cloudTools));
    m_title->setText(strings.text(AppI18nKey::cloudTools));
    m_outputTitle->setText(CloudTexts::outputTitle(language));
    m_close->setText(ButtonText::escaped(strings.text(AppI18nKey::close)));
}

void CloudToolsView::applyOutput()
{
    const QString& output = m_model.cloudOutput();
    m_outputText->setText(output);
    m_outputBox->setVisible(shouldShowCloudOutput(output));
}
