#pragma once

#include "platform/FolderWalk.h"
#include "platform/Host.h"
#include "platform/MappedFile.h"

#include <QString>

#include <optional>

// The audit's read-only view of the file system. The scan uses real();
// tests substitute a fake that can, for example, show a file that exists
// but cannot be read (which running as root cannot show with real files).
class AuditFileSystem {
public:
    virtual ~AuditFileSystem() = default;

    // Whether something exists at path (links followed).
    virtual bool exists(const QString& path) const = 0;
    // Whether the current user may read path.
    virtual bool isReadable(const QString& path) const = 0;
    // Whether path is a folder (links followed).
    virtual bool isDirectory(const QString& path) const = 0;
    // The whole file, memory-mapped where possible. Nothing when it cannot be
    // read or is not a regular file of at most MappedFile::maximumSize bytes
    // (a larger one is refused without being read).
    virtual std::optional<MappedFile> read(const QString& path) const = 0;
    // A depth-first walk as FolderWalk::walk does it; false when the folder
    // cannot be enumerated.
    virtual bool walk(const QString& folder, const FolderWalk::Visitor& visit) const = 0;

    // Where an absolute path of the Mac ("/Library/Preferences") is on this
    // machine; paths handed in by the caller are local already.
    virtual QString localPath(const QString& macPath) const = 0;

    // The file system of the Mac this process works on: Host::fromEnvironment(),
    // asked at each call, so a root changed later is followed.
    static const AuditFileSystem& real();
};

// The file system of a given Mac, or of the environment's when none is given.
class LocalAuditFileSystem final : public AuditFileSystem {
public:
    LocalAuditFileSystem() = default;
    explicit LocalAuditFileSystem(Host host) : m_host(std::move(host)) {}

    bool exists(const QString& path) const override;
    bool isReadable(const QString& path) const override;
    bool isDirectory(const QString& path) const override;
    std::optional<MappedFile> read(const QString& path) const override;
    bool walk(const QString& folder, const FolderWalk::Visitor& visit) const override;
    QString localPath(const QString& macPath) const override;

private:
    std::optional<Host> m_host;
};
