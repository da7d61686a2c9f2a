#pragma once

#include "model/InstalledMacApplication.h"

#include <optional>

// An audited application as the scan would report it: a validly signed
// bundle in /Applications, with licence evidence in the given state or none.
inline InstalledMacApplication testApplication(const QString& name,
                                               std::optional<AppLicenseEvidenceState> evidence = std::nullopt)
{
    InstalledMacApplication application;
    application.name = name;
    application.version = QStringLiteral("1.0");
    application.identifier = QStringLiteral("org.example.") + name.toLower();
    application.source = QStringLiteral("Applications");
    application.signatureStatus = QStringLiteral("valid");
    application.teamIdentifier = QStringLiteral("ABCDE12345");
    application.signingIdentifier = application.identifier;
    if (evidence)
        application.licenseEvidence = AppLicenseEvidence{*evidence, QStringLiteral("test"), QStringLiteral("chi tiết"),
                                                         std::nullopt, std::nullopt};
    return application;
}
