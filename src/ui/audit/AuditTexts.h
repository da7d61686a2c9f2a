#pragma once

#include "i18n/AppLanguage.h"
#include "i18n/AppStrings.h"
#include "model/AppLicenseEvidence.h"
#include "model/InstalledMacApplication.h"

#include <QString>

// The audit screens' own words, in the five languages, and the texts they
// make of a scanned record. Scanned values are inserted as they are.
namespace AuditTexts {

// "Version", "Phiên bản", ...: the row's version word and the sheet's first
// field title.
QString versionWord(AppLanguage language);
// "Detected", "Đã phát hiện", ... (the row's pill shows it upper-cased).
QString detectedWord(AppLanguage language);
// "Details", "Chi tiết", ...: the row's Details button and menu tooltip.
QString detailsWord(AppLanguage language);

// The workspace header's title: "macOS inventory", "Kiểm kê macOS", ...
QString headerTitle(AppLanguage language);
// The scan buttons' title: "Scan Mac", "Quét máy", ...
QString scanTitle(AppLanguage language);
// The word before the report's path: "Report" (also in Vietnamese),
// "보고서", "レポート", "报告".
QString reportWord(AppLanguage language);

// The detail sheet's field titles that are not AppStrings texts.
QString sourceTitle(AppLanguage language);
QString bundleIdentifierTitle(AppLanguage language);
QString teamIdentifierTitle(AppLanguage language);
QString signingIdentifierTitle(AppLanguage language);

// The value, or "—" when it is empty.
QString orDash(const QString& value);

// "<version word> <version or —> • <resolved developer name>".
QString applicationDescription(const InstalledMacApplication& application, const AppStrings& strings);

// One line per signal, in stored order, "• [<verification>] <source>: <detail>",
// joined by "\n"; empty when the evidence has no signals.
QString signalLines(const AppLicenseEvidence& evidence);

} // namespace AuditTexts
