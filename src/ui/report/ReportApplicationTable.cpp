#include "ui/report/ReportApplicationTable.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/Pill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationRow.h"
#include "ui/report/ReportColors.h"
#include "ui/report/ReportTexts.h"

#include <QBoxLayout>
#include <QEvent>
#include <QLocale>
#include <QPainter>

#include <functional>

namespace {

const QColor titleRowFill(240, 247, 255);
const QColor headerFill(35, 52, 84);
const QColor pillText(22, 101, 52);
const QColor pillFill(220, 252, 231);
constexpr int headerHeight = 30;
constexpr int padding = 13;
constexpr int emptyTextWidth = 330;

// A widget filled with one colour.
class Filled : public QWidget {
public:
    Filled(const QColor& color, QWidget* parent) : QWidget(parent), m_color(color) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), m_color);
    }

private:
    QColor m_color;
};

// The column header places its titles over the rows' columns; it follows
// the list's row width through its resize and the table.
class ColumnHeader : public Filled {
public:
    using Filled::Filled;
    std::function<void()> placed;

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (placed)
            placed();
    }
};

// The empty state's button: the platform's prominent bordered button, tinted
// blue.
ButtonStyle prominentStyle()
{
    ButtonStyle style;
    style.font = {13, QFont::Medium};
    style.foreground = Qt::white;
    style.fill = ReportColors::blue;
    style.pressedFill = QColor(29, 78, 216);
    style.radius = 6;
    style.height = 28;
    style.horizontalPadding = 12;
    style.disabledOpacity = 0.45;
    return style;
}

TextBlock* wrappingText(const Design::FontSpec& font, const QColor& color, Qt::Alignment alignment,
                        QWidget* parent)
{
    auto* block = new TextBlock({}, font, color, parent);
    block->setAlignment(alignment);
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    block->setSizePolicy(policy);
    return block;
}

} // namespace

ReportApplicationTable::ReportApplicationTable(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);

    // Title row.
    auto* titleRow = new Filled(titleRowFill, this);
    auto* titleLayout = new QHBoxLayout(titleRow);
    titleLayout->setContentsMargins(padding, padding, padding, padding);
    titleLayout->setSpacing(8);
    auto* symbol = new SymbolView(QStringLiteral("square.stack.3d.up.fill"), Symbols::side(13), ReportColors::blue,
                                  titleRow);
    titleLayout->addWidget(symbol, 0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(2);
    m_title = new TextBlock({}, {15, QFont::Bold, Design::FontDesign::rounded}, ReportColors::navy, titleRow);
    m_title->setMaximumLines(1);
    m_subtitle = new TextBlock({}, {10, QFont::Medium, Design::FontDesign::rounded}, ReportColors::slate, titleRow);
    m_subtitle->setMaximumLines(1);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    titleLayout->addLayout(titles);
    titleLayout->addStretch(1);
    m_count = new Pill({}, pillText, pillFill, titleRow);
    titleLayout->addWidget(m_count, 0, Qt::AlignVCenter);
    column->addWidget(titleRow);

    // Column header.
    auto* header = new ColumnHeader(headerFill, this);
    header->setFixedHeight(headerHeight);
    for (int k = 0; k < ReportApplicationRow::columnCount; ++k) {
        auto* title = new TextBlock({}, {10, QFont::Bold, Design::FontDesign::rounded}, Qt::white, header);
        title->setAlignment(ReportApplicationRow::columnAlignment(k) | Qt::AlignVCenter);
        // The developer and signature titles stay on one line and shrink
        // before they are cut; the others may take two.
        if (k == 4 || k == 5) {
            title->setMaximumLines(1);
            title->setMinimumScale(0.65);
        } else {
            title->setMaximumLines(2);
        }
        m_columnTitles.append(title);
    }
    header->placed = [this] { placeColumnTitles(); };
    m_columnHeader = header;
    column->addWidget(header);

    // Body with a snapshot: the scan-time line over the rows.
    m_snapshotView = new QWidget(this);
    auto* snapshotLayout = new QVBoxLayout(m_snapshotView);
    snapshotLayout->setContentsMargins(0, 0, 0, 0);
    snapshotLayout->setSpacing(0);
    m_scanTimeRow = new QWidget(m_snapshotView);
    auto* scanTimeLayout = new QHBoxLayout(m_scanTimeRow);
    scanTimeLayout->setContentsMargins(padding, 10, padding, 0);
    m_scanTime = new TextBlock({}, {10, QFont::Medium, Design::FontDesign::rounded}, ReportColors::slate,
                               m_scanTimeRow);
    m_scanTime->setMaximumLines(1);
    m_scanTime->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    scanTimeLayout->addWidget(m_scanTime);
    snapshotLayout->addWidget(m_scanTimeRow);
    m_list = new ReportApplicationList(m_snapshotView);
    snapshotLayout->addWidget(m_list, 1);
    column->addWidget(m_snapshotView, 1);
    connect(m_list, &ReportApplicationList::rowWidthChanged, this, &ReportApplicationTable::placeColumnTitles);

    // Body without a snapshot: the empty state.
    m_emptyState = new QWidget(this);
    auto* empty = new QVBoxLayout(m_emptyState);
    empty->setContentsMargins(padding, padding, padding, padding);
    empty->setSpacing(12);
    empty->addStretch(1);
    m_emptySymbol = new SymbolView(QStringLiteral("magnifyingglass.circle"), Symbols::side(38), Design::mutedText,
                                   m_emptyState);
    empty->addWidget(m_emptySymbol, 0, Qt::AlignHCenter);
    m_emptyTitle = wrappingText({16, QFont::Bold}, Design::text, Qt::AlignHCenter | Qt::AlignVCenter, m_emptyState);
    empty->addWidget(m_emptyTitle, 0, Qt::AlignHCenter);
    m_emptyText = wrappingText({11, QFont::Normal}, Design::mutedText, Qt::AlignHCenter | Qt::AlignVCenter,
                               m_emptyState);
    empty->addWidget(m_emptyText, 0, Qt::AlignHCenter);
    m_scanButton = new StyledButton(prominentStyle(), m_emptyState);
    m_scanButton->setObjectName(QStringLiteral("report-scan-computer"));
    m_scanButton->setAction([this] { Q_EMIT scanRequested(); });
    empty->addWidget(m_scanButton, 0, Qt::AlignHCenter);
    empty->addStretch(1);
    column->addWidget(m_emptyState, 1);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &ReportApplicationTable::applyLanguage);
    connect(&model, &DevivuKitViewModel::reportChanged, this, &ReportApplicationTable::applyApplications);
    connect(&model, &DevivuKitViewModel::reportSnapshotChanged, this, &ReportApplicationTable::applySnapshot);
    connect(&model, &DevivuKitViewModel::isReportRefreshingChanged, this,
            &ReportApplicationTable::applyRefreshing);
    applyLanguage();
    applyApplications();
    applySnapshot();
    applyRefreshing();
}

