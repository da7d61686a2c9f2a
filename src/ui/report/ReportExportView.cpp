#include "ui/report/ReportExportView.h"

#include "app/DevivuKitViewModel.h"
#include "app/ViewModelTexts.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/CircularProgressIndicator.h"
#include "ui/kit/Design.h"
#include "ui/kit/Pill.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/RoundedCard.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportColors.h"
#include "ui/report/ReportPrimaryButton.h"
#include "ui/report/ReportProfileColumn.h"
#include "ui/report/ReportTexts.h"

#include <QBoxLayout>
#include <QCloseEvent>
#include <QGraphicsDropShadowEffect>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>

const QColor ReportExportView::background{244, 247, 251};

namespace {

using Sheet = DevivuKitViewModel::Sheet;

constexpr int sheetPadding = 20;
constexpr int regionSpacing = 14;
constexpr int profileWidth = 455;
constexpr int stackSpacing = 8;

const QColor folderColor(124, 141, 166);

// The header card: a gradient from light blue to light orange, radius 14.
class HeaderCard : public QWidget {
public:
    explicit HeaderCard(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect());
        QLinearGradient gradient(box.topLeft(), box.topRight());
        if (layoutDirection() == Qt::RightToLeft)
            gradient = QLinearGradient(box.topRight(), box.topLeft());
        gradient.setColorAt(0, QColor(238, 246, 255));
        gradient.setColorAt(1, QColor(255, 247, 237));
        QPainterPath shape;
        shape.addRoundedRect(box, 14, 14);
        painter.fillPath(shape, gradient);
        RoundedBox::paint(painter, box, 14, Qt::transparent, QColor(207, 224, 245));
    }
};

TextBlock* oneLine(const Design::FontSpec& font, const QColor& color, QWidget* parent)
{
    auto* block = new TextBlock({}, font, color, parent);
    block->setMaximumLines(1);
    return block;
}

} // namespace

ReportExportView::ReportExportView(DevivuKitViewModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(Sheet::report().id());
    setWindowModality(Qt::WindowModal);
    setFixedSize(sheetWidth, sheetHeight);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(sheetPadding, sheetPadding, sheetPadding, sheetPadding);
    root->setSpacing(regionSpacing);
    root->addWidget(makeHeader());

    auto* columns = new QHBoxLayout;
    columns->setSpacing(regionSpacing);
    auto* left = new RoundedCard({ReportColors::lightFill, ReportColors::cardOutline, background, 12}, this);
    left->setFixedWidth(profileWidth);
    auto* leftLayout = new QVBoxLayout(left);
    leftLayout->setContentsMargins(0, 0, 0, 0);
    auto* scroll = new QScrollArea(left);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    scroll->viewport()->setAutoFillBackground(false);
    m_profile = new ReportProfileColumn(model);
    scroll->setWidget(m_profile);
    // The card's own fill shows through.
    m_profile->setAutoFillBackground(false);
    leftLayout->addWidget(scroll);
    columns->addWidget(left);

    auto* right = new RoundedCard({Qt::white, ReportColors::cardOutline, background, 12}, this);
    auto* rightLayout = new QVBoxLayout(right);
    rightLayout->setContentsMargins(0, 0, 0, 0);
    m_table = new ReportApplicationTable(model, right);
    connect(m_table, &ReportApplicationTable::scanRequested, this, &ReportExportView::scan);
    rightLayout->addWidget(m_table);
    columns->addWidget(right, 1);
    root->addLayout(columns, 1);

    root->addWidget(makeActionBar());

    connect(&model, &DevivuKitViewModel::languageChanged, this, &ReportExportView::applyLanguage);
    connect(&model, &DevivuKitViewModel::reportChanged, this, &ReportExportView::applyCounts);
    connect(&model, &DevivuKitViewModel::statusesChanged, this, &ReportExportView::applyCounts);
    connect(&model, &DevivuKitViewModel::catalogItemsChanged, this, &ReportExportView::applyCounts);
    connect(&model, &DevivuKitViewModel::isReportRefreshingChanged, this, &ReportExportView::applyScanState);
    connect(&model, &DevivuKitViewModel::reportSnapshotChanged, this, &ReportExportView::applyScanState);
    connect(&model, &DevivuKitViewModel::auditProgressChanged, this, &ReportExportView::applyProgress);
    applyLanguage();
    applyCounts();
    applyScanState();
    applyProgress();
}

