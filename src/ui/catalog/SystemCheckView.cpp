#include "ui/catalog/SystemCheckView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/BadgeLabel.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/Pill.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int badgeWidth = 52;
constexpr int badgeHeight = 24;
constexpr int checkingMinimumHeight = 80;

// One check: its level badge, its name and its detail (wrapped whole) on a
// rounded card of Design::background.
class CheckRow final : public QWidget {
public:
    CheckRow(const SystemCheck& check, const AppStrings& strings, QWidget* parent) : QWidget(parent)
    {
        setObjectName(QStringLiteral("check-row"));
        auto* row = new QHBoxLayout(this);
        row->setContentsMargins(12, 12, 12, 12);
        row->setSpacing(12);

        BadgeLabel::Look look;
        look.font = {11, QFont::Bold};
        look.minimumHeight = badgeHeight;
        look.radius = 8;
        look.alignment = Qt::AlignHCenter;
        auto* badge = new BadgeLabel(look, this);
        badge->setObjectName(QStringLiteral("check-badge"));
        const QColor color = SystemCheckView::levelColor(check.level);
        badge->setColors({color, Design::withOpacity(color, 0.12), Qt::transparent});
        badge->setText(SystemCheckView::levelText(check.level));
        badge->setFixedSize(badgeWidth, badgeHeight);
        row->addWidget(badge, 0, Qt::AlignTop);

        auto* texts = new QVBoxLayout;
        texts->setSpacing(4);
        auto* name = new TextBlock(strings.systemCheckName(check), {13, QFont::Bold}, Design::text, this);
        name->setObjectName(QStringLiteral("check-name"));
        auto* detail =
            new TextBlock(strings.systemCheckDetail(check), {12, QFont::Normal}, Design::mutedText, this);
        detail->setObjectName(QStringLiteral("check-detail"));
        texts->addWidget(name);
        texts->addWidget(detail);
        row->addLayout(texts, 1);

        QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        RoundedBox::paint(painter, QRectF(rect()), 8, Design::background);
    }
};

} // namespace

SystemCheckView::SystemCheckView(DevivuKitViewModel& model, QWidget* parent) : QDialog(parent), m_model(model)
{
    setObjectName(DevivuKitViewModel::Sheet::systemChecks().id());
    setWindowModality(Qt::WindowModal);
    setFixedSize(sheetWidth, sheetHeight);
    Design::setBackground(*this, Design::background);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    // The content is centred in the fixed sheet.
    column->addStretch(1);

    auto* header = new QHBoxLayout;
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    m_title = new TextBlock({}, {22, QFont::Bold}, Design::text, this);
    m_description = new TextBlock({}, {12, QFont::Normal}, Design::mutedText, this);
    titles->addWidget(m_title);
    titles->addWidget(m_description);
    header->addLayout(titles, 1);
    auto* corner = new QHBoxLayout;
    corner->setSpacing(10);
    m_readiness = new Pill({}, Design::warning, Design::withOpacity(Design::warning, 0.12), this);
    m_readiness->setObjectName(QStringLiteral("readiness"));
    corner->addWidget(m_readiness, 0, Qt::AlignVCenter);
    m_closeMark = new StyledButton(ButtonStyle::symbolSquare(28), this);
    m_closeMark->setObjectName(QStringLiteral("close-x"));
    m_closeMark->setSymbol(QStringLiteral("xmark"));
    m_closeMark->setFixedSize(28, 28);
    m_closeMark->setAction([this] { closeByUser(); });
    corner->addWidget(m_closeMark, 0, Qt::AlignVCenter);
    header->addLayout(corner);
    header->setAlignment(corner, Qt::AlignTop);
    column->addLayout(header);

    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("checks"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->setMaximumHeight(listMaximumHeight);
    scroll->viewport()->setAutoFillBackground(false);
    auto* list = new QWidget;
    m_rowLayout = new QVBoxLayout(list);
    m_rowLayout->setContentsMargins(0, 0, 0, 0);
    m_rowLayout->setSpacing(10);
    m_checking = new TextBlock({}, {13, QFont::DemiBold}, Design::mutedText, list);
    m_checking->setObjectName(QStringLiteral("checking"));
    m_checking->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_checking->setMinimumHeight(checkingMinimumHeight);
    m_rowLayout->addWidget(m_checking);
    m_rowLayout->addStretch(1);
    scroll->setWidget(list);
    // The scroll area made it opaque: the sheet's background shows through.
    list->setAutoFillBackground(false);
    column->addWidget(scroll, 100);

    auto* buttons = new QHBoxLayout;
    buttons->setSpacing(10);
    m_openBrew = new PushButton(QStringLiteral("open-brew"), this);
    connect(m_openBrew, &QPushButton::clicked, this, [this] { m_model.openHomebrewGuide(); });
    m_copyBrew = new PushButton(QStringLiteral("copy-brew-command"), this);
    connect(m_copyBrew, &QPushButton::clicked, this, [this] { m_model.copyHomebrewInstallCommand(); });
    m_closeButton = new PushButton(QStringLiteral("close"), this);
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, &SystemCheckView::closeByUser);
    buttons->addWidget(m_openBrew);
    buttons->addWidget(m_copyBrew);
    buttons->addStretch(1);
    buttons->addWidget(m_closeButton);
    column->addLayout(buttons);
    column->addStretch(1);

    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyTexts();
        applyChecks();
    });
    connect(&model, &DevivuKitViewModel::coreReadinessChanged, this, &SystemCheckView::applyReadiness);
    connect(&model, &DevivuKitViewModel::latestChecksChanged, this, &SystemCheckView::applyChecks);
    applyTexts();
    applyReadiness();
    applyChecks();
}

