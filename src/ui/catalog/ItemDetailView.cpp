#include "ui/catalog/ItemDetailView.h"

#include "app/DevivuKitViewModel.h"
#include "model/EnumText.h"
#include "ui/catalog/DetailLine.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/StatusPill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QScrollArea>
#include <QVBoxLayout>

namespace {

constexpr int detailLineCount = 5;

} // namespace

ItemDetailView::ItemDetailView(DevivuKitViewModel& model, const AppItem& item, QWidget* parent)
    : QDialog(parent), m_model(model), m_item(item)
{
    setObjectName(DevivuKitViewModel::Sheet::itemDetail(item).id());
    setWindowModality(Qt::WindowModal);
    setFixedSize(sheetWidth, sheetHeight);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new SymbolTile(item.symbol,
                                     {58, Design::withOpacity(Design::primary, 0.12), Qt::transparent,
                                      {26, QFont::DemiBold}, Design::primary},
                                     this),
                      0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    m_name = new TextBlock({}, {22, QFont::Bold}, Design::text, this);
    m_subtitle = new TextBlock({}, {12, QFont::Normal}, Design::mutedText, this);
    titles->addWidget(m_name);
    titles->addWidget(m_subtitle);
    header->addLayout(titles, 1);
    m_statusPill = new StatusPill(InstallStatus::missing, std::nullopt, AppStrings(model.language()), this);
    header->addWidget(m_statusPill, 0, Qt::AlignVCenter);
    m_closeMark = new StyledButton(ButtonStyle::symbolSquare(28), this);
    m_closeMark->setObjectName(QStringLiteral("close-x"));
    m_closeMark->setSymbol(QStringLiteral("xmark"));
    m_closeMark->setFixedSize(28, 28);
    m_closeMark->setAction([this] { reject(); });
    header->addWidget(m_closeMark, 0, Qt::AlignVCenter);
    column->addLayout(header);

    // The values scroll when they need more room than the fixed sheet has;
    // the header and the Close button stay in place.
    auto* scroll = new QScrollArea(this);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroll->setWidgetResizable(true);
    scroll->viewport()->setAutoFillBackground(false);
    auto* values = new QWidget;
    values->setAutoFillBackground(false);
    auto* valueColumn = new QVBoxLayout(values);
    valueColumn->setContentsMargins(0, 0, 0, 0);
    valueColumn->setSpacing(16);
    for (int i = 0; i < detailLineCount; ++i) {
        auto* line = new DetailLine({}, {}, values);
        valueColumn->addWidget(line);
        m_lines.append(line);
    }
    valueColumn->addStretch(1);
    scroll->setWidget(values);
    column->addWidget(scroll, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch(1);
    m_closeButton = new PushButton(QStringLiteral("close"), this);
    m_closeButton->setDefault(true);
    connect(m_closeButton, &QPushButton::clicked, this, &QDialog::accept);
    bottom->addWidget(m_closeButton);
    column->addLayout(bottom);

    connect(&model, &DevivuKitViewModel::statusesChanged, this, &ItemDetailView::applyStatus);
    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyTexts();
        applyStatus();
    });
    applyTexts();
    applyStatus();
}

QString ItemDetailView::groupsText(const AppItem& item, const AppStrings& strings)
{
    QStringList labels;
    for (const QString& group : item.groups())
        labels.append(strings.groupLabel(group));
    return labels.join(QStringLiteral(" / "));
}

QString ItemDetailView::packageAction(const AppItem& item)
{
    if (!item.packages.isEmpty())
        return item.packages.join(QStringLiteral(", "));
    if (item.shortcut)
        return item.shortcut->url;
    return EnumText::toString(item.kind);
}

void ItemDetailView::applyTexts()
{
    const AppStrings strings(m_model.language());
    const QString name = strings.itemName(m_item);
    setWindowTitle(name);
    m_name->setText(name);
    m_subtitle->setText(strings.text(AppI18nKey::linuxSource) + QStringLiteral(": ") + m_item.id
                        + QStringLiteral(" / ") + m_item.linuxName);
    m_closeMark->setToolTip(strings.text(AppI18nKey::close));
    m_closeButton->setText(ButtonText::escaped(strings.text(AppI18nKey::close)));

    const QList<std::pair<AppI18nKey, QString>> values{
        {AppI18nKey::group, groupsText(m_item, strings)},
        {AppI18nKey::macSource, strings.sourceLabel(m_item.kind)},
        {AppI18nKey::packageAction, packageAction(m_item)},
        {AppI18nKey::description, strings.itemDescription(m_item)},
        {AppI18nKey::replacementNote, strings.itemReplacementNote(m_item)},
    };
    for (qsizetype i = 0; i < values.size(); ++i)
        m_lines[i]->setTexts(strings.text(values[i].first), values[i].second);
}

void ItemDetailView::applyStatus()
{
    const InstallStatus status = m_model.statuses().value(m_item.id, InstallStatus::missing);
    m_statusPill->setStatus(status, std::nullopt, AppStrings(m_model.language()));
}
