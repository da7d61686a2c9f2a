#pragma once

#include <QSet>
#include <QString>

// Which addresses a vendor download may come from: the address the catalog
// gives and, after the transfer, the address curl ended at after redirects.
namespace DirectDownloadPolicy {

// True when the text parses strictly as an address whose scheme is written
// exactly "https" (lower case), that has a host, and whose host in lower case
// is one of the allowed hosts (exact membership: a sub-host of an allowed host
// is refused).
bool allows(const QString& address, const QSet<QString>& allowedHosts);

} // namespace DirectDownloadPolicy
