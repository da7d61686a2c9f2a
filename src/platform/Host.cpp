#include "platform/Host.h"

#include "platform/AppRuntime.h"
#include "platform/PropertyList.h"
#include "platform/TildePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QOperatingSystemVersion>
#include <QStorageInfo>
#include <QSysInfo>

#include <netdb.h>
#include <sys/socket.h>
#include <sys/types.h>
#include <sys/utsname.h>
#include <unistd.h>

#if defined(Q_OS_MACOS)
#include <SystemConfiguration/SystemConfiguration.h>
#include <sys/sysctl.h>
#include <vector>
#endif

namespace {

QString normalisedRoot(const QString& root)
{
    if (root.trimmed().isEmpty())
        return QStringLiteral("/");
    return QDir::cleanPath(QDir(root).absolutePath());
}

bool isInFolder(const QString& path, const QString& folder)
{
    if (folder.isEmpty())
        return false;
    if (folder == QLatin1String("/"))
        return path.startsWith(QLatin1Char('/'));
    return path == folder || path.startsWith(folder + QLatin1Char('/'));
}

QVersionNumber threeParts(const QVersionNumber& version)
{
    return QVersionNumber(version.majorVersion(), version.minorVersion(), version.microVersion());
}

QString machineFromKernel()
{
#if defined(Q_OS_MACOS)
    size_t size = 0;
    if (sysctlbyname("hw.machine", nullptr, &size, nullptr, 0) != 0 || size == 0)
        return {};
    std::vector<char> buffer(size + 1, '\0');
    if (sysctlbyname("hw.machine", buffer.data(), &size, nullptr, 0) != 0)
        return {};
    return QString::fromUtf8(buffer.data());
#else
    utsname names{};
    if (uname(&names) != 0)
        return {};
    return QString::fromUtf8(names.machine);
#endif
}

QString computerName()
{
#if defined(Q_OS_MACOS)
    if (const CFStringRef name = SCDynamicStoreCopyComputerName(nullptr, nullptr)) {
        const QString text = QString::fromCFString(name);
        CFRelease(name);
        return text;
    }
    return {};
#else
    return QSysInfo::machineHostName();
#endif
}

bool systemResolves(const QString& hostName)
{
    if (hostName.isEmpty())
        return false;
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    addrinfo* results = nullptr;
    const int status = getaddrinfo(hostName.toUtf8().constData(), nullptr, &hints, &results);
    if (results)
        freeaddrinfo(results);
    return status == 0;
}

} // namespace

Host::Host() : m_root(QStringLiteral("/")) {}

Host::Host(const QString& root) : m_root(normalisedRoot(root)) {}

Host Host::fromEnvironment()
{
#if defined(Q_OS_DARWIN)
    return Host();
#else
    const QString value = qEnvironmentVariable(rootVariable);
    if (value.trimmed().isEmpty())
        return Host();
    return Host(TildePath::expand(value));
#endif
}

namespace {

// The home folder and the program's own folders (which follow the home folder
// or a TAVRIN_MAC_* variable) are the same on the Mac and on this machine.
bool isSharedPath(const QString& path)
{
    if (isInFolder(path, AppRuntime::homeDirectory()))
        return true;
    const QString logFolder = QFileInfo(AppRuntime::logFile()).path();
    for (const QString& folder : {AppRuntime::appSupportDir(), AppRuntime::cacheDir(), logFolder,
                                  AppRuntime::shortcutDir()}) {
        if (folder != QLatin1String("/") && isInFolder(path, folder))
            return true;
    }
    return false;
}

} // namespace

QString Host::map(const QString& macPath) const
{
    if (!hasRoot() || !macPath.startsWith(QLatin1Char('/')) || isSharedPath(macPath))
        return macPath;
    if (macPath == QLatin1String("/"))
        return m_root;
    return m_root + macPath;
}

