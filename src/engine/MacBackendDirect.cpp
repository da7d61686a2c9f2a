// The direct installer: a vendor's disk image or zip archive, downloaded over
// HTTPS from the entry's allowed hosts, accepted only when the application
// bundle inside verifies, and copied into an Applications folder; and the
// removal of such an application, only while it still verifies.
//
// An install holds the entry's lock (<cache>/mounts/<id>.lock) from start to
// end, so two installs of one entry (the command line and the window) never
// overlap, and whatever carries the entry's run names while the lock is held
// was left by a run that was stopped: it is removed before anything else.
// The bundle is copied under a hidden temporary name beside its destination,
// verified there and renamed into place, so the destination only ever holds a
// complete, verified bundle.

#include "engine/DirectAppVerifier.h"
#include "engine/DirectDownloadPolicy.h"
#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/FolderWalk.h"
#include "platform/TildePath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUuid>

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QString inCache(const QString& relative)
{
    return AppRuntime::appendingComponent(AppRuntime::cacheDir(), relative);
}

// A fresh UUID in upper-case canonical form, and the pattern that matches one.
QString freshUuid()
{
    return QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper();
}

const QString uuidPattern = QStringLiteral("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");

// The entry's id, a hyphen and a fresh UUID, so two runs never share a mount
// point or an extraction folder.
QString runName(const AppItem& item)
{
    return item.id + QLatin1Char('-') + freshUuid();
}

QRegularExpression runNamePattern(const AppItem& item)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QRegularExpression::escape(item.id)
                                                                  + QLatin1Char('-') + uuidPattern));
}

// The bundle's name without ".app".
QString bundleBaseName(const DirectInstallerSpec& installer)
{
    const QString& name = installer.appBundleName;
    return name.endsWith(QLatin1String(".app")) ? name.chopped(4) : name;
}

// ".<bundle name without .app>-<UUID>.app": hidden, so neither the Finder nor
// the inventory scan lists it, and still a bundle to the signature tools.
QString temporaryBundleName(const DirectInstallerSpec& installer)
{
    return QLatin1Char('.') + bundleBaseName(installer) + QLatin1Char('-') + freshUuid() + QStringLiteral(".app");
}

QRegularExpression temporaryBundlePattern(const DirectInstallerSpec& installer)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(
        QStringLiteral("\\.") + QRegularExpression::escape(bundleBaseName(installer)) + QLatin1Char('-') + uuidPattern
        + QStringLiteral("\\.app")));
}

// Whether the current user owns what is at a local path (a link itself).
bool ownedByUs(const QString& localPath)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(localPath).constData(), &info) == 0 && info.st_uid == ::geteuid();
}

// Whether a folder may still have an image attached: it is another volume
// than its parent, or it is not empty.
bool mayBeAttached(const QString& mountPoint)
{
    struct stat folder {};
    struct stat parent {};
    if (::lstat(QFile::encodeName(mountPoint).constData(), &folder) != 0)
        return false;
    if (::stat(QFile::encodeName(QFileInfo(mountPoint).path()).constData(), &parent) == 0
        && folder.st_dev != parent.st_dev)
        return true;
    return !QDir(mountPoint).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
}

// Whether something (a link included) is at a local path.
bool somethingAt(const QString& localPath)
{
    const QFileInfo info(localPath);
    return info.exists() || info.isSymLink();
}

// Runs an action when the scope ends, on every way out.
template <typename Action>
class AtExit {
public:
    explicit AtExit(Action action) : m_action(std::move(action)) {}
    ~AtExit() { m_action(); }
    AtExit(const AtExit&) = delete;
    AtExit& operator=(const AtExit&) = delete;

private:
    Action m_action;
};

} // namespace

