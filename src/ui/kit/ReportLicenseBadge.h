#pragma once

#include "i18n/AppStrings.h"
#include "model/AppLicenseEvidence.h"
#include "ui/kit/BadgeLabel.h"

// The state of an application's licence evidence in the report table: a
// capsule across the whole column, the state label in 8.5 px bold at its
// left end (6 px in), at least 20 high, shrinking to 0.62 before it is cut.
// Callers pass MacReportPDF::evidenceOf() of the application, so that one
// without evidence shows the no-evidence state.
class ReportLicenseBadge : public BadgeLabel {
    Q_OBJECT

public:
    ReportLicenseBadge(const AppLicenseEvidence& evidence, const AppStrings& strings, QWidget* parent = nullptr);

    void setStrings(const AppStrings& strings);
    // Shows another evidence's state (a reused table row).
    void setEvidence(const AppLicenseEvidence& evidence, const AppStrings& strings);

    // Text and fill colours (those of the audit's licence pill); no outline.
    static Colors colorsFor(AppLicenseEvidenceState state);

private:
    AppLicenseEvidenceState m_state;
};
