#pragma once

#include "model/AppItem.h"
#include "model/CatalogGroup.h"

#include <QJsonObject>
#include <QList>
#include <QSet>
#include <QString>

// The compiled-in catalog of 28 entries and the pure list operations that
// turn it into what the window shows and what install plans install.
namespace Catalog {

// Vendor web addresses of the shortcut entries.
inline constexpr const char* microsoft365URL = "https://www.microsoft365.com/";
inline constexpr const char* teamsURL = "https://teams.microsoft.com/";
inline constexpr const char* meetURL = "https://meet.google.com/";
inline constexpr const char* zaloURL = "https://chat.zalo.me/";

// Vendor download endpoints of the direct entries, and the hosts each one
// (and the address its download is redirected to) may have.
inline constexpr const char* thunderbirdURL =
    "https://download.mozilla.org/?product=thunderbird-latest-ssl&os=osx&lang=en-US";
inline constexpr const char* thunderbirdHost = "download.mozilla.org";
inline constexpr const char* thunderbirdCDNHost = "download-installer.cdn.mozilla.net";
inline constexpr const char* telegramURL = "https://telegram.org/dl/desktop/mac";
inline constexpr const char* telegramHost = "telegram.org";
inline constexpr const char* telegramDownloadHost = "td.telegram.org";
inline constexpr const char* slackURL = "https://slack.com/ssb/download-osx-universal";
inline constexpr const char* slackHost = "slack.com";
inline constexpr const char* slackCDNHost = "downloads.slack-edge.com";

// The 28 entries in catalog order; built once, thread-safely, on first use.
const QList<AppItem>& items();

// The six navigation groups, "all" first.
const QList<CatalogGroup>& groups();

// Group ids installed by the "standard" preset.
const QSet<QString>& standardGroups();

// Hides and reorders entries by the backend's catalog rows.
QList<AppItem> applyingCloudOverlay(const QList<QJsonObject>& rows, const QList<AppItem>& items);

// Removes disabled entries and, when allow-lists exist, keeps only allowed ones.
QList<AppItem> applyingBusinessPolicies(const QList<QJsonObject>& rows, const QList<AppItem>& items);

// The key under which two entries install the same thing.
QString installKey(const AppItem& item);

// Drops every entry whose install key repeats an earlier entry's.
QList<AppItem> uniqueInstallItems(const QList<AppItem>& items);

} // namespace Catalog
