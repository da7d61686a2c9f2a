#include "app/MacReportPdfWriter.h"

#include "audit/MacReportPDF.h"

std::optional<QString> MacReportPdfWriter::write(const QString& reportText,
                                                 const QList<InstalledMacApplication>& applications,
                                                 const MacReportProfile& profile, const QString& destinationPath)
{
    if (const std::optional<MacReportPDF::ExportError> error =
            MacReportPDF::write(reportText, applications, profile, destinationPath))
        return error->description();
    return std::nullopt;
}
