#include "audit/ReportFontFamilies.h"

#ifdef Q_OS_MACOS
#include <QFont>
#include <QFontDatabase>
#endif

QStringList reportFontFamilies()
{
#ifdef Q_OS_MACOS
    return {QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()};
#else
    return {QStringLiteral("Inter"), QStringLiteral("Noto Sans CJK JP")};
#endif
}
