#include "ui/catalog/AppItemRow.h"

#include "ui/kit/Design.h"
#include "ui/kit/GroupPill.h"
#include "ui/kit/LinearProgressIndicator.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/SourcePill.h"
#include "ui/kit/StatusPill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QVBoxLayout>

namespace {

const QColor nameColor(17, 24, 39);
const QColor descriptionColor(105, 115, 134);
const QColor symbolColor(31, 41, 55);
const QColor tileOutline(230, 235, 242);
const QColor outlinedInstallBorder(255, 141, 104);

constexpr int primaryWidth = 92;
constexpr int controlHeight = 34;
constexpr int iconButtonWidth = 28;
constexpr double dimmed = 0.55;
// The progress line starts under the information column: the tile's 66 and
// the main line's gap of 12.
constexpr int progressIndent = 78;

// A borderless button showing one symbol at the body size.
ButtonStyle symbolButtonStyle(const QColor& color)
{
    ButtonStyle style;
    style.symbolFont = {13, QFont::Normal};
    style.symbolColor = color;
    style.foreground = color;
    style.height = controlHeight;
    style.spacing = 0;
    style.disabledOpacity = dimmed;
    return style;
}

} // namespace

bool AppItemRow::State::operator==(const State& other) const
{
    return status == other.status && isGlobalBusy == other.isGlobalBusy && itemProgress == other.itemProgress
           && itemProgressText == other.itemProgressText && strings.language() == other.strings.language();
}

ButtonStyle AppItemRow::installButtonStyle(bool primary)
{
    ButtonStyle style;
    style.font = {12, QFont::ExtraBold};
    style.foreground = primary ? QColor(Qt::white) : Design::primary;
    style.fill = primary ? Design::primary : Design::card;
    style.pressedFill = primary ? Design::withOpacity(Design::primary, 0.82) : Design::card;
    style.border = primary ? Design::primary : outlinedInstallBorder;
    style.radius = 8;
    style.height = controlHeight;
    style.disabledOpacity = dimmed;
    return style;
}

bool AppItemRow::isRemovableKind(AppKind kind)
{
    switch (kind) {
    case AppKind::direct:
    case AppKind::formula:
    case AppKind::cask:
    case AppKind::bundle:
    case AppKind::shortcut:
    case AppKind::mime:
        return true;
    case AppKind::builtin:
    case AppKind::blocked:
        return false;
    }
    return false;
}

AppItemRow::AppItemRow(const AppItem& item, const State& state, QWidget* parent)
    : QWidget(parent), m_item(item), m_state(state)
{
    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(14, 10, 14, 10);
    outer->setSpacing(8);

    auto* main = new QHBoxLayout;
    main->setSpacing(12);
    outer->addLayout(main);

    m_tile = new SymbolTile(item.symbol, {66, Design::iconFrame, tileOutline, {23, QFont::DemiBold}, symbolColor},
                            this);
    main->addWidget(m_tile, 0, Qt::AlignVCenter);

    auto* info = new QWidget(this);
    info->setMinimumWidth(0);
    auto* infoColumn = new QVBoxLayout(info);
    infoColumn->setContentsMargins(0, 0, 0, 0);
    infoColumn->setSpacing(6);
    m_name = new TextBlock({}, {16, QFont::Bold}, nameColor, info);
    m_name->setMaximumLines(1);
    m_description = new TextBlock({}, {13, QFont::Normal}, descriptionColor, info);
    m_description->setMaximumLines(2);
    m_pillRow = new QHBoxLayout;
    m_pillRow->setSpacing(8);
    m_pillRow->addStretch(1);
    infoColumn->addWidget(m_name);
    infoColumn->addWidget(m_description);
    infoColumn->addLayout(m_pillRow);
    main->addWidget(info, 1, Qt::AlignVCenter);

    m_actionSlot = new QWidget(this);
    auto* actions = new QHBoxLayout(m_actionSlot);
    actions->setContentsMargins(0, 0, 0, 0);
    actions->setSpacing(8);
    actions->addStretch(1);
    m_statusPill = new StatusPill(state.status, std::nullopt, state.strings, m_actionSlot);
    m_primary = new StyledButton(installButtonStyle(true), m_actionSlot);
    m_primary->setFixedSize(primaryWidth, controlHeight);
    m_primary->setAction([this] { Q_EMIT installRequested(); }, StyledButton::Trigger::mouseDown);
    m_trash = new StyledButton(symbolButtonStyle(Design::danger), m_actionSlot);
    m_trash->setSymbol(QStringLiteral("trash"));
    m_trash->setFixedSize(iconButtonWidth, controlHeight);
    m_trash->setAction([this] { Q_EMIT removeRequested(); });
    m_details = new StyledButton(symbolButtonStyle(symbolColor), m_actionSlot);
    m_details->setSymbol(QStringLiteral("line.3.horizontal"));
    m_details->setFixedSize(iconButtonWidth, controlHeight);
    m_details->setAction([this] { Q_EMIT detailRequested(); });
    actions->addWidget(m_statusPill, 0, Qt::AlignVCenter);
    actions->addWidget(m_primary, 0, Qt::AlignVCenter);
    actions->addWidget(m_trash, 0, Qt::AlignVCenter);
    actions->addWidget(m_details, 0, Qt::AlignVCenter);
    main->addWidget(m_actionSlot, 0, Qt::AlignVCenter);

    m_progressLine = new QWidget(this);
    auto* progress = new QHBoxLayout(m_progressLine);
    progress->setContentsMargins(progressIndent, 0, 0, 0);
    progress->setSpacing(8);
    m_progressBar = new LinearProgressIndicator(m_progressLine);
    m_progressText = new TextBlock({}, {11, QFont::Bold, Design::FontDesign::monospaced}, Design::primary,
                                   m_progressLine);
    m_progressText->setMaximumLines(1);
    m_progressText->setAlignment(Qt::AlignTrailing | Qt::AlignVCenter);
    m_progressText->setFixedWidth(40);
    progress->addWidget(m_progressBar, 1, Qt::AlignVCenter);
    progress->addWidget(m_progressText, 0, Qt::AlignVCenter);
    outer->addWidget(m_progressLine);

    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);

    rebuildPills();
    applyTexts();
    applyState();
}

