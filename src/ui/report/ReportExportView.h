#pragma once

#include <QColor>
#include <QDialog>
#include <QString>

class CircularProgressIndicator;
class DevivuKitViewModel;
class Pill;
class QCloseEvent;
class QKeyEvent;
class QPushButton;
class ReportApplicationTable;
class ReportPrimaryButton;
class ReportProfileColumn;
class TavrinProgressBar;
class TextBlock;

// The report sheet: a fixed 1320 by 720 window-modal dialog (objectName
// "report") in which the technician reviews the latest audit, types the
// inspector profile, scans again and exports the PDF. Four regions: the
// header card (title, description, the scan's progress while one runs, Scan
// again while a snapshot exists and no scan runs, the applications and kit
// pills), the profile column (ReportProfileColumn), the application table
// (ReportApplicationTable) and the action bar (the plain-text report's path,
// Close, Export PDF). Everything follows the view model's state.
//
// Actions: Scan again, Scan computer and Export PDF pass the release gate
// first; the export goes through exportReportPDF alone. Close, and the
// title-bar close while the view model still names this sheet, save the
// profile, clear activeSheet and then dismiss the dialog unless its host
// already closed it. Keys: Export PDF is the one default button, so Return
// presses it while it is enabled and does nothing while it is disabled;
// Return in a profile field only ends the edit and in the notes makes a new
// line; Escape does nothing.
class ReportExportView : public QDialog {
    Q_OBJECT

public:
    static constexpr int sheetWidth = 1320;
    static constexpr int sheetHeight = 720;
    static const QColor background;

    explicit ReportExportView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // Header.
    TextBlock* titleText() const { return m_title; }
    TextBlock* descriptionText() const { return m_description; }
    QWidget* progressBlock() const { return m_progressBlock; }
    CircularProgressIndicator* spinner() const { return m_spinner; }
    TextBlock* progressDetail() const { return m_progressDetail; }
    TavrinProgressBar* progressBar() const { return m_progressBar; }
    QPushButton* scanAgainButton() const { return m_scanAgain; }
    Pill* applicationsPill() const { return m_applicationsPill; }
    Pill* kitPill() const { return m_kitPill; }

    ReportProfileColumn* profileColumn() const { return m_profile; }
    ReportApplicationTable* table() const { return m_table; }

    // Action bar.
    TextBlock* sourceLabel() const { return m_sourceLabel; }
    TextBlock* reportPathText() const { return m_reportPath; }
    QPushButton* closeButton() const { return m_close; }
    ReportPrimaryButton* exportButton() const { return m_export; }

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* makeHeader();
    QWidget* makeActionBar();
    void scan();
    void exportPdf();
    // Close's three steps: save the profile, clear activeSheet, dismiss.
    void closeSheet();
    bool namesThisSheet() const;

    void applyLanguage();
    void applyCounts();
    void applyScanState();
    void applyProgress();

    DevivuKitViewModel& m_model;
    TextBlock* m_title = nullptr;
    TextBlock* m_description = nullptr;
    QWidget* m_progressBlock = nullptr;
    CircularProgressIndicator* m_spinner = nullptr;
    TextBlock* m_progressDetail = nullptr;
    TavrinProgressBar* m_progressBar = nullptr;
    QPushButton* m_scanAgain = nullptr;
    Pill* m_applicationsPill = nullptr;
    Pill* m_kitPill = nullptr;
    ReportProfileColumn* m_profile = nullptr;
    ReportApplicationTable* m_table = nullptr;
    TextBlock* m_sourceLabel = nullptr;
    TextBlock* m_reportPath = nullptr;
    QPushButton* m_close = nullptr;
    ReportPrimaryButton* m_export = nullptr;
};
