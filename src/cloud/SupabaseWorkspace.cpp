// The technician workspace (branding and shared profiles) and the business
// device configuration: edge-function calls whose answers are cached whole.

#include "cloud/SupabaseClient.h"

#include "cloud/CloudJson.h"

#include <QJsonArray>

#include <algorithm>

namespace {

const QString workspaceFunction = QStringLiteral("manage-technician-workspace");
const QString businessFunction = QStringLiteral("business-device-config");

// The number of elements of an array of objects only; 0 for anything else.
qsizetype objectCount(const QJsonValue& value)
{
    const QJsonArray array = value.toArray();
    if (!value.isArray() || !std::all_of(array.begin(), array.end(), [](const QJsonValue& v) { return v.isObject(); }))
        return 0;
    return array.size();
}

// Comma-separated ids: pieces trimmed and lower-cased, empty ones dropped,
// order and repeats kept.
QJsonArray itemIDs(const QString& text)
{
    QJsonArray ids;
    for (const QString& piece : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString id = piece.trimmed().toLower();
        if (!id.isEmpty())
            ids.append(id);
    }
    return ids;
}

} // namespace

CloudResult SupabaseClient::syncTechnicianWorkspace() const
{
    if (!config())
        return notConfigured();

    const SupabaseRequestFrame::Result response =
        callFunction(workspaceFunction, {{QStringLiteral("action"), QStringLiteral("get")}});
    if (!response.ok || !response.body.isObject())
        return {false, QStringLiteral("Không đồng bộ được workspace: ") + m_frame.responseErrorText(response.body)};

    const QJsonObject answer = response.body.toObject();
    if (const std::optional<QString> error = writeCacheFile(workspaceCacheFileName, answer))
        return {false, QStringLiteral("Không lưu được workspace: ") + *error};
    return {true, workspaceSyncedText(answer)};
}

QString SupabaseClient::workspaceSyncedText(const QJsonObject& answer)
{
    const QJsonObject workspace = answer.value(QLatin1String("workspace")).toObject();
    const QString name =
        CloudJson::string(workspace.value(QLatin1String("display_name")), QStringLiteral("Tavrin workspace"));
    return QStringLiteral("Đã đồng bộ ") + name + QStringLiteral(": ")
        + QString::number(objectCount(answer.value(QLatin1String("profiles")))) + QStringLiteral(" profile dùng chung.");
}

CloudResult SupabaseClient::updateTechnicianBranding(const QString& displayName,
                                                     const std::optional<QString>& logoDataURL) const
{
    if (!config())
        return notConfigured();

    const SupabaseRequestFrame::Result response = callFunction(
        workspaceFunction, {
                               {QStringLiteral("action"), QStringLiteral("update_branding")},
                               {QStringLiteral("display_name"), displayName.trimmed()},
                               {QStringLiteral("logo_data_url"), logoDataURL ? QJsonValue(*logoDataURL) : QJsonValue()},
                           });
    if (!response.ok)
        return {false, QStringLiteral("Không lưu được branding: ") + m_frame.responseErrorText(response.body)};
    return syncTechnicianWorkspace();
}

CloudResult SupabaseClient::saveTechnicianProfile(const QString& name, const QString& itemIDsText) const
{
    if (!config())
        return notConfigured();

    const SupabaseRequestFrame::Result response =
        callFunction(workspaceFunction, {
                                            {QStringLiteral("action"), QStringLiteral("save_profile")},
                                            {QStringLiteral("name"), name.trimmed()},
                                            {QStringLiteral("item_ids"), itemIDs(itemIDsText)},
                                        });
    if (!response.ok)
        return {false, QStringLiteral("Không lưu được profile: ") + m_frame.responseErrorText(response.body)};
    return syncTechnicianWorkspace();
}

CloudResult SupabaseClient::businessDeviceConfig(const QString& action, const QString& department,
                                                 const QString& assetCode) const
{
    if (!config())
        return notConfigured();

    const SupabaseRequestFrame::Result response =
        callFunction(businessFunction, {
                                           {QStringLiteral("action"), action},
                                           {QStringLiteral("department"), department.trimmed()},
                                           {QStringLiteral("asset_code"), assetCode.trimmed()},
                                       });
    if (!response.ok || !response.body.isObject())
        return {false, QStringLiteral("Không tải được cấu hình Business: ") + m_frame.responseErrorText(response.body)};

    const QJsonObject answer = response.body.toObject();
    if (const std::optional<QString> error = writeCacheFile(businessPolicyCacheFileName, answer))
        return {false, QStringLiteral("Không lưu được policy Business: ") + *error};
    return {true, businessConfigAppliedText(answer)};
}

QString SupabaseClient::businessConfigAppliedText(const QJsonObject& answer)
{
    const QJsonObject organization = answer.value(QLatin1String("organization")).toObject();
    return QStringLiteral("Đã áp ") + QString::number(objectCount(answer.value(QLatin1String("policies"))))
        + QStringLiteral(" policy từ ")
        + CloudJson::string(organization.value(QLatin1String("name")), QStringLiteral("Business organization"))
        + QLatin1Char('.');
}
