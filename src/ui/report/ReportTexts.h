#pragma once

#include "i18n/AppLanguage.h"

#include <QString>

// The report sheet's own words. Most are pairs: the Vietnamese form for
// Vietnamese, the English form for every other language. The sheet's other
// texts (title, description, the developer and signature column titles, the
// badges, Close) are AppStrings texts, and the export button's title has a
// form for each language (ViewModelTexts::exportPdfTitle).
namespace ReportTexts {

// Header.
QString scanAgain(AppLanguage language);
QString kitPillTooltip(AppLanguage language);
// "<count> APPS" and "<installed>/<total> TAVRIN", plain numbers.
QString applicationsPill(qsizetype count);
QString kitPill(int installed, qsizetype total);

// The inspector profile column: the cards, the fields' labels and the hint.
QString ownerTitle(AppLanguage language);
QString ownerSubtitle(AppLanguage language);
QString deliveryTitle(AppLanguage language);
QString deliverySubtitle(AppLanguage language);
QString notesTitle(AppLanguage language);
QString notesSubtitle(AppLanguage language);
QString inspectorLabel(AppLanguage language);
QString teamLabel(AppLanguage language);
QString recipientLabel(AppLanguage language);
QString subjectLabel(AppLanguage language);
QString profileHint(AppLanguage language);

// The application table.
QString tableTitle(AppLanguage language);
QString tableSubtitle(AppLanguage language);
QString scannedPrefix(AppLanguage language);
QString licenseColumnTitle(AppLanguage language);
QString emptyTitle(AppLanguage language);
QString emptyText(AppLanguage language);
QString scanComputer(AppLanguage language);

// The action bar's label above the plain-text report's path.
QString reportSource(AppLanguage language);

} // namespace ReportTexts
