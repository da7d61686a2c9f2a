#include "model/LicenseEvidenceSignal.h"

#include "model/HashBuilder.h"
#include "model/JsonFields.h"

QJsonObject LicenseEvidenceSignal::toJson() const
{
    return QJsonObject{
        {QStringLiteral("kind"), kind},
        {QStringLiteral("source"), source},
        {QStringLiteral("verification"), EnumText::toString(verification)},
        {QStringLiteral("detail"), detail},
    };
}

std::optional<LicenseEvidenceSignal> LicenseEvidenceSignal::fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    LicenseEvidenceSignal signal;
    if (!JsonFields::requiredString(object, QStringLiteral("kind"), signal.kind)
        || !JsonFields::requiredString(object, QStringLiteral("source"), signal.source)
        || !JsonFields::requiredEnum(object, QStringLiteral("verification"), signal.verification)
        || !JsonFields::requiredString(object, QStringLiteral("detail"), signal.detail))
        return std::nullopt;
    return signal;
}

size_t qHash(const LicenseEvidenceSignal& signal, size_t hashSeed)
{
    return HashBuilder(hashSeed)
        .add(signal.kind)
        .add(signal.source)
        .addHashed(signal.verification)
        .add(signal.detail)
        .value();
}
