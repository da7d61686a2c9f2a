#pragma once

#include <QWidget>

class DevivuKitViewModel;
class StyledButton;
class TextBlock;

// The status bar under both workspaces: a green dot, "Status: " and the
// current action on one line (cut at its end), and the button that shows or
// hides the log drawer ("footer-log-toggle"). It observes the view model and
// writes only showLogDrawer.
class FooterView : public QWidget {
    Q_OBJECT

public:
    explicit FooterView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    TextBlock* statusText() const { return m_status; }
    StyledButton* logToggle() const { return m_toggle; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void applyStatus();
    void applyToggle();

    DevivuKitViewModel& m_model;
    TextBlock* m_status;
    StyledButton* m_toggle;
};
