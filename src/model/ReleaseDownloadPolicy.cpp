#include "model/ReleaseDownloadPolicy.h"

namespace ReleaseDownloadPolicy {

const QSet<QString>& allowedHosts()
{
    static const QSet<QString> hosts{QString::fromLatin1(releaseHost).toLower()};
    return hosts;
}

std::optional<QUrl> validatedURL(const QString& link)
{
    if (link.isEmpty())
        return std::nullopt;
    const QUrl url(link, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    if (url.scheme().isEmpty() || url.scheme().toLower() != QLatin1String("https"))
        return std::nullopt;
    const QString host = url.host(QUrl::FullyDecoded).toLower();
    if (host.isEmpty() || !allowedHosts().contains(host))
        return std::nullopt;
    if (!url.userName().isEmpty() || !url.password().isEmpty() || url.userInfo().size() > 0)
        return std::nullopt;

    const QString path = url.path(QUrl::FullyDecoded);
    const QString lastComponent = path.section(QLatin1Char('/'), -1);
    const qsizetype dot = lastComponent.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || lastComponent.mid(dot + 1).toLower() != QLatin1String("dmg"))
        return std::nullopt;
    return url;
}

} // namespace ReleaseDownloadPolicy
