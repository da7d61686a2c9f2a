#pragma once

#include <QString>

// Expansion of a leading tilde in a path, as the shell and the macOS
// frameworks do it.
namespace TildePath {

// A lone "~" or a leading "~/" stands for the current user's home folder
// (AppRuntime::homeDirectory()); "~name" or "~name/..." for that user's home
// folder. Any other path, and a "~name" whose user is unknown, is returned
// unchanged. Only the first component is ever expanded.
QString expand(const QString& path);

} // namespace TildePath
