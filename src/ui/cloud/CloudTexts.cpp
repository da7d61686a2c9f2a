#include "ui/cloud/CloudTexts.h"

#include "i18n/AppStrings.h"
#include "ui/kit/TextPair.h"

namespace CloudTexts {

using TextPair::pair;

QString outputTitle(AppLanguage language)
{
    return AppStrings(language).pick("Last cloud result", "Kết quả cloud gần nhất", "최근 클라우드 결과",
                                     "最新のクラウド結果", "最近的云端结果");
}

QString panelTitle(AppLanguage language)
{
    return pair(language, "Công cụ quản trị cloud", "Cloud management tools");
}

QString catalogSection(AppLanguage language)
{
    return pair(language, "Catalog và báo cáo", "Catalog and report");
}

QString workspaceSection(AppLanguage language)
{
    return pair(language, "Workspace kỹ thuật viên", "Technician workspace");
}

QString businessSection(AppLanguage language)
{
    return pair(language, "Thiết bị Business", "Business device");
}

QString syncCatalog(AppLanguage language)
{
    return pair(language, "Đồng bộ catalog", "Sync catalog");
}

QString uploadReport(AppLanguage language)
{
    return pair(language, "Tải báo cáo lên", "Upload report");
}

QString syncWorkspace(AppLanguage language)
{
    return pair(language, "Đồng bộ workspace", "Sync workspace");
}

QString saveBranding(AppLanguage language)
{
    return pair(language, "Lưu thương hiệu", "Save branding");
}

QString saveProfile(AppLanguage language)
{
    return pair(language, "Lưu profile dùng chung", "Save shared profile");
}

QString fetchConfiguration(AppLanguage language)
{
    return pair(language, "Tải cấu hình", "Fetch configuration");
}

QString saveDeviceFields(AppLanguage language)
{
    return pair(language, "Lưu thông tin thiết bị", "Save device fields");
}

QString brandingPlaceholder(AppLanguage language)
{
    return pair(language, "Tên hiển thị workspace", "Workspace display name");
}

QString profileNamePlaceholder(AppLanguage language)
{
    return pair(language, "Tên profile", "Profile name");
}

QString profileIDsPlaceholder(AppLanguage language)
{
    return pair(language, "ID catalog, phân tách bằng dấu phẩy", "Catalog item IDs, comma-separated");
}

QString departmentPlaceholder(AppLanguage language)
{
    return pair(language, "Phòng ban", "Department");
}

QString assetCodePlaceholder(AppLanguage language)
{
    return pair(language, "Mã tài sản", "Asset code");
}

} // namespace CloudTexts
