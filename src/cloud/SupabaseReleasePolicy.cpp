#include "cloud/SupabaseClient.h"

#include "cloud/CloudUrl.h"
#include "platform/AppRuntime.h"

std::optional<ReleasePolicy> SupabaseClient::releasePolicy() const
{
    if (!config()) {
        log(QStringLiteral("Bỏ qua release policy vì chưa cấu hình Supabase."));
        return std::nullopt;
    }

    const QString appVersion = AppRuntime::appVersion();
    QString currentVersion = AppRuntime::bundleString(QStringLiteral("CFBundleShortVersionString"));
    if (currentVersion.isEmpty())
        currentVersion = appVersion;
    const std::optional<QString> url = CloudUrl::withQuery(
        config()->functionsURL() + QStringLiteral("/release-policy"),
        {
            {QStringLiteral("product"), QStringLiteral("zaz_uvoved_udo")},
            {QStringLiteral("platform"), QStringLiteral("macos")},
            {QStringLiteral("channel"), QStringLiteral("stable")},
            {QStringLiteral("current_version"), currentVersion},
            {QStringLiteral("build"), AppRuntime::bundleString(QStringLiteral("CFBundleVersion"))},
            {QStringLiteral("app_version"), appVersion},
        });
    if (!url) {
        log(QStringLiteral("Không tạo được release policy URL."));
        return std::nullopt;
    }

    const SupabaseRequestFrame::Result response = m_frame.requestJSON(*url, QStringLiteral("GET"));
    if (!response.ok) {
        log(QStringLiteral("Không đọc được release policy: ") + m_frame.responseErrorText(response.body));
        return std::nullopt;
    }
    if (!response.body.isObject()) {
        log(QStringLiteral("Release policy trả về dữ liệu không hợp lệ."));
        return std::nullopt;
    }
    return ReleasePolicy::fromJson(response.body.toObject());
}
