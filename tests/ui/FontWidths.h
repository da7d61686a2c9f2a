#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QString>

#include <cmath>

// What a reader sees of a font's pitch: whether a narrow letter, a wide one,
// a digit and a full stop take one advance each. Fonts that do so are not
// always flagged fixed-pitch by the font database, so the flag is not asked.
inline bool drawsEvenAdvances(const QFont& font)
{
    const QFontMetricsF metrics(font);
    const double first = metrics.horizontalAdvance(QStringLiteral("i"));
    for (const QString& sample : {QStringLiteral("W"), QStringLiteral("0"), QStringLiteral("."), QStringLiteral("m")}) {
        if (std::abs(metrics.horizontalAdvance(sample) - first) > 0.01)
            return false;
    }
    return first > 0;
}
