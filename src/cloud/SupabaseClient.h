#pragma once

#include "cloud/ReleasePolicy.h"
#include "cloud/SupabaseConfig.h"
#include "cloud/SupabaseRequestFrame.h"

#include <QSslConfiguration>
#include <QString>

#include <chrono>
#include <functional>
#include <optional>

// The client of the optional cloud backend (PostgREST under the project's base
// URL, edge functions under the functions base URL). Without a configuration
// it exists but is not configured: every operation says so and sends nothing.
//
// Operations are synchronous: each runs its own request on the calling thread
// and returns when it is over (at most the time-out of idleness later). The
// client holds no mutable state, so operations may run on several threads at
// once; the log sink is called on the thread of the operation. Operations
// never throw; they answer a CloudResult, or no release policy.
class SupabaseClient {
public:
    // Receives one finished line (without any prefix).
    using LogSink = std::function<void(const QString& line)>;

    static constexpr std::chrono::milliseconds defaultTimeout{20000};

    // tls: the TLS configuration of every request (the system's trusted
    // authorities by default). timeout: a request idle this long fails.
    SupabaseClient(std::optional<SupabaseConfig> config, LogSink log,
                   std::chrono::milliseconds timeout = defaultTimeout,
                   QSslConfiguration tls = QSslConfiguration::defaultConfiguration());

    // The configuration from TAVRIN_SUPABASE_URL, TAVRIN_SUPABASE_ANON_KEY and
    // TAVRIN_SUPABASE_FUNCTIONS_URL when the first two are set (even when they
    // are refused), else from the first supabase.json of the search places
    // that yields one. Reads the environment and files; never logs.
    static std::optional<SupabaseConfig> loadConfig();

    // The places searched for supabase.json by loadConfig, in order.
    static QStringList configFileCandidates();

    // A configuration when the URL is an HTTPS base URL, the key is not blank,
    // neither holds a placeholder and the functions URL (blank for the
    // default) is on the same host; otherwise none.
    static std::optional<SupabaseConfig> makeConfig(const QString& url, const QString& anonKey,
                                                    const QString& functionsURL);

    const std::optional<SupabaseConfig>& config() const { return m_frame.config(); }
    bool isConfigured() const { return config().has_value(); }

    // Asks the "release-policy" function whether this build may still be
    // used. Every failure gives no policy and exactly one log line.
    std::optional<ReleasePolicy> releasePolicy() const;

private:
    void log(const QString& line) const;

    SupabaseRequestFrame m_frame;
    LogSink m_log;
};
