#pragma once

#include <QString>
#include <QWidget>

// A thin capsule bar of a fraction: an 8 px high grey track as wide as
// offered, filled from the leading edge in Design::primary. Values below 0
// (and a value that is not a number) draw as 0, values above 1 as 1. It has
// no animation of its own.
class TavrinProgressBar : public QWidget {
    Q_OBJECT

public:
    explicit TavrinProgressBar(double value = 0, QWidget* parent = nullptr);

    double value() const { return m_value; }
    void setValue(double value);

    // The fraction drawn for a value: 0 for value ≤ 0 or not a number, else
    // the smaller of value and 1.
    static double clampedFraction(double value);
    // The whole percentage of the drawn fraction, halves away from zero: "43%"
    // for 0.425. The bar's accessible description holds it.
    static QString percentText(double value);

    // The filled width at the bar's current width.
    double fillWidth() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int barHeight = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_value = 0;
};
