#pragma once

#include <QProgressBar>

// The plain linear progress indicator of the operation banner and of a
// catalog row's progress line: a QProgressBar without text, tinted
// Design::primary, showing a fraction between 0 and 1 in thousandths.
// Values below 0 (and a value that is not a number) show as 0, above 1 as 1.
class LinearProgressIndicator : public QProgressBar {
    Q_OBJECT

public:
    static constexpr int steps = 1000;

    explicit LinearProgressIndicator(QWidget* parent = nullptr);

    void setFraction(double fraction);
    // The shown fraction: value() / steps.
    double fraction() const;
};
