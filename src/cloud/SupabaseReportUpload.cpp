#include "cloud/SupabaseClient.h"

#include "cloud/CloudJson.h"
#include "platform/AppRuntime.h"

#include <QJsonArray>

namespace {

QJsonObject textObject(const QMap<QString, QString>& map)
{
    QJsonObject object;
    for (auto entry = map.begin(); entry != map.end(); ++entry)
        object.insert(entry.key(), entry.value());
    return object;
}

} // namespace

CloudResult SupabaseClient::uploadReport(const QList<QMap<QString, QString>>& items) const
{
    if (!config())
        return notConfigured();

    qint64 installed = 0;
    QJsonArray rows;
    for (const QMap<QString, QString>& item : items) {
        if (item.value(QStringLiteral("status")) == QLatin1String("installed"))
            ++installed;
        rows.append(textObject(item));
    }
    // The identifier is read once: the credential and the description carry the same hash.
    const QString hash = currentDeviceHash();
    const QJsonObject body{
        {QStringLiteral("device_hash"), hash},
        {QStringLiteral("app_version"), AppRuntime::appVersion()},
        {QStringLiteral("device"), textObject(deviceInfo(hash))},
        {QStringLiteral("summary"),
         QJsonObject{{QStringLiteral("installed"), installed}, {QStringLiteral("total"), qint64(items.size())}}},
        {QStringLiteral("items"), rows},
    };

    const SupabaseRequestFrame::Result response = callFunction(QStringLiteral("upload-install-report"), body);
    if (!response.ok)
        return {false, QStringLiteral("Upload report thất bại: ") + m_frame.responseErrorText(response.body)};
    // An answer that is not an object has no run identifier.
    const QString runID = CloudJson::string(response.body.toObject().value(QLatin1String("run_id")));
    if (runID.isEmpty())
        return {true, QStringLiteral("Đã upload report.")};
    return {true, QStringLiteral("Đã upload report: ") + runID};
}
