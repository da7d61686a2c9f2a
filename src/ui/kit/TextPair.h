#pragma once

#include "i18n/AppLanguage.h"

#include <QString>

// The texts the report and cloud sheets keep in two forms: the Vietnamese
// form for Vietnamese, the English form for every other language.
namespace TextPair {

QString pair(AppLanguage language, const char* vietnamese, const char* english);

} // namespace TextPair
