#pragma once

#include <QWidget>

class DevivuKitViewModel;
class SymbolView;
class TextBlock;

// The card pinned under the sidebar's scrolling part: a shield, a title and a
// detail, then the version line. While the audit workspace is shown it sums
// up the last audit (the number of applications it found, 0 before any);
// otherwise it shows the readiness of the Mac as the view model holds it.
// Follows the language, the selected group, the readiness and the audit.
class SystemSummaryCard : public QWidget {
    Q_OBJECT

public:
    explicit SystemSummaryCard(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The two texts of the current state.
    static QString summaryTitle(const DevivuKitViewModel& model);
    static QString summaryDetail(const DevivuKitViewModel& model);

    TextBlock* titleText() const { return m_title; }
    TextBlock* detailText() const { return m_detail; }
    TextBlock* versionText() const { return m_version; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTexts();

    DevivuKitViewModel& m_model;
    SymbolView* m_symbol;
    TextBlock* m_title;
    TextBlock* m_detail;
    TextBlock* m_version;
};
