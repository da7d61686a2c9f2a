#pragma once

#include <QList>
#include <QString>

#include <optional>

// Enumerations that are stored or sent as text convert to and from exactly
// their case names. Each such enumeration specialises EnumNames with a table
// of (case, name) pairs in declaration order.
template <typename E>
struct EnumNames;

namespace EnumText {

template <typename E>
QString toString(E value)
{
    for (const auto& [entry, name] : EnumNames<E>::table) {
        if (entry == value)
            return QString::fromUtf8(name);
    }
    return {};
}

// Exact, case-sensitive match; no trimming. Unknown text gives no value.
template <typename E>
std::optional<E> fromString(const QString& text)
{
    for (const auto& [entry, name] : EnumNames<E>::table) {
        if (text == QLatin1String(name))
            return entry;
    }
    return std::nullopt;
}

// Every case, in declaration order.
template <typename E>
QList<E> allCases()
{
    QList<E> cases;
    for (const auto& entry : EnumNames<E>::table)
        cases.append(entry.first);
    return cases;
}

} // namespace EnumText
