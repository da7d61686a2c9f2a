#include "ui/report/ReportProfileColumn.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportColors.h"
#include "ui/report/ReportField.h"
#include "ui/report/ReportInfoPart.h"
#include "ui/report/ReportTexts.h"

#include <QBoxLayout>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QSignalBlocker>

namespace {

const QColor& ownerTint = ReportColors::blue;
const QColor deliveryTint(249, 115, 22);
const QColor notesTint(15, 159, 143);

// The notes editor's white rounded box; the editor sits 6 px inside it.
class NotesBox : public QWidget {
public:
    explicit NotesBox(QWidget* parent) : QWidget(parent) {}

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        RoundedBox::paint(painter, QRectF(rect()), 8, Qt::white, ReportColors::fieldOutline);
    }
};

void setTextIfDifferent(QLineEdit* edit, const QString& text)
{
    if (edit->text() == text)
        return;
    const QSignalBlocker blocker(edit);
    edit->setText(text);
    // A field not being edited shows the start of its text.
    if (!edit->hasFocus())
        edit->setCursorPosition(0);
}

} // namespace

ReportProfileColumn::ReportProfileColumn(DevivuKitViewModel& model, QWidget* parent)
    : QWidget(parent), m_model(model)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(12, 12, 12, 12);
    column->setSpacing(12);

    m_owner = new ReportInfoPart({}, {}, QStringLiteral("person.crop.circle.fill"), ownerTint, this);
    m_inspector = new ReportField({}, m_owner);
    m_inspector->lineEdit()->setObjectName(QStringLiteral("report-field-inspector"));
    m_team = new ReportField({}, m_owner);
    m_team->lineEdit()->setObjectName(QStringLiteral("report-field-team"));
    m_owner->addContent(m_inspector);
    m_owner->addContent(m_team);

    m_delivery = new ReportInfoPart({}, {}, QStringLiteral("doc.text.fill"), deliveryTint, this);
    m_recipient = new ReportField({}, m_delivery);
    m_recipient->lineEdit()->setObjectName(QStringLiteral("report-field-recipient"));
    m_subject = new ReportField({}, m_delivery);
    m_subject->lineEdit()->setObjectName(QStringLiteral("report-field-subject"));
    m_delivery->addContent(m_recipient);
    m_delivery->addContent(m_subject);

    auto* cards = new QHBoxLayout;
    cards->setSpacing(10);
    cards->addWidget(m_owner, 1, Qt::AlignTop);
    cards->addWidget(m_delivery, 1, Qt::AlignTop);
    column->addLayout(cards);

    m_notesCard = new ReportInfoPart({}, {}, QStringLiteral("text.bubble.fill"), notesTint, this);
    auto* notesBox = new NotesBox(m_notesCard);
    notesBox->setFixedHeight(notesHeight);
    auto* notesLayout = new QVBoxLayout(notesBox);
    notesLayout->setContentsMargins(6, 6, 6, 6);
    m_notes = new QPlainTextEdit(notesBox);
    m_notes->setObjectName(QStringLiteral("report-notes"));
    m_notes->setFrameShape(QFrame::NoFrame);
    m_notes->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_notes->setFont(Design::font(12, QFont::Normal, Design::FontDesign::rounded));
    m_notes->document()->setDocumentMargin(2);
    QPalette clear = m_notes->palette();
    clear.setColor(QPalette::Base, Qt::transparent);
    clear.setColor(QPalette::Text, Design::text);
    m_notes->setPalette(clear);
    m_notes->viewport()->setAutoFillBackground(false);
    notesLayout->addWidget(m_notes);
    m_notesCard->addContent(notesBox);
    column->addWidget(m_notesCard);

    m_hint = new TextBlock({}, {10, QFont::Medium, Design::FontDesign::rounded}, ReportColors::slate, this);
    m_hint->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy wrapping(QSizePolicy::Ignored, QSizePolicy::Preferred);
    wrapping.setHeightForWidth(true);
    m_hint->setSizePolicy(wrapping);
    auto* hintRow = new QHBoxLayout;
    hintRow->setContentsMargins(4, 0, 4, 0);
    hintRow->addWidget(m_hint);
    column->addLayout(hintRow);
    column->addStretch(1);

    // Each edit changes its own field of the profile held by the view model.
    bind(m_inspector, &MacReportProfile::inspectorName);
    bind(m_team, &MacReportProfile::team);
    bind(m_recipient, &MacReportProfile::recipient);
    bind(m_subject, &MacReportProfile::subject);
    // The editor's signals are blocked while the profile is shown in it, so
    // textChanged here is the user's typing.
    connect(m_notes, &QPlainTextEdit::textChanged, this, [this] {
        MacReportProfile profile = m_model.reportProfile();
        profile.notes = m_notes->toPlainText();
        m_model.setReportProfile(profile);
    });
    connect(&model, &DevivuKitViewModel::reportProfileChanged, this, &ReportProfileColumn::applyProfile);
    connect(&model, &DevivuKitViewModel::languageChanged, this, &ReportProfileColumn::applyLanguage);
    applyLanguage();
    applyProfile();
}

void ReportProfileColumn::bind(ReportField* field, QString MacReportProfile::*member)
{
    connect(field->lineEdit(), &QLineEdit::textEdited, this, [this, member](const QString& text) {
        MacReportProfile profile = m_model.reportProfile();
        profile.*member = text;
        m_model.setReportProfile(profile);
    });
}

void ReportProfileColumn::applyProfile()
{
    const MacReportProfile& profile = m_model.reportProfile();
    setTextIfDifferent(m_inspector->lineEdit(), profile.inspectorName);
    setTextIfDifferent(m_team->lineEdit(), profile.team);
    setTextIfDifferent(m_recipient->lineEdit(), profile.recipient);
    setTextIfDifferent(m_subject->lineEdit(), profile.subject);
    if (m_notes->toPlainText() != profile.notes) {
        const QSignalBlocker blocker(m_notes);
        m_notes->setPlainText(profile.notes);
    }
}

void ReportProfileColumn::applyLanguage()
{
    const AppLanguage language = m_model.language();
    m_owner->setTexts(ReportTexts::ownerTitle(language), ReportTexts::ownerSubtitle(language));
    m_delivery->setTexts(ReportTexts::deliveryTitle(language), ReportTexts::deliverySubtitle(language));
    m_notesCard->setTexts(ReportTexts::notesTitle(language), ReportTexts::notesSubtitle(language));
    m_inspector->setLabel(ReportTexts::inspectorLabel(language));
    m_team->setLabel(ReportTexts::teamLabel(language));
    m_recipient->setLabel(ReportTexts::recipientLabel(language));
    m_subject->setLabel(ReportTexts::subjectLabel(language));
    m_hint->setText(ReportTexts::profileHint(language));
}
