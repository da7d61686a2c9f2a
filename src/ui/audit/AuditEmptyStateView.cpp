#include "ui/audit/AuditEmptyStateView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/audit/AuditHeaderView.h"
#include "ui/audit/AuditTexts.h"
#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QPainter>

namespace {

// The text centred in the card's width. A row of its own (rather than an
// aligned item) lays the text out at the width it really gets, so a wrapped
// text is as tall as its lines.
QHBoxLayout* centred(QWidget* text)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(0);
    row->addStretch(1);
    row->addWidget(text);
    row->addStretch(1);
    return row;
}

} // namespace

AuditEmptyStateView::AuditEmptyStateView(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(13);
    column->addStretch(1);

    SymbolTile::Look tile;
    tile.side = 72;
    tile.fill = Design::iconFrame;
    tile.symbolFont = {30, QFont::Medium};
    tile.symbolColor = Design::mutedText;
    tile.radius = 12;
    column->addWidget(new SymbolTile(QStringLiteral("magnifyingglass"), tile, this), 0, Qt::AlignHCenter);

    m_title = new TextBlock({}, {18, QFont::Bold}, Design::text, this);
    m_title->setObjectName(QStringLiteral("audit-empty-title"));
    m_title->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    column->addLayout(centred(m_title));

    // The explanation wraps within 500 and stays centred however wide the
    // card is.
    m_detail = new TextBlock({}, {12, QFont::Normal}, Design::mutedText, this);
    m_detail->setObjectName(QStringLiteral("audit-empty-detail"));
    m_detail->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    m_detail->setMaximumWidth(detailMaximumWidth);
    column->addLayout(centred(m_detail));

    m_scan = new StyledButton(QString(), QStringLiteral("magnifyingglass"), ButtonStyle::primary(), this);
    m_scan->setObjectName(QStringLiteral("audit-empty-scan"));
    m_scan->setAction([this] { AuditHeaderView::scan(m_model); });
    column->addWidget(m_scan, 0, Qt::AlignHCenter);
    column->addStretch(1);

    connect(&model, &DevivuKitViewModel::languageChanged, this, &AuditEmptyStateView::applyTexts);
    applyTexts();
}

void AuditEmptyStateView::applyTexts()
{
    const AppStrings strings(m_model.language());
    m_title->setText(strings.auditNoDataTitle());
    m_detail->setText(strings.auditNoDataDetail());
    m_scan->setTitle(AuditTexts::scanTitle(m_model.language()));
}

void AuditEmptyStateView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    RoundedBox::paint(painter, QRectF(rect()), 8, Design::card, Design::border);
}
