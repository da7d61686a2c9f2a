#pragma once

#include <QDialog>
#include <QSize>
#include <QString>

class QPushButton;
class TextBlock;

// A sheet whose screen is not built yet: a fixed-size window-modal dialog
// with the sheet's title and a Close button ("placeholder-close") that
// dismisses it (reject(), as Escape does). It touches no state; its host
// clears activeSheet when it finishes.
class PlaceholderSheet : public QDialog {
    Q_OBJECT

public:
    PlaceholderSheet(const QString& title, const QString& closeTitle, QSize size, QWidget* parent = nullptr);

    TextBlock* titleText() const { return m_title; }
    QPushButton* closeButton() const { return m_close; }

private:
    TextBlock* m_title;
    QPushButton* m_close;
};