QString SystemCheckView::levelText(SystemCheck::Level level)
{
    switch (level) {
    case SystemCheck::Level::ok:
        return QStringLiteral("OK");
    case SystemCheck::Level::warn:
        return QStringLiteral("WARN");
    case SystemCheck::Level::fail:
        return QStringLiteral("FAIL");
    }
    return QStringLiteral("FAIL");
}

QColor SystemCheckView::levelColor(SystemCheck::Level level)
{
    switch (level) {
    case SystemCheck::Level::ok:
        return Design::success;
    case SystemCheck::Level::warn:
        return Design::warning;
    case SystemCheck::Level::fail:
        return Design::danger;
    }
    return Design::danger;
}

void SystemCheckView::applyTexts()
{
    const AppStrings strings(m_model.language());
    const QString close = strings.text(AppI18nKey::close);
    setWindowTitle(strings.text(AppI18nKey::systemCheck));
    m_title->setText(strings.text(AppI18nKey::systemCheck));
    m_description->setText(strings.systemChecksDescription());
    m_closeMark->setToolTip(close);
    m_closeMark->setAccessibleName(close);
    m_checking->setText(strings.text(AppI18nKey::checkingPrerequisites));
    m_openBrew->setText(ButtonText::escaped(strings.text(AppI18nKey::openBrew)));
    m_copyBrew->setText(ButtonText::escaped(strings.text(AppI18nKey::copyBrewCommand)));
    m_closeButton->setText(ButtonText::escaped(close));
}

void SystemCheckView::applyReadiness()
{
    const QColor color = levelColor(m_model.coreReadinessLevel());
    m_readiness->setText(m_model.coreReadinessLabel());
    m_readiness->setColors(color, Design::withOpacity(color, 0.12));
}

void SystemCheckView::applyChecks()
{
    for (QWidget* row : std::as_const(m_rows)) {
        m_rowLayout->removeWidget(row);
        row->hide();
        row->deleteLater();
    }
    m_rows.clear();
    const QList<SystemCheck>& checks = m_model.latestChecks();
    m_checking->setVisible(checks.isEmpty());
    const AppStrings strings(m_model.language());
    QWidget* list = m_checking->parentWidget();
    for (const SystemCheck& check : checks) {
        auto* row = new CheckRow(check, strings, list);
        m_rowLayout->insertWidget(int(m_rows.size()) + 1, row);
        m_rows.append(row);
    }
}

bool SystemCheckView::isActiveSheet() const
{
    const auto& sheet = m_model.activeSheet();
    return sheet && sheet->kind == DevivuKitViewModel::Sheet::Kind::systemChecks;
}

void SystemCheckView::closeByUser()
{
    if (m_closing)
        return;
    m_closing = true;
    QPointer<SystemCheckView> self(this);
    m_model.cancelSystemCheck();
    m_model.setActiveSheet(std::nullopt);
    // Clearing activeSheet may already have had the host close the sheet.
    if (self && isVisible())
        reject();
    if (self)
        m_closing = false;
}

void SystemCheckView::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // A spontaneous show (the window restored) is no new presentation.
    if (event->spontaneous() || m_presented)
        return;
    m_presented = true;
    m_model.refreshChecks(true);
}

void SystemCheckView::hideEvent(QHideEvent* event)
{
    QDialog::hideEvent(event);
    if (!event->spontaneous())
        m_presented = false;
}

void SystemCheckView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_closeMark->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

void SystemCheckView::closeEvent(QCloseEvent* event)
{
    // The title-bar close is the user's while the sheet is still the active
    // one; after activeSheet moved on, the close is its host's.
    if (isVisible() && isActiveSheet() && !m_closing) {
        closeByUser();
        event->accept();
        return;
    }
    QDialog::closeEvent(event);
}
