#pragma once

#include "audit/AuditFileSystem.h"
#include "audit/HomebrewCaskApplication.h"
#include "audit/ReceiptTrustAnchors.h"
#include "model/AppLicenseEvidence.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>

// Gathers local, read-only evidence that one application of another vendor
// is properly licensed and condenses it into one AppLicenseEvidence. It
// reports presence only: key names, never values; file names, never
// contents; for a licence file, only whether its expected fields are filled.
namespace MacLicenseEvidenceCollector {

// The evidence for the bundle at appPath. applicationName and
// bundleIdentifier are the bundle's display name and identifier; source is
// the scan's label ("Mac App Store", "user Applications", "/Applications");
// cask is the installed Homebrew cask that claims the bundle, if any;
// installerReceiptIdentifiers are the related installer package receipts
// (see matchingInstallerReceipts). homeDirectory is the user's home folder
// and systemLibrary the machine-wide library folder, both local paths.
// receiptAnchors are the roots an App Store receipt must chain to (tests
// pass their own). Never fails.
AppLicenseEvidence evidence(const QString& appPath, const QString& applicationName, const QString& bundleIdentifier,
                            const QString& source, const std::optional<HomebrewCaskApplication>& cask,
                            const QStringList& installerReceiptIdentifiers, const AuditFileSystem& fileSystem,
                            const QString& homeDirectory, const QString& systemLibrary,
                            const ReceiptTrustAnchors& receiptAnchors = ReceiptTrustAnchors::apple());

// The installed casks from `brew info --json=v2 --installed`, keyed by the
// lower-cased ".app" file names they install; empty for unusable text.
QHash<QString, HomebrewCaskApplication> homebrewCaskApplications(const QString& json);

// Those receipt identifiers that share a word token of four or more
// characters (stop words aside) with the application's identifier or name,
// as given, sorted ascending.
QStringList matchingInstallerReceipts(const QString& applicationName, const QString& bundleIdentifier,
                                      const QStringList& receiptIdentifiers);

// The probes behind evidence(), public for their tests.

struct SignalScan {
    QList<LicenseEvidenceSignal> signals;
    bool inaccessible = false; // a relevant location exists but cannot be read

    bool operator==(const SignalScan&) const = default;
};

// Licence and account stores of known vendors.
SignalScan vendorSignals(const QString& applicationName, const QString& bundleIdentifier,
                         const AuditFileSystem& fileSystem, const QString& homeDirectory,
                         const QString& systemLibrary);
// Licence-related key names in the preference files and licence or
// activation file names in the support folders.
SignalScan preferenceSignals(const QString& applicationName, const QString& bundleIdentifier,
                             const AuditFileSystem& fileSystem, const QString& homeDirectory);
// Whether the JSON licence file holds a non-empty "license" and "signature"
// pair at any depth.
bool parallelsLicenseStructureIsPresent(const QString& path, const AuditFileSystem& fileSystem);
// Licence-related key names in a decoded property list, sorted.
QStringList matchingLicenseKeys(const QVariant& propertyList);
bool isLicenseMetadataKey(const QString& key);
// The first licence or activation file name up to three levels below folder.
std::optional<QString> firstLicenseArtifactName(const QString& folder, const AuditFileSystem& fileSystem);
// Lower-cased runs of letters and digits.
QStringList identifierTokens(const QString& text);
// The signals without repeats, in first-seen order.
QList<LicenseEvidenceSignal> unique(const QList<LicenseEvidenceSignal>& signals);

} // namespace MacLicenseEvidenceCollector
