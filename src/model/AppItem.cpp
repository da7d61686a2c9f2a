#include "model/AppItem.h"

size_t qHash(const AppItem& item, size_t hashSeed)
{
    HashBuilder hash(hashSeed);
    hash.add(item.id)
        .add(item.linuxName)
        .add(item.macName)
        .add(item.group)
        .add(item.extraGroups)
        .add(EnumText::toString(item.kind))
        .add(item.packages)
        .add(item.description)
        .add(item.replacementNote)
        .add(item.symbol);
    hash.add(item.shortcut.has_value());
    if (item.shortcut)
        hash.addHashed(*item.shortcut);
    hash.add(item.directInstaller.has_value());
    if (item.directInstaller)
        hash.addHashed(*item.directInstaller);
    hash.add(item.appPaths).add(item.commands).add(item.builtinReady).add(item.minimumMacOSMajor);
    return hash.value();
}
