#include "cloud/SupabaseEndpointPolicy.h"

namespace SupabaseEndpointPolicy {

namespace {

QString trimmedOfSlashes(const QString& value)
{
    QString text = value.trimmed();
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == QLatin1Char('/'))
        ++begin;
    while (end > begin && text.at(end - 1) == QLatin1Char('/'))
        --end;
    return text.mid(begin, end - begin);
}

QString lowerHost(const QUrl& url)
{
    return url.host(QUrl::FullyDecoded).toLower();
}

// The authority of "scheme://authority/..." as written, so that an empty user
// ("https://@host") counts as present even where the parser drops it.
bool authorityHasUserInfo(const QString& text)
{
    const qsizetype start = text.indexOf(QLatin1String("://"));
    if (start < 0)
        return false;
    qsizetype end = start + 3;
    while (end < text.size() && text.at(end) != QLatin1Char('/') && text.at(end) != QLatin1Char('?')
           && text.at(end) != QLatin1Char('#'))
        ++end;
    return text.mid(start + 3, end - start - 3).contains(QLatin1Char('@'));
}

} // namespace

std::optional<QString> normalizedHTTPSBaseURL(const QString& value)
{
    const QString text = trimmedOfSlashes(value);
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    if (url.scheme().toLower() != QLatin1String("https"))
        return std::nullopt;
    if (lowerHost(url).isEmpty())
        return std::nullopt;
    if (!url.userName().isEmpty() || !url.password().isEmpty() || authorityHasUserInfo(text))
        return std::nullopt;
    if (url.hasQuery() || url.hasFragment())
        return std::nullopt;
    return text;
}

std::optional<QString> functionsURL(const QString& baseURL, const QString& customURL)
{
    const std::optional<QString> base = normalizedHTTPSBaseURL(baseURL);
    if (!base)
        return std::nullopt;
    const QString baseHost = lowerHost(QUrl(*base, QUrl::StrictMode));
    if (baseHost.isEmpty())
        return std::nullopt;

    if (trimmedOfSlashes(customURL).isEmpty())
        return *base + QLatin1String("/functions/v1");

    const std::optional<QString> custom = normalizedHTTPSBaseURL(customURL);
    if (!custom || lowerHost(QUrl(*custom, QUrl::StrictMode)) != baseHost)
        return std::nullopt;
    return custom;
}

bool allows(const QUrl& endpoint, const QString& baseURL)
{
    if (!endpoint.isValid() || endpoint.scheme().toLower() != QLatin1String("https"))
        return false;
    if (!endpoint.userName().isEmpty() || !endpoint.password().isEmpty())
        return false;
    const QString endpointHost = lowerHost(endpoint);
    if (endpointHost.isEmpty())
        return false;
    const QUrl base(baseURL, QUrl::StrictMode);
    const QString baseHost = base.isValid() ? lowerHost(base) : QString();
    return !baseHost.isEmpty() && endpointHost == baseHost;
}

} // namespace SupabaseEndpointPolicy
