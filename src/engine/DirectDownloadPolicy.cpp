#include "engine/DirectDownloadPolicy.h"

#include <QUrl>

namespace DirectDownloadPolicy {

bool allows(const QString& address, const QSet<QString>& allowedHosts)
{
    // The parser lowers the scheme, so the written form is tested on the text.
    if (!address.startsWith(QLatin1String("https:")))
        return false;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.scheme() != QLatin1String("https"))
        return false;
    const QString host = url.host(QUrl::FullyEncoded).toLower();
    return !host.isEmpty() && allowedHosts.contains(host);
}

} // namespace DirectDownloadPolicy
