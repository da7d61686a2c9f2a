#pragma once

#include "audit/MacHardwareProfile.h"
#include "model/AppLicenseEvidence.h"
#include "platform/Host.h"

#include <QList>
#include <QMap>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

class AuditFileSystem;

// Pure operations that turn raw facts about one installed application (its
// path, the codesign tool's text, its copyright, Homebrew's metadata) into
// the fields of an InstalledMacApplication.
namespace MacInventoryClassifier {

// Applications that ship with macOS (stored lower-case).
const QSet<QString>& operatingSystemBundleIdentifiers();
// Free or open-source applications that use no local product key (lower-case).
const QSet<QString>& keyFreeBundleIdentifiers();
// Applications licensed through an online account or subscription (lower-case).
const QSet<QString>& accountBasedBundleIdentifiers();

// Whether the bundle belongs to the operating system: its path, links
// resolved inside the Mac's file system, is "/System" or lies under
// "/System/", "/usr/libexec/" or "/Library/Apple/System/"; or its identifier
// (any letter case) is one of operatingSystemBundleIdentifiers(). bundlePath
// is a local path; host maps it back to the Mac's own path.
bool isSystemApplication(const QString& bundlePath, const std::optional<QString>& bundleIdentifier,
                         const Host& host = Host::fromEnvironment());

struct SignatureFields {
    QString status;            // "valid", "ad-hoc", "unsigned" or "invalid"
    QString teamIdentifier;    // "—" when codesign printed none
    QString signingIdentifier; // "—" when codesign printed none

    bool operator==(const SignatureFields&) const = default;
};

// Reads the text of `codesign -dv --verbose=4` (standard output and error
// together); verified says whether `codesign --verify --strict` exited 0.
SignatureFields signatureFields(const QString& codesignOutput, bool verified);

// The developer shown for an application: the signing certificate's
// developer, else the provisioning profile's team name, else a name cleaned
// from the copyright notice, else "Team <id>", else "—".
QString developerName(const QString& signatureOutput, const std::optional<QString>& provisioningTeamName,
                      const std::optional<QString>& copyright, const QString& teamIdentifier);

// A developer guessed from a table of known vendors, a Homebrew formula's
// name or a reverse-domain identifier; nothing when no guess can be made.
std::optional<QString> inferredDeveloperName(const QString& applicationName, const QString& identifier,
                                             const QString& source);

// One identifier component or name as readable words: "pdf_sdk-tools" gives
// "PDF SDK Tools", "gh" gives "GitHub".
QString readableProjectName(const QString& text);

struct FormulaVersion {
    QString name;
    QString version;

    bool operator==(const FormulaVersion&) const = default;
};

// Pairs each top-level formula (`brew leaves`) with its first installed
// version (`brew list --versions`), sorted by name ignoring letter case.
QList<FormulaVersion> brewVersions(const QString& leaves, const QString& versions);

// Formula name to declared licence, from `brew info --json=v2 --installed`;
// a licence expression object becomes its compact JSON with sorted keys.
QMap<QString, QString> brewLicenses(const QString& json);

// The licence finding that fixed policies and Homebrew metadata give.
AppLicenseEvidence licenseEvidence(const QString& source, const std::optional<QString>& bundleIdentifier,
                                   bool hasAppStoreReceipt, const std::optional<QString>& brewLicense);

// The hardware fields of `system_profiler SPHardwareDataType -json`: the first
// object of the "SPHardwareDataType" array. Nothing when the text is not JSON,
// its top level is not an object, or the key does not hold a non-empty array
// of objects. Text values are trimmed (a blank one stays empty); a missing or
// non-text value is "—".
std::optional<MacHardwareProfile> hardwareProfile(const QString& json);

// File names (lower case) that mark a Vietnamese spelling dictionary.
const QSet<QString>& vietnameseDictionaryFileNames();

// Whether one of the folders (local paths, searched in order) holds, at any
// depth, an entry whose lower-cased name is a Vietnamese dictionary file. The
// walk leaves out hidden entries and does not enter packages; folders that do
// not exist or cannot be listed are passed over.
bool containsVietnameseDictionary(const QStringList& folders, const AuditFileSystem& fileSystem);

} // namespace MacInventoryClassifier
