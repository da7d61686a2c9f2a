#include "ui/shell/SidebarView.h"

#include "app/DevivuKitViewModel.h"
#include "catalog/Catalog.h"
#include "ui/kit/ButtonStyle.h"
#include "ui/kit/Design.h"
#include "ui/kit/StyledButton.h"
#include "ui/shell/SidebarHeaderView.h"
#include "ui/shell/SystemSummaryCard.h"

#include <QEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <functional>

namespace {

using Sheet = DevivuKitViewModel::Sheet;
using Variant = ButtonStyle::ActionVariant;

const QString auditGroupID = QStringLiteral("audit");
constexpr int scrollBarWidth = 8;

// The five actions, top to bottom.
struct Action {
    AppI18nKey key;
    const char* symbol;
    Variant variant;
    // Disabled while an install runs or an update is required.
    bool installs;
    std::function<void(DevivuKitViewModel&)> run;
};

QList<Action> sidebarActions()
{
    return {
        {AppI18nKey::installStandard, "checkmark.seal", Variant::green, true,
         [](DevivuKitViewModel& model) {
             if (model.releasePolicyAllowsAction())
                 model.installStandard();
         }},
        {AppI18nKey::installFull, "arrow.down.to.line", Variant::light, true,
         [](DevivuKitViewModel& model) {
             if (model.releasePolicyAllowsAction())
                 model.installFull();
         }},
        {AppI18nKey::systemCheck, "info.circle", Variant::plain, false,
         [](DevivuKitViewModel& model) { model.setActiveSheet(Sheet::systemChecks()); }},
        {AppI18nKey::openReport, "doc.text", Variant::plain, false,
         [](DevivuKitViewModel& model) {
             if (model.releasePolicyAllowsAction())
                 model.openReport();
         }},
        {AppI18nKey::cloudTools, "key", Variant::plain, false,
         [](DevivuKitViewModel& model) { model.setActiveSheet(Sheet::cloudTools()); }},
    };
}

// The audit entry: the sidebar button's row in salmon on the sidebar, white
// on the selected fill while the audit workspace is shown.
ButtonStyle auditEntryStyle(bool selected)
{
    ButtonStyle style;
    style.font = {13, QFont::DemiBold};
    style.symbolFont = style.font;
    style.foreground = selected ? QColor(Qt::white) : QColor(255, 180, 155);
    style.fill = selected ? Design::sidebarSelected : QColor(Qt::transparent);
    style.pressedFill = style.fill;
    style.height = 40;
    style.fixedHeight = false;
    style.horizontalPadding = 10;
    style.fillsWidth = true;
    style.symbolFrameWidth = 22;
    style.spacing = 8;
    style.trailing = ButtonStyle::Trailing::balance;
    return style;
}

// The settings entry: gear, title and chevron on a faint white box.
ButtonStyle settingsEntryStyle()
{
    ButtonStyle style;
    style.font = {12, QFont::ExtraBold};
    style.foreground = Qt::white;
    style.fill = Design::withOpacity(Qt::white, 0.07);
    style.pressedFill = style.fill;
    style.border = Design::withOpacity(Qt::white, 0.08);
    style.horizontalPadding = 12;
    style.verticalPadding = 12;
    style.height = 28 + 2 * 12;
    style.fixedHeight = false;
    style.fillsWidth = true;
    style.titleAlignment = Qt::AlignLeading;
    style.symbolFont = {12, QFont::Bold};
    style.symbolColor = Design::withOpacity(Qt::white, 0.86);
    style.symbolFrameWidth = 18;
    style.spacing = 9;
    style.trailing = ButtonStyle::Trailing::symbol;
    style.trailingSymbol = QStringLiteral("chevron.right");
    style.trailingFont = {10, QFont::Bold};
    style.trailingColor = Design::sidebarMuted;
    return style;
}

} // namespace

