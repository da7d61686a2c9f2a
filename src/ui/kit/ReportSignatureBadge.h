#pragma once

#include "i18n/AppStrings.h"
#include "ui/kit/BadgeLabel.h"

#include <QString>

// An application's code-signature status in the report table: a capsule
// across the whole column, the status label in 9 px bold at its left end
// (7 px in), at least 20 high, shrinking to 0.62 before it is cut. Colours
// and label follow the raw status by exact comparison.
class ReportSignatureBadge : public BadgeLabel {
    Q_OBJECT

public:
    ReportSignatureBadge(const QString& status, const AppStrings& strings, QWidget* parent = nullptr);

    void setStrings(const AppStrings& strings);
    // Shows another status (a reused table row).
    void setStatus(const QString& status, const AppStrings& strings);

    // Text and fill colours; no outline.
    static Colors colorsFor(const QString& status);

private:
    QString m_status;
};
