#pragma once

#include <QLineEdit>
#include <QString>
#include <QWidget>

class TextBlock;

// A labelled one-line field of the report sheet: the label (10 px bold) over
// a plain 31 px high text field, white on a rounded box with a thin outline.
// The field takes any text: no placeholder, no length limit, no trimming.
// Return only ends the edit: the field keeps the key, so it never reaches
// the dialog's default button.
class ReportField : public QWidget {
    Q_OBJECT

public:
    explicit ReportField(const QString& label, QWidget* parent = nullptr);

    QString label() const;
    void setLabel(const QString& label);

    QLineEdit* lineEdit() const { return m_edit; }

    static constexpr int fieldHeight = 31;

private:
    TextBlock* m_label;
    QLineEdit* m_edit;
};