SidebarView::SidebarView(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_scroll(new QScrollArea(this)),
      m_scrollBar(new QScrollBar(Qt::Vertical, this)),
      m_header(new SidebarHeaderView(AppStrings(model.language()))), m_groups(Catalog::groups()),
      m_auditButton(nullptr), m_summary(new SystemSummaryCard(model)), m_settingsButton(nullptr)
{
    setObjectName(QStringLiteral("sidebar"));
    setFixedWidth(columnWidth);

    // The scrolling part.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("sidebar-content"));
    auto* stack = new QVBoxLayout(content);
    stack->setContentsMargins(0, 24, 0, 16);
    stack->setSpacing(18);

    auto* headerRow = new QVBoxLayout;
    headerRow->setContentsMargins(18, 0, 18, 0);
    headerRow->addWidget(m_header);
    stack->addLayout(headerRow);

    auto* navigation = new QVBoxLayout;
    navigation->setContentsMargins(12, 0, 12, 0);
    navigation->setSpacing(6);
    for (const CatalogGroup& group : std::as_const(m_groups)) {
        auto* button = new StyledButton({}, group.symbol, ButtonStyle::sidebar(false), content);
        button->setObjectName(QStringLiteral("sidebar-group-") + group.id);
        button->setAction([this, group] { m_model.selectGroup(group); }, StyledButton::Trigger::mouseDown);
        navigation->addWidget(button);
        m_groupButtons.append(button);
    }
    m_auditButton = new StyledButton({}, QStringLiteral("magnifyingglass"), auditEntryStyle(false), content);
    m_auditButton->setObjectName(QStringLiteral("sidebar-audit"));
    m_auditButton->setAction(
        [this] {
            if (m_model.releasePolicyAllowsAction())
                m_model.openAuditWorkspace();
        },
        StyledButton::Trigger::mouseDown);
    navigation->addWidget(m_auditButton);
    stack->addLayout(navigation);

    auto* actionBlock = new QVBoxLayout;
    actionBlock->setContentsMargins(18, 8, 18, 0);
    actionBlock->setSpacing(8);
    for (const Action& action : sidebarActions()) {
        auto* button = new StyledButton({}, QString::fromUtf8(action.symbol), ButtonStyle::action(action.variant),
                                        content);
        button->setObjectName(QStringLiteral("sidebar-") + EnumText::toString(action.key));
        button->setAction([this, run = action.run] { run(m_model); }, StyledButton::Trigger::mouseDown);
        button->setProperty("installs", action.installs);
        actionBlock->addWidget(button);
        m_actionButtons.append(button);
    }
    stack->addLayout(actionBlock);
    stack->addStretch(1);

    m_scroll->setObjectName(QStringLiteral("sidebar-scroll"));
    m_scroll->setFrameShape(QFrame::NoFrame);
    m_scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroll->setWidgetResizable(true);
    m_scroll->setWidget(content);
    // Both over the column's own colour (setWidget fills its widget).
    m_scroll->viewport()->setAutoFillBackground(false);
    content->setAutoFillBackground(false);

    // The scroll bar lies over the column's right edge instead of taking its
    // width from the buttons; it follows the scroll area's own (hidden) bar.
    m_scrollBar->setObjectName(QStringLiteral("sidebar-scroll-bar"));
    m_scrollBar->setStyleSheet(QStringLiteral(
        "QScrollBar:vertical { background: transparent; width: 8px; margin: 2px 2px 2px 0; }"
        "QScrollBar::handle:vertical { background: rgba(255, 255, 255, 64); border-radius: 3px; min-height: 24px; }"
        "QScrollBar::add-line:vertical, QScrollBar::sub-line:vertical { height: 0; }"
        "QScrollBar::add-page:vertical, QScrollBar::sub-page:vertical { background: transparent; }"));
    QScrollBar* inner = m_scroll->verticalScrollBar();
    connect(inner, &QScrollBar::rangeChanged, this, &SidebarView::placeScrollBar);
    connect(inner, &QScrollBar::valueChanged, m_scrollBar, &QScrollBar::setValue);
    connect(m_scrollBar, &QScrollBar::valueChanged, inner, &QScrollBar::setValue);
    m_scroll->installEventFilter(this);

    // The pinned part.
    m_settingsButton = new StyledButton({}, QStringLiteral("gearshape"), settingsEntryStyle(), this);
    m_settingsButton->setObjectName(QStringLiteral("settings-button"));
    m_settingsButton->setAction([this] { m_model.setActiveSheet(Sheet::settings()); },
                                StyledButton::Trigger::mouseDown);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(m_scroll, 1);
    auto* summaryRow = new QVBoxLayout;
    summaryRow->setContentsMargins(16, 0, 16, 0);
    summaryRow->addWidget(m_summary);
    column->addLayout(summaryRow);
    auto* settingsRow = new QVBoxLayout;
    settingsRow->setContentsMargins(16, 10, 16, 18);
    settingsRow->addWidget(m_settingsButton);
    column->addLayout(settingsRow);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &SidebarView::applyTexts);
    connect(&model, &DevivuKitViewModel::selectedGroupIDChanged, this, &SidebarView::applySelection);
    connect(&model, &DevivuKitViewModel::isInstallingChanged, this, &SidebarView::applyInstallAvailability);
    connect(&model, &DevivuKitViewModel::releasePolicyChanged, this, &SidebarView::applyInstallAvailability);
    applyTexts();
    applySelection();
    applyInstallAvailability();
}

