#include "cloud/CloudUrl.h"

#include <QUrl>

namespace CloudUrl {

std::optional<QString> withQuery(const QString& base, const QueryItems& items)
{
    QUrl url(base, QUrl::StrictMode);
    if (!url.isValid() || url.hasQuery() || url.hasFragment())
        return std::nullopt;
    QByteArray query;
    for (const auto& [name, value] : items) {
        if (!query.isEmpty())
            query += '&';
        query += QUrl::toPercentEncoding(name) + '=' + QUrl::toPercentEncoding(value);
    }
    url.setQuery(QString::fromLatin1(query), QUrl::StrictMode);
    if (!url.isValid())
        return std::nullopt;
    return url.toString(QUrl::FullyEncoded);
}

} // namespace CloudUrl
