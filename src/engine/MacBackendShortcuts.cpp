// Web-link shortcuts: ".webloc" files in the shortcut folder.

#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"
#include "platform/PropertyList.h"

#include <QFileInfo>

#include <cerrno>

namespace {

QString shortcutPath(const ShortcutSpec& shortcut)
{
    return AppRuntime::appendingComponent(AppRuntime::shortcutDir(), shortcut.fileName);
}

} // namespace

bool MacBackend::createShortcut(const AppItem& item)
{
    if (!item.shortcut)
        return false;
    const ShortcutSpec& shortcut = *item.shortcut;
    progress(QStringLiteral("Đang tạo shortcut ") + shortcut.name, 0.5);

    const QString path = shortcutPath(shortcut);
    QString error;
    const std::optional<QByteArray> contents = PropertyList::toXml(QVariantMap{{QStringLiteral("URL"), shortcut.url}});
    if (!contents)
        error = FileSystem::errorText(EINVAL);
    else if (FileSystem::createFolders(AppRuntime::shortcutDir(), 0755, &error))
        FileSystem::replaceFile(path, *contents, 0644, &error);
    if (!error.isEmpty()) {
        log(QStringLiteral("Không tạo được shortcut ") + shortcut.fileName + QStringLiteral(": ") + error);
        return false;
    }
    log(QStringLiteral("Đã tạo shortcut: ") + path);
    return true;
}

bool MacBackend::removeShortcut(const AppItem& item)
{
    if (!item.shortcut)
        return false;
    const ShortcutSpec& shortcut = *item.shortcut;
    const QString path = shortcutPath(shortcut);
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink()) {
        log(QStringLiteral("Shortcut không còn tồn tại: ") + path);
        return true;
    }
    progress(QStringLiteral("Đang xoá shortcut ") + shortcut.name, 0.55);
    QString error;
    if (!FileSystem::removeItem(path, &error)) {
        log(QStringLiteral("Không xoá được shortcut ") + shortcut.fileName + QStringLiteral(": ") + error);
        return false;
    }
    log(QStringLiteral("Đã xoá shortcut: ") + path);
    return true;
}
