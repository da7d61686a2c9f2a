#pragma once

#include "i18n/AppLanguage.h"

#include <QDialog>

class DevivuKitViewModel;
class QComboBox;
class QPushButton;
class StyledButton;
class SymbolView;
class TextBlock;

// The settings sheet: 520 px wide, as high as its content in the current
// language (re-fitted when the language changes). It holds the language
// picker: one row per language, flag and name; a pick the user makes calls
// setLanguage at once (the sheet stays open and re-titles itself), and a
// change made elsewhere moves the picker without calling it again.
//
// Closing: the close mark "settings-close-button" (click only), the Done
// button "settings-done-button" (the one default button: Return) and the
// title bar's close each set activeSheet to none, then dismiss the sheet.
// Escape does nothing.
class SettingsView : public QDialog {
    Q_OBJECT

public:
    static constexpr int sheetWidth = 520;

    explicit SettingsView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // A row of the picker: the flag, a space and the language's own name.
    static QString languageRowText(AppLanguage language);

    QComboBox* picker() const { return m_picker; }
    StyledButton* closeMark() const { return m_closeMark; }
    QPushButton* doneButton() const { return m_done; }
    TextBlock* titleText() const { return m_title; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void closeSheet();
    void applyTexts();
    void applyLanguage();
    void fitHeight();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_subtitle;
    StyledButton* m_closeMark;
    TextBlock* m_languageTitle;
    TextBlock* m_languageDetail;
    QComboBox* m_picker;
    QPushButton* m_done;
};
