#include "ui/cloud/CloudManagementPanel.h"
#include "ui/kit/ButtonText.h"

#include "app/DevivuKitViewModel.h"
#include "ui/cloud/CloudTexts.h"
#include "ui/kit/Design.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace {

constexpr int panelPadding = 14;
constexpr int bodyTopPadding = 12;
constexpr int sectionSpacing = 16;
constexpr int cardPadding = 12;
constexpr int cardSpacing = 10;
// The platform's spacing between the controls of a row.
constexpr int rowSpacing = 8;
constexpr int labelSpacing = 6;
constexpr int disclosureSide = 20;

const Design::FontSpec controlFont{13};

// A symbol and a one-line title side by side, in Design::text.
QHBoxLayout* symbolLabel(const QString& symbol, TextBlock* title, QWidget* parent)
{
    auto* row = new QHBoxLayout;
    row->setSpacing(labelSpacing);
    row->addWidget(new SymbolView(symbol, Symbols::side(title->fontSpec().pixelSize), Design::text, parent), 0,
                   Qt::AlignVCenter);
    row->addWidget(title, 1, Qt::AlignVCenter);
    return row;
}

QHBoxLayout* controlRow()
{
    auto* row = new QHBoxLayout;
    row->setSpacing(rowSpacing);
    return row;
}

} // namespace

CloudManagementPanel::CloudManagementPanel(DevivuKitViewModel& model, QWidget* parent)
    : FilledBox(Design::withOpacity(Design::primary, 0.045), 10, Design::withOpacity(Design::primary, 0.18), parent),
      m_model(model)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(panelPadding, panelPadding, panelPadding, panelPadding);
    column->setSpacing(0);

    // Header: the disclosure button, then the label.
    auto* header = new QHBoxLayout;
    header->setSpacing(labelSpacing);
    ButtonStyle disclosure = ButtonStyle::symbolSquare(disclosureSide);
    disclosure.symbolFont = {11, QFont::Bold};
    disclosure.symbolColor = Design::mutedText;
    m_expand = new StyledButton(disclosure, this);
    m_expand->setObjectName(QStringLiteral("cloud-expand"));
    m_expand->setFixedSize(disclosureSide, disclosureSide);
    m_expand->setAction([this] { setExpanded(!m_expanded); });
    header->addWidget(m_expand, 0, Qt::AlignVCenter);
    m_title = new TextBlock({}, {14, QFont::Bold}, Design::text, this);
    header->addLayout(symbolLabel(QStringLiteral("cloud.fill"), m_title, this), 1);
    column->addLayout(header);

    m_body = new QWidget(this);
    auto* sections = new QVBoxLayout(m_body);
    sections->setContentsMargins(0, bodyTopPadding, 0, 0);
    sections->setSpacing(sectionSpacing);

    // Catalog and report.
    Section catalog = makeSection(QStringLiteral("arrow.triangle.2.circlepath"), m_body);
    auto* catalogRow = controlRow();
    m_syncCatalog = new PushButton(QStringLiteral("cloud-sync-catalog"), catalog.card);
    connect(m_syncCatalog, &QPushButton::clicked, this, [this] { m_model.syncCatalog(); });
    m_uploadReport = new PushButton(QStringLiteral("cloud-upload-report"), catalog.card);
    connect(m_uploadReport, &QPushButton::clicked, this, [this] { m_model.uploadReport(); });
    catalogRow->addWidget(m_syncCatalog);
    catalogRow->addWidget(m_uploadReport);
    catalogRow->addStretch(1);
    qobject_cast<QVBoxLayout*>(catalog.card->layout())->addLayout(catalogRow);
    sections->addWidget(catalog.card);

    // Technician workspace.
    Section workspace = makeSection(QStringLiteral("wrench.and.screwdriver"), m_body);
    auto* workspaceColumn = qobject_cast<QVBoxLayout*>(workspace.card->layout());
    auto* syncRow = controlRow();
    m_syncWorkspace = new PushButton(QStringLiteral("cloud-sync-workspace"), workspace.card);
    connect(m_syncWorkspace, &QPushButton::clicked, this, [this] { m_model.syncTechnicianWorkspace(); });
    syncRow->addWidget(m_syncWorkspace);
    syncRow->addStretch(1);
    workspaceColumn->addLayout(syncRow);
    auto* brandingRow = controlRow();
    m_brandingName = makeField(QStringLiteral("cloud-branding-name"), workspace.card);
    m_saveBranding = new PushButton(QStringLiteral("cloud-save-branding"), workspace.card);
    // The name goes as typed; the panel never sends a logo.
    connect(m_saveBranding, &QPushButton::clicked, this,
            [this] { m_model.updateTechnicianBranding(m_brandingName->text(), std::nullopt); });
    brandingRow->addWidget(m_brandingName, 1);
    brandingRow->addWidget(m_saveBranding);
    workspaceColumn->addLayout(brandingRow);
    m_profileName = makeField(QStringLiteral("cloud-profile-name"), workspace.card);
    workspaceColumn->addWidget(m_profileName);
    m_profileItemIDs = makeField(QStringLiteral("cloud-profile-ids"), workspace.card);
    workspaceColumn->addWidget(m_profileItemIDs);
    m_saveProfile = new PushButton(QStringLiteral("cloud-save-profile"), workspace.card);
    connect(m_saveProfile, &QPushButton::clicked, this,
            [this] { m_model.saveTechnicianProfile(m_profileName->text(), m_profileItemIDs->text()); });
    workspaceColumn->addWidget(m_saveProfile, 0, Qt::AlignLeading);
    sections->addWidget(workspace.card);

    // Business device.
    Section business = makeSection(QStringLiteral("building.2"), m_body);
    auto* businessColumn = qobject_cast<QVBoxLayout*>(business.card->layout());
    auto* fieldsRow = controlRow();
    m_department = makeField(QStringLiteral("cloud-department"), business.card);
    m_assetCode = makeField(QStringLiteral("cloud-asset-code"), business.card);
    fieldsRow->addWidget(m_department, 1);
    fieldsRow->addWidget(m_assetCode, 1);
    businessColumn->addLayout(fieldsRow);
    auto* businessRow = controlRow();
    m_fetchConfiguration = new PushButton(QStringLiteral("cloud-fetch-config"), business.card);
    // Fetch asks for the stored configuration: the typed fields are not sent.
    connect(m_fetchConfiguration, &QPushButton::clicked, this,
            [this] { m_model.businessDeviceConfig(QStringLiteral("fetch"), QString(), QString()); });
    m_saveDevice = new PushButton(QStringLiteral("cloud-save-device"), business.card);
    connect(m_saveDevice, &QPushButton::clicked, this, [this] {
        m_model.businessDeviceConfig(QStringLiteral("update"), m_department->text(), m_assetCode->text());
    });
    businessRow->addWidget(m_fetchConfiguration);
    businessRow->addWidget(m_saveDevice);
    businessRow->addStretch(1);
    businessColumn->addLayout(businessRow);
    sections->addWidget(business.card);

    m_sections = {catalog, workspace, business};
    column->addWidget(m_body);

    connect(m_brandingName, &QLineEdit::textChanged, this, &CloudManagementPanel::applyEnablement);
    connect(m_profileName, &QLineEdit::textChanged, this, &CloudManagementPanel::applyEnablement);
    connect(&model, &DevivuKitViewModel::languageChanged, this, &CloudManagementPanel::applyLanguage);
    applyLanguage();
    applyEnablement();
    setExpanded(false);
}

