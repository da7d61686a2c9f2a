// The device's private identifier, its salted pseudonym and the description
// of the Mac that reports carry.

#include "cloud/SupabaseClient.h"

#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <QCryptographicHash>
#include <QFile>
#include <QMutex>
#include <QUuid>

#include <sys/stat.h>

namespace {

// Two first uses at once on different threads would otherwise each make an
// identifier, and one of them would never be seen again.
QMutex deviceIDLock;

} // namespace

QString SupabaseClient::deviceIDFilePath()
{
    return AppRuntime::appendingComponent(AppRuntime::appSupportDir(), QString::fromLatin1(deviceIDFileName));
}

QString SupabaseClient::currentDeviceID() const
{
    const QMutexLocker locker(&deviceIDLock);
    if (FileSystem::createFolders(AppRuntime::appSupportDir(), 0700)) {
        QFile file(deviceIDFilePath());
        if (file.open(QIODevice::ReadOnly)) {
            const std::optional<QString> text = Utf8::decode(file.readAll());
            if (text && !text->trimmed().isEmpty()) {
                // Whoever can read the identifier can speak for the device:
                // narrow a file left readable by others (ignored when not ours).
                if (file.permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser))
                    ::chmod(QFile::encodeName(file.fileName()).constData(), 0600);
                return text->trimmed();
            }
        }
        const QString fresh = QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
        if (FileSystem::replaceFile(deviceIDFilePath(), (fresh + QLatin1Char('\n')).toUtf8(), 0600))
            return fresh;
    }
    // Neither stored nor protected: it differs from the stored identity.
    return m_host.localizedHostName().value_or(QString()) + QLatin1Char('|') + qEnvironmentVariable("USER");
}

QString SupabaseClient::deviceHash(const QString& deviceID)
{
    const QByteArray salted = QByteArray(deviceHashSalt) + deviceID.toUtf8();
    return QString::fromLatin1(QCryptographicHash::hash(salted, QCryptographicHash::Sha256).toHex());
}

QString SupabaseClient::currentDeviceHash() const
{
    return deviceHash(currentDeviceID());
}

QMap<QString, QString> SupabaseClient::currentDeviceInfo() const
{
    return deviceInfo(currentDeviceHash());
}

QMap<QString, QString> SupabaseClient::deviceInfo(const QString& deviceHash) const
{
    const QString macOSVersion = m_host.macOSVersionText();
    return {
        {QStringLiteral("device_hash"), deviceHash},
        {QStringLiteral("device_label"), m_host.localizedHostName().value_or(QStringLiteral("unknown"))},
        {QStringLiteral("ubuntu_version"), QStringLiteral("macOS ") + macOSVersion},
        {QStringLiteral("platform"), QStringLiteral("macos")},
        {QStringLiteral("macos_version"), macOSVersion},
        {QStringLiteral("architecture"), m_host.architecture()},
        {QStringLiteral("app_version"), AppRuntime::appVersion()},
    };
}
