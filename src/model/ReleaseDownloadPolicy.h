#pragma once

#include <QSet>
#include <QString>
#include <QUrl>

#include <optional>

// Decides whether an update download link from the release policy may be
// opened: only an HTTPS link to the product's own release host that points at
// a disk image passes.
namespace ReleaseDownloadPolicy {

// The host that serves the product's release disk images.
inline constexpr const char* releaseHost = "releases.tavrin.vn";

// Exactly one element: releaseHost in lower case.
const QSet<QString>& allowedHosts();

std::optional<QUrl> validatedURL(const QString& link);

} // namespace ReleaseDownloadPolicy
