#pragma once

#include "app/PdfWriter.h"

// The PDF writer of the window: MacReportPDF::write.
class MacReportPdfWriter final : public PdfWriter {
public:
    std::optional<QString> write(const QString& reportText, const QList<InstalledMacApplication>& applications,
                                 const MacReportProfile& profile, const QString& destinationPath) override;
};
