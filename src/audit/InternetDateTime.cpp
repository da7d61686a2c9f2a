#include "audit/InternetDateTime.h"

#include <QRegularExpression>
#include <QTimeZone>

namespace InternetDateTime {

std::optional<QDateTime> parse(const QString& text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "\\A([0-9]{4})-([0-9]{2})-([0-9]{2})T([0-9]{2}):([0-9]{2}):([0-9]{2})(?:\\.([0-9]+))?"
        "(?:(Z)|([+-])([0-9]{2}):([0-9]{2}))\\z"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const auto number = [&match](int group) { return match.captured(group).toInt(); };

    const QDate date(number(1), number(2), number(3));
    const QString fraction = match.captured(7);
    const int milliseconds = fraction.isEmpty() ? 0 : fraction.left(3).leftJustified(3, QLatin1Char('0')).toInt();
    const QTime time(number(4), number(5), number(6), milliseconds);
    if (!date.isValid() || !time.isValid())
        return std::nullopt;

    int offsetSeconds = 0;
    if (match.captured(8).isEmpty()) {
        const int hours = number(10);
        const int minutes = number(11);
        if (hours > 23 || minutes > 59)
            return std::nullopt;
        offsetSeconds = (hours * 60 + minutes) * 60;
        if (match.captured(9) == QLatin1String("-"))
            offsetSeconds = -offsetSeconds;
    }
    // The wall time minus its offset ahead of UTC is the instant.
    const QDateTime instant = QDateTime(date, time, QTimeZone::utc()).addSecs(-offsetSeconds);
    if (!instant.isValid())
        return std::nullopt;
    return instant;
}

} // namespace InternetDateTime
