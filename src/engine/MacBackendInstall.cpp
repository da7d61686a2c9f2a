// Install, remove and open one catalog entry: the dispatch on its kind.

#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/TildePath.h"

#include <QFileInfo>

namespace {

const QString& openTool()
{
    static const QString path = QStringLiteral("/usr/bin/open");
    return path;
}

QString noInterfaceText(const AppItem& item)
{
    return item.macName + QStringLiteral(" không có app UI để mở trực tiếp. Dùng Gỡ bỏ nếu muốn xoá khỏi máy.");
}

} // namespace

bool MacBackend::install(const AppItem& item)
{
    log(QStringLiteral("Bắt đầu cài: ") + item.macName + QStringLiteral(" [") + item.id + QLatin1Char(']'));
    progress(QStringLiteral("Đang chuẩn bị cài ") + item.macName, 0.0);

    if (item.kind == AppKind::blocked) {
        log(QStringLiteral("Bỏ qua ") + item.macName
            + QStringLiteral(": mục này không được hỗ trợ trong catalog macOS."));
        progress(QStringLiteral("Đã bỏ qua mục không hỗ trợ: ") + item.macName, 1.0);
        return true;
    }

    const QStringList blockers = installBlockers({item});
    if (!blockers.isEmpty()) {
        for (const QString& blocker : blockers)
            log(QStringLiteral("BLOCK: ") + blocker);
        progress(QStringLiteral("Chưa thể cài ") + item.macName + QStringLiteral(". Cần xử lý kiểm tra hệ thống."),
                 1.0);
        return false;
    }

    bool stepSucceeded = false;
    switch (item.kind) {
    case AppKind::direct:
        stepSucceeded = installDirectApp(item);
        break;
    case AppKind::formula:
        stepSucceeded = installBrewPackages(item.packages, false);
        break;
    case AppKind::cask:
        stepSucceeded = installBrewPackages(item.packages, true);
        if (stepSucceeded && item.id == QLatin1String("libreoffice"))
            stepSucceeded = installLibreDevivuVietnameseDictionary();
        break;
    case AppKind::bundle:
        stepSucceeded = installMixedBrewPackages(item.packages);
        break;
    case AppKind::shortcut:
        stepSucceeded = createShortcut(item);
        break;
    case AppKind::builtin:
        stepSucceeded = openBuiltinItem(item);
        break;
    case AppKind::mime:
        stepSucceeded = setMimeDefaults();
        break;
    case AppKind::blocked:
        break;
    }

    const InstallStatus after = status(item);
    if (stepSucceeded && after == InstallStatus::installed) {
        log(QStringLiteral("Thành công: ") + item.macName);
        progress(QStringLiteral("Đã cài xong ") + item.macName, 1.0);
        return true;
    }
    if (stepSucceeded)
        log(QStringLiteral("Lệnh đã chạy xong nhưng kiểm tra trạng thái sau cài chưa đạt."));
    log(QStringLiteral("Thất bại: ") + item.macName);
    progress(QStringLiteral("Cài chưa thành công ") + item.macName, 1.0);
    return false;
}

bool MacBackend::uninstall(const AppItem& item)
{
    log(QStringLiteral("Bắt đầu gỡ bỏ: ") + item.macName + QStringLiteral(" [") + item.id + QLatin1Char(']'));
    progress(QStringLiteral("Đang chuẩn bị gỡ bỏ ") + item.macName, 0.0);

    if (item.kind == AppKind::builtin || item.kind == AppKind::blocked) {
        log(item.macName + QStringLiteral(" là tính năng có sẵn của macOS nên không thể gỡ khỏi máy bằng app này."));
        openBuiltinItem(item);
        progress(item.macName + QStringLiteral(" là tính năng có sẵn của macOS."), 1.0);
        return true;
    }

    bool stepSucceeded = false;
    switch (item.kind) {
    case AppKind::direct:
        stepSucceeded = removeDirectApp(item);
        break;
    case AppKind::formula:
        stepSucceeded = uninstallBrewPackages(item.packages, false);
        break;
    case AppKind::cask:
        // The office suite's Vietnamese dictionary stays in place.
        stepSucceeded = uninstallBrewPackages(item.packages, true);
        break;
    case AppKind::bundle:
        stepSucceeded = uninstallMixedBrewPackages(item.packages);
        break;
    case AppKind::shortcut:
        stepSucceeded = removeShortcut(item);
        break;
    case AppKind::mime:
        stepSucceeded = resetMimeDefaults();
        break;
    case AppKind::builtin:
    case AppKind::blocked:
        break;
    }

    const InstallStatus after = status(item);
    if (stepSucceeded && after == InstallStatus::missing) {
        log(QStringLiteral("Đã gỡ bỏ: ") + item.macName);
        progress(QStringLiteral("Đã gỡ bỏ ") + item.macName, 1.0);
        return true;
    }
    if (stepSucceeded)
        log(QStringLiteral("Lệnh gỡ đã chạy xong nhưng kiểm tra trạng thái sau gỡ chưa đạt."));
    log(QStringLiteral("Gỡ bỏ thất bại: ") + item.macName);
    progress(QStringLiteral("Gỡ bỏ chưa thành công ") + item.macName, 1.0);
    return false;
}

bool MacBackend::open(const AppItem& item)
{
    log(QStringLiteral("Mở: ") + item.macName + QStringLiteral(" [") + item.id + QLatin1Char(']'));

    const auto runOpen = [this](const QString& target) {
        return runCommand({openTool(), target}, openTool() + QLatin1Char(' ') + target) == 0;
    };
    // The first application path (tilde expanded) at which something exists.
    const auto existingAppPath = [this, &item]() -> std::optional<QString> {
        for (const QString& path : item.appPaths) {
            const QString expanded = TildePath::expand(path);
            if (QFileInfo::exists(m_host.map(expanded)))
                return expanded;
        }
        return std::nullopt;
    };

    switch (item.kind) {
    case AppKind::direct:
    case AppKind::cask:
    case AppKind::bundle:
        if (const std::optional<QString> path = existingAppPath())
            return runOpen(*path);
        log(QStringLiteral("Không tìm thấy app path để mở ") + item.macName + QLatin1Char('.'));
        return false;
    case AppKind::formula:
        if (const std::optional<QString> path = existingAppPath())
            return runOpen(*path);
        log(noInterfaceText(item));
        return false;
    case AppKind::shortcut: {
        if (!item.shortcut)
            return false;
        const QString file = AppRuntime::appendingComponent(AppRuntime::shortcutDir(), item.shortcut->fileName);
        return runOpen(QFileInfo::exists(file) ? file : item.shortcut->url);
    }
    case AppKind::builtin:
        return openBuiltinItem(item, true);
    case AppKind::mime:
        log(noInterfaceText(item));
        return false;
    case AppKind::blocked:
        log(item.macName + QStringLiteral(" không được hỗ trợ trên macOS."));
        return false;
    }
    return false;
}
