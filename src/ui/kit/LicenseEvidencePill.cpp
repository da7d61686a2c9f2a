#include "ui/kit/LicenseEvidencePill.h"

LicenseEvidencePill::LicenseEvidencePill(const AppLicenseEvidence& evidence, const AppStrings& strings,
                                         QWidget* parent)
    : BadgeLabel(Look::evidencePill(0.62), parent), m_state(evidence.state)
{
    setColors(colorsFor(m_state));
    setStrings(strings);
}

void LicenseEvidencePill::setStrings(const AppStrings& strings)
{
    setText(labelFor(m_state, strings));
}

BadgeLabel::Colors LicenseEvidencePill::colorsFor(AppLicenseEvidenceState state)
{
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
    case AppLicenseEvidenceState::receiptIntegrityVerified:
    case AppLicenseEvidenceState::licenseArtifact:
        return {{22, 101, 52}, {220, 252, 231}, {134, 239, 172}};
    case AppLicenseEvidenceState::acquisitionReceipt:
    case AppLicenseEvidenceState::accountBased:
    case AppLicenseEvidenceState::freeOrOpenSource:
        return {{7, 89, 133}, {224, 242, 254}, {125, 211, 252}};
    case AppLicenseEvidenceState::installationEvidence:
        return {{91, 58, 138}, {243, 237, 255}, {216, 199, 245}};
    case AppLicenseEvidenceState::needsEntitlementReview:
        return {{154, 52, 18}, {255, 237, 213}, {253, 186, 116}};
    case AppLicenseEvidenceState::accessRestricted:
    case AppLicenseEvidenceState::noEvidence:
        break;
    case AppLicenseEvidenceState::explicitUnlicensed:
        return {{153, 27, 27}, {254, 226, 226}, {252, 165, 165}};
    }
    return {{71, 84, 103}, {242, 244, 247}, {208, 213, 221}};
}

QString LicenseEvidencePill::labelFor(AppLicenseEvidenceState state, const AppStrings& strings)
{
    return strings.auditLicenseLabel() + QStringLiteral(": ") + strings.auditLicenseEvidenceLabel(state);
}
