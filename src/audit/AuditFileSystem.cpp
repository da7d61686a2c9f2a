#include "audit/AuditFileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <unistd.h>

bool LocalAuditFileSystem::exists(const QString& path) const
{
    return QFileInfo::exists(path);
}

bool LocalAuditFileSystem::isReadable(const QString& path) const
{
    return !path.isEmpty() && ::access(QFile::encodeName(path).constData(), R_OK) == 0;
}

bool LocalAuditFileSystem::isDirectory(const QString& path) const
{
    return QFileInfo(path).isDir();
}

std::optional<MappedFile> LocalAuditFileSystem::read(const QString& path) const
{
    return MappedFile::open(path);
}

bool LocalAuditFileSystem::walk(const QString& folder, const FolderWalk::Visitor& visit) const
{
    return FolderWalk::walk(folder, visit);
}

QString LocalAuditFileSystem::localPath(const QString& macPath) const
{
    return m_host ? m_host->map(macPath) : Host::fromEnvironment().map(macPath);
}

const AuditFileSystem& AuditFileSystem::real()
{
    static const LocalAuditFileSystem fileSystem;
    return fileSystem;
}
