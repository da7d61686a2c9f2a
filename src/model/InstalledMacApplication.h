#pragma once

#include "model/AppLicenseEvidence.h"
#include "model/AuditEvidenceState.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

// One application found by the audit.
struct InstalledMacApplication {
    QString name;
    QString version;
    QString identifier;
    QString source;
    QString signatureStatus; // "valid", "invalid", "unsigned", "ad-hoc", "not-applicable", or other text
    QString teamIdentifier;  // "—" or "not set" when there is none
    QString signingIdentifier;
    std::optional<QString> developerName;
    std::optional<AppLicenseEvidence> licenseEvidence;

    bool operator==(const InstalledMacApplication&) const = default;

    // Derived from the signature status by exact comparison.
    AuditEvidenceState auditEvidenceState() const;

    QJsonObject toJson() const;
    static std::optional<InstalledMacApplication> fromJson(const QJsonValue& value);

    // A list of applications as a JSON array; decoding fails as a whole when
    // any element fails.
    static QJsonArray toJsonArray(const QList<InstalledMacApplication>& applications);
    static std::optional<QList<InstalledMacApplication>> listFromJson(const QJsonValue& value);
};

size_t qHash(const InstalledMacApplication& application, size_t hashSeed = 0);
