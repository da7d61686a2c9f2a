#pragma once

#include "i18n/AppLanguage.h"

#include <QWidget>

class CircularProgressIndicator;
class DevivuKitViewModel;
class StyledButton;
class TavrinProgressBar;
class TextBlock;

// The top block of the audit workspace: the title and subtitle with the scan
// button ("audit-scan"); the scan's progress bar with its text and the button
// that copies the report's path ("audit-copy-report-path"; its tooltip is the
// copy-log-path text); and the report's path with, on the right, the running
// scan's spinner and detail, or after a scan the licence-evidence summary
// (amber while an application has no key detected, else green).
//
// It observes the view model and changes nothing in it but through its
// buttons' operations. What it shows by state:
//
//   state                   scan button   progress text (width)   right side
//   idle, no snapshot       enabled       percentage (44)         nothing
//   idle, snapshot          enabled       percentage (44)         summary
//   scanning                disabled      scan detail (190)       spinner, detail
//
// The progress text wraps inside its width rather than being cut.
class AuditHeaderView : public QWidget {
    Q_OBJECT

public:
    static constexpr int idleProgressWidth = 44;
    static constexpr int scanningProgressWidth = 190;

    explicit AuditHeaderView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The scan of both scan buttons: the release gate first, the inventory
    // scan only when it allows.
    static void scan(DevivuKitViewModel& model);

    StyledButton* scanButton() const { return m_scan; }
    StyledButton* copyButton() const { return m_copy; }
    TavrinProgressBar* progressBar() const { return m_bar; }
    TextBlock* progressText() const { return m_progressText; }
    TextBlock* reportPathText() const { return m_reportPath; }
    CircularProgressIndicator* spinner() const { return m_spinner; }
    TextBlock* scanDetailText() const { return m_scanDetail; }
    TextBlock* summaryText() const { return m_summary; }

private:
    void applyTexts();
    void applyState();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_subtitle;
    StyledButton* m_scan;
    TavrinProgressBar* m_bar;
    TextBlock* m_progressText;
    StyledButton* m_copy;
    TextBlock* m_reportPath;
    CircularProgressIndicator* m_spinner;
    TextBlock* m_scanDetail;
    TextBlock* m_summary;
};
