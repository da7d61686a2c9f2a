#pragma once

#include "model/EnumText.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// Strict readers for records decoded from JSON: a required field must be
// present with the right type; an optional field may be missing or null but
// never of the wrong type. Each returns false when the record must fail.
namespace JsonFields {

inline bool requiredString(const QJsonObject& object, const QString& key, QString& out)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

inline bool optionalString(const QJsonObject& object, const QString& key, std::optional<QString>& out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        out.reset();
        return true;
    }
    if (!value.isString())
        return false;
    out = value.toString();
    return true;
}

template <typename E>
bool requiredEnum(const QJsonObject& object, const QString& key, E& out)
{
    const QJsonValue value = object.value(key);
    if (!value.isString())
        return false;
    const std::optional<E> parsed = EnumText::fromString<E>(value.toString());
    if (!parsed)
        return false;
    out = *parsed;
    return true;
}

template <typename E>
bool optionalEnum(const QJsonObject& object, const QString& key, std::optional<E>& out)
{
    const QJsonValue value = object.value(key);
    if (value.isUndefined() || value.isNull()) {
        out.reset();
        return true;
    }
    if (!value.isString())
        return false;
    out = EnumText::fromString<E>(value.toString());
    return out.has_value();
}

} // namespace JsonFields
