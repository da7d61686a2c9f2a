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

QString vietnameseOrEnglish(AppLanguage language, const char* vi, const char* en)
{
    return QString::fromUtf8(language == AppLanguage::vietnamese ? vi : en);
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

QString reportWritten(AppLanguage language)
{
    return pick(language, "Report written", "Đã ghi report", "보고서를 작성했습니다", "レポートを書き込みました",
                "报告已写入");
}

QString openedReport(AppLanguage language)
{
    return pick(language, "Opened report", "Đã mở report", "보고서를 열었습니다", "レポートを開きました",
                "已打开报告");
}

QString exportPdfTitle(AppLanguage language)
{
    return pick(language, "Export PDF", "Xuất PDF", "PDF 내보내기", "PDFを書き出す", "导出 PDF");
}

QString scanBeforeExport(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Hãy quét máy trước khi xuất PDF.", "Scan the computer before exporting PDF.");
}

QString enterInspectorAndTitle(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Hãy nhập tên người kiểm tra và tiêu đề báo cáo.",
                               "Enter the inspector name and report title.");
}

QString pdfExported(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Đã xuất PDF", "PDF exported");
}

QString syncingWorkspace(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Đang đồng bộ workspace cửa hàng…", "Syncing repair-shop workspace…");
}

QString savingBranding(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Đang lưu tên và logo cửa hàng…", "Saving repair-shop branding…");
}

QString savingSharedProfile(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Đang lưu profile dùng chung…", "Saving shared setup profile…");
}

QString loadingBusinessConfig(AppLanguage language)
{
    return vietnameseOrEnglish(language, "Đang tải cấu hình Business…", "Loading Business configuration…");
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
