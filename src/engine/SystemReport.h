#pragma once

#include "i18n/AppLanguage.h"
#include "model/AppItem.h"
#include "model/AppLicenseEvidenceState.h"
#include "model/InstallStatus.h"
#include "model/InstalledMacApplication.h"
#include "model/SystemCheck.h"

#include <QDateTime>
#include <QList>
#include <QString>

#include <optional>
#include <utility>

// The text of the plain-text system report, which MacBackend::writeReport
// writes. Its headings, the labels of the header lines and the shapes of the
// item lines are a file format: the PDF report reads the file back
// (MacReportPDF::parseSections, MacReportPDF::reportValue), so they change
// only together with that reader.
//
// Every value placed into a line (names, versions and identifiers read from
// other vendors' bundles, tool output, check texts) has its line breaks
// replaced by single spaces first, so a value can never start a line or a
// heading of its own.
namespace SystemReport {

// The facts of the header lines.
struct Header {
    QDateTime time;                  // local time of the report
    std::optional<QString> hostName; // nothing: "unknown"
    QString modelName;               // the four hardware values, "—" when unknown
    QString modelIdentifier;
    QString chip;
    QString memory;
    QString macOSVersion;
    QString architecture;
    std::optional<QString> brewPath; // nothing: "not found"
    QString logFile;
};

// One entry of the catalog section with the status found for it.
using CatalogEntry = std::pair<AppItem, InstallStatus>;

// The report's lines, without line ends.
QStringList lines(const Header& header, const QList<SystemCheck>& checks,
                  const QList<InstalledMacApplication>& applications, const QList<CatalogEntry>& catalog,
                  AppLanguage language);

// The file's text: the lines joined by "\n", with one "\n" after the last.
QString text(const Header& header, const QList<SystemCheck>& checks,
             const QList<InstalledMacApplication>& applications, const QList<CatalogEntry>& catalog,
             AppLanguage language);

// The value with every line break (LF, CR, a CR LF pair, VT, FF, U+0085,
// U+2028, U+2029) replaced by one space.
QString singleLine(const QString& value);

// "detected", "not-required", "manual-check", "not-detected" or "absent".
QString keyStatus(AppLicenseEvidenceState state);

// The application's line, without its signal lines.
QString applicationLine(const InstalledMacApplication& application);

} // namespace SystemReport
