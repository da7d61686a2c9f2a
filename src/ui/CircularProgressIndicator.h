#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

// The small indeterminate spinner: a 16 px ring with an arc that goes round
// while the spinner is on screen. While the window's animations are off it
// stands still.
class CircularProgressIndicator : public QWidget {
    Q_OBJECT

public:
    static constexpr int side = 16;

    explicit CircularProgressIndicator(const QColor& color, QWidget* parent = nullptr);

    // Whether the arc is going round now.
    bool isSpinning() const { return m_timer.isActive(); }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    QColor m_color;
    QBasicTimer m_timer;
    int m_angle = 0;
};
