// The office suite's Vietnamese dictionary: seven files fetched from a pinned
// source, each checked against its SHA-256 digest, packed into an extension
// archive and registered with the suite's own unopkg.

#include "engine/MacBackend.h"

#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

namespace {

QString workFolder()
{
    return AppRuntime::appendingComponent(AppRuntime::cacheDir(), QStringLiteral("libreoffice-vi-dictionary"));
}

// The lower-case hexadecimal SHA-256 of a file; nothing when it cannot be read.
std::optional<QString> sha256Of(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!hash.addData(&file))
        return std::nullopt;
    return QString::fromLatin1(hash.result().toHex());
}

} // namespace

std::optional<QString> MacBackend::libreDevivuUnopkgPath() const
{
    const QString relative = QStringLiteral("/Applications/LibreDevivu.app/Contents/MacOS/unopkg");
    for (const QString& candidate : {relative, AppRuntime::homeDirectory() + relative}) {
        if (FileSystem::isExecutableFile(m_host.map(candidate)))
            return candidate;
    }
    return std::nullopt;
}

bool MacBackend::installLibreDevivuVietnameseDictionary()
{
    if (libreDevivuVietnameseDictionaryInstalled()) {
        log(QStringLiteral("LibreDevivu Vietnamese dictionary đã có sẵn."));
        return true;
    }
    const std::optional<QString> unopkg = libreDevivuUnopkgPath();
    if (!unopkg) {
        log(QStringLiteral("Không tìm thấy unopkg của LibreDevivu để cài Vietnamese dictionary."));
        return false;
    }

    const QString work = workFolder();
    const QString package = AppRuntime::appendingComponent(work, QStringLiteral("vi"));
    const QString archive = AppRuntime::appendingComponent(work, QStringLiteral("vietnamese-dictionaries.oxt"));
    QString error;
    const QFileInfo stale(work);
    const bool prepared = ((!stale.exists() && !stale.isSymLink()) || FileSystem::removeItem(work, &error))
        && FileSystem::createFolders(AppRuntime::appendingComponent(package, QStringLiteral("META-INF")), 0700, &error);
    if (!prepared) {
        log(QStringLiteral("Không chuẩn bị được thư mục Vietnamese dictionary: ") + error);
        return false;
    }

    progress(QStringLiteral("Đang tải Vietnamese dictionary cho LibreDevivu"), 0.88);
    const VietnameseDictionarySource& source = m_dictionarySource;
    for (const VietnameseDictionarySource::File& file : source.files) {
        const QString destination = AppRuntime::appendingComponent(package, file.name);
        FileSystem::createFolders(QFileInfo(destination).path(), 0700);
        const QString address = source.address(file);
        const int status = runCommand({QStringLiteral("/usr/bin/curl"), QStringLiteral("-fL"), QStringLiteral("--proto"),
                                       QStringLiteral("=https"), QStringLiteral("--proto-redir"), QStringLiteral("=https"),
                                       QStringLiteral("--retry"), QStringLiteral("2"), QStringLiteral("--connect-timeout"),
                                       QStringLiteral("20"), QStringLiteral("-o"), destination, address},
                                      QStringLiteral("curl -fL -o ") + file.name + QLatin1Char(' ') + address);
        if (status != 0) {
            log(QStringLiteral("Không tải được LibreDevivu Vietnamese dictionary file: ") + file.name);
            return false;
        }
        const std::optional<QString> digest = sha256Of(destination);
        if (!digest) {
            log(QStringLiteral("Không đọc được dictionary file vừa tải: ") + file.name);
            return false;
        }
        if (*digest != file.sha256) {
            log(QStringLiteral("SHA-256 không khớp cho LibreDevivu dictionary file: ") + file.name);
            FileSystem::removeItem(work);
            return false;
        }
    }

    progress(QStringLiteral("Đang đóng gói Vietnamese dictionary OXT"), 0.91);
    if (runCommand({QStringLiteral("/usr/bin/zip"), QStringLiteral("-qr"), archive, QStringLiteral(".")},
                   QStringLiteral("zip Vietnamese dictionary OXT"), package)
        != 0)
        return false;

    progress(QStringLiteral("Đang cài Vietnamese dictionary vào LibreDevivu"), 0.94);
    if (runCommand({*unopkg, QStringLiteral("add"), QStringLiteral("--force"), QStringLiteral("--suppress-license"),
                    archive},
                   QStringLiteral("unopkg add Vietnamese dictionary"))
        != 0) {
        log(QStringLiteral("Không cài được Vietnamese dictionary bằng unopkg."));
        return false;
    }
    return libreDevivuVietnameseDictionaryInstalled();
}
