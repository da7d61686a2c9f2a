#pragma once

#include <QString>
#include <QWidget>

class QTextEdit;
class TextBlock;

// A labelled value of the audited-application detail sheet: the title in
// 11 px bold muted text above the value in 13 px text (monospaced for
// identifiers). The value wraps onto as many lines as it needs, anywhere
// inside a word too long for a line, and can be selected and copied; the
// title cannot. Both are plain text.
class AuditDetailField : public QWidget {
    Q_OBJECT

public:
    struct Cell {
        QString title;
        QString value;
        bool monospaced = false;

        bool operator==(const Cell&) const = default;
    };

    explicit AuditDetailField(const Cell& cell, QWidget* parent = nullptr);

    const Cell& cell() const { return m_cell; }

    // The value's text box (read-only, selectable).
    const QTextEdit* valueView() const { return m_value; }

private:
    Cell m_cell;
    QTextEdit* m_value;
};
