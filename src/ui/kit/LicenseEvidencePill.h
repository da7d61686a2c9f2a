#pragma once

#include "i18n/AppStrings.h"
#include "model/AppLicenseEvidence.h"
#include "ui/kit/BadgeLabel.h"

#include <QString>

// The kind of licence evidence found for an application, in the audit row
// and the detail sheet: "<licence label>: <state label>", 10 px bold,
// centred, shrinking to 62 % before it is cut, at least 28 high, filling its
// width. Only the evidence's state is shown and chooses the colours.
class LicenseEvidencePill : public BadgeLabel {
    Q_OBJECT

public:
    LicenseEvidencePill(const AppLicenseEvidence& evidence, const AppStrings& strings,
                        QWidget* parent = nullptr);

    void setStrings(const AppStrings& strings);

    // The colours of a state; the report's licence badge shares the text and
    // fill colours.
    static Colors colorsFor(AppLicenseEvidenceState state);
    static QString labelFor(AppLicenseEvidenceState state, const AppStrings& strings);

private:
    AppLicenseEvidenceState m_state;
};
