#include "cloud/SupabaseClient.h"

#include "cloud/CloudUrl.h"

#include <QDateTime>
#include <QJsonArray>

#include <algorithm>

CloudResult SupabaseClient::syncCatalog() const
{
    if (!config())
        return notConfigured();

    const std::optional<QString> url = CloudUrl::withQuery(
        config()->url() + QStringLiteral("/rest/v1/app_catalog"),
        {
            {QStringLiteral("select"),
             QStringLiteral("item_id,name,group_key,kind,packages,description,is_active,sort_order,updated_at")},
            {QStringLiteral("order"), QStringLiteral("sort_order.asc")},
        });
    if (!url)
        return {false, QStringLiteral("Không tạo được URL đồng bộ catalog.")};

    const SupabaseRequestFrame::Result response = m_frame.requestJSON(*url, QStringLiteral("GET"));
    if (!response.ok)
        return {false, QStringLiteral("Không đồng bộ được catalog: ") + m_frame.responseErrorText(response.body)};

    const QJsonArray rows = response.body.toArray();
    const bool allObjects =
        std::all_of(rows.begin(), rows.end(), [](const QJsonValue& row) { return row.isObject(); });
    if (!response.body.isArray() || !allObjects)
        return {false, QStringLiteral("Catalog trả về không đúng định dạng.")};

    const QJsonObject cache{
        {QStringLiteral("items"), rows},
        {QStringLiteral("synced_at"), QDateTime::currentDateTimeUtc().toString(Qt::ISODateWithMs)},
    };
    if (const std::optional<QString> error = writeCacheFile(catalogCacheFileName, cache))
        return {false, QStringLiteral("Không ghi được cache catalog: ") + *error};
    return {true, QStringLiteral("Đã đồng bộ ") + QString::number(rows.size()) + QStringLiteral(" app từ Supabase.")};
}
