#include "ui/kit/ReportSignatureBadge.h"

ReportSignatureBadge::ReportSignatureBadge(const QString& status, const AppStrings& strings, QWidget* parent)
    : BadgeLabel(Look::reportBadge(9, 7), parent), m_status(status)
{
    setColors(colorsFor(status));
    setStrings(strings);
}

void ReportSignatureBadge::setStrings(const AppStrings& strings)
{
    setText(strings.auditSignatureStatusLabel(m_status));
}

void ReportSignatureBadge::setStatus(const QString& status, const AppStrings& strings)
{
    m_status = status;
    setColors(colorsFor(status));
    setStrings(strings);
}

BadgeLabel::Colors ReportSignatureBadge::colorsFor(const QString& status)
{
    if (status == QLatin1String("valid"))
        return {{22, 101, 52}, {220, 252, 231}, {}};
    if (status == QLatin1String("invalid") || status == QLatin1String("unsigned"))
        return {{180, 35, 24}, {254, 228, 226}, {}};
    if (status == QLatin1String("ad-hoc"))
        return {{181, 71, 8}, {255, 234, 213}, {}};
    return {{23, 92, 211}, {219, 234, 254}, {}};
}
