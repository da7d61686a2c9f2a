#include "catalog/Catalog.h"

#include <QJsonArray>
#include <QJsonValue>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace Catalog {

namespace {

struct Override {
    bool active = true;
    std::optional<qint64> order;
};

// JSON true/false, or the numbers 1 and 0, read as a boolean.
std::optional<bool> readBoolean(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool();
    if (value.isDouble()) {
        const double number = value.toDouble();
        if (number == 1.0)
            return true;
        if (number == 0.0)
            return false;
    }
    return std::nullopt;
}

// A number truncated toward zero, clamped to the 64-bit range (the backend can
// send 1e300); a boolean counts as 1 or 0.
std::optional<qint64> readInteger(const QJsonValue& value)
{
    if (value.isBool())
        return value.toBool() ? 1 : 0;
    if (!value.isDouble())
        return std::nullopt;
    const double number = std::trunc(value.toDouble());
    if (std::isnan(number))
        return std::nullopt;
    constexpr double upper = 9223372036854775808.0; // 2^63
    if (number >= upper)
        return std::numeric_limits<qint64>::max();
    if (number < -upper)
        return std::numeric_limits<qint64>::min();
    return static_cast<qint64>(number);
}

// An array whose elements are all strings; anything else is ignored as a whole.
std::optional<QStringList> readStringArray(const QJsonValue& value)
{
    if (!value.isArray())
        return std::nullopt;
    QStringList strings;
    for (const QJsonValue& element : value.toArray()) {
        if (!element.isString())
            return std::nullopt;
        strings.append(element.toString());
    }
    return strings;
}

} // namespace

QList<AppItem> applyingCloudOverlay(const QList<QJsonObject>& rows, const QList<AppItem>& items)
{
    QSet<QString> ids;
    for (const AppItem& item : items)
        ids.insert(item.id);

    QHash<QString, Override> overrides;
    for (const QJsonObject& row : rows) {
        if (row.isEmpty())
            continue;
        const QJsonValue idValue = row.value(QStringLiteral("item_id"));
        if (!idValue.isString() || !ids.contains(idValue.toString()))
            continue;
        Override entry;
        const QJsonValue active = row.value(QStringLiteral("is_active"));
        if (!active.isUndefined())
            entry.active = readBoolean(active).value_or(true);
        const QJsonValue order = row.value(QStringLiteral("sort_order"));
        if (!order.isUndefined())
            entry.order = readInteger(order);
        overrides.insert(idValue.toString(), entry);
    }

    // Entries are numbered by position, so a list that repeats an id keeps
    // every copy; an override applies to each entry carrying its id.
    struct Kept {
        qsizetype position;
        std::optional<qint64> order;
    };
    QList<Kept> kept;
    for (qsizetype position = 0; position < items.size(); ++position) {
        const auto found = overrides.constFind(items[position].id);
        if (found == overrides.constEnd())
            kept.append({position, std::nullopt});
        else if (found->active)
            kept.append({position, found->order});
    }
    std::stable_sort(kept.begin(), kept.end(), [](const Kept& a, const Kept& b) {
        if (a.order.has_value() != b.order.has_value())
            return a.order.has_value();
        if (a.order && *a.order != *b.order)
            return *a.order < *b.order;
        return a.position < b.position;
    });

    QList<AppItem> result;
    result.reserve(kept.size());
    for (const Kept& entry : kept)
        result.append(items[entry.position]);
    return result;
}

QList<AppItem> applyingBusinessPolicies(const QList<QJsonObject>& rows, const QList<AppItem>& items)
{
    QSet<QString> disabled;
    std::optional<QSet<QString>> allowed;
    for (const QJsonObject& row : rows) {
        if (row.isEmpty())
            continue;
        const QJsonValue policyValue = row.value(QStringLiteral("policy"));
        if (!policyValue.isObject())
            continue;
        const QJsonObject policy = policyValue.toObject();
        if (const auto list = readStringArray(policy.value(QStringLiteral("disabled_item_ids"))))
            for (const QString& id : *list)
                disabled.insert(id);
        if (const auto list = readStringArray(policy.value(QStringLiteral("allowed_item_ids")))) {
            const QSet<QString> set(list->cbegin(), list->cend());
            if (allowed)
                allowed->intersect(set);
            else
                allowed = set;
        }
    }

    QList<AppItem> result;
    for (const AppItem& item : items) {
        if (disabled.contains(item.id))
            continue;
        if (allowed && !allowed->contains(item.id))
            continue;
        result.append(item);
    }
    return result;
}

QString installKey(const AppItem& item)
{
    QString key = EnumText::toString(item.kind) + QLatin1Char(':');
    if (item.shortcut)
        key += item.shortcut->fileName;
    else if (!item.packages.isEmpty())
        key += item.packages.join(QChar(u'\0'));
    else
        key += item.id;
    return key;
}

QList<AppItem> uniqueInstallItems(const QList<AppItem>& items)
{
    QSet<QString> seen;
    QList<AppItem> result;
    for (const AppItem& item : items) {
        const QString key = installKey(item);
        if (seen.contains(key))
            continue;
        seen.insert(key);
        result.append(item);
    }
    return result;
}

const QSet<QString>& standardGroups()
{
    static const QSet<QString> groups{QStringLiteral("devivu"), QStringLiteral("microsoft"),
                                      QStringLiteral("printer")};
    return groups;
}

const QList<CatalogGroup>& groups()
{
    static const QList<CatalogGroup> list{
        {QStringLiteral("all"), QStringLiteral("Tất cả"), QStringLiteral("square.grid.2x2")},
        {QStringLiteral("devivu"), QStringLiteral("Devivu Basic"), QStringLiteral("doc.text")},
        {QStringLiteral("microsoft"), QStringLiteral("Microsoft Devivu"), QStringLiteral("rectangle.stack")},
        {QStringLiteral("printer"), QStringLiteral("In/Scan/PDF"), QStringLiteral("printer")},
        {QStringLiteral("meeting"), QStringLiteral("Meeting & Chat"), QStringLiteral("bubble.left.and.bubble.right")},
        {QStringLiteral("media"), QStringLiteral("Media Tools"), QStringLiteral("play.rectangle")},
    };
    return list;
}

} // namespace Catalog
