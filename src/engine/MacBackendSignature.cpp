// The code-signature and provisioning readers of the audit.

#include "engine/MacBackend.h"

#include "audit/MacInventoryClassifier.h"
#include "platform/MappedFile.h"
#include "platform/PropertyList.h"

#include <QFileInfo>

MacBackend::SignatureEvidence MacBackend::signatureEvidence(const QString& bundlePath,
                                                            const std::optional<QString>& copyright)
{
    // codesign writes the description to standard error.
    const QString description = runCaptureCombined(
        {QStringLiteral("/usr/bin/codesign"), QStringLiteral("-dv"), QStringLiteral("--verbose=4"), bundlePath});
    const bool verified =
        runQuiet({QStringLiteral("/usr/bin/codesign"), QStringLiteral("--verify"), QStringLiteral("--strict"),
                  bundlePath})
        == 0;
    const MacInventoryClassifier::SignatureFields fields = MacInventoryClassifier::signatureFields(description, verified);
    const QString developer = MacInventoryClassifier::developerName(description, provisioningTeamName(bundlePath),
                                                                    copyright, fields.teamIdentifier);
    return {fields.status, fields.teamIdentifier, fields.signingIdentifier, developer};
}

std::optional<QString> MacBackend::provisioningTeamName(const QString& bundlePath)
{
    const QString profile = bundlePath + QStringLiteral("/Contents/embedded.provisionprofile");
    // Only a regular file of a profile's size is handed to openssl, which
    // reads it whole: a profile is a few kilobytes.
    const QFileInfo file(m_host.map(profile));
    if (!file.isFile() || file.size() > MappedFile::maximumSize)
        return std::nullopt;
    // Without a chain or signature check openssl only unwraps the signed
    // content, the property list.
    const QString text = runCapture({QStringLiteral("/usr/bin/openssl"), QStringLiteral("cms"),
                                     QStringLiteral("-verify"), QStringLiteral("-inform"), QStringLiteral("DER"),
                                     QStringLiteral("-in"), profile, QStringLiteral("-noverify"),
                                     QStringLiteral("-nosigs")});
    const std::optional<QVariant> list = PropertyList::parse(text.toUtf8());
    if (!list || list->typeId() != QMetaType::QVariantMap)
        return std::nullopt;
    const QVariant teamName = list->toMap().value(QStringLiteral("TeamName"));
    if (teamName.typeId() != QMetaType::QString)
        return std::nullopt;
    return teamName.toString();
}
