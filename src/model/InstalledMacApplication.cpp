#include "model/InstalledMacApplication.h"

#include "model/HashBuilder.h"
#include "model/JsonFields.h"

AuditEvidenceState InstalledMacApplication::auditEvidenceState() const
{
    if (signatureStatus == QLatin1String("valid"))
        return AuditEvidenceState::verified;
    if (signatureStatus == QLatin1String("invalid") || signatureStatus == QLatin1String("unsigned"))
        return AuditEvidenceState::review;
    if (signatureStatus == QLatin1String("ad-hoc"))
        return AuditEvidenceState::local;
    return AuditEvidenceState::detected;
}

QJsonObject InstalledMacApplication::toJson() const
{
    QJsonObject object{
        {QStringLiteral("name"), name},
        {QStringLiteral("version"), version},
        {QStringLiteral("identifier"), identifier},
        {QStringLiteral("source"), source},
        {QStringLiteral("signatureStatus"), signatureStatus},
        {QStringLiteral("teamIdentifier"), teamIdentifier},
        {QStringLiteral("signingIdentifier"), signingIdentifier},
    };
    if (developerName)
        object.insert(QStringLiteral("developerName"), *developerName);
    if (licenseEvidence)
        object.insert(QStringLiteral("licenseEvidence"), licenseEvidence->toJson());
    return object;
}

std::optional<InstalledMacApplication> InstalledMacApplication::fromJson(const QJsonValue& value)
{
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    InstalledMacApplication application;
    if (!JsonFields::requiredString(object, QStringLiteral("name"), application.name)
        || !JsonFields::requiredString(object, QStringLiteral("version"), application.version)
        || !JsonFields::requiredString(object, QStringLiteral("identifier"), application.identifier)
        || !JsonFields::requiredString(object, QStringLiteral("source"), application.source)
        || !JsonFields::requiredString(object, QStringLiteral("signatureStatus"), application.signatureStatus)
        || !JsonFields::requiredString(object, QStringLiteral("teamIdentifier"), application.teamIdentifier)
        || !JsonFields::requiredString(object, QStringLiteral("signingIdentifier"), application.signingIdentifier)
        || !JsonFields::optionalString(object, QStringLiteral("developerName"), application.developerName))
        return std::nullopt;

    const QJsonValue evidenceValue = object.value(QStringLiteral("licenseEvidence"));
    if (!evidenceValue.isUndefined() && !evidenceValue.isNull()) {
        application.licenseEvidence = AppLicenseEvidence::fromJson(evidenceValue);
        if (!application.licenseEvidence)
            return std::nullopt;
    }
    return application;
}

QJsonArray InstalledMacApplication::toJsonArray(const QList<InstalledMacApplication>& applications)
{
    QJsonArray array;
    for (const InstalledMacApplication& application : applications)
        array.append(application.toJson());
    return array;
}

std::optional<QList<InstalledMacApplication>> InstalledMacApplication::listFromJson(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    QList<InstalledMacApplication> applications;
    for (const QJsonValue& element : value.toArray()) {
        std::optional<InstalledMacApplication> application = fromJson(element);
        if (!application)
            return std::nullopt;
        applications.append(std::move(*application));
    }
    return applications;
}

size_t qHash(const InstalledMacApplication& application, size_t hashSeed)
{
    HashBuilder hash(hashSeed);
    hash.add(application.name)
        .add(application.version)
        .add(application.identifier)
        .add(application.source)
        .add(application.signatureStatus)
        .add(application.teamIdentifier)
        .add(application.signingIdentifier)
        .add(application.developerName);
    hash.add(application.licenseEvidence.has_value());
    if (application.licenseEvidence)
        hash.addHashed(*application.licenseEvidence);
    return hash.value();
}
