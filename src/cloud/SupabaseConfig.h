#pragma once

#include <QHashFunctions>
#include <QString>

class SupabaseClient;

// The validated backend endpoint. Only SupabaseClient::makeConfig (and so
// SupabaseClient::loadConfig) makes one, after the endpoint policy and the
// placeholder checks passed, so holding a value means it is usable.
class SupabaseConfig {
public:
    // The project base URL: https, no trailing "/", no user, password, query
    // or fragment; the PostgREST paths are appended to it.
    const QString& url() const { return m_url; }
    // The project's anonymous key, trimmed, never empty. Sent as headers only:
    // never put it into a log line, an error text or a message.
    const QString& anonKey() const { return m_anonKey; }
    // The edge-functions base URL (url + "/functions/v1", or a custom URL on
    // the same host); function names are appended to it.
    const QString& functionsURL() const { return m_functionsURL; }

    bool operator==(const SupabaseConfig&) const = default;

private:
    friend class SupabaseClient;
    SupabaseConfig(QString url, QString anonKey, QString functionsURL)
        : m_url(std::move(url)), m_anonKey(std::move(anonKey)), m_functionsURL(std::move(functionsURL))
    {
    }

    QString m_url;
    QString m_anonKey;
    QString m_functionsURL;
};

inline size_t qHash(const SupabaseConfig& config, size_t hashSeed = 0)
{
    return qHashMulti(hashSeed, config.url(), config.anonKey(), config.functionsURL());
}
