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
