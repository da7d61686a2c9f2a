#include "catalog/Catalog.h"

#include <cstdio>

int main()
{
    std::printf("Tavrin Devivu Kit: %d catalog entries. The command-line mode is not built yet.\n",
                static_cast<int>(Catalog::items().size()));
    return 1;
}
