#include "ui/kit/ReportLicenseBadge.h"

#include "ui/kit/LicenseEvidencePill.h"

ReportLicenseBadge::ReportLicenseBadge(const AppLicenseEvidence& evidence, const AppStrings& strings,
                                       QWidget* parent)
    : BadgeLabel(Look::reportBadge(8.5, 6), parent), m_state(evidence.state)
{
    setColors(colorsFor(m_state));
    setStrings(strings);
}

void ReportLicenseBadge::setStrings(const AppStrings& strings)
{
    setText(strings.auditLicenseEvidenceLabel(m_state));
}

void ReportLicenseBadge::setEvidence(const AppLicenseEvidence& evidence, const AppStrings& strings)
{
    m_state = evidence.state;
    setColors(colorsFor(m_state));
    setStrings(strings);
}

BadgeLabel::Colors ReportLicenseBadge::colorsFor(AppLicenseEvidenceState state)
{
    const Colors pill = LicenseEvidencePill::colorsFor(state);
    return {pill.foreground, pill.background, {}};
}
