#include "ui/kit/LinearProgressIndicator.h"

#include "ui/kit/Design.h"

#include <QPalette>

#include <cmath>

LinearProgressIndicator::LinearProgressIndicator(QWidget* parent) : QProgressBar(parent)
{
    setRange(0, steps);
    setValue(0);
    setTextVisible(false);
    setFixedHeight(6);
    QPalette tinted = palette();
    tinted.setColor(QPalette::Highlight, Design::primary);
    setPalette(tinted);
}

void LinearProgressIndicator::setFraction(double fraction)
{
    const double clamped = fraction > 0 ? std::min(fraction, 1.0) : 0.0; // also a value that is not a number
    setValue(int(std::lround(clamped * steps)));
}

double LinearProgressIndicator::fraction() const
{
    return double(value()) / steps;
}
