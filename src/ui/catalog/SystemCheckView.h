#pragma once

#include "model/SystemCheck.h"

#include <QColor>
#include <QDialog>
#include <QList>
#include <QString>

class DevivuKitViewModel;
class Pill;
class QPushButton;
class QVBoxLayout;
class StyledButton;
class TextBlock;

// The system-check sheet: a fixed 760 by 620 window-modal dialog with the
// title, its explanation, the readiness pill and the xmark ("close-x"), the
// checks of the last run (translated names and details, untranslated
// "OK"/"WARN"/"FAIL" badges; the checking text while there are none) in a
// list that scrolls beyond 420 px, and the buttons "open-brew",
// "copy-brew-command" and Close ("close", the one default button).
//
// Each presentation starts one full check run (refreshChecks with the log
// summary) as it is first shown; showing again without hiding runs nothing.
// The user's close (the xmark or Escape, Close or Return, the title-bar
// close) cancels the run, clears activeSheet and closes, in that order. A
// close that comes after activeSheet already moved on (the host closing the
// sheet when a finished run swaps it for the report sheet) cancels nothing.
// The sheet keeps the platform's background; its check rows are cards of
// Design::background.
class SystemCheckView : public QDialog {
    Q_OBJECT

public:
    static constexpr int sheetWidth = 760;
    static constexpr int sheetHeight = 620;
    static constexpr int listMaximumHeight = 420;

    explicit SystemCheckView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The badge text ("OK", "WARN", "FAIL") and colour of a level.
    static QString levelText(SystemCheck::Level level);
    static QColor levelColor(SystemCheck::Level level);

    Pill* readinessPill() const { return m_readiness; }
    StyledButton* closeMark() const { return m_closeMark; }
    QPushButton* closeButton() const { return m_closeButton; }
    TextBlock* checkingText() const { return m_checking; }
    // The check rows in order (objectName "check-row"; their badge, name and
    // detail are "check-badge", "check-name" and "check-detail").
    QList<QWidget*> checkRows() const { return m_rows; }

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // The user's close: cancel, clear activeSheet, close.
    void closeByUser();
    bool isActiveSheet() const;
    void applyTexts();
    void applyReadiness();
    void applyChecks();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_description;
    Pill* m_readiness;
    StyledButton* m_closeMark;
    TextBlock* m_checking;
    QVBoxLayout* m_rowLayout;
    QList<QWidget*> m_rows;
    QPushButton* m_openBrew;
    QPushButton* m_copyBrew;
    QPushButton* m_closeButton;
    // Set while shown: the run of this presentation has been started.
    bool m_presented = false;
    bool m_closing = false;
};
