#include "ui/kit/TextPair.h"

namespace TextPair {

QString pair(AppLanguage language, const char* vietnamese, const char* english)
{
    return QString::fromUtf8(language == AppLanguage::vietnamese ? vietnamese : english);
}

} // namespace TextPair
