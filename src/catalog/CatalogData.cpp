#include "catalog/Catalog.h"

// The compiled-in catalog. Texts are the Vietnamese base texts; the interface
// translates names and descriptions elsewhere.

namespace Catalog {

namespace {

AppItem item(const char* id, const char* linuxName, const char* macName, const char* group,
             QStringList extraGroups, AppKind kind, QStringList packages, const char* description,
             const char* replacementNote, const char* symbol, QStringList appPaths, QStringList commands,
             bool builtinReady, std::optional<int> minimumMacOSMajor)
{
    AppItem entry;
    entry.id = QString::fromUtf8(id);
    entry.linuxName = QString::fromUtf8(linuxName);
    entry.macName = QString::fromUtf8(macName);
    entry.group = QString::fromUtf8(group);
    entry.extraGroups = std::move(extraGroups);
    entry.kind = kind;
    entry.packages = std::move(packages);
    entry.description = QString::fromUtf8(description);
    entry.replacementNote = QString::fromUtf8(replacementNote);
    entry.symbol = QString::fromUtf8(symbol);
    entry.appPaths = std::move(appPaths);
    entry.commands = std::move(commands);
    entry.builtinReady = builtinReady;
    entry.minimumMacOSMajor = minimumMacOSMajor;
    return entry;
}

ShortcutSpec shortcut(const char* fileName, const char* name, const char* url)
{
    return ShortcutSpec{QString::fromUtf8(fileName), QString::fromUtf8(name), QString::fromUtf8(url)};
}

DirectInstallerSpec diskImage(const char* url, const char* fileName, const char* appBundleName,
                              const char* bundleID, const char* teamID, const char* urlHost,
                              const char* downloadHost)
{
    return DirectInstallerSpec{QString::fromUtf8(url),
                               QString::fromUtf8(fileName),
                               DirectInstallerSpec::InstallerType::dmg,
                               QString::fromUtf8(appBundleName),
                               QString::fromUtf8(bundleID),
                               QString::fromUtf8(teamID),
                               {QString::fromUtf8(urlHost), QString::fromUtf8(downloadHost)}};
}

QList<AppItem> buildItems()
{
    QList<AppItem> list{
    // 1
    item("libreoffice", "LibreDevivu + tiếng Việt", "LibreDevivu + Vietnamese", "devivu", {}, AppKind::cask,
         {"libreoffice", "libreoffice-language-pack"},
         "Bộ soạn thảo văn bản, bảng tính, trình chiếu, giao diện tiếng Việt và spellcheck tiếng Việt.",
         "Map `libreoffice`, `libreoffice-l10n-vi`, `hunspell-vi` sang LibreDevivu cask, language pack `vi` và extension Vietnamese dictionaries của LibreDevivu.",
         "doc.richtext", {"/Applications/LibreDevivu.app"}, {}, false, std::nullopt),
    // 2
    item("ibus-unikey", "IBus Unikey", "Vietnamese Input Sources", "devivu", {}, AppKind::builtin,
         {},
         "Mở Keyboard Settings để bật bộ gõ tiếng Việt Telex/VNI có sẵn trên macOS.",
         "OpenKey đã bị Homebrew deprecate; dùng Vietnamese input source tích hợp của macOS để tránh phụ thuộc cask sắp bị vô hiệu hóa.",
         "keyboard", {}, {}, true, std::nullopt),
    // 3
    item("devivu-fonts", "Font văn phòng", "Devivu Fonts", "devivu", {}, AppKind::cask,
         {"font-noto-sans", "font-noto-serif", "font-noto-sans-cjk", "font-noto-serif-cjk", "font-noto-color-emoji", "font-liberation", "font-carlito", "font-caladea"},
         "Noto, CJK, emoji và font tương thích tài liệu Microsoft Devivu.",
         "Map đủ nhóm font Linux: Noto, Noto CJK, Noto Color Emoji, Liberation, Carlito và Caladea bằng Homebrew font casks.",
         "textformat", {}, {}, false, std::nullopt),
    // 4
    item("evince", "Document Viewer", "Skim", "devivu", {}, AppKind::cask,
         {"skim"},
         "Mở PDF và tài liệu phổ biến bằng app viewer riêng.",
         "Evince không có package macOS ổn định trong Homebrew; Skim là PDF/document viewer cài được bằng cask.",
         "doc.viewfinder", {"/Applications/Skim.app"}, {}, false, std::nullopt),
    // 5
    item("pdfarranger", "PDF Arranger", "PDFsam Basic", "devivu", {"printer"}, AppKind::cask,
         {"pdfsam-basic"},
         "Ghép, tách và sắp xếp trang PDF.",
         "PDFsam Basic là replacement gần nhất trên macOS.",
         "square.stack.3d.down.right", {"/Applications/PDFsam Basic.app"}, {}, false, std::nullopt),
    // 6
    item("xournalpp", "Xournal++", "Skim / Preview Markup", "devivu", {"printer"}, AppKind::cask,
         {"skim"},
         "Ghi chú, ký và annotate PDF.",
         "Skim hoặc Preview Markup thay thế Xournal++ tùy nhu cầu.",
         "pencil.and.outline", {"/Applications/Skim.app"}, {}, false, std::nullopt),
    // 7
    item("archive-tools", "Công cụ nén/giải nén", "Archive Tools", "devivu", {}, AppKind::bundle,
         {"formula:p7zip", "cask:keka"},
         "ZIP/unzip, 7-Zip và app GUI nén/giải nén.",
         "zip/unzip có sẵn trong macOS và được kiểm tra bằng command; p7zip thay p7zip-full; Keka thay File Roller.",
         "archivebox", {"/Applications/Keka.app"}, {"zip", "unzip", "7z"}, false, std::nullopt),
    // 8
    item("thunderbird", "Thunderbird", "Thunderbird", "devivu", {}, AppKind::direct,
         {},
         "Email client cho công việc văn phòng.",
         "Cài trực tiếp từ endpoint chính thức của Mozilla, không cần Homebrew.",
         "envelope", {"/Applications/Thunderbird.app", "~/Applications/Thunderbird.app"}, {}, false, std::nullopt),
    // 9
    item("flameshot", "Flameshot", "Screenshot & Markup", "devivu", {}, AppKind::builtin,
         {},
         "Mở công cụ Screenshot/Markup có sẵn để chụp và chú thích màn hình.",
         "Flameshot hiện yêu cầu macOS mới và đã bị Homebrew deprecate; dùng Screenshot/Markup tích hợp để preset Devivu hoạt động ổn định.",
         "camera.viewfinder", {}, {}, true, std::nullopt),
    // 10
    item("onlyoffice", "ONLYDEVIVU Desktop Editors", "ONLYDEVIVU Desktop Editors", "microsoft", {}, AppKind::cask,
         {"onlyoffice"},
         "Mở và chỉnh sửa DOCX, XLSX, PPTX tương thích Microsoft Devivu tốt hơn.",
         "Snap được thay bằng Homebrew cask.",
         "doc.on.doc", {"/Applications/ONLYDEVIVU.app", "/Applications/ONLYDEVIVU Desktop Editors.app"}, {}, false, std::nullopt),
    // 11
    item("onlyoffice-mime", "Đặt ONLYDEVIVU làm mặc định", "Set ONLYDEVIVU Defaults", "microsoft", {}, AppKind::mime,
         {"duti"},
         "Gán DOC, DOCX, XLS, XLSX, PPT, PPTX mở bằng ONLYDEVIVU.",
         "xdg-mime được thay bằng duti và Launch Services.",
         "checkmark.seal", {}, {}, false, std::nullopt),
    // 12
    item("microsoft-365", "Microsoft 365 shortcut", "Microsoft 365 shortcut", "microsoft", {}, AppKind::shortcut,
         {},
         "Tạo shortcut mở Devivu Online.",
         "Tạo file .webloc trong ~/Applications/Tavrin Devivu Kit/.",
         "link", {}, {}, false, std::nullopt),
    // 13
    item("printer-drivers", "Printer Settings + Driver Pack", "Printers & Scanners", "printer", {}, AppKind::builtin,
         {},
         "Cấu hình máy in qua Settings của macOS.",
         "macOS không có package system-config-printer/printer-driver-all tương đương còn được Homebrew hỗ trợ; dùng AirPrint, driver vendor và Printers & Scanners.",
         "printer", {}, {}, true, std::nullopt),
    // 14
    item("scanner-tools", "Simple Scan + AirScan", "SANE scanner tools", "printer", {}, AppKind::formula,
         {"sane-backends"},
         "Cài SANE backend và lệnh scanimage; Image Capture vẫn là GUI scan mặc định.",
         "Simple Scan/AirScan được map sang sane-backends trên macOS, kèm mở Image Capture khi cần quét bằng GUI.",
         "scanner", {"/System/Applications/Image Capture.app", "/Applications/Image Capture.app"}, {"scanimage"}, false, std::nullopt),
    // 15
    item("telegram", "Telegram Desktop", "Telegram Desktop", "meeting", {}, AppKind::direct,
         {},
         "Chat và trao đổi file nhanh.",
         "Cài trực tiếp từ endpoint chính thức của Telegram, không cần Homebrew.",
         "paperplane", {"/Applications/Telegram.app", "~/Applications/Telegram.app"}, {}, false, std::nullopt),
    // 16
    item("slack", "Slack", "Slack", "meeting", {}, AppKind::direct,
         {},
         "Chat nhóm doanh nghiệp.",
         "Cài trực tiếp từ endpoint chính thức Slack macOS universal, không cần Homebrew.",
         "number", {"/Applications/Slack.app", "~/Applications/Slack.app"}, {}, false, std::nullopt),
    // 17
    item("teams-shortcut", "Microsoft Teams shortcut", "Microsoft Teams shortcut", "meeting", {}, AppKind::shortcut,
         {},
         "Tạo shortcut mở Microsoft Teams web.",
         "Tạo file .webloc thay .desktop.",
         "video", {}, {}, false, std::nullopt),
    // 18
    item("meet-shortcut", "Google Meet shortcut", "Google Meet shortcut", "meeting", {}, AppKind::shortcut,
         {},
         "Tạo shortcut mở Google Meet.",
         "Tạo file .webloc thay .desktop.",
         "video.bubble.left", {}, {}, false, std::nullopt),
    // 19
    item("zalo-shortcut", "Zalo Web shortcut", "Zalo Web shortcut", "meeting", {}, AppKind::shortcut,
         {},
         "Tạo shortcut mở Zalo Web.",
         "Tạo file .webloc thay .desktop.",
         "message", {}, {}, false, std::nullopt),
    // 20
    item("vlc", "VLC", "VLC", "media", {}, AppKind::cask,
         {"vlc"},
         "Mở video và audio phổ biến.",
         "Cài VLC bản macOS.",
         "play.rectangle", {"/Applications/VLC.app"}, {}, false, std::nullopt),
    // 21
    item("gimp", "GIMP", "GIMP", "media", {}, AppKind::cask,
         {"gimp"},
         "Chỉnh sửa ảnh.",
         "Cài GIMP bản macOS.",
         "paintbrush", {"/Applications/GIMP.app"}, {}, false, std::nullopt),
    // 22
    item("inkscape", "Inkscape", "Inkscape", "media", {}, AppKind::cask,
         {"inkscape"},
         "Thiết kế vector và SVG.",
         "Cài Inkscape bản macOS.",
         "scribble.variable", {"/Applications/Inkscape.app"}, {}, false, std::nullopt),
    // 23
    item("ocrmypdf", "OCRmyPDF + tiếng Việt", "OCRmyPDF + Vietnamese", "media", {}, AppKind::formula,
         {"ocrmypdf", "tesseract-lang"},
         "OCR tài liệu PDF tiếng Việt.",
         "Dùng formula ocrmypdf và ngôn ngữ OCR qua tesseract-lang.",
         "text.viewfinder", {}, {"ocrmypdf"}, false, std::nullopt),
    // 24
    item("remmina", "Remmina", "Windows App", "media", {}, AppKind::cask,
         {"windows-app"},
         "Remote desktop/RDP client cho macOS 14 trở lên.",
         "Remmina không có package macOS tương đương; Microsoft Remote Desktop cũ đã được thay bằng Windows App cask. Cask này yêu cầu macOS 14+.",
         "display.2", {"/Applications/Windows App.app"}, {}, false, 14),
    // 25
    item("keepassxc", "KeePassXC", "KeePassXC", "media", {}, AppKind::cask,
         {"keepassxc"},
         "Quản lý mật khẩu offline.",
         "Cài KeePassXC bản macOS.",
         "key", {"/Applications/KeePassXC.app"}, {}, false, std::nullopt),
    // 26
    item("deja-dup", "Deja Dup Backup", "Backup tool (không hỗ trợ)", "media", {}, AppKind::blocked,
         {},
         "Mục backup từ Linux không được tự động thay bằng Time Machine.",
         "Out of scope trên macOS: app không mở hoặc cấu hình công cụ backup để tránh thao tác dữ liệu nhạy cảm.",
         "externaldrive.badge.timemachine", {}, {}, false, std::nullopt),
    // 27
    item("gnome-disks", "GNOME Disks", "Disk Utility", "media", {}, AppKind::builtin,
         {},
         "Mở Disk Utility để quản lý ổ đĩa, volume và USB trên macOS.",
         "GNOME Disks được thay bằng Disk Utility có sẵn trong macOS.",
         "internaldrive", {"/System/Applications/Utilities/Disk Utility.app", "/Applications/Utilities/Disk Utility.app"}, {}, true, std::nullopt),
    // 28
    item("rclone", "rclone", "rclone (không hỗ trợ)", "media", {}, AppKind::blocked,
         {},
         "Đồng bộ cloud storage bằng CLI không nằm trong catalog Mac mặc định.",
         "Out of scope cho bộ cài văn phòng an toàn trên macOS. Có thể cài thủ công bằng Homebrew nếu quản trị viên cần.",
         "cloud.slash", {}, {}, false, std::nullopt),
    };

    for (AppItem& entry : list) {
        if (entry.id == QLatin1String("microsoft-365"))
            entry.shortcut = shortcut("Microsoft 365.webloc", "Microsoft 365", microsoft365URL);
        else if (entry.id == QLatin1String("teams-shortcut"))
            entry.shortcut = shortcut("Microsoft Teams.webloc", "Microsoft Teams", teamsURL);
        else if (entry.id == QLatin1String("meet-shortcut"))
            entry.shortcut = shortcut("Google Meet.webloc", "Google Meet", meetURL);
        else if (entry.id == QLatin1String("zalo-shortcut"))
            entry.shortcut = shortcut("Zalo Web.webloc", "Zalo Web", zaloURL);
        else if (entry.id == QLatin1String("thunderbird"))
            entry.directInstaller = diskImage(thunderbirdURL, "Thunderbird.dmg", "Thunderbird.app",
                                              "org.mozilla.thunderbird", "43AQ936H96", thunderbirdHost,
                                              thunderbirdCDNHost);
        else if (entry.id == QLatin1String("telegram"))
            entry.directInstaller = diskImage(telegramURL, "Telegram.dmg", "Telegram.app", "com.tdesktop.Telegram",
                                              "C67CF9S4VU", telegramHost, telegramDownloadHost);
        else if (entry.id == QLatin1String("slack"))
            entry.directInstaller = diskImage(slackURL, "Slack.dmg", "Slack.app", "com.tinyspeck.slackmacgap",
                                              "BQR82RBBHL", slackHost, slackCDNHost);
    }
    return list;
}

} // namespace

const QList<AppItem>& items()
{
    static const QList<AppItem> list = buildItems();
    return list;
}

} // namespace Catalog
