#pragma once

#include "catalog/Catalog.h"

#include <QtGlobal>

// The compiled-in catalog entry with this id; a test that names a missing
// entry stops at once.
inline const AppItem& catalogEntry(const QString& id)
{
    for (const AppItem& item : Catalog::items())
        if (item.id == id)
            return item;
    qFatal("no catalog entry %s", qPrintable(id));
}

// The navigation group with this id; another id gives a group of its own
// (as a catalog overlay could name one).
inline CatalogGroup catalogGroup(const QString& id)
{
    for (const CatalogGroup& group : Catalog::groups())
        if (group.id == id)
            return group;
    return {id, id, QStringLiteral("folder")};
}
