#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

// Readers for the loosely typed JSON the backend answers with. An absent
// value is QJsonValue::Undefined (what QJsonObject::value gives for a missing key).
namespace CloudJson {

// A response body: empty bytes give an empty object; a JSON object or array
// gives itself; anything else gives the bytes as text when they are valid
// UTF-8 (so an HTML or plain-text error page survives), else Undefined.
QJsonValue parseJSON(const QByteArray& data);

// The member of a JSON document's top-level object (a cache file's rows) when
// it is an array of objects only; empty for anything else.
QList<QJsonObject> objectRows(const QByteArray& document, QLatin1String member);

// Absent false; a Boolean itself; a number true unless zero; a text true
// exactly for "true", "1" or "yes" in any letter case; anything else false.
bool boolean(const QJsonValue& value);

// Absent or null give the fallback; a text itself (an empty one too);
// anything else its description.
QString string(const QJsonValue& value, const QString& fallback = {});

// The textual description of any value: a text itself, a number in decimal
// (whole numbers without a fraction), a Boolean "true" or "false", null
// "null", an array or object as compact JSON, an absent value empty.
QString description(const QJsonValue& value);

} // namespace CloudJson
