#pragma once

#include "audit/AuditFileSystem.h"

#include <QSet>

// The files of a Mac laid out below a root folder, except for paths the test
// declares unreadable (they exist but cannot be read or listed) or whose
// read fails. Tests run as root, where permissions cannot show these cases
// with real files.
class FakeAuditFileSystem final : public AuditFileSystem {
public:
    explicit FakeAuditFileSystem(const QString& macRoot = QStringLiteral("/")) : m_files(Host(macRoot)) {}

    QSet<QString> unreadable;
    QSet<QString> failingReads;

    bool exists(const QString& path) const override { return unreadable.contains(path) || m_files.exists(path); }
    bool isReadable(const QString& path) const override
    {
        return !unreadable.contains(path) && m_files.isReadable(path);
    }
    bool isDirectory(const QString& path) const override { return m_files.isDirectory(path); }
    std::optional<MappedFile> read(const QString& path) const override
    {
        if (unreadable.contains(path) || failingReads.contains(path))
            return std::nullopt;
        return m_files.read(path);
    }
    bool walk(const QString& folder, const FolderWalk::Visitor& visit) const override
    {
        return !unreadable.contains(folder) && m_files.walk(folder, visit);
    }
    QString localPath(const QString& macPath) const override { return m_files.localPath(macPath); }

private:
    LocalAuditFileSystem m_files;
};
