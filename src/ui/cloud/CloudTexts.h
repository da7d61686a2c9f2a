#pragma once

#include "i18n/AppLanguage.h"

#include <QString>

// The cloud sheet's own words. The output box's title has a form for each
// language; every text of the management panel is a pair: the Vietnamese
// form for Vietnamese, the English form for every other language.
namespace CloudTexts {

// The output box's title.
QString outputTitle(AppLanguage language);

// The management panel: its header and the titles of its three sections.
QString panelTitle(AppLanguage language);
QString catalogSection(AppLanguage language);
QString workspaceSection(AppLanguage language);
QString businessSection(AppLanguage language);

// The panel's buttons.
QString syncCatalog(AppLanguage language);
QString uploadReport(AppLanguage language);
QString syncWorkspace(AppLanguage language);
QString saveBranding(AppLanguage language);
QString saveProfile(AppLanguage language);
QString fetchConfiguration(AppLanguage language);
QString saveDeviceFields(AppLanguage language);

// The placeholders of the panel's fields.
QString brandingPlaceholder(AppLanguage language);
QString profileNamePlaceholder(AppLanguage language);
QString profileIDsPlaceholder(AppLanguage language);
QString departmentPlaceholder(AppLanguage language);
QString assetCodePlaceholder(AppLanguage language);

} // namespace CloudTexts
