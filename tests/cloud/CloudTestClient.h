#pragma once

#include "cloud/SupabaseClient.h"
#include "support/LoopbackHttpsServer.h"

#include <QJsonDocument>
#include <QJsonObject>

#include <chrono>
#include <memory>

// The fixed Mac the test clients describe.
inline Host testHost()
{
    Host host;
    host.setLocalizedHostName(QStringLiteral("Máy Lan"));
    host.setMacOSVersion(QVersionNumber(14, 5, 1));
    host.setArchitecture(QStringLiteral("arm64"));
    return host;
}

// A client of the loopback server: configured for its base URL with the given
// key, trusting exactly its authority, describing a fixed Mac.
inline std::unique_ptr<SupabaseClient> makeTestClient(const LoopbackHttpsServer& server, const QString& anonKey,
                                                      std::chrono::milliseconds timeout = std::chrono::seconds(20))
{
    return std::make_unique<SupabaseClient>(SupabaseClient::makeConfig(server.baseUrl(), anonKey, {}),
                                            SupabaseClient::LogSink(), timeout, server.clientConfiguration(),
                                            testHost());
}

// A request's body as a JSON object (empty when it is not one).
inline QJsonObject jsonBody(const LoopbackHttpsServer::Request& request)
{
    return QJsonDocument::fromJson(request.body).object();
}
