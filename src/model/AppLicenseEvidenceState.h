#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// What the audit found out about whether an application is properly licensed.
enum class AppLicenseEvidenceState { verifiedReceipt, receiptIntegrityVerified, acquisitionReceipt, licenseArtifact, accountBased, freeOrOpenSource, installationEvidence, needsEntitlementReview, accessRestricted, noEvidence, explicitUnlicensed };

template <>
struct EnumNames<AppLicenseEvidenceState> {
    static constexpr std::array table{
        std::pair{AppLicenseEvidenceState::verifiedReceipt, "verifiedReceipt"},
        std::pair{AppLicenseEvidenceState::receiptIntegrityVerified, "receiptIntegrityVerified"},
        std::pair{AppLicenseEvidenceState::acquisitionReceipt, "acquisitionReceipt"},
        std::pair{AppLicenseEvidenceState::licenseArtifact, "licenseArtifact"},
        std::pair{AppLicenseEvidenceState::accountBased, "accountBased"},
        std::pair{AppLicenseEvidenceState::freeOrOpenSource, "freeOrOpenSource"},
        std::pair{AppLicenseEvidenceState::installationEvidence, "installationEvidence"},
        std::pair{AppLicenseEvidenceState::needsEntitlementReview, "needsEntitlementReview"},
        std::pair{AppLicenseEvidenceState::accessRestricted, "accessRestricted"},
        std::pair{AppLicenseEvidenceState::noEvidence, "noEvidence"},
        std::pair{AppLicenseEvidenceState::explicitUnlicensed, "explicitUnlicensed"},
    };
};

inline size_t qHash(AppLicenseEvidenceState value, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(value), hashSeed);
}
