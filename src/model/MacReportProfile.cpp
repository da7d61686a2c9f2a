#include "model/MacReportProfile.h"

#include "model/JsonFields.h"

QJsonObject MacReportProfile::toJson() const
{
    return QJsonObject{
        {QStringLiteral("inspectorName"), inspectorName},
        {QStringLiteral("team"), team},
        {QStringLiteral("recipient"), recipient},
        {QStringLiteral("subject"), subject},
        {QStringLiteral("notes"), notes},
    };
}

std::optional<MacReportProfile> MacReportProfile::fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    MacReportProfile profile;
    if (!JsonFields::requiredString(object, QStringLiteral("inspectorName"), profile.inspectorName)
        || !JsonFields::requiredString(object, QStringLiteral("team"), profile.team)
        || !JsonFields::requiredString(object, QStringLiteral("recipient"), profile.recipient)
        || !JsonFields::requiredString(object, QStringLiteral("subject"), profile.subject)
        || !JsonFields::requiredString(object, QStringLiteral("notes"), profile.notes))
        return std::nullopt;
    return profile;
}
