#include "ui/audit/AuditApplicationDetailView.h"

#include "audit/MacReportPDF.h"
#include "audit/ResolvedDeveloperName.h"
#include "ui/audit/AuditTexts.h"
#include "ui/audit/InitialTile.h"
#include "ui/kit/AuditEvidencePill.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/LicenseEvidencePill.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QScrollArea>

namespace {

constexpr int sheetPadding = 24;
constexpr int contentWidth = AuditApplicationDetailView::sheetWidth - 2 * sheetPadding;
constexpr int pillColumnWidth = 172;

const QColor noticeFill(234, 243, 255);
const QColor signatureSymbol(21, 93, 166);
const QColor licenseSymbol(181, 71, 8);

// The field grid's frameless scroll area. It asks for the grid's whole
// height at the sheet's width, so that the sheet's column gives it that much
// when it fits and less (scrolling) when it does not.
class FieldScrollArea : public QScrollArea {
public:
    explicit FieldScrollArea(QWidget* parent) : QScrollArea(parent)
    {
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        viewport()->setAutoFillBackground(false);
        setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    }

    QSize sizeHint() const override
    {
        if (!widget())
            return {contentWidth, 0};
        return {contentWidth, widget()->heightForWidth(contentWidth)};
    }

    QSize minimumSizeHint() const override { return {contentWidth, 48}; }
};

// The tinted box holding the two notices.
class NoticeBox : public QWidget {
public:
    explicit NoticeBox(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        QPainterPath box;
        box.addRoundedRect(QRectF(rect()), 8, 8);
        painter.fillPath(box, noticeFill);
    }
};

void addNotice(QVBoxLayout* notices, QWidget* parent, const QString& symbol, const QColor& color,
               const QString& text)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(10);
    auto* mark = new SymbolView(symbol, Symbols::side(13), color, parent);
    row->addWidget(mark, 0, Qt::AlignTop);
    auto* label = new TextBlock(text, {11, QFont::Normal}, Design::mutedText, parent);
    label->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    label->setSizePolicy(policy);
    row->addWidget(label, 1);
    notices->addLayout(row);
}

TextBlock* wrappingText(const QString& text, const Design::FontSpec& font, const QColor& color, QWidget* parent)
{
    auto* block = new TextBlock(text, font, color, parent);
    block->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    block->setSizePolicy(policy);
    return block;
}

} // namespace

QList<AuditDetailField::Cell> AuditApplicationDetailView::cells(const InstalledMacApplication& application,
                                                                const AppStrings& strings)
{
    using AuditTexts::orDash;
    const AppLanguage language = strings.language();
    const AppLicenseEvidence evidence = MacReportPDF::evidenceOf(application);
    QList<AuditDetailField::Cell> cells{
        {AuditTexts::versionWord(language), orDash(application.version), false},
        {AuditTexts::sourceTitle(language), orDash(application.source), false},
        {AuditTexts::bundleIdentifierTitle(language), orDash(application.identifier), true},
        {strings.auditDeveloperLabel(), orDash(resolvedDeveloperName(application)), false},
        {strings.auditSignatureLabel(), orDash(application.signatureStatus), false},
        {AuditTexts::teamIdentifierTitle(language), orDash(application.teamIdentifier), true},
        {AuditTexts::signingIdentifierTitle(language), orDash(application.signingIdentifier), true},
        {strings.auditLicenseLabel(), strings.auditLicenseEvidenceLabel(evidence.state), false},
        {strings.auditLicenseSourceLabel(), orDash(evidence.source), true},
        {strings.auditLicenseDetailLabel(), orDash(evidence.detail), false},
        {strings.auditLicenseConfidenceLabel(),
         strings.auditLicenseConfidenceValue(MacReportPDF::effectiveConfidence(evidence)), false},
    };
    if (evidence.signals && !evidence.signals->isEmpty())
        cells.append({strings.auditLicenseSignalsLabel(), AuditTexts::signalLines(evidence), false});
    return cells;
}

