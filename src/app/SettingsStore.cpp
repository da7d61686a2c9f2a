#include "app/SettingsStore.h"

AppLanguage SettingsStore::language() const
{
    const std::optional<QString> stored = text(QString::fromUtf8(AppLanguage::defaultsKey));
    if (!stored)
        return AppLanguage::english;
    return AppLanguage::fromCode(*stored).value_or(AppLanguage::english);
}