void AppItemRow::setItem(const AppItem& item)
{
    if (item == m_item)
        return;
    m_item = item;
    m_tile->setSymbolName(item.symbol);
    rebuildPills();
    applyTexts();
    applyState();
}

void AppItemRow::setState(const State& state)
{
    if (state == m_state)
        return;
    const bool languageChanged = state.strings.language() != m_state.strings.language();
    m_state = state;
    if (languageChanged) {
        rebuildPills();
        applyTexts();
    }
    applyState();
}

void AppItemRow::rebuildPills()
{
    const AppStrings& strings = m_state.strings;
    const QStringList groups = m_item.groups();
    QStringList sources{strings.sourceLabel(m_item.kind)};
    if (!m_item.packages.isEmpty())
        sources.append(strings.packageSummary(m_item.packages));

    // Same shape: the pills take the new texts in place.
    if (groups.size() == m_groupPills.size() && sources.size() == m_sourcePills.size()) {
        for (qsizetype i = 0; i < groups.size(); ++i)
            m_groupPills[i]->setGroup(groups[i], strings);
        for (qsizetype i = 0; i < sources.size(); ++i)
            m_sourcePills[i]->setText(sources[i]);
        return;
    }
    for (GroupPill* pill : std::as_const(m_groupPills))
        delete pill;
    for (SourcePill* pill : std::as_const(m_sourcePills))
        delete pill;
    m_groupPills.clear();
    m_sourcePills.clear();
    int index = 0;
    for (const QString& group : groups) {
        auto* pill = new GroupPill(group, strings, this);
        m_pillRow->insertWidget(index++, pill);
        m_groupPills.append(pill);
    }
    for (const QString& source : sources) {
        auto* pill = new SourcePill(source, this);
        m_pillRow->insertWidget(index++, pill);
        m_sourcePills.append(pill);
    }
}

void AppItemRow::applyTexts()
{
    const AppStrings& strings = m_state.strings;
    m_name->setText(strings.itemName(m_item));
    m_description->setText(strings.itemDescription(m_item));
    m_trash->setToolTip(strings.text(AppI18nKey::removeHelp));
    m_details->setToolTip(strings.text(AppI18nKey::detailHelp));
    const QString id = m_item.id;
    m_primary->setObjectName(QStringLiteral("install-") + id);
    m_trash->setObjectName(QStringLiteral("trash-") + id);
    m_details->setObjectName(QStringLiteral("details-") + id);
}

void AppItemRow::applyState()
{
    const State& state = m_state;
    const InstallStatus status = state.status;
    const bool working = status == InstallStatus::working;

    m_statusPill->setStatus(status, working ? state.itemProgressText : std::nullopt, state.strings);

    const bool filled = status == InstallStatus::missing || status == InstallStatus::failed;
    m_primary->setButtonStyle(installButtonStyle(filled));
    m_primary->setTitle(state.strings.primaryActionLabel(status, m_item));
    m_primary->setEnabled(!working && !state.isGlobalBusy);

    const bool trash = status == InstallStatus::installed && isRemovableKind(m_item.kind);
    m_trash->setVisible(trash);
    m_trash->setEnabled(!state.isGlobalBusy);
    m_actionSlot->setFixedWidth(trash ? actionSlotWidthWithTrash : actionSlotWidth);

    const bool progress = working && state.itemProgress.has_value();
    if (progress) {
        m_progressBar->setFraction(*state.itemProgress);
        m_progressText->setText(state.itemProgressText.value_or(QStringLiteral("0%")));
    }
    m_progressLine->setVisible(progress);
}

void AppItemRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(rect()), 8, Design::card, Design::border);
}
