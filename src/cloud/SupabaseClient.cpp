#include "cloud/SupabaseClient.h"

#include "cloud/SupabaseEndpointPolicy.h"

SupabaseClient::SupabaseClient(std::optional<SupabaseConfig> config, LogSink log, std::chrono::milliseconds timeout,
                               QSslConfiguration tls, Host host)
    : m_frame(std::move(config), timeout, std::move(tls)), m_log(std::move(log)), m_host(std::move(host))
{
}

std::optional<SupabaseConfig> SupabaseClient::makeConfig(const QString& url, const QString& anonKey,
                                                         const QString& functionsURL)
{
    const std::optional<QString> base = SupabaseEndpointPolicy::normalizedHTTPSBaseURL(url);
    if (!base)
        return std::nullopt;
    const QString key = anonKey.trimmed();
    if (key.isEmpty())
        return std::nullopt;
    if (base->contains(QLatin1String("YOUR_PROJECT")) || key.contains(QLatin1String("YOUR_SUPABASE")))
        return std::nullopt;
    const std::optional<QString> functions = SupabaseEndpointPolicy::functionsURL(*base, functionsURL);
    if (!functions)
        return std::nullopt;
    return SupabaseConfig(*base, key, *functions);
}

void SupabaseClient::log(const QString& line) const
{
    if (m_log)
        m_log(m_frame.redacted(line));
}

CloudResult SupabaseClient::notConfigured()
{
    return {false, QStringLiteral("Chưa cấu hình Supabase URL/anon key.")};
}

SupabaseRequestFrame::Result SupabaseClient::callFunction(const QString& name, QJsonObject body) const
{
    if (!config())
        return {false, notConfigured().message};
    if (!body.contains(QLatin1String("device_hash")))
        body.insert(QStringLiteral("device_hash"), currentDeviceHash());
    return m_frame.requestJSON(config()->functionsURL() + QLatin1Char('/') + name, QStringLiteral("POST"), body);
}
