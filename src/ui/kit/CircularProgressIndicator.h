#pragma once

#include <QBasicTimer>
#include <QColor>
#include <QWidget>

// A small indeterminate spinner: twelve spokes fading round a circle, turning
// while the widget is shown (standing still while animations are off).
class CircularProgressIndicator : public QWidget {
    Q_OBJECT

public:
    explicit CircularProgressIndicator(int side = 16, QWidget* parent = nullptr);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    // The spoke drawn darkest, 0 to 11.
    int step() const { return m_step; }
    bool isSpinning() const { return m_timer.isActive(); }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int spokes = 12;

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;
    void timerEvent(QTimerEvent* event) override;

private:
    int m_side;
    int m_step = 0;
    QColor m_color;
    QBasicTimer m_timer;
};
