#pragma once

#include <QDialog>
#include <QString>

class CloudManagementPanel;
class DevivuKitViewModel;
class FilledBox;
class QCloseEvent;
class QKeyEvent;
class QPushButton;
class QScrollArea;
class SelectableText;
class TextBlock;

// The cloud tools sheet: a fixed 700 by 720 window-modal dialog (objectName
// "cloud-tools") that scrolls vertically. In a 660 wide column: the title
// row (the "cloud.fill" symbol and the cloud tools title), the output box
// with the last cloud message, the cloud management panel and Close.
//
// The output box ("cloud-output") shows cloudOutput as it is (plain,
// selectable, wrapped) except while it is blank or the no-device-data
// placeholder of any language, once trimmed; its title follows the window
// language, while the panel speaks Vietnamese or English.
//
// Keys: the sheet has no default button, Return runs nothing and Escape does
// nothing. Close ("cloud-close"), and the title-bar close while the view
// model still names this sheet, clear activeSheet and then dismiss the
// dialog unless its host already closed it. A close after activeSheet moved
// on is the host's, and silent.
class CloudToolsView : public QDialog {
    Q_OBJECT

public:
    static constexpr int sheetWidth = 700;
    static constexpr int sheetHeight = 720;
    static constexpr int columnWidth = 660;

    explicit CloudToolsView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // Whether the output box shows this text: not blank once trimmed of
    // white space and line breaks, and then not equal to the no-device-data
    // text of any language.
    static bool shouldShowCloudOutput(const QString& output);

    TextBlock* titleText() const { return m_title; }
    FilledBox* outputBox() const { return m_outputBox; }
    TextBlock* outputTitle() const { return m_outputTitle; }
    SelectableText* outputText() const { return m_outputText; }
    CloudManagementPanel* panel() const { return m_panel; }
    QPushButton* closeButton() const { return m_close; }
    QScrollArea* scrollArea() const { return m_scroll; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    // Close's two steps: clear activeSheet, dismiss.
    void closeSheet();
    bool namesThisSheet() const;
    void applyLanguage();
    void applyOutput();

    DevivuKitViewModel& m_model;
    QScrollArea* m_scroll = nullptr;
    TextBlock* m_title = nullptr;
    FilledBox* m_outputBox = nullptr;
    TextBlock* m_outputTitle = nullptr;
    SelectableText* m_outputText = nullptr;
    CloudManagementPanel* m_panel = nullptr;
    QPushButton* m_close = nullptr;
};
