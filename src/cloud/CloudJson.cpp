#include "cloud/CloudJson.h"

#include "platform/Utf8.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

#include <cmath>

namespace CloudJson {

QJsonValue parseJSON(const QByteArray& data)
{
    if (data.isEmpty())
        return QJsonObject();
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(data, &error);
    if (error.error == QJsonParseError::NoError) {
        if (document.isObject())
            return document.object();
        if (document.isArray())
            return document.array();
    }
    if (const std::optional<QString> text = Utf8::decode(data))
        return *text;
    return QJsonValue(QJsonValue::Undefined);
}

QList<QJsonObject> objectRows(const QByteArray& document, QLatin1String member)
{
    const QJsonDocument parsed = QJsonDocument::fromJson(document);
    if (!parsed.isObject())
        return {};
    const QJsonValue value = parsed.object().value(member);
    if (!value.isArray())
        return {};
    QList<QJsonObject> rows;
    for (const QJsonValue row : value.toArray()) {
        if (!row.isObject())
            return {};
        rows.append(row.toObject());
    }
    return rows;
}

bool boolean(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::Bool:
        return value.toBool();
    case QJsonValue::Double:
        return value.toDouble() != 0.0;
    case QJsonValue::String: {
        const QString lower = value.toString().toLower();
        return lower == QLatin1String("true") || lower == QLatin1String("1") || lower == QLatin1String("yes");
    }
    default:
        return false;
    }
}

QString string(const QJsonValue& value, const QString& fallback)
{
    if (value.isUndefined() || value.isNull())
        return fallback;
    return description(value);
}

QString description(const QJsonValue& value)
{
    switch (value.type()) {
    case QJsonValue::String:
        return value.toString();
    case QJsonValue::Double: {
        const double number = value.toDouble();
        constexpr double exactLimit = 9007199254740992.0; // 2^53
        if (std::trunc(number) == number && std::fabs(number) <= exactLimit)
            return QString::number(static_cast<qint64>(number));
        return QString::number(number, 'g', QLocale::FloatingPointShortest);
    }
    case QJsonValue::Bool:
        return value.toBool() ? QStringLiteral("true") : QStringLiteral("false");
    case QJsonValue::Null:
        return QStringLiteral("null");
    case QJsonValue::Array:
        return QString::fromUtf8(QJsonDocument(value.toArray()).toJson(QJsonDocument::Compact));
    case QJsonValue::Object:
        return QString::fromUtf8(QJsonDocument(value.toObject()).toJson(QJsonDocument::Compact));
    case QJsonValue::Undefined:
        break;
    }
    return {};
}

} // namespace CloudJson
