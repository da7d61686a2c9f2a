#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>

class QFile;

// A whole file of another vendor (a receipt, a property list, a strings table,
// a licence file) read in bounded memory. Only a regular file no larger than a
// limit is read, so neither a huge file nor a link to a device or a named pipe
// can exhaust memory or stall the reader; the limit is checked before anything
// is read. The file is mapped into memory where the file system allows it (its
// pages are loaded as they are used and shared by every thread reading the
// same file), and read into memory otherwise.
class MappedFile {
public:
    // A receipt is a few kilobytes and an information list rarely more than a
    // few hundred: anything larger is refused unread.
    static constexpr qint64 maximumSize = 16 * 1024 * 1024;

    // The file at a local path (links followed). Nothing when it is not a
    // regular file, is larger than limit, or cannot be opened or read.
    static std::optional<MappedFile> open(const QString& path, qint64 limit = maximumSize);

    // Bytes already in memory, held as they are.
    explicit MappedFile(QByteArray bytes);

    MappedFile(MappedFile&& other) noexcept;
    MappedFile& operator=(MappedFile&& other) noexcept;
    ~MappedFile();

    // The file's bytes. A mapped file's bytes are not copied: they, and every
    // copy of them that is not modified, are valid only while this object lives.
    const QByteArray& bytes() const { return m_bytes; }

private:
    MappedFile();

    std::unique_ptr<QFile> m_file; // holds the mapping
    QByteArray m_bytes;            // declared after the file, so destroyed before its mapping
};
