#include "app/ViewModelTexts.h"

#include <cmath>

namespace ViewModelTexts {

namespace {

QString pick(AppLanguage language, const char* en, const char* vi, const char* ko, const char* ja, const char* zh)
{
    switch (language) {
    case AppLanguage::vietnamese:
        return QString::fromUtf8(vi);
    case AppLanguage::korean:
        return QString::fromUtf8(ko);
    case AppLanguage::japanese:
        return QString::fromUtf8(ja);
    case AppLanguage::chinese:
        return QString::fromUtf8(zh);
    case AppLanguage::english:
        break;
    }
    return QString::fromUtf8(en);
}

} // namespace

QString standardPresetName(AppLanguage language)
{
    return pick(language, "standard set", "bộ chuẩn", "표준 세트", "標準セット", "标准套件");
}

QString fullPresetName(AppLanguage language)
{
    return pick(language, "all items", "tất cả", "전체 항목", "すべての項目", "全部项目");
}

QString updateRequiredTitle(AppLanguage language)
{
    return pick(language, "Update required", "Cần cập nhật", "업데이트 필요", "アップデートが必要", "需要更新");
}

QString methodLabel(AppKind kind)
{
    switch (kind) {
    case AppKind::direct:
        return QStringLiteral("Official DMG");
    case AppKind::formula:
        return QStringLiteral("Homebrew");
    case AppKind::cask:
        return QStringLiteral("Cask");
    case AppKind::bundle:
        return QStringLiteral("Bundle");
    case AppKind::shortcut:
        return QStringLiteral("Shortcut");
    case AppKind::builtin:
        return QStringLiteral("macOS");
    case AppKind::mime:
        return QStringLiteral("Default app");
    case AppKind::blocked:
        break;
    }
    return QStringLiteral("Không hỗ trợ");
}

QString roundedPercent(double fraction)
{
    return QString::number(static_cast<qint64>(std::round(fraction * 100.0))) + QLatin1Char('%');
}

QString truncatedPercent(qint64 done, qint64 total)
{
    if (total <= 0)
        return QStringLiteral("0%");
    return QString::number(done * 100 / total) + QLatin1Char('%');
}

} // namespace ViewModelTexts
