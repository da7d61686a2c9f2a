#pragma once

#include "model/LicenseEvidenceVerification.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// One piece of licence evidence and how it was checked.
struct LicenseEvidenceSignal {
    QString kind;
    QString source;
    LicenseEvidenceVerification verification = LicenseEvidenceVerification::notVerified;
    QString detail;

    bool operator==(const LicenseEvidenceSignal&) const = default;

    QJsonObject toJson() const;
    static std::optional<LicenseEvidenceSignal> fromJson(const QJsonValue& value);
};

size_t qHash(const LicenseEvidenceSignal& signal, size_t hashSeed = 0);
