#include "platform/FolderWalk.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace FolderWalk {

namespace {

// Folder extensions that the Finder shows as a single item.
const QSet<QString>& packageExtensions()
{
    static const QSet<QString> extensions{
        QStringLiteral("app"),       QStringLiteral("appex"),     QStringLiteral("bundle"),
        QStringLiteral("component"), QStringLiteral("framework"), QStringLiteral("kext"),
        QStringLiteral("mdimporter"), QStringLiteral("mpkg"),     QStringLiteral("pkg"),
        QStringLiteral("plugin"),    QStringLiteral("prefpane"),  QStringLiteral("qlgenerator"),
        QStringLiteral("saver"),     QStringLiteral("xpc"),       QStringLiteral("wdgt"),
    };
    return extensions;
}

// Returns false when the walk was stopped.
bool walkFolder(const QString& folder, int depth, const Visitor& visit)
{
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(
        QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
    for (const QFileInfo& info : entries) {
        if (info.isHidden())
            continue;
        Entry entry;
        entry.name = info.fileName();
        entry.path = dir.filePath(entry.name);
        entry.depth = depth;
        entry.isSymbolicLink = info.isSymLink();
        entry.isDirectory = info.isDir() && !entry.isSymbolicLink;
        entry.isPackage = entry.isDirectory && (info.isBundle() || isPackageName(entry.name));
        const Step step = visit(entry);
        if (step == Step::stop)
            return false;
        if (step == Step::next && entry.isDirectory && !entry.isPackage) {
            if (!walkFolder(entry.path, depth + 1, visit))
                return false;
        }
    }
    return true;
}

} // namespace

bool isPackageName(const QString& name)
{
    const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
    return dot > 0 && packageExtensions().contains(name.mid(dot + 1).toLower());
}

bool walk(const QString& folder, const Visitor& visit)
{
    const QFileInfo info(folder);
    if (!info.isDir() || !info.isReadable() || !QDir(folder).isReadable())
        return false;
    walkFolder(folder, 1, visit);
    return true;
}

} // namespace FolderWalk