CloudManagementPanel::Section CloudManagementPanel::makeSection(const QString& symbol, QWidget* parent)
{
    Section section;
    section.card = new FilledBox(Design::background, 8, Qt::transparent, parent);
    auto* column = new QVBoxLayout(section.card);
    column->setContentsMargins(cardPadding, cardPadding, cardPadding, cardPadding);
    column->setSpacing(cardSpacing);
    section.title = new TextBlock({}, {12, QFont::Bold}, Design::text, section.card);
    column->addLayout(symbolLabel(symbol, section.title, section.card));
    return section;
}

QLineEdit* CloudManagementPanel::makeField(const QString& objectName, QWidget* parent)
{
    // No submit action: Return is left to the sheet, which runs nothing.
    auto* field = new QLineEdit(parent);
    field->setObjectName(objectName);
    field->setFont(Design::font(controlFont));
    return field;
}

void CloudManagementPanel::setExpanded(bool expanded)
{
    m_expanded = expanded;
    m_body->setVisible(expanded);
    m_expand->setSymbol(expanded ? QStringLiteral("chevron.down") : QStringLiteral("chevron.right"));
}

void CloudManagementPanel::applyLanguage()
{
    const AppLanguage language = m_model.language();
    m_title->setText(CloudTexts::panelTitle(language));
    m_expand->setAccessibleName(CloudTexts::panelTitle(language));
    m_sections[0].title->setText(CloudTexts::catalogSection(language));
    m_sections[1].title->setText(CloudTexts::workspaceSection(language));
    m_sections[2].title->setText(CloudTexts::businessSection(language));

    const QList<std::pair<QPushButton*, QString>> buttons{
        {m_syncCatalog, CloudTexts::syncCatalog(language)},
        {m_uploadReport, CloudTexts::uploadReport(language)},
        {m_syncWorkspace, CloudTexts::syncWorkspace(language)},
        {m_saveBranding, CloudTexts::saveBranding(language)},
        {m_saveProfile, CloudTexts::saveProfile(language)},
        {m_fetchConfiguration, CloudTexts::fetchConfiguration(language)},
        {m_saveDevice, CloudTexts::saveDeviceFields(language)},
    };
    for (const auto& [button, text] : buttons)
        button->setText(ButtonText::escaped(text));

    m_brandingName->setPlaceholderText(CloudTexts::brandingPlaceholder(language));
    m_profileName->setPlaceholderText(CloudTexts::profileNamePlaceholder(language));
    m_profileItemIDs->setPlaceholderText(CloudTexts::profileIDsPlaceholder(language));
    m_department->setPlaceholderText(CloudTexts::departmentPlaceholder(language));
    m_assetCode->setPlaceholderText(CloudTexts::assetCodePlaceholder(language));
}

void CloudManagementPanel::applyEnablement()
{
    // A name of blanks and line breaks only is no name; an empty id list is
    // the view model's to fill in.
    m_saveBranding->setEnabled(!m_brandingName->text().trimmed().isEmpty());
    m_saveProfile->setEnabled(!m_profileName->text().trimmed().isEmpty());
}
