#include "ui/audit/AuditApplicationRow.h"

#include "audit/MacReportPDF.h"
#include "ui/audit/AuditTexts.h"
#include "ui/audit/InitialTile.h"
#include "ui/kit/AuditEvidencePill.h"
#include "ui/kit/Design.h"
#include "ui/kit/LicenseEvidencePill.h"
#include "ui/kit/Pill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QPainter>
#include <QPainterPath>

namespace {

const QColor pillText(21, 93, 166);
const QColor pillFill(229, 240, 255);
const QColor tileOutline(225, 231, 239);
const QColor menuSymbol(52, 64, 84);

ButtonStyle menuButtonStyle()
{
    ButtonStyle style;
    style.symbolFont = {14, QFont::DemiBold};
    style.symbolColor = menuSymbol;
    style.symbolFrameWidth = 28;
    style.spacing = 0;
    style.height = 28;
    return style;
}

} // namespace

AuditApplicationRow::AuditApplicationRow(int index, const InstalledMacApplication& application,
                                         const AppStrings& strings, DetailAction detail, QWidget* parent)
    : QWidget(parent), m_index(index), m_application(application), m_detail(std::move(detail))
{
    setMinimumHeight(minimumRowHeight);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Minimum);

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(14, 8, 14, 8);
    row->setSpacing(12);

    auto* tile = new InitialTile(application.name, 66, 24, tileOutline, this);
    tile->setObjectName(QStringLiteral("tile"));
    row->addWidget(tile, 0, Qt::AlignVCenter);

    // Name, description and the two fixed pills take all free width.
    auto* texts = new QVBoxLayout;
    texts->setSpacing(5);
    texts->addStretch();
    auto* name = new TextBlock(application.name, {16, QFont::Bold}, Design::text, this);
    name->setObjectName(QStringLiteral("name"));
    name->setMaximumLines(1);
    name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    texts->addWidget(name);
    m_description = new TextBlock(QString(), {13, QFont::Normal}, Design::mutedText, this);
    m_description->setObjectName(QStringLiteral("description"));
    m_description->setMaximumLines(2);
    m_description->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy descriptionPolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    descriptionPolicy.setHeightForWidth(true);
    m_description->setSizePolicy(descriptionPolicy);
    texts->addWidget(m_description);
    auto* pills = new QHBoxLayout;
    pills->setSpacing(7);
    m_detected = new Pill(QString(), pillText, pillFill, this);
    m_detected->setObjectName(QStringLiteral("detected"));
    pills->addWidget(m_detected);
    auto* source = new Pill(application.source.toUpper(), pillText, pillFill, this);
    source->setObjectName(QStringLiteral("source"));
    pills->addWidget(source);
    pills->addStretch();
    texts->addLayout(pills);
    texts->addStretch();
    row->addLayout(texts, 1);

    // The two pills keep 6 apart and sit in the middle of a taller card.
    auto* evidence = new QVBoxLayout;
    evidence->setSpacing(6);
    evidence->addStretch();
    m_signature = new AuditEvidencePill(application.auditEvidenceState(), application.signatureStatus, strings, this);
    m_signature->setObjectName(QStringLiteral("signature"));
    m_signature->setFixedWidth(evidenceColumnWidth);
    evidence->addWidget(m_signature);
    m_license = new LicenseEvidencePill(MacReportPDF::evidenceOf(application), strings, this);
    m_license->setObjectName(QStringLiteral("license"));
    m_license->setFixedWidth(evidenceColumnWidth);
    evidence->addWidget(m_license);
    evidence->addStretch();
    row->addLayout(evidence);

    const auto open = [this] {
        if (m_detail)
            m_detail(m_application);
    };
    m_details = new StyledButton(detailButtonStyle(), this);
    m_details->setObjectName(QStringLiteral("audit-row-%1-details").arg(index));
    m_details->setFixedWidth(detailsButtonWidth);
    m_details->setAction(open);
    row->addWidget(m_details, 0, Qt::AlignVCenter);

    m_menu = new StyledButton(QString(), QStringLiteral("line.3.horizontal"), menuButtonStyle(), this);
    m_menu->setObjectName(QStringLiteral("audit-row-%1-menu").arg(index));
    m_menu->setFixedSize(28, 28);
    m_menu->setAction(open);
    row->addWidget(m_menu, 0, Qt::AlignVCenter);

    setStrings(strings);
}

void AuditApplicationRow::setStrings(const AppStrings& strings)
{
    const AppLanguage language = strings.language();
    m_description->setText(AuditTexts::applicationDescription(m_application, strings));
    m_detected->setText(AuditTexts::detectedWord(language).toUpper());
    m_signature->setStrings(strings);
    m_license->setStrings(strings);
    const QString details = AuditTexts::detailsWord(language);
    m_details->setTitle(details);
    m_menu->setToolTip(details);
    m_menu->setAccessibleName(details);
}

ButtonStyle AuditApplicationRow::detailButtonStyle()
{
    ButtonStyle style;
    style.font = {12, QFont::Bold};
    style.foreground = Design::primary;
    style.fill = Design::card;
    style.pressedFill = Design::withOpacity(Design::card, 0.78);
    style.border = Design::primary;
    style.radius = 8;
    style.height = 32;
    style.fixedHeight = false;
    style.fillsWidth = true;
    return style;
}

void AuditApplicationRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath card;
    card.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(card, Design::card);
    painter.strokePath(card, QPen(Design::border, 1));
}
