#pragma once

#include "cloud/CloudResult.h"
#include "cloud/ReleasePolicy.h"
#include "cloud/SupabaseConfig.h"
#include "cloud/SupabaseRequestFrame.h"
#include "platform/Host.h"

#include <QJsonObject>
#include <QList>
#include <QMap>
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
//
// The operations that answer a CloudResult check the configuration first:
// without one they answer "Chưa cấu hình Supabase URL/anon key." and neither
// send anything nor touch a file. Edge-function bodies carry the device's
// salted hash under "device_hash"; the raw device identifier never leaves the
// machine and is never logged. Cache files are replaced atomically, so a failed
// call or write leaves the previous file exactly as it was.
class SupabaseClient {
public:
    // Receives one finished line (without any prefix).
    using LogSink = std::function<void(const QString& line)>;

    static constexpr std::chrono::milliseconds defaultTimeout{20000};

    // tls: the TLS configuration of every request (the system's trusted
    // authorities by default). timeout: a request idle this long fails.
    // host: the Mac described to the backend (its name, macOS version and
    // architecture), the environment's by default.
    SupabaseClient(std::optional<SupabaseConfig> config, LogSink log,
                   std::chrono::milliseconds timeout = defaultTimeout,
                   QSslConfiguration tls = QSslConfiguration::defaultConfiguration(),
                   Host host = Host::fromEnvironment());

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

    // ------------------------------------------------------ device identity

    static constexpr char deviceIDFileName[] = "device-id";
    static constexpr char deviceHashSalt[] = "tavrin-office-kit:mac-hardware:";

    // The device identifier file: AppRuntime::appSupportDir() + "/device-id".
    static QString deviceIDFilePath();

    // The device's private identifier, read afresh from its file. A missing or
    // blank file is replaced by a new random UUID (upper-case text and a line
    // feed, owner-only). When the folder or the file cannot be made, the
    // unstored fallback "<computer name>|<USER>". Never logged, never sent.
    QString currentDeviceID() const;
    // The device's pseudonym: SHA-256 of deviceHashSalt followed by the
    // identifier, as 64 lower-case hexadecimal digits.
    QString currentDeviceHash() const;
    static QString deviceHash(const QString& deviceID);
    // The seven texts describing this Mac to the backend: "device_hash",
    // "device_label" (the computer name, "unknown" without one),
    // "ubuntu_version" ("macOS " + version), "platform" ("macos"),
    // "macos_version", "architecture" and "app_version".
    QMap<QString, QString> currentDeviceInfo() const;

    // --------------------------------------------- catalog sync and caches

    static constexpr char catalogCacheFileName[] = "supabase-catalog.json";
    static constexpr char businessPolicyCacheFileName[] = "business-policy.json";
    static constexpr char workspaceCacheFileName[] = "technician-workspace.json";

    // A cache file's place: AppRuntime::cacheDir() + "/" + fileName.
    static QString cacheFilePath(const char* fileName);

    // Reads the table "app_catalog" and stores its rows with the time of the
    // sync in the catalog cache file ({"items": [...], "synced_at": "...Z"}).
    CloudResult syncCatalog() const;

    // The "items" of the catalog cache file, and the "policies" of the
    // business-policy cache file: empty unless the file is a JSON object whose
    // member is an array of objects only. They only read, work offline and
    // without configuration, and never log.
    static QList<QJsonObject> cachedCatalogRows();
    static QList<QJsonObject> cachedBusinessPolicyRows();

    // ------------------------------------------------- install report upload

    // Posts the install-status rows (as MacBackend::installStatusSnapshot()
    // gives them) with the device's description and a summary to the
    // "upload-install-report" function; the message names the stored run.
    CloudResult uploadReport(const QList<QMap<QString, QString>>& items) const;

    // ------------------------ technician workspace and business configuration

    // Loads the workspace ("get") and stores the whole answer in the workspace
    // cache file, which the PDF report's page header reads.
    CloudResult syncTechnicianWorkspace() const;
    // Saves the display name (trimmed) and the logo data URL (JSON null
    // without one), then answers what the workspace sync that follows answers.
    CloudResult updateTechnicianBranding(const QString& displayName,
                                         const std::optional<QString>& logoDataURL) const;
    // Saves a shared profile of the comma-separated catalog ids (each trimmed
    // and lower-cased, blanks dropped, order and repeats kept), then answers
    // what the workspace sync that follows answers.
    CloudResult saveTechnicianProfile(const QString& name, const QString& itemIDsText) const;
    // Runs a business action ("fetch" or "update") with the department and
    // asset code (trimmed) and stores the whole answer in the business-policy
    // cache file, whose "policies" the catalog's policy filter applies.
    CloudResult businessDeviceConfig(const QString& action, const QString& department,
                                     const QString& assetCode) const;

    // What a successful workspace sync and business action say, read from the
    // answer object alone (its display or organisation name and the number of
    // shared profiles or policies).
    static QString workspaceSyncedText(const QJsonObject& answer);
    static QString businessConfigAppliedText(const QJsonObject& answer);

private:
    void log(const QString& line) const;

    static CloudResult notConfigured();
    // POSTs the body to the named edge function, with the device hash added
    // under "device_hash" unless the body already carries it.
    SupabaseRequestFrame::Result callFunction(const QString& name, QJsonObject body) const;
    // Writes the object pretty-printed with sorted keys into the cache folder
    // (created with its parents when missing); the error text on failure.
    static std::optional<QString> writeCacheFile(const char* fileName, const QJsonObject& object);
    QMap<QString, QString> deviceInfo(const QString& deviceHash) const;

    SupabaseRequestFrame m_frame;
    LogSink m_log;
    Host m_host;
};
