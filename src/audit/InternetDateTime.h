#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

// Strict internet date-time (RFC 3339): "YYYY-MM-DDTHH:MM:SS", optional
// fractional seconds, and a required zone, "Z" or "+HH:MM" / "-HH:MM".
namespace InternetDateTime {

// The instant, in UTC; nothing for any other text or an impossible date.
std::optional<QDateTime> parse(const QString& text);

} // namespace InternetDateTime
