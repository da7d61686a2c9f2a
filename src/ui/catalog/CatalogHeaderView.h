#pragma once

#include <QString>
#include <QWidget>

class DevivuKitViewModel;
class StyledButton;
class TavrinProgressBar;
class TextBlock;

// The top of the catalog column: the selected group's title (the overview
// text for "all", else the group's label), the installed summary over the
// whole catalog, the refresh button ("header-refresh"), the installed share
// as a bar with its percentage, the copy-log-path button
// ("header-copy-log-path") and the log file's path on one line.
//
// It observes the view model; the refresh re-reads every status and ends
// with a toast, the copy puts the log path on the clipboard.
class CatalogHeaderView : public QWidget {
    Q_OBJECT

public:
    explicit CatalogHeaderView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The selected group's title in the model's language.
    QString headerTitle() const;

    TextBlock* titleText() const { return m_title; }
    TextBlock* summaryText() const { return m_summary; }
    StyledButton* refreshButton() const { return m_refresh; }
    TavrinProgressBar* progressBar() const { return m_bar; }
    TextBlock* percentText() const { return m_percent; }
    StyledButton* copyLogPathButton() const { return m_copy; }
    TextBlock* logPathText() const { return m_logPath; }

private:
    void applyTexts();
    void applySummary();
    void applyProgress();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_summary;
    StyledButton* m_refresh;
    TavrinProgressBar* m_bar;
    TextBlock* m_percent;
    StyledButton* m_copy;
    TextBlock* m_logPath;
};