QWidget* ReportExportView::makeHeader()
{
    auto* card = new HeaderCard(this);
    auto* row = new QHBoxLayout(card);
    row->setContentsMargins(16, 16, 16, 16);
    row->setSpacing(stackSpacing);

    auto* tile = new SymbolTile(QStringLiteral("doc.text.magnifyingglass"),
                                {52, Qt::white, Qt::transparent, {25, QFont::Bold}, ReportColors::blue, 14}, card);
    auto* shadow = new QGraphicsDropShadowEffect(tile);
    shadow->setColor(Design::withOpacity(ReportColors::blue, 0.12));
    shadow->setBlurRadius(10);
    shadow->setOffset(0, 4);
    tile->setGraphicsEffect(shadow);
    row->addWidget(tile, 0, Qt::AlignTop);

    auto* titles = new QVBoxLayout;
    titles->setSpacing(5);
    m_title = oneLine({23, QFont::Bold, Design::FontDesign::rounded}, ReportColors::navy, card);
    m_description = oneLine({12, QFont::Medium, Design::FontDesign::rounded}, ReportColors::slateBlue, card);
    titles->addWidget(m_title);
    titles->addWidget(m_description);
    // Both lines keep to the top of the card, 5 apart.
    titles->addStretch();
    row->addLayout(titles);
    row->addStretch(1);

    m_progressBlock = new QWidget(card);
    auto* progress = new QVBoxLayout(m_progressBlock);
    progress->setContentsMargins(0, 0, 0, 0);
    progress->setSpacing(5);
    auto* detailRow = new QHBoxLayout;
    detailRow->setSpacing(6);
    m_spinner = new CircularProgressIndicator(16, m_progressBlock);
    m_progressDetail = oneLine({11, QFont::DemiBold, Design::FontDesign::monospaced}, Design::mutedText,
                               m_progressBlock);
    detailRow->addStretch(1);
    detailRow->addWidget(m_spinner, 0, Qt::AlignVCenter);
    detailRow->addWidget(m_progressDetail, 0, Qt::AlignVCenter);
    progress->addLayout(detailRow);
    m_progressBar = new TavrinProgressBar(0, m_progressBlock);
    m_progressBar->setFixedWidth(190);
    progress->addWidget(m_progressBar, 0, Qt::AlignRight);
    row->addWidget(m_progressBlock, 0, Qt::AlignTop);

    m_scanAgain = new PushButton(QStringLiteral("report-scan-again"), card);
    connect(m_scanAgain, &QPushButton::clicked, this, &ReportExportView::scan);
    row->addWidget(m_scanAgain, 0, Qt::AlignTop);

    m_applicationsPill = new Pill({}, Design::success, Design::withOpacity(Design::success, 0.12), card);
    row->addWidget(m_applicationsPill, 0, Qt::AlignTop);
    m_kitPill = new Pill({}, Design::primary, Design::withOpacity(Design::primary, 0.1), card);
    row->addWidget(m_kitPill, 0, Qt::AlignTop);
    return card;
}

