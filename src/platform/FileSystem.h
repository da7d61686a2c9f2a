#pragma once

#include <QByteArrayView>
#include <QString>

#include <sys/types.h>

// Small file-system operations with POSIX semantics that Qt does not offer.
namespace FileSystem {

// Creates a folder and every missing parent. Each folder this call creates
// gets exactly the given permissions; folders that already exist are left
// as they are. True when the folder exists at the end. On failure, error (when
// given) receives the text of the failing call's errno; a path below an
// ordinary file fails with "Not a directory". Both operations leave errno
// at the failing call's error number when they fail.
bool createFolders(const QString& path, mode_t mode, QString* error = nullptr);

// Replaces the file at path with the bytes: they go to a new file created in
// the same folder with exactly the given permissions (never wider while it is
// written), are flushed to disk, and the new file is renamed over path. A
// reader sees the old file or the new one, never a part. On failure the new
// file is removed, path is left exactly as it was, false is returned and
// error (when given) receives the text of the failing call's errno.
bool replaceFile(const QString& path, QByteArrayView bytes, mode_t mode, QString* error = nullptr);

// Renames from to to (both in one file system) only when nothing is at to:
// an existing file, link or folder, even an empty one, is never replaced.
// On failure nothing has moved; error (when given) receives the text of the
// failing call's errno ("File exists" when something is at to).
bool renameNoReplace(const QString& from, const QString& to, QString* error = nullptr);

// Whether path names an ordinary file (links followed) that the current user
// may execute.
bool isExecutableFile(const QString& path);

// Removes whatever is at path: a file, a symbolic link (never what it points
// to) or a folder with everything in it (links inside are removed, never
// followed). False when something could not be removed or nothing was there;
// error (when given) then receives the text of the failing call's errno.
bool removeItem(const QString& path, QString* error = nullptr);

// The text of a POSIX error number, as the system words it; an unknown number
// is reported as an input/output error.
QString errorText(int number);

} // namespace FileSystem
