#pragma once

#include <QString>
#include <QUrl>

#include <optional>

// The rules that keep every backend request on HTTPS and on the configured
// host. Pure functions: a refusal is an absent result (or false), never an
// error or a log line.
namespace SupabaseEndpointPolicy {

// The value trimmed of white space and with every "/" removed from both ends,
// in the letter case given, when it parses strictly as an HTTPS URL with a
// host and without user, password, query (even an empty one) or fragment.
// A path is allowed.
std::optional<QString> normalizedHTTPSBaseURL(const QString& value);

// The edge-functions base: the normalised base + "/functions/v1" when the
// custom URL is blank after trimming, else the normalised custom URL when its
// host equals the base's host (letter case ignored); otherwise absent.
std::optional<QString> functionsURL(const QString& baseURL, const QString& customURL);

// Whether a parsed request URL may be used: HTTPS, no user or password, and a
// host equal (letter case ignored) to the host of the configured base URL.
// Port, path and query are not compared.
bool allows(const QUrl& endpoint, const QString& baseURL);

} // namespace SupabaseEndpointPolicy
