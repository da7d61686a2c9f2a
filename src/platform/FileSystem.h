#pragma once

#include <QString>

#include <sys/types.h>

// Small file-system operations with POSIX semantics that Qt does not offer.
namespace FileSystem {

// Creates a folder and every missing parent. Each folder this call creates
// gets exactly the given permissions; folders that already exist are left
// as they are. True when the folder exists at the end. On failure, error (when
// given) receives the text of the failing call's errno; a path below an
// ordinary file fails with "Not a directory".
bool createFolders(const QString& path, mode_t mode, QString* error = nullptr);

// The text of a POSIX error number, as the system words it; an unknown number
// is reported as an input/output error.
QString errorText(int number);

} // namespace FileSystem
