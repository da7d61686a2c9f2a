#pragma once

#include "model/AppLicenseEvidenceState.h"
#include "model/LicenseEvidenceConfidence.h"
#include "model/LicenseEvidenceSignal.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QString>

#include <optional>

// The audit's finding about one application's licence.
struct AppLicenseEvidence {
    AppLicenseEvidenceState state = AppLicenseEvidenceState::noEvidence;
    QString source;
    QString detail;
    std::optional<LicenseEvidenceConfidence> confidence;
    std::optional<QList<LicenseEvidenceSignal>> signals;

    bool operator==(const AppLicenseEvidence&) const = default;

    QJsonObject toJson() const;
    static std::optional<AppLicenseEvidence> fromJson(const QJsonValue& value);
};

size_t qHash(const AppLicenseEvidence& evidence, size_t hashSeed = 0);
