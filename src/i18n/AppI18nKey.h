#pragma once

#include "model/EnumText.h"

#include <QHashFunctions>

#include <array>
#include <utility>

// The keys of the short interface labels that AppStrings::text() looks up.
// A key's text form is its case name.
enum class AppI18nKey {
    appSubtitle,
    settings,
    language,
    overview,
    installStandard,
    installFull,
    systemCheck,
    openReport,
    version,
    refresh,
    copyLogPathHelp,
    currentProgress,
    footerStatus,
    log,
    linuxSource,
    hideLog,
    showLog,
    removeHelp,
    detailHelp,
    close,
    cancel,
    remove,
    removePromptTitle,
    checkingPrerequisites,
    openBrew,
    copyBrewCommand,
    syncCatalog,
    uploadReport,
    group,
    macSource,
    packageAction,
    description,
    replacementNote,
    readyAction,
    checkingCore,
    noDeviceData,
    cloudTools,
};

template <>
struct EnumNames<AppI18nKey> {
    static constexpr std::array table{
        std::pair{AppI18nKey::appSubtitle, "appSubtitle"},
        std::pair{AppI18nKey::settings, "settings"},
        std::pair{AppI18nKey::language, "language"},
        std::pair{AppI18nKey::overview, "overview"},
        std::pair{AppI18nKey::installStandard, "installStandard"},
        std::pair{AppI18nKey::installFull, "installFull"},
        std::pair{AppI18nKey::systemCheck, "systemCheck"},
        std::pair{AppI18nKey::openReport, "openReport"},
        std::pair{AppI18nKey::version, "version"},
        std::pair{AppI18nKey::refresh, "refresh"},
        std::pair{AppI18nKey::copyLogPathHelp, "copyLogPathHelp"},
        std::pair{AppI18nKey::currentProgress, "currentProgress"},
        std::pair{AppI18nKey::footerStatus, "footerStatus"},
        std::pair{AppI18nKey::log, "log"},
        std::pair{AppI18nKey::linuxSource, "linuxSource"},
        std::pair{AppI18nKey::hideLog, "hideLog"},
        std::pair{AppI18nKey::showLog, "showLog"},
        std::pair{AppI18nKey::removeHelp, "removeHelp"},
        std::pair{AppI18nKey::detailHelp, "detailHelp"},
        std::pair{AppI18nKey::close, "close"},
        std::pair{AppI18nKey::cancel, "cancel"},
        std::pair{AppI18nKey::remove, "remove"},
        std::pair{AppI18nKey::removePromptTitle, "removePromptTitle"},
        std::pair{AppI18nKey::checkingPrerequisites, "checkingPrerequisites"},
        std::pair{AppI18nKey::openBrew, "openBrew"},
        std::pair{AppI18nKey::copyBrewCommand, "copyBrewCommand"},
        std::pair{AppI18nKey::syncCatalog, "syncCatalog"},
        std::pair{AppI18nKey::uploadReport, "uploadReport"},
        std::pair{AppI18nKey::group, "group"},
        std::pair{AppI18nKey::macSource, "macSource"},
        std::pair{AppI18nKey::packageAction, "packageAction"},
        std::pair{AppI18nKey::description, "description"},
        std::pair{AppI18nKey::replacementNote, "replacementNote"},
        std::pair{AppI18nKey::readyAction, "readyAction"},
        std::pair{AppI18nKey::checkingCore, "checkingCore"},
        std::pair{AppI18nKey::noDeviceData, "noDeviceData"},
        std::pair{AppI18nKey::cloudTools, "cloudTools"},
    };
};

inline size_t qHash(AppI18nKey key, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(key), hashSeed);
}