bool MacBackend::installDirectApp(const AppItem& item)
{
    if (!item.directInstaller) {
        log(QStringLiteral("Thiếu direct installer manifest cho ") + item.macName + QLatin1Char('.'));
        return false;
    }
    const DirectInstallerSpec& installer = *item.directInstaller;

    const QString downloads = inCache(QStringLiteral("downloads"));
    const QString mounts = inCache(QStringLiteral("mounts"));
    const QString target = AppRuntime::appendingComponent(downloads, installer.fileName);
    const QString lockPath = AppRuntime::appendingComponent(mounts, item.id + QStringLiteral(".lock"));
    QString error;
    bool prepared = FileSystem::createFolders(AppRuntime::cacheDir(), 0700, &error)
        && FileSystem::createFolders(downloads, 0700, &error) && FileSystem::createFolders(mounts, 0700, &error);
    FileLock lock;
    if (prepared) {
        FileLock::Outcome locked = lock.lock(lockPath, false, &error);
        if (locked == FileLock::Outcome::busy) {
            log(QStringLiteral("Đang chờ lượt cài ") + item.macName + QStringLiteral(" khác kết thúc."));
            locked = lock.lock(lockPath, true, &error);
        }
        prepared = locked == FileLock::Outcome::locked;
    }
    if (prepared)
        removeDirectLeftovers(item, installer);
    if (prepared && somethingAt(target))
        prepared = FileSystem::removeItem(target, &error);
    if (!prepared) {
        log(QStringLiteral("Không chuẩn bị được direct install cho ") + item.macName + QStringLiteral(": ") + error);
        return false;
    }

    progress(QStringLiteral("Đang tải ") + item.macName + QStringLiteral(" từ nguồn chính thức"), 0.08);
    log(QStringLiteral("Tải trực tiếp ") + item.macName + QStringLiteral(" từ nguồn chính thức."));

    if (!DirectDownloadPolicy::allows(installer.url, installer.allowedDownloadHosts)) {
        log(QStringLiteral("URL tải không thuộc allowlist HTTPS của ") + item.macName + QLatin1Char('.'));
        return false;
    }

    const CapturedRun download = runCaptureStatus({
        QStringLiteral("/usr/bin/curl"),
        QStringLiteral("-fL"),
        QStringLiteral("--proto"),
        QStringLiteral("=https"),
        QStringLiteral("--proto-redir"),
        QStringLiteral("=https"),
        QStringLiteral("--max-redirs"),
        QStringLiteral("5"),
        QStringLiteral("--retry"),
        QStringLiteral("2"),
        QStringLiteral("--connect-timeout"),
        QStringLiteral("20"),
        QStringLiteral("--write-out"),
        QStringLiteral("%{url_effective}"),
        QStringLiteral("-o"),
        target,
        installer.url,
    });
    if (download.status != 0 || !DirectDownloadPolicy::allows(download.output.trimmed(), installer.allowedDownloadHosts)) {
        log(QStringLiteral("Download thất bại hoặc redirect ra ngoài allowlist của ") + item.macName + QLatin1Char('.'));
        if (somethingAt(target))
            FileSystem::removeItem(target);
        return false;
    }
    progress(QStringLiteral("Đã tải xong ") + item.macName, 0.35);

    if (installer.installerType == DirectInstallerSpec::InstallerType::zip)
        return installDirectZIP(target, item, installer);
    return installDirectDMG(target, item, installer);
}

bool MacBackend::installDirectDMG(const QString& imagePath, const AppItem& item, const DirectInstallerSpec& installer)
{
    const QString mountPoint = AppRuntime::appendingComponent(inCache(QStringLiteral("mounts")), runName(item));
    QString error;
    if (!FileSystem::createFolders(mountPoint, 0700, &error)) {
        log(QStringLiteral("Không tạo được mount point: ") + error);
        return false;
    }

    bool attached = false;
    const AtExit cleanUp([&] {
        if (attached)
            detachDiskImage(mountPoint);
        // Never recursive: a folder that is still a mounted image, or that
        // detach left behind with content, is not emptied from here.
        ::rmdir(QFile::encodeName(mountPoint).constData());
    });

    progress(QStringLiteral("Đang mount bộ cài ") + item.macName, 0.45);
    const int status = runCommand({QStringLiteral("/usr/bin/hdiutil"), QStringLiteral("attach"), imagePath,
                                   QStringLiteral("-nobrowse"), QStringLiteral("-readonly"),
                                   QStringLiteral("-mountpoint"), mountPoint},
                                  QStringLiteral("hdiutil attach ") + QFileInfo(imagePath).fileName());
    if (status != 0)
        return false;
    attached = true;

    const std::optional<QString> bundle = findAppBundle(mountPoint, installer.appBundleName);
    if (!bundle) {
        log(QStringLiteral("Không tìm thấy ") + installer.appBundleName + QStringLiteral(" trong DMG."));
        return false;
    }
    progress(QStringLiteral("Đã tìm thấy app bundle ") + installer.appBundleName, 0.62);
    return copyDirectApp(*bundle, item, installer);
}

bool MacBackend::installDirectZIP(const QString& archivePath, const AppItem& item, const DirectInstallerSpec& installer)
{
    const QString folder = AppRuntime::appendingComponent(inCache(QStringLiteral("extract")), runName(item));
    QString error;
    if (!FileSystem::createFolders(folder, 0700, &error)) {
        log(QStringLiteral("Không tạo được extract dir: ") + error);
        return false;
    }
    const AtExit cleanUp([&] { FileSystem::removeItem(folder); });

    progress(QStringLiteral("Đang giải nén ") + item.macName, 0.45);
    const int status = runCommand(
        {QStringLiteral("/usr/bin/unzip"), QStringLiteral("-q"), archivePath, QStringLiteral("-d"), folder},
        QStringLiteral("unzip ") + QFileInfo(archivePath).fileName());
    if (status != 0)
        return false;

    const std::optional<QString> bundle = findAppBundle(folder, installer.appBundleName);
    if (!bundle) {
        log(QStringLiteral("Không tìm thấy ") + installer.appBundleName + QStringLiteral(" trong ZIP."));
        return false;
    }
    progress(QStringLiteral("Đã tìm thấy app bundle ") + installer.appBundleName, 0.62);
    return copyDirectApp(*bundle, item, installer);
}

