#pragma once

#include "model/MacReportProfile.h"

#include <QList>
#include <QString>
#include <QWidget>

class DevivuKitViewModel;
class QPlainTextEdit;
class ReportField;
class ReportInfoPart;
class TextBlock;

// The report sheet's inspector profile: the owner card (full name, team),
// the delivery card (recipient, title) side by side, the notes card and the
// hint line, each field bound both ways to the view model's reportProfile.
//
// Every edit writes the whole profile through setReportProfile at once (and
// saves nothing). A profile changed elsewhere reaches a field only when the
// field's text differs, with the field's signals blocked, so a field being
// typed in keeps its cursor and its undo history. Labels follow the
// language; the typed values never change with it.
class ReportProfileColumn : public QWidget {
    Q_OBJECT

public:
    explicit ReportProfileColumn(DevivuKitViewModel& model, QWidget* parent = nullptr);

    ReportField* inspectorField() const { return m_inspector; }
    ReportField* teamField() const { return m_team; }
    ReportField* recipientField() const { return m_recipient; }
    ReportField* subjectField() const { return m_subject; }
    QPlainTextEdit* notesEditor() const { return m_notes; }
    // The owner, delivery and notes cards.
    QList<ReportInfoPart*> cards() const { return {m_owner, m_delivery, m_notesCard}; }
    TextBlock* hint() const { return m_hint; }

    static constexpr int notesHeight = 102;

private:
    void applyProfile();
    void applyLanguage();
    void bind(ReportField* field, QString MacReportProfile::*member);

    DevivuKitViewModel& m_model;
    ReportInfoPart* m_owner;
    ReportInfoPart* m_delivery;
    ReportInfoPart* m_notesCard;
    ReportField* m_inspector;
    ReportField* m_team;
    ReportField* m_recipient;
    ReportField* m_subject;
    QPlainTextEdit* m_notes;
    TextBlock* m_hint;
};