AuditApplicationDetailView::AuditApplicationDetailView(const InstalledMacApplication& application,
                                                       const AppStrings& strings, QWidget* parent)
    : QDialog(parent), m_application(application)
{
    setFixedSize(sheetWidth, sheetHeight);
    setWindowTitle(application.name);
    const AppLicenseEvidence evidence = MacReportPDF::evidenceOf(application);
    const QString closeText = strings.text(AppI18nKey::close);

    auto* root = new QVBoxLayout(this);
    root->setSizeConstraint(QLayout::SetNoConstraint);
    root->setContentsMargins(sheetPadding, sheetPadding, sheetPadding, sheetPadding);
    root->setSpacing(16);
    // Content shorter than the sheet sits in its middle.
    root->addStretch();

    auto* header = new QHBoxLayout;
    header->setSpacing(12);
    header->addWidget(new InitialTile(application.name, 58, 26, Design::border, this), 0, Qt::AlignVCenter);
    // Name and identifier keep 4 apart, centred beside the taller pills.
    auto* titles = new QVBoxLayout;
    titles->setSpacing(4);
    titles->addStretch();
    auto* name = wrappingText(application.name, {22, QFont::Bold}, Design::text, this);
    name->setObjectName(QStringLiteral("name"));
    titles->addWidget(name);
    auto* identifier = new TextBlock(application.identifier, {12, QFont::Normal, Design::FontDesign::monospaced},
                                     Design::mutedText, this);
    identifier->setObjectName(QStringLiteral("identifier"));
    identifier->setMaximumLines(1);
    identifier->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    titles->addWidget(identifier);
    titles->addStretch();
    header->addLayout(titles, 1);
    auto* pills = new QVBoxLayout;
    pills->setSpacing(6);
    auto* signature = new AuditEvidencePill(application.auditEvidenceState(), application.signatureStatus, strings, this);
    signature->setObjectName(QStringLiteral("signature"));
    signature->setFixedWidth(pillColumnWidth);
    pills->addWidget(signature);
    auto* license = new LicenseEvidencePill(evidence, strings, this);
    license->setObjectName(QStringLiteral("license"));
    license->setFixedWidth(pillColumnWidth);
    pills->addWidget(license);
    header->addLayout(pills);
    m_xmark = new StyledButton(QString(), QStringLiteral("xmark"), ButtonStyle::symbolSquare(28), this);
    m_xmark->setObjectName(QStringLiteral("audit-detail-xmark"));
    m_xmark->setFixedSize(28, 28);
    m_xmark->setToolTip(closeText);
    m_xmark->setAccessibleName(closeText);
    m_xmark->setAction([this] { reject(); });
    header->addWidget(m_xmark, 0, Qt::AlignVCenter);
    root->addLayout(header);

    auto* divider = new QWidget(this);
    divider->setFixedHeight(1);
    divider->setAutoFillBackground(true);
    QPalette dividerColors = divider->palette();
    dividerColors.setColor(QPalette::Window, Design::border);
    divider->setPalette(dividerColors);
    root->addWidget(divider);

    auto* grid = new QWidget;
    grid->setObjectName(QStringLiteral("fields"));
    auto* cellsLayout = new QGridLayout(grid);
    cellsLayout->setContentsMargins(0, 0, 0, 0);
    cellsLayout->setHorizontalSpacing(18);
    cellsLayout->setVerticalSpacing(16);
    cellsLayout->setColumnStretch(0, 1);
    cellsLayout->setColumnStretch(1, 1);
    const QList<AuditDetailField::Cell> all = cells(application, strings);
    for (qsizetype k = 0; k < all.size(); ++k)
        cellsLayout->addWidget(new AuditDetailField(all.at(k), grid), int(k / 2), int(k % 2), Qt::AlignTop);
    auto* scroll = new FieldScrollArea(this);
    scroll->setObjectName(QStringLiteral("fields-scroll"));
    scroll->setWidget(grid);
    grid->setAutoFillBackground(false);
    root->addWidget(scroll);

    auto* notices = new NoticeBox(this);
    notices->setObjectName(QStringLiteral("notices"));
    auto* noticeRows = new QVBoxLayout(notices);
    noticeRows->setContentsMargins(12, 12, 12, 12);
    noticeRows->setSpacing(8);
    addNotice(noticeRows, notices, QStringLiteral("signature"), signatureSymbol, strings.auditEvidenceNotice());
    addNotice(noticeRows, notices, QStringLiteral("checkmark.seal.fill"), licenseSymbol, strings.auditLicenseNotice());
    root->addWidget(notices);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    m_close = new PushButton(QStringLiteral("audit-detail-close"), this);
    m_close->setText(ButtonText::escaped(closeText));
    m_close->setDefault(true);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    bottom->addWidget(m_close);
    root->addLayout(bottom);
    root->addStretch();
}

void AuditApplicationDetailView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_xmark->click();
        return;
    }
    QDialog::keyPressEvent(event);
}
