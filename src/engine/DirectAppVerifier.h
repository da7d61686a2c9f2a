#pragma once

#include "engine/DirectAppVerificationTools.h"
#include "model/DirectInstallerSpec.h"

#include <QString>

#include <optional>

// Decides whether an application bundle on disk is the vendor's own signed
// build for a catalog entry. It touches no file and runs no process itself:
// every side effect goes through the tools handed in.
namespace DirectAppVerifier {

// The code requirement the bundle's signature must satisfy:
//   anchor apple generic and identifier "<bundle id>" and
//   certificate leaf[subject.OU] = "<team id>"
// Nothing when either value holds a double quote or a backslash, which would
// end or escape the quoted text and change the requirement's meaning.
std::optional<QString> designatedRequirement(const QString& expectedBundleID, const QString& expectedTeamID);

// True only when, in this order (the first failure ends the check):
//   1. the bundle's identifier equals installer.expectedBundleID exactly;
//   2. `codesign --verify --deep --strict -R=<requirement> <path>` exits 0;
//   3. the text of `codesign -dv --verbose=4 <path>` contains
//      "TeamIdentifier=" + installer.expectedTeamID;
//   4. `spctl --assess --type execute <path>` exits 0.
// bundlePath is the bundle's Mac path, handed to the tools unchanged.
bool verify(const QString& bundlePath, const DirectInstallerSpec& installer, const DirectAppVerificationTools& tools);

} // namespace DirectAppVerifier
