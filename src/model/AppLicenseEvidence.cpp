#include "model/AppLicenseEvidence.h"

#include "model/HashBuilder.h"
#include "model/JsonFields.h"

#include <QJsonArray>

QJsonObject AppLicenseEvidence::toJson() const
{
    QJsonObject object{
        {QStringLiteral("state"), EnumText::toString(state)},
        {QStringLiteral("source"), source},
        {QStringLiteral("detail"), detail},
    };
    if (confidence)
        object.insert(QStringLiteral("confidence"), EnumText::toString(*confidence));
    if (signals) {
        QJsonArray array;
        for (const LicenseEvidenceSignal& signal : *signals)
            array.append(signal.toJson());
        object.insert(QStringLiteral("signals"), array);
    }
    return object;
}

std::optional<AppLicenseEvidence> AppLicenseEvidence::fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    AppLicenseEvidence evidence;
    if (!JsonFields::requiredEnum(object, QStringLiteral("state"), evidence.state)
        || !JsonFields::requiredString(object, QStringLiteral("source"), evidence.source)
        || !JsonFields::requiredString(object, QStringLiteral("detail"), evidence.detail)
        || !JsonFields::optionalEnum(object, QStringLiteral("confidence"), evidence.confidence))
        return std::nullopt;

    const QJsonValue signalsValue = object.value(QStringLiteral("signals"));
    if (!signalsValue.isUndefined() && !signalsValue.isNull()) {
        if (!signalsValue.isArray())
            return std::nullopt;
        QList<LicenseEvidenceSignal> list;
        for (const QJsonValue& element : signalsValue.toArray()) {
            const std::optional<LicenseEvidenceSignal> signal = LicenseEvidenceSignal::fromJson(element);
            if (!signal)
                return std::nullopt;
            list.append(*signal);
        }
        evidence.signals = list;
    }
    return evidence;
}

size_t qHash(const AppLicenseEvidence& evidence, size_t hashSeed)
{
    HashBuilder hash(hashSeed);
    hash.addHashed(evidence.state).add(evidence.source).add(evidence.detail);
    hash.add(evidence.confidence.has_value());
    if (evidence.confidence)
        hash.addHashed(*evidence.confidence);
    hash.add(evidence.signals.has_value());
    if (evidence.signals) {
        hash.add(static_cast<int>(evidence.signals->size()));
        for (const LicenseEvidenceSignal& signal : *evidence.signals)
            hash.addHashed(signal);
    }
    return hash.value();
}
