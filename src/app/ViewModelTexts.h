#pragma once

#include "i18n/AppLanguage.h"
#include "model/AppKind.h"

#include <QString>

// The few texts the view model picks by language itself, and its number
// formats.
namespace ViewModelTexts {

// The display name of the standard and of the full preset.
QString standardPresetName(AppLanguage language);
QString fullPresetName(AppLanguage language);

// The update banner's title while no release policy is held.
QString updateRequiredTitle(AppLanguage language);

// The status line and toast after a full system check wrote its report.
QString reportWritten(AppLanguage language);
// The status line when the report sheet opens, and the title of the PDF
// export's save chooser.
QString openedReport(AppLanguage language);
QString exportPdfTitle(AppLanguage language);
// The PDF export's own messages: Vietnamese for Vietnamese, English for
// every other language.
QString scanBeforeExport(AppLanguage language);
QString enterInspectorAndTitle(AppLanguage language);
QString pdfExported(AppLanguage language);

// What the cloud output box shows while a workspace request runs:
// Vietnamese for Vietnamese, English for every other language.
QString syncingWorkspace(AppLanguage language);
QString savingBranding(AppLanguage language);
QString savingSharedProfile(AppLanguage language);
QString loadingBusinessConfig(AppLanguage language);

// The command that installs Homebrew, as its home page gives it.
inline constexpr const char* homebrewInstallCommand =
    "/bin/bash -c \"$(curl -fsSL https://raw.githubusercontent.com/Homebrew/install/HEAD/install.sh)\"";

// How an entry of the kind is installed, as the start lines of an install or
// removal name it ("Cask", "Official DMG", ...).
QString methodLabel(AppKind kind);

// The fraction times 100 rounded to the nearest whole number, halves away
// from zero, followed by "%" (0.375 gives "38%").
QString roundedPercent(double fraction);
// done times 100 divided by total in whole numbers, followed by "%" (2 of 3
// gives "66%"); "0%" when total is not positive.
QString truncatedPercent(qint64 done, qint64 total);

} // namespace ViewModelTexts
