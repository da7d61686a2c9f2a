#pragma once

#include "i18n/AppStrings.h"
#include "model/AuditEvidenceState.h"
#include "ui/kit/BadgeLabel.h"

#include <QString>

// The verdict on an application's code signature, in the audit row and the
// detail sheet: "<signature label>: <status label>", 10 px bold, centred,
// shrinking to 68 % before it is cut, at least 28 high, filling its width.
// The colours follow the state alone; the label follows the raw status.
class AuditEvidencePill : public BadgeLabel {
    Q_OBJECT

public:
    AuditEvidencePill(AuditEvidenceState state, const QString& status, const AppStrings& strings,
                      QWidget* parent = nullptr);

    void setStrings(const AppStrings& strings);

    static Colors colorsFor(AuditEvidenceState state);
    static QString labelFor(const QString& status, const AppStrings& strings);

private:
    QString m_status;
};