QString SidebarView::auditEntryTitle(AppLanguage language)
{
    return AppStrings(language).pick("macOS inventory", "Kiểm kê macOS", "macOS 인벤토리", "macOSインベントリ",
                                     "macOS 盘点");
}

void SidebarView::applyTexts()
{
    const AppStrings strings(m_model.language());
    m_header->setStrings(strings);
    for (qsizetype i = 0; i < m_groups.size(); ++i) {
        const QString& id = m_groups[i].id;
        m_groupButtons[i]->setTitle(id == QLatin1String("all") ? strings.text(AppI18nKey::overview)
                                                               : strings.groupLabel(id));
    }
    m_auditButton->setTitle(auditEntryTitle(m_model.language()));
    const QList<Action> list = sidebarActions();
    for (qsizetype i = 0; i < list.size(); ++i)
        m_actionButtons[i]->setTitle(strings.text(list[i].key));
    m_settingsButton->setTitle(strings.text(AppI18nKey::settings));
}

void SidebarView::applySelection()
{
    const QString& selected = m_model.selectedGroupID();
    for (qsizetype i = 0; i < m_groups.size(); ++i)
        m_groupButtons[i]->setButtonStyle(ButtonStyle::sidebar(m_groups[i].id == selected));
    m_auditButton->setButtonStyle(auditEntryStyle(selected == auditGroupID));
}

void SidebarView::applyInstallAvailability()
{
    const bool available = !m_model.isInstalling() && !m_model.updateRequired();
    for (StyledButton* button : std::as_const(m_actionButtons)) {
        if (button->property("installs").toBool())
            button->setEnabled(available);
    }
}

void SidebarView::placeScrollBar()
{
    const QScrollBar* inner = m_scroll->verticalScrollBar();
    m_scrollBar->setRange(inner->minimum(), inner->maximum());
    m_scrollBar->setPageStep(inner->pageStep());
    m_scrollBar->setSingleStep(inner->singleStep());
    m_scrollBar->setValue(inner->value());
    const QRect area = m_scroll->geometry();
    m_scrollBar->setGeometry(area.right() + 1 - scrollBarWidth, area.top(), scrollBarWidth, area.height());
    m_scrollBar->setVisible(inner->maximum() > inner->minimum());
    m_scrollBar->raise();
}

bool SidebarView::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_scroll && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeScrollBar();
    return QWidget::eventFilter(watched, event);
}

void SidebarView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Design::sidebar);
}
