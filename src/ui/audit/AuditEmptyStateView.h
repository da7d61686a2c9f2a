#pragma once

#include <QWidget>

class DevivuKitViewModel;
class StyledButton;
class TextBlock;

// The audit list's place while nothing was scanned and no scan runs: a card
// filling the area, with a magnifying-glass tile, the no-data title and
// explanation (centred, at most 500 wide) and the scan button
// ("audit-empty-scan"), which runs the header's scan: the release gate first.
// It observes the view model's language only.
class AuditEmptyStateView : public QWidget {
    Q_OBJECT

public:
    static constexpr int detailMaximumWidth = 500;

    explicit AuditEmptyStateView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    StyledButton* scanButton() const { return m_scan; }
    TextBlock* titleText() const { return m_title; }
    TextBlock* detailText() const { return m_detail; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyTexts();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_detail;
    StyledButton* m_scan;
};
