#pragma once

#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"

#include <QList>
#include <QString>

#include <optional>

// Writes the A4 PDF report. Runs on the GUI thread.
class PdfWriter {
public:
    virtual ~PdfWriter() = default;

    // None on success, else the error's description for the user.
    virtual std::optional<QString> write(const QString& reportText, const QList<InstalledMacApplication>& applications,
                                         const MacReportProfile& profile, const QString& destinationPath) = 0;
};
