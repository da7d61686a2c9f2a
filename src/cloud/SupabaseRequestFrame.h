#pragma once

#include "cloud/SupabaseConfig.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QSslConfiguration>
#include <QString>

#include <chrono>
#include <optional>

// The one way requests reach the backend: it refuses endpoints the endpoint
// policy does not allow, adds the project's key headers and a JSON body, sends
// the request once without following redirects, and hands back a success flag
// and the decoded body. It never throws and never logs.
//
// Each call runs its own network manager in a local event loop on the calling
// thread and returns when the exchange is over, so calls are synchronous and
// may run on several threads at once (the frame holds no mutable state). The
// calling thread needs no running event loop, only a QCoreApplication.
class SupabaseRequestFrame {
public:
    struct Result {
        bool ok = false;
        // A JSON object or array, or a text (a message of the frame, an
        // undecodable body's "HTTP <status>", or a body that is plain text).
        QJsonValue body;
    };

    // tls is the TLS configuration every request uses (its trusted
    // authorities among others); timeout ends a request that stays idle that long.
    SupabaseRequestFrame(std::optional<SupabaseConfig> config, std::chrono::milliseconds timeout,
                         QSslConfiguration tls);

    const std::optional<SupabaseConfig>& config() const { return m_config; }

    // method is "GET" or "POST"; a payload is sent as compact JSON.
    Result requestJSON(const QString& url, const QString& method,
                       const std::optional<QJsonObject>& payload = std::nullopt) const;

    // The message for a failed call's body: a non-object gives its
    // description; an object gives its "error" code (or "unknown_error")
    // mapped through the table of known codes, then " Chi tiết: " and its
    // "detail" when that is not empty. The anonymous key never appears in it.
    QString responseErrorText(const QJsonValue& body) const;

    // The key replaced wherever a text quotes it.
    QString redacted(const QString& text) const;

private:
    std::optional<SupabaseConfig> m_config;
    std::chrono::milliseconds m_timeout;
    QSslConfiguration m_tls;
};
