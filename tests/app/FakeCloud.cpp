#include "FakeCloud.h"

namespace {

QString operationName(FakeCloud::Operation operation)
{
    return QString::number(static_cast<int>(operation));
}

} // namespace

CloudApi::Factory FakeCloud::factory(const std::shared_ptr<FakeCloud>& cloud)
{
    return [cloud](LogSink log) -> std::shared_ptr<CloudApi> {
        std::lock_guard lock(cloud->m_mutex);
        cloud->m_log = std::move(log);
        return cloud;
    };
}

CloudResult FakeCloud::notConfigured()
{
    return {false, QStringLiteral("Chưa cấu hình Supabase URL/anon key.")};
}

void FakeCloud::setConfigured(bool configured)
{
    std::lock_guard lock(m_mutex);
    m_configured = configured;
}

void FakeCloud::setReleasePolicy(const std::optional<ReleasePolicy>& policy)
{
    std::lock_guard lock(m_mutex);
    m_releasePolicy = policy;
}

void FakeCloud::setResult(Operation operation, const CloudResult& result)
{
    std::lock_guard lock(m_mutex);
    m_results.insert(static_cast<int>(operation), result);
}

void FakeCloud::setLogLines(Operation operation, const QStringList& lines)
{
    std::lock_guard lock(m_mutex);
    m_logLines.insert(static_cast<int>(operation), lines);
}

void FakeCloud::setCachedCatalogRows(const QList<QJsonObject>& rows)
{
    std::lock_guard lock(m_mutex);
    m_catalogRows = rows;
}

void FakeCloud::setCachedBusinessPolicyRows(const QList<QJsonObject>& rows)
{
    std::lock_guard lock(m_mutex);
    m_businessPolicyRows = rows;
}

std::shared_ptr<Gate> FakeCloud::hold(Operation operation)
{
    return m_gates.hold(operationName(operation));
}

void FakeCloud::releaseAll()
{
    m_gates.releaseAll();
}

QList<FakeCloud::Call> FakeCloud::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

QList<FakeCloud::Call> FakeCloud::calls(Operation operation) const
{
    QList<Call> found;
    for (const Call& call : calls())
        if (call.operation == operation)
            found.append(call);
    return found;
}

void FakeCloud::request(Operation operation, const QStringList& arguments)
{
    LogSink sink;
    QStringList lines;
    {
        std::lock_guard lock(m_mutex);
        m_calls.append({operation, arguments, QThread::currentThread()});
        sink = m_log;
        lines = m_logLines.value(static_cast<int>(operation));
    }
    if (sink)
        for (const QString& line : lines)
            sink(line);
    m_gates.pass(operationName(operation), {});
}

CloudResult FakeCloud::result(Operation operation) const
{
    std::lock_guard lock(m_mutex);
    return m_results.value(static_cast<int>(operation), notConfigured());
}

bool FakeCloud::isConfigured() const
{
    std::lock_guard lock(m_mutex);
    return m_configured;
}

std::optional<ReleasePolicy> FakeCloud::releasePolicy()
{
    request(Operation::releasePolicy, {});
    std::lock_guard lock(m_mutex);
    return m_releasePolicy;
}

CloudResult FakeCloud::syncCatalog()
{
    request(Operation::syncCatalog, {});
    return result(Operation::syncCatalog);
}

QList<QJsonObject> FakeCloud::cachedCatalogRows()
{
    std::lock_guard lock(m_mutex);
    return m_catalogRows;
}

QList<QJsonObject> FakeCloud::cachedBusinessPolicyRows()
{
    std::lock_guard lock(m_mutex);
    return m_businessPolicyRows;
}

CloudResult FakeCloud::uploadReport(const QList<QMap<QString, QString>>& items)
{
    QStringList ids;
    for (const QMap<QString, QString>& item : items)
        ids.append(item.value(QStringLiteral("item_id")));
    request(Operation::uploadReport, ids);
    return result(Operation::uploadReport);
}

CloudResult FakeCloud::syncTechnicianWorkspace()
{
    request(Operation::syncTechnicianWorkspace, {});
    return result(Operation::syncTechnicianWorkspace);
}

CloudResult FakeCloud::updateTechnicianBranding(const QString& displayName, const std::optional<QString>& logoDataURL)
{
    request(Operation::updateTechnicianBranding, {displayName, logoDataURL.value_or(QStringLiteral("<none>"))});
    return result(Operation::updateTechnicianBranding);
}

CloudResult FakeCloud::saveTechnicianProfile(const QString& name, const QString& itemIDsText)
{
    request(Operation::saveTechnicianProfile, {name, itemIDsText});
    return result(Operation::saveTechnicianProfile);
}

CloudResult FakeCloud::businessDeviceConfig(const QString& action, const QString& department, const QString& assetCode)
{
    request(Operation::businessDeviceConfig, {action, department, assetCode});
    return result(Operation::businessDeviceConfig);
}
