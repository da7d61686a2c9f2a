#pragma once

#include <QList>
#include <QPair>
#include <QString>

#include <optional>

// Request URLs of the backend: a base URL text with query items appended.
namespace CloudUrl {

using QueryItems = QList<QPair<QString, QString>>;

// The base parsed strictly, with the items as its query in the given order,
// names and values percent-encoded as UTF-8 (everything but letters, digits
// and "-._~", so a blank, "+", "&", "=" or parentheses survive any reader);
// the URL's fully encoded text, or nothing when the base does not parse or
// already has a query or fragment.
std::optional<QString> withQuery(const QString& base, const QueryItems& items);

} // namespace CloudUrl
