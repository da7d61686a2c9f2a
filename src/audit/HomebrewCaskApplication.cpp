#include "audit/HomebrewCaskApplication.h"

#include "model/HashBuilder.h"

size_t qHash(const HomebrewCaskApplication& cask, size_t hashSeed)
{
    return HashBuilder(hashSeed).add(cask.token).add(cask.installedVersion).add(cask.appNames).value();
}