QString Host::unmap(const QString& localPath) const
{
    if (!hasRoot() || isSharedPath(localPath))
        return localPath;
    if (localPath == m_root)
        return QStringLiteral("/");
    if (localPath.startsWith(m_root + QLatin1Char('/')))
        return localPath.mid(m_root.size());
    return localPath;
}

QVersionNumber Host::versionFromSystemVersionPlist(const QByteArray& bytes)
{
    const std::optional<QVariant> plist = PropertyList::parse(bytes);
    if (!plist || plist->typeId() != QMetaType::QVariantMap)
        return QVersionNumber(0, 0, 0);
    const QVariant value = plist->toMap().value(QStringLiteral("ProductVersion"));
    if (value.typeId() != QMetaType::QString)
        return QVersionNumber(0, 0, 0);
    const QVersionNumber version = QVersionNumber::fromString(value.toString().trimmed());
    if (version.isNull())
        return QVersionNumber(0, 0, 0);
    return threeParts(version);
}

QVersionNumber Host::macOSVersion() const
{
    if (m_macOSVersion)
        return threeParts(*m_macOSVersion);
#if defined(Q_OS_MACOS)
    if (!hasRoot()) {
        const QOperatingSystemVersion current = QOperatingSystemVersion::current();
        return QVersionNumber(qMax(0, current.majorVersion()), qMax(0, current.minorVersion()),
                              qMax(0, current.microVersion()));
    }
#endif
    QFile file(map(QStringLiteral("/System/Library/CoreServices/SystemVersion.plist")));
    if (!file.open(QIODevice::ReadOnly))
        return QVersionNumber(0, 0, 0);
    return versionFromSystemVersionPlist(file.read(1024 * 1024));
}

QString Host::macOSVersionText() const
{
    const QVersionNumber version = macOSVersion();
    return QString::number(version.majorVersion()) + QLatin1Char('.') + QString::number(version.minorVersion())
        + QLatin1Char('.') + QString::number(version.microVersion());
}

QString Host::architectureName(const QString& machine)
{
    if (machine == QLatin1String("aarch64"))
        return QStringLiteral("arm64");
    return machine;
}

QString Host::architecture() const
{
    if (m_architecture)
        return *m_architecture;
    return architectureName(machineFromKernel());
}

std::optional<qint64> Host::freeBytes() const
{
    if (m_freeBytes)
        return *m_freeBytes;
    const QStorageInfo storage(m_root);
    if (!storage.isValid() || !storage.isReady())
        return std::nullopt;
    const qint64 available = storage.bytesAvailable();
    if (available < 0)
        return std::nullopt;
    return available;
}

uint Host::effectiveUserId() const
{
    if (m_effectiveUserId)
        return *m_effectiveUserId;
    return static_cast<uint>(geteuid());
}

std::optional<QString> Host::localizedHostName() const
{
    if (m_localizedHostName)
        return *m_localizedHostName;
    const QString name = computerName();
    if (name.isEmpty())
        return std::nullopt;
    return name;
}

bool Host::hostsFileNames(const QByteArray& hostsText, const QString& hostName)
{
    if (hostName.isEmpty())
        return false;
    for (QByteArray line : hostsText.split('\n')) {
        const qsizetype comment = line.indexOf('#');
        if (comment >= 0)
            line.truncate(comment);
        const QList<QByteArray> fields = line.simplified().split(' ');
        // The first field is the address; the names follow.
        for (qsizetype index = 1; index < fields.size(); ++index) {
            if (QString::fromUtf8(fields.at(index)).compare(hostName, Qt::CaseInsensitive) == 0)
                return true;
        }
    }
    return false;
}

bool Host::resolves(const QString& hostName) const
{
    if (m_resolver)
        return m_resolver(hostName);
    if (hasRoot()) {
        QFile hosts(map(QStringLiteral("/etc/hosts")));
        if (hosts.open(QIODevice::ReadOnly) && hostsFileNames(hosts.read(4 * 1024 * 1024), hostName))
            return true;
    }
    return systemResolves(hostName);
}
