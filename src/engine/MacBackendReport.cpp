// The plain-text system report.

#include "engine/MacBackend.h"
#include "engine/SystemReport.h"

#include "audit/MacInventoryClassifier.h"
#include "catalog/Catalog.h"
#include "i18n/AppLanguage.h"
#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <system_error>

#include <sys/stat.h>

namespace {

[[noreturn]] void fail(int number, const QString& path)
{
    throw std::system_error(number > 0 ? number : EIO, std::generic_category(), path.toStdString());
}

} // namespace

QString MacBackend::writeReport(const std::optional<QList<SystemCheck>>& checks,
                                const std::optional<QList<InstalledMacApplication>>& additionalApplications,
                                AppLanguage language)
{
    const QString path = AppRuntime::reportFile();
    // The folder is made owner-only when the engine creates it; a folder that
    // already exists (it may be shared, such as /tmp) keeps its permissions.
    const QString folder = QFileInfo(path).path();
    if (!FileSystem::createFolders(folder, 0700))
        fail(errno, folder);

    SystemReport::Header header;
    header.time = QDateTime::currentDateTime();
    header.hostName = m_host.localizedHostName();
    const QString dash = QStringLiteral("—");
    header.modelName = header.modelIdentifier = header.chip = header.memory = dash;
    if (const std::optional<MacHardwareProfile> hardware = MacInventoryClassifier::hardwareProfile(runCapture(
            {QStringLiteral("/usr/sbin/system_profiler"), QStringLiteral("SPHardwareDataType"), QStringLiteral("-json")}))) {
        header.modelName = hardware->modelName;
        header.modelIdentifier = hardware->modelIdentifier;
        header.chip = hardware->chip;
        header.memory = hardware->memory;
    }
    header.macOSVersion = macOSVersionString();
    header.architecture = architectureLabel();
    header.brewPath = brewPath();
    header.logFile = AppRuntime::logFile();

    const QList<SystemCheck> checkRows = checks ? *checks : systemChecks();
    const QList<InstalledMacApplication> applications =
        additionalApplications ? *additionalApplications : installedAdditionalApplications();
    // The compiled-in catalog, not the one the window shows after the cloud
    // overlay. One batch look-up answers what a look-up per entry would.
    const QList<AppItem> items = Catalog::uniqueInstallItems(Catalog::items());
    const QHash<QString, InstallStatus> found = statuses(items);
    QList<SystemReport::CatalogEntry> catalog;
    for (const AppItem& item : items)
        catalog.append({item, found.value(item.id, InstallStatus::missing)});

    const QByteArray text = SystemReport::text(header, checkRows, applications, catalog, language).toUtf8();
    // Written owner-only from the start and renamed into place: an earlier
    // report stays whole when the write fails.
    if (!FileSystem::replaceFile(path, text, 0600))
        fail(errno, path);
    if (::chmod(QFile::encodeName(path).constData(), 0600) != 0)
        fail(errno, path);
    log(QStringLiteral("Đã ghi report: ") + path);
    return path;
}