std::optional<QString> MacBackend::findAppBundle(const QString& folder, const QString& bundleName) const
{
    // The folders searched are the engine's own (a mount point or an
    // extraction folder in the cache), so paths here are the same on both
    // sides. Symbolic links are never followed and never taken for a bundle:
    // a disk image usually holds an "Applications" link to /Applications.
    const QString direct = AppRuntime::appendingComponent(folder, bundleName);
    const QFileInfo directInfo(direct);
    if (directInfo.exists() && !directInfo.isSymLink())
        return direct;

    std::optional<QString> found;
    std::optional<QString> fallback;
    FolderWalk::walk(folder, [&](const FolderWalk::Entry& entry) {
        if (entry.isSymbolicLink || !entry.name.endsWith(QLatin1String(".app")) || entry.name.size() <= 4)
            return FolderWalk::Step::next;
        if (entry.name == bundleName) {
            found = entry.path;
            return FolderWalk::Step::stop;
        }
        if (!fallback)
            fallback = entry.path;
        return FolderWalk::Step::skipContents;
    });
    return found ? found : fallback;
}

QString MacBackend::preferredApplicationsDirectory() const
{
    const QString system = QStringLiteral("/Applications");
    if (::access(QFile::encodeName(m_host.map(system)).constData(), W_OK) == 0)
        return system;
    return AppRuntime::appendingComponent(AppRuntime::homeDirectory(), QStringLiteral("Applications"));
}

bool MacBackend::copyDirectApp(const QString& bundlePath, const AppItem& item, const DirectInstallerSpec& installer)
{
    progress(QStringLiteral("Đang kiểm tra bundle ") + item.macName, 0.68);
    if (!DirectAppVerifier::verify(bundlePath, installer, verificationTools())) {
        log(QStringLiteral("Bundle tải về không đạt bundle ID, Team ID, designated requirement hoặc Gatekeeper policy."));
        return false;
    }

    const QString folder = preferredApplicationsDirectory();
    QString error;
    if (!FileSystem::createFolders(m_host.map(folder), 0755, &error)) {
        log(QStringLiteral("Không tạo được thư mục cài ") + folder + QStringLiteral(": ") + error);
        return false;
    }
    const QString destination = AppRuntime::appendingComponent(folder, installer.appBundleName);
    const QString localDestination = m_host.map(destination);

    if (somethingAt(localDestination)) {
        if (DirectAppVerifier::verify(destination, installer, verificationTools())) {
            log(installer.appBundleName + QStringLiteral(" đã tồn tại tại ") + destination + QLatin1Char('.'));
            progress(item.macName + QStringLiteral(" đã có sẵn trong Applications"), 0.92);
            return true;
        }
        log(QStringLiteral("App đã tồn tại nhưng không đạt policy chữ ký kỳ vọng; không ghi đè."));
        return false;
    }

    // The copy goes to a temporary name in the same folder and is verified
    // there; only then is it renamed into place, in one step. A copy cut
    // short (a full disk, the process killed) never sits at the destination.
    const QString temporary = AppRuntime::appendingComponent(folder, temporaryBundleName(installer));
    const QString localTemporary = m_host.map(temporary);
    progress(QStringLiteral("Đang copy ") + item.macName + QStringLiteral(" vào ") + folder, 0.75);
    const int status = runCommand({QStringLiteral("/usr/bin/ditto"), bundlePath, temporary},
                                  QStringLiteral("ditto ") + QFileInfo(bundlePath).fileName() + QLatin1Char(' ')
                                      + temporary);
    if (status != 0) {
        if (somethingAt(localTemporary)) {
            log(QStringLiteral("ditto không hoàn tất; xoá bản copy dở dang: ") + temporary);
            FileSystem::removeItem(localTemporary);
        }
        return false;
    }

    progress(QStringLiteral("Đang kiểm tra app sau khi copy"), 0.9);
    if (!DirectAppVerifier::verify(temporary, installer, verificationTools())) {
        log(QStringLiteral("App sau khi copy không đạt policy chữ ký; xoá bản copy không hoàn chỉnh."));
        FileSystem::removeItem(localTemporary);
        return false;
    }
    // Never over something that appeared at the destination meanwhile.
    if (!FileSystem::renameNoReplace(localTemporary, localDestination, &error)) {
        log(QStringLiteral("Không đưa được bản copy vào ") + destination + QStringLiteral(": ") + error
            + QStringLiteral("; xoá bản copy."));
        FileSystem::removeItem(localTemporary);
        return false;
    }
    log(QStringLiteral("Đã cài trực tiếp ") + item.macName + QStringLiteral(": ") + destination);
    return true;
}

