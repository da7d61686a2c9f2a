#pragma once

#include <QString>

#include <functional>

// Depth-first walk of a folder, the way the Finder shows it: hidden entries
// are left out, packages (".app" folders and other bundles) are listed but
// never entered, and symbolic links are listed but never followed. Entries
// of one folder come in name order, so a walk is repeatable.
namespace FolderWalk {

struct Entry {
    QString path;       // the folder's path joined with the entry's relative path
    QString name;       // last path component, as written
    int depth = 1;      // 1 for a direct child of the walked folder
    bool isDirectory = false; // a real folder (a link to a folder is not one)
    bool isPackage = false;   // a folder that is listed but not entered
    bool isSymbolicLink = false;
};

enum class Step {
    next,           // go on; a folder's entries follow it
    skipContents,   // go on, but do not enter this entry
    stop,           // end the walk
};

using Visitor = std::function<Step(const Entry&)>;

// Walks below folder. False when folder is not a readable folder (nothing
// was visited); true otherwise, also when the visitor stopped the walk.
// Subfolders that cannot be read are listed but contribute no entries.
bool walk(const QString& folder, const Visitor& visit);

// Whether a folder with this name is a package (by its extension).
bool isPackageName(const QString& name);

} // namespace FolderWalk
