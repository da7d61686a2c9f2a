// The verification tools the engine hands to DirectAppVerifier.

#include "engine/DirectAppVerifier.h"
#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/PropertyList.h"

std::optional<QString> MacBackend::directAppBundleID(const QString& bundlePath) const
{
    const std::optional<QVariantMap> info = PropertyList::parseDictionaryFile(
        m_host.map(AppRuntime::appendingComponent(bundlePath, QStringLiteral("Contents/Info.plist"))));
    if (!info)
        return std::nullopt;
    const QVariant identifier = info->value(QStringLiteral("CFBundleIdentifier"));
    if (identifier.typeId() != QMetaType::QString)
        return std::nullopt;
    return identifier.toString();
}

DirectAppVerificationTools MacBackend::verificationTools()
{
    return DirectAppVerificationTools{
        [this](const QString& bundlePath) { return directAppBundleID(bundlePath); },
        [this](const QStringList& arguments) { return runQuiet(arguments); },
        [this](const QStringList& arguments) { return runCaptureCombined(arguments); },
    };
}