void MacBackend::removeDirectLeftovers(const AppItem& item, const DirectInstallerSpec& installer)
{
    // Either Applications folder: which one a stopped run copied to depended
    // on whether /Applications was writable then. /Applications is shared by
    // the Mac's users, whose installs hold their own locks: a copy another
    // user owns may be in progress and is not ours to remove.
    const QRegularExpression copyName = temporaryBundlePattern(installer);
    const QStringList folders{QStringLiteral("/Applications"),
                              AppRuntime::appendingComponent(AppRuntime::homeDirectory(), QStringLiteral("Applications"))};
    for (const QString& folder : folders) {
        const QStringList names =
            QDir(m_host.map(folder)).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString& name : names) {
            const QString path = AppRuntime::appendingComponent(folder, name);
            if (!copyName.match(name).hasMatch() || !ownedByUs(m_host.map(path)))
                continue;
            QString error;
            if (FileSystem::removeItem(m_host.map(path), &error))
                log(QStringLiteral("Đã xoá bản copy dở dang của lần cài trước: ") + path);
            else
                log(QStringLiteral("Không xoá được ") + path + QStringLiteral(": ") + error);
        }
    }

    const QString mounts = inCache(QStringLiteral("mounts"));
    const QRegularExpression mountName = runNamePattern(item);
    const QStringList names = QDir(mounts).entryList(QDir::Dirs | QDir::Hidden | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    for (const QString& name : names) {
        if (!mountName.match(name).hasMatch())
            continue;
        const QString mountPoint = AppRuntime::appendingComponent(mounts, name);
        log(QStringLiteral("Dọn mount point còn lại của lần cài trước: ") + mountPoint);
        if (mayBeAttached(mountPoint) && !detachDiskImage(mountPoint))
            continue;
        // Never recursive, as at the end of an install.
        ::rmdir(QFile::encodeName(mountPoint).constData());
    }
}

bool MacBackend::detachDiskImage(const QString& mountPoint)
{
    const QString hdiutil = QStringLiteral("/usr/bin/hdiutil");
    if (runCommand({hdiutil, QStringLiteral("detach"), mountPoint, QStringLiteral("-quiet")},
                   QStringLiteral("hdiutil detach ") + mountPoint)
        == 0)
        return true;
    // A volume still in use (Spotlight indexing it, a Finder window) is
    // refused; forcing it is safe, nothing of ours is open on it any more.
    if (runCommand({hdiutil, QStringLiteral("detach"), mountPoint, QStringLiteral("-force"), QStringLiteral("-quiet")},
                   QStringLiteral("hdiutil detach ") + mountPoint + QStringLiteral(" -force"))
        == 0)
        return true;
    log(QStringLiteral("Không tháo được ảnh đĩa; ảnh vẫn còn gắn tại ") + mountPoint + QLatin1Char('.'));
    return false;
}

bool MacBackend::removeDirectApp(const AppItem& item)
{
    if (!item.directInstaller) {
        log(QStringLiteral("Thiếu direct installer manifest; từ chối gỡ ") + item.macName + QLatin1Char('.'));
        return false;
    }
    const DirectInstallerSpec& installer = *item.directInstaller;

    bool removed = false;
    bool clean = true;
    for (const QString& appPath : item.appPaths) {
        const QString path = TildePath::expand(appPath);
        const QString local = m_host.map(path);
        if (!QFileInfo::exists(local))
            continue;
        if (!DirectAppVerifier::verify(path, installer, verificationTools())) {
            log(QStringLiteral("Từ chối xoá ") + path + QStringLiteral(": bundle ID hoặc chữ ký không khớp manifest ")
                + item.macName + QLatin1Char('.'));
            clean = false;
            continue;
        }
        progress(QStringLiteral("Đang xoá ") + path, 0.55);
        QString error;
        if (FileSystem::removeItem(local, &error)) {
            log(QStringLiteral("Đã xoá app trực tiếp: ") + path);
            removed = true;
        } else {
            log(QStringLiteral("Không xoá được ") + path + QStringLiteral(": ") + error);
            clean = false;
        }
    }
    if (clean && !removed) {
        log(QStringLiteral("Không tìm thấy app direct để gỡ: ") + item.macName);
        return true;
    }
    return removed && clean;
}