QWidget* ReportExportView::makeActionBar()
{
    auto* bar = new QWidget(this);
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(4, 0, 4, 0);
    row->setSpacing(stackSpacing);
    row->addWidget(new SymbolView(QStringLiteral("folder.fill"), Symbols::side(13), folderColor, bar), 0,
                   Qt::AlignVCenter);

    auto* path = new QVBoxLayout;
    path->setSpacing(2);
    m_sourceLabel = oneLine({9, QFont::Bold, Design::FontDesign::rounded}, ReportColors::slate, bar);
    m_reportPath = oneLine({10, QFont::Normal, Design::FontDesign::monospaced}, ReportColors::ink, bar);
    m_reportPath->setText(m_model.reportPath());
    // A path too long for the bar is cut, never wrapped.
    m_reportPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_sourceLabel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    path->addWidget(m_sourceLabel);
    path->addWidget(m_reportPath);
    row->addLayout(path, 1);

    m_close = new PushButton(QStringLiteral("report-close"), bar);
    connect(m_close, &QPushButton::clicked, this, &ReportExportView::closeSheet);
    row->addWidget(m_close, 0, Qt::AlignVCenter);

    m_export = new ReportPrimaryButton(bar);
    m_export->setObjectName(QStringLiteral("report-export"));
    m_export->setSymbol(QStringLiteral("arrow.down.doc.fill"));
    m_export->setDefault(true);
    connect(m_export, &QPushButton::clicked, this, &ReportExportView::exportPdf);
    row->addWidget(m_export, 0, Qt::AlignVCenter);
    return bar;
}

void ReportExportView::scan()
{
    if (m_model.releasePolicyAllowsAction())
        m_model.scanReportInventory();
}

void ReportExportView::exportPdf()
{
    if (m_model.releasePolicyAllowsAction())
        m_model.exportReportPDF();
}

bool ReportExportView::namesThisSheet() const
{
    const std::optional<Sheet>& sheet = m_model.activeSheet();
    return sheet && sheet->kind == Sheet::Kind::report;
}

void ReportExportView::closeSheet()
{
    DevivuKitViewModel& model = m_model;
    model.saveReportProfile();
    // The host closes the dialog as soon as activeSheet changes, and deletes
    // it later; whatever is still open is dismissed here.
    const QPointer<ReportExportView> guard(this);
    model.setActiveSheet(std::nullopt);
    if (guard && guard->isVisible())
        guard->reject();
}

void ReportExportView::keyPressEvent(QKeyEvent* event)
{
    // Escape has no action on this sheet; the title-bar close still works.
    if (event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void ReportExportView::closeEvent(QCloseEvent* event)
{
    // The user's close while this sheet is the view model's: Close's steps.
    // A close after activeSheet moved on is the host's own, and silent.
    if (isVisible() && namesThisSheet()) {
        closeSheet();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}

void ReportExportView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), background);
}

void ReportExportView::applyLanguage()
{
    const AppLanguage language = m_model.language();
    const AppStrings strings(language);
    setWindowTitle(strings.reportTitle());
    m_title->setText(strings.reportTitle());
    m_description->setText(strings.reportDescription());
    m_scanAgain->setText(ButtonText::escaped(ReportTexts::scanAgain(language)));
    m_kitPill->setToolTip(ReportTexts::kitPillTooltip(language));
    m_sourceLabel->setText(ReportTexts::reportSource(language));
    m_close->setText(ButtonText::escaped(strings.text(AppI18nKey::close)));
    m_export->setTitle(ViewModelTexts::exportPdfTitle(language));
}

void ReportExportView::applyCounts()
{
    m_applicationsPill->setText(ReportTexts::applicationsPill(m_model.reportApplications().size()));
    m_kitPill->setText(ReportTexts::kitPill(m_model.installedCount(), m_model.catalogItems().size()));
}

void ReportExportView::applyScanState()
{
    const bool scanning = m_model.isReportRefreshing();
    m_progressBlock->setVisible(scanning);
    m_scanAgain->setVisible(m_model.hasReportSnapshot() && !scanning);
    m_export->setEnabled(!scanning);
}

void ReportExportView::applyProgress()
{
    m_progressBar->setValue(m_model.auditProgress());
    m_progressDetail->setText(m_model.auditProgressDetailText());
}
