#pragma once

#include "i18n/AppStrings.h"
#include "ui/kit/Pill.h"

#include <QColor>
#include <QString>

// The pill of one catalog group of an entry: the group's label in the
// language, in the group's own colours (an id of no known group, compared
// exactly, in muted grey).
class GroupPill : public Pill {
    Q_OBJECT

public:
    GroupPill(const QString& groupID, const AppStrings& strings, QWidget* parent = nullptr);

    QString groupID() const { return m_groupID; }
    void setGroup(const QString& groupID, const AppStrings& strings);

    static QColor foregroundOf(const QString& groupID);
    static QColor backgroundOf(const QString& groupID);

private:
    QString m_groupID;
};
