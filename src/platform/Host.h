#pragma once

#include <QString>
#include <QVersionNumber>

#include <functional>
#include <optional>

// The Mac the program works on, and the facts it takes from the platform.
//
// The Mac's file system starts at a root folder: "/" on a Mac. On a build for
// another system the root may be moved with TAVRIN_MAC_ROOT to a folder laid
// out like a Mac's system volume, so the program can be run and tested there;
// a build for macOS ignores the variable, so nothing in a user's environment
// can swap the tools that decide what is verified, overwritten or deleted.
//
// Paths come in two kinds. A Mac path is what the Mac itself calls a file
// ("/usr/bin/open", "/Applications"); it is what descriptions and log lines
// show. A local path is where that file is on this machine: map() turns the
// one into the other and unmap() back. The user's home folder, and the
// program's own folders (which follow the home folder or TAVRIN_MAC_*), are
// the same on both sides and are never mapped.
//
// Each fact can be fixed on a Host value, so tests hand the engine exact facts.
class Host {
public:
    static constexpr const char* rootVariable = "TAVRIN_MAC_ROOT";

    // The machine itself: root "/" and facts read from the platform.
    Host();
    // A Mac whose file system starts at the given folder ("/" for the machine
    // itself); a relative folder is taken against the current folder.
    explicit Host(const QString& root);

    // The Mac of this process: "/" on macOS; elsewhere TAVRIN_MAC_ROOT when it
    // is set and not blank (a leading tilde expanded), else "/".
    static Host fromEnvironment();

    // The root folder: "/" or an absolute path without a trailing slash.
    const QString& root() const { return m_root; }
    bool hasRoot() const { return m_root != QLatin1String("/"); }

    // Mac path to local path: an absolute path gets the root put in front;
    // a relative path, a path in the home folder or in one of the program's
    // own folders (AppRuntime's application-support, cache, log and shortcut
    // folders, wherever their variables put them), and every path when the
    // root is "/", stay unchanged.
    QString map(const QString& macPath) const;
    // Local path to Mac path: the root is taken off a path below it (the root
    // itself becomes "/"); other paths, and the paths that map() leaves
    // unchanged, stay unchanged. Comparisons with fixed macOS prefixes ("/System", ...) are
    // made on the result.
    QString unmap(const QString& localPath) const;

    // The macOS version. On a Mac with root "/" the running system's; else
    // ProductVersion of <root>/System/Library/CoreServices/SystemVersion.plist,
    // and 0.0.0 when it is missing or unreadable.
    QVersionNumber macOSVersion() const;
    // The same as text: major, minor and patch in decimal joined by "."
    // ("12.0.0" for a release without a patch level).
    QString macOSVersionText() const;
    // The machine's hardware name ("arm64", "x86_64", ...); "" when unknown.
    QString architecture() const;
    // The free bytes of the volume that holds the root; nothing when unknown.
    std::optional<qint64> freeBytes() const;
    // The effective user id of the process.
    uint effectiveUserId() const;
    // The computer's name as the user sees it (the name set in the system's
    // sharing settings on a Mac, the host name elsewhere); nothing when the
    // system has none.
    std::optional<QString> localizedHostName() const;
    // Whether a host name resolves. With a root set, <root>/etc/hosts is
    // consulted first, then the system resolver. Blocks.
    bool resolves(const QString& hostName) const;

    // Fix a fact instead of reading it.
    void setMacOSVersion(const QVersionNumber& version) { m_macOSVersion = version; }
    void setArchitecture(const QString& architecture) { m_architecture = architecture; }
    void setFreeBytes(std::optional<qint64> bytes) { m_freeBytes = bytes; }
    void setEffectiveUserId(uint id) { m_effectiveUserId = id; }
    void setLocalizedHostName(std::optional<QString> name) { m_localizedHostName = std::move(name); }
    void setResolver(std::function<bool(const QString&)> resolver) { m_resolver = std::move(resolver); }

    // The hardware name as the Mac reports it: "aarch64" becomes "arm64".
    static QString architectureName(const QString& machine);
    // The version in a SystemVersion.plist's bytes; 0.0.0 when there is none.
    static QVersionNumber versionFromSystemVersionPlist(const QByteArray& bytes);
    // Whether a hosts file's text names the host (case-insensitively).
    static bool hostsFileNames(const QByteArray& hostsText, const QString& hostName);

private:
    QString m_root;
    std::optional<QVersionNumber> m_macOSVersion;
    std::optional<QString> m_architecture;
    std::optional<std::optional<qint64>> m_freeBytes;
    std::optional<uint> m_effectiveUserId;
    std::optional<std::optional<QString>> m_localizedHostName;
    std::function<bool(const QString&)> m_resolver;
};
