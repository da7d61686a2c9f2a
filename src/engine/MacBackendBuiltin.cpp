// Built-in items: the System Settings panes and system applications that
// stand for some Linux tools.

#include "engine/MacBackend.h"

#include <QHash>

namespace {

// The command that shows each entry's counterpart, by entry id.
const QHash<QString, QStringList>& counterparts()
{
    static const QHash<QString, QStringList> table{
        {QStringLiteral("ibus-unikey"),
         {QStringLiteral("/usr/bin/open"),
          QStringLiteral("x-apple.systempreferences:com.apple.Keyboard-Settings.extension")}},
        {QStringLiteral("printer-drivers"),
         {QStringLiteral("/usr/bin/open"),
          QStringLiteral("x-apple.systempreferences:com.apple.Print-Scan-Settings.extension")}},
        {QStringLiteral("scanner-tools"),
         {QStringLiteral("/usr/bin/open"), QStringLiteral("-a"), QStringLiteral("Image Capture")}},
        {QStringLiteral("evince"), {QStringLiteral("/usr/bin/open"), QStringLiteral("-a"), QStringLiteral("Preview")}},
        {QStringLiteral("flameshot"),
         {QStringLiteral("/usr/bin/open"), QStringLiteral("-a"), QStringLiteral("Screenshot")}},
        {QStringLiteral("gnome-disks"),
         {QStringLiteral("/usr/bin/open"), QStringLiteral("-a"), QStringLiteral("Disk Utility")}},
    };
    return table;
}

} // namespace

const QSet<QString>& MacBackend::blockedBuiltinIDs()
{
    static const QSet<QString> ids{QStringLiteral("deja-dup"), QStringLiteral("rclone")};
    return ids;
}

bool MacBackend::openBuiltinItem(const AppItem& item, bool reportToolResult)
{
    if (blockedBuiltinIDs().contains(item.id)) {
        log(QStringLiteral("Bỏ qua ") + item.macName
            + QStringLiteral(": Tavrin Devivu Kit không mở công cụ hệ thống có rủi ro dữ liệu."));
        progress(QStringLiteral("Đã chặn mục hệ thống có rủi ro dữ liệu: ") + item.macName, 1.0);
        return false;
    }
    progress(QStringLiteral("Đang mở mục macOS ") + item.macName, 0.55);

    const auto row = counterparts().constFind(item.id);
    if (row != counterparts().cend()) {
        if (runCommand(*row, row->join(QLatin1Char(' '))) == 0)
            return true;
        // Opening reports what the command did; installing a built-in entry
        // only needs it to be present.
        return !reportToolResult && status(item) == InstallStatus::installed;
    }
    log(item.macName + QStringLiteral(" là tính năng có sẵn của macOS."));
    return item.builtinReady || status(item) == InstallStatus::installed;
}
