#pragma once

#include <QString>

// A navigation group of the catalog; identified by its id.
struct CatalogGroup {
    QString id;
    QString label;
    QString symbol;

    bool operator==(const CatalogGroup&) const = default;
};