QString ReportApplicationTable::scanTimeText(const QDateTime& date, bool vietnamese)
{
    return ReportTexts::scannedPrefix(vietnamese ? AppLanguage::vietnamese : AppLanguage::english)
           + QLocale::system().toString(date.toLocalTime(), QLocale::ShortFormat);
}

void ReportApplicationTable::applyLanguage()
{
    const AppLanguage language = m_model.language();
    const AppStrings strings(language);
    m_title->setText(ReportTexts::tableTitle(language));
    m_subtitle->setText(ReportTexts::tableSubtitle(language));
    const QStringList titles{QStringLiteral("STT"),
                             QStringLiteral("Name"),
                             QStringLiteral("Version"),
                             QStringLiteral("Source"),
                             strings.auditDeveloperLabel(),
                             strings.auditSignatureLabel(),
                             ReportTexts::licenseColumnTitle(language)};
    for (qsizetype k = 0; k < titles.size(); ++k)
        m_columnTitles[k]->setText(titles.at(k));
    m_emptyTitle->setText(ReportTexts::emptyTitle(language));
    m_emptyText->setText(ReportTexts::emptyText(language));
    // As wide as the text, at most 330, and as high as it then needs.
    m_emptyText->setFixedWidth(qMin(emptyTextWidth, m_emptyText->sizeHint().width()));
    m_emptyText->setFixedHeight(m_emptyText->heightForWidth(m_emptyText->width()));
    m_scanButton->setTitle(ReportTexts::scanComputer(language));
    m_list->setStrings(strings);
    applySnapshot();
}

void ReportApplicationTable::applyApplications()
{
    const QList<InstalledMacApplication>& applications = m_model.reportApplications();
    m_count->setText(ReportTexts::applicationsPill(applications.size()));
    m_list->setApplications(applications, AppStrings(m_model.language()));
}

void ReportApplicationTable::applySnapshot()
{
    const bool snapshot = m_model.hasReportSnapshot();
    const std::optional<QDateTime>& date = m_model.reportSnapshotDate();
    m_emptyState->setVisible(!snapshot);
    m_snapshotView->setVisible(snapshot);
    m_scanTimeRow->setVisible(snapshot && date.has_value());
    m_scanTime->setText(date ? scanTimeText(*date, m_model.language() == AppLanguage::vietnamese) : QString());
}

void ReportApplicationTable::applyRefreshing()
{
    m_scanButton->setEnabled(!m_model.isReportRefreshing());
}

void ReportApplicationTable::placeColumnTitles()
{
    // The list's rows may be narrower than the card by its scroll bar; the
    // titles stay over their columns.
    const int rowWidth = m_snapshotView->isVisible() ? m_list->rowWidth() : m_columnHeader->width();
    const auto spans = ReportApplicationRow::columns(qMin(rowWidth, m_columnHeader->width()));
    for (int k = 0; k < ReportApplicationRow::columnCount; ++k)
        m_columnTitles[k]->setGeometry(spans[k].x, 0, spans[k].width, headerHeight);
}
