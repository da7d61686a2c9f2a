#include "engine/DirectAppVerifier.h"

namespace DirectAppVerifier {

namespace {

bool isSafeInQuotes(const QString& text)
{
    return !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\\'));
}

} // namespace

std::optional<QString> designatedRequirement(const QString& expectedBundleID, const QString& expectedTeamID)
{
    if (!isSafeInQuotes(expectedBundleID) || !isSafeInQuotes(expectedTeamID))
        return std::nullopt;
    return QStringLiteral("anchor apple generic and identifier \"") + expectedBundleID
        + QStringLiteral("\" and certificate leaf[subject.OU] = \"") + expectedTeamID + QLatin1Char('"');
}

bool verify(const QString& bundlePath, const DirectInstallerSpec& installer, const DirectAppVerificationTools& tools)
{
    const std::optional<QString> identifier = tools.bundleIdentifier(bundlePath);
    if (!identifier || *identifier != installer.expectedBundleID)
        return false;

    const std::optional<QString> requirement = designatedRequirement(installer.expectedBundleID, installer.expectedTeamID);
    if (!requirement)
        return false;
    const QStringList verifyArguments{QStringLiteral("/usr/bin/codesign"), QStringLiteral("--verify"),
                                      QStringLiteral("--deep"),            QStringLiteral("--strict"),
                                      QStringLiteral("-R=") + *requirement, bundlePath};
    if (tools.runQuiet(verifyArguments) != 0)
        return false;

    const QString details = tools.runCaptureCombined(
        {QStringLiteral("/usr/bin/codesign"), QStringLiteral("-dv"), QStringLiteral("--verbose=4"), bundlePath});
    if (!details.contains(QStringLiteral("TeamIdentifier=") + installer.expectedTeamID))
        return false;

    return tools.runQuiet({QStringLiteral("/usr/sbin/spctl"), QStringLiteral("--assess"), QStringLiteral("--type"),
                           QStringLiteral("execute"), bundlePath})
        == 0;
}

} // namespace DirectAppVerifier
