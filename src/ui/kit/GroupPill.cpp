#include "ui/kit/GroupPill.h"

#include "ui/kit/Design.h"

namespace {

struct GroupColors {
    const char* id;
    QColor foreground;
    QColor background;
};

const QList<GroupColors>& groupColors()
{
    static const QList<GroupColors> table{
        {"devivu", QColor(138, 67, 11), QColor(255, 241, 231)},
        {"microsoft", QColor(25, 92, 168), QColor(231, 241, 255)},
        {"printer", QColor(88, 49, 164), QColor(239, 232, 255)},
        {"meeting", QColor(7, 89, 133), QColor(224, 242, 254)},
        {"media", QColor(22, 101, 52), QColor(220, 252, 231)},
    };
    return table;
}

const GroupColors* colorsOf(const QString& groupID)
{
    for (const GroupColors& colors : groupColors())
        if (groupID == QLatin1String(colors.id))
            return &colors;
    return nullptr;
}

} // namespace

GroupPill::GroupPill(const QString& groupID, const AppStrings& strings, QWidget* parent)
    : Pill(strings.groupLabel(groupID), foregroundOf(groupID), backgroundOf(groupID), parent), m_groupID(groupID)
{
}

void GroupPill::setGroup(const QString& groupID, const AppStrings& strings)
{
    m_groupID = groupID;
    setText(strings.groupLabel(groupID));
    setColors(foregroundOf(groupID), backgroundOf(groupID));
}

QColor GroupPill::foregroundOf(const QString& groupID)
{
    const GroupColors* colors = colorsOf(groupID);
    return colors ? colors->foreground : Design::mutedText;
}

QColor GroupPill::backgroundOf(const QString& groupID)
{
    const GroupColors* colors = colorsOf(groupID);
    return colors ? colors->background : QColor(248, 250, 252);
}
