#include "ui/report/ReportTexts.h"

#include "ui/kit/TextPair.h"

namespace ReportTexts {

using TextPair::pair;

QString scanAgain(AppLanguage language)
{
    return pair(language, "Quét lại", "Scan again");
}

QString kitPillTooltip(AppLanguage language)
{
    return pair(language, "Mục trong bộ Tavrin đã cài", "Installed items from the Tavrin kit");
}

QString applicationsPill(qsizetype count)
{
    return QString::number(count) + QStringLiteral(" APPS");
}

QString kitPill(int installed, qsizetype total)
{
    return QString::number(installed) + u'/' + QString::number(total) + QStringLiteral(" TAVRIN");
}

QString ownerTitle(AppLanguage language)
{
    return pair(language, "Người kiểm tra", "Inspector");
}

QString ownerSubtitle(AppLanguage language)
{
    return pair(language, "Người lập báo cáo", "Report owner");
}

QString deliveryTitle(AppLanguage language)
{
    return pair(language, "Báo cáo", "Report");
}

QString deliverySubtitle(AppLanguage language)
{
    return pair(language, "Nơi nhận và tiêu đề", "Delivery details");
}

QString notesTitle(AppLanguage language)
{
    return pair(language, "Ghi chú nhập tay & kết luận", "Manual notes & conclusion");
}

QString notesSubtitle(AppLanguage language)
{
    return pair(language, "Nội dung tự nhập, không phải cấu hình máy", "User-entered text, not detected hardware");
}

QString inspectorLabel(AppLanguage language)
{
    return pair(language, "Họ và tên *", "Full name *");
}

QString teamLabel(AppLanguage language)
{
    return pair(language, "Team / đơn vị", "Team / unit");
}

QString recipientLabel(AppLanguage language)
{
    return pair(language, "Nơi nhận / cấp trên", "Recipient");
}

QString subjectLabel(AppLanguage language)
{
    return pair(language, "Tiêu đề *", "Title *");
}

QString profileHint(AppLanguage language)
{
    return pair(language, "PDF ưu tiên phần mềm cài thêm; ứng dụng mặc định của macOS được loại khỏi danh sách.",
                "The PDF prioritizes additionally installed software; default macOS apps are excluded.");
}

QString tableTitle(AppLanguage language)
{
    return pair(language, "Phần mềm và gói ứng dụng", "Software and application packages");
}

QString tableSubtitle(AppLanguage language)
{
    return pair(language, "Bằng chứng cài đặt và chữ ký", "Install and signature evidence");
}

QString scannedPrefix(AppLanguage language)
{
    return pair(language, "Quét lúc: ", "Scanned: ");
}

QString licenseColumnTitle(AppLanguage language)
{
    return pair(language, "Bản quyền / key", "License / key");
}

QString emptyTitle(AppLanguage language)
{
    return pair(language, "Chưa có dữ liệu quét", "No scan data yet");
}

QString emptyText(AppLanguage language)
{
    return pair(language, "Quét máy để lấy danh sách phần mềm cài thêm trước khi xuất báo cáo.",
                "Scan this Mac to collect additionally installed software before exporting a report.");
}

QString scanComputer(AppLanguage language)
{
    return pair(language, "Quét máy", "Scan computer");
}

QString reportSource(AppLanguage language)
{
    return pair(language, "Tệp báo cáo nguồn", "Report source");
}

} // namespace ReportTexts
