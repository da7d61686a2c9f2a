#include "ui/audit/AuditTexts.h"

#include "audit/ResolvedDeveloperName.h"
#include "model/EnumText.h"

#include <QStringList>

namespace AuditTexts {

namespace {

QString pick(AppLanguage language, const char* en, const char* vi, const char* ko, const char* ja,
             const char* zh)
{
    return AppStrings(language).pick(en, vi, ko, ja, zh);
}

} // namespace

QString versionWord(AppLanguage language)
{
    return pick(language, "Version", "Phiên bản", "버전", "バージョン", "版本");
}

QString detectedWord(AppLanguage language)
{
    return pick(language, "Detected", "Đã phát hiện", "감지됨", "検出済み", "已检测");
}

QString detailsWord(AppLanguage language)
{
    return pick(language, "Details", "Chi tiết", "세부 정보", "詳細", "详情");
}

QString headerTitle(AppLanguage language)
{
    return pick(language, "macOS inventory", "Kiểm kê macOS", "macOS 인벤토리", "macOSインベントリ", "macOS 盘点");
}

QString scanTitle(AppLanguage language)
{
    return pick(language, "Scan Mac", "Quét máy", "Mac 스캔", "Macをスキャン", "扫描 Mac");
}

QString reportWord(AppLanguage language)
{
    return pick(language, "Report", "Report", "보고서", "レポート", "报告");
}

QString sourceTitle(AppLanguage language)
{
    return pick(language, "Source", "Nguồn", "소스", "入手元", "来源");
}

QString bundleIdentifierTitle(AppLanguage language)
{
    return language == AppLanguage::korean ? QStringLiteral("번들 / 패키지 ID")
                                           : QStringLiteral("Bundle / package ID");
}

QString teamIdentifierTitle(AppLanguage)
{
    return QStringLiteral("Team ID");
}

QString signingIdentifierTitle(AppLanguage language)
{
    return pick(language, "Signing identifier", "Signing identifier", "서명 식별자", "署名識別子",
                "签名标识符");
}

QString orDash(const QString& value)
{
    return value.isEmpty() ? QStringLiteral("\u2014") : value;
}

QString applicationDescription(const InstalledMacApplication& application, const AppStrings& strings)
{
    return versionWord(strings.language()) + u' ' + orDash(application.version) + QStringLiteral(" \u2022 ")
           + resolvedDeveloperName(application);
}

QString signalLines(const AppLicenseEvidence& evidence)
{
    if (!evidence.signals)
        return {};
    QStringList lines;
    for (const LicenseEvidenceSignal& signal : *evidence.signals)
        lines.append(QStringLiteral("\u2022 [") + EnumText::toString(signal.verification) + QStringLiteral("] ")
                     + signal.source + QStringLiteral(": ") + signal.detail);
    return lines.join(u'\n');
}

} // namespace AuditTexts
