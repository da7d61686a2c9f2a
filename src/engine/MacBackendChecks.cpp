// The system checks and the install blockers.

#include "engine/MacBackend.h"

#include "catalog/Catalog.h"
#include "model/SystemCheckTexts.h"

#include <algorithm>

namespace {

using Level = SystemCheck::Level;

constexpr qint64 gigabyte = qint64(1) << 30;

bool isSupportedArchitecture(const QString& machine)
{
    return machine == QLatin1String("arm64") || machine == QLatin1String("x86_64");
}

// The first compiled-in entry with the id (business policies do not apply).
std::optional<AppItem> catalogItem(const QString& id)
{
    const QList<AppItem>& items = Catalog::items();
    const auto found = std::find_if(items.begin(), items.end(), [&](const AppItem& item) { return item.id == id; });
    if (found == items.end())
        return std::nullopt;
    return *found;
}

SystemCheck installedRow(const char* name, bool installed)
{
    return SystemCheck::make(QString::fromUtf8(name), installed ? Level::ok : Level::warn,
                             QString::fromUtf8(installed ? SystemCheckTexts::installedDetail
                                                         : SystemCheckTexts::notInstalledDetail));
}

} // namespace

std::pair<SystemCheck::Level, QString> MacBackend::macOSCompatibility() const
{
    const QString version = macOSVersionString();
    const int major = m_host.macOSVersion().majorVersion();
    if (major >= 13)
        return {Level::ok, SystemCheckTexts::macOSSupportedDetail(version)};
    if (major == 12)
        return {Level::warn, SystemCheckTexts::macOSLegacyDetail(version)};
    return {Level::fail, SystemCheckTexts::macOSTooOldDetail(version)};
}

int MacBackend::freeDiskGB() const
{
    const std::optional<qint64> bytes = m_host.freeBytes();
    if (!bytes || *bytes < 0)
        return 0;
    return static_cast<int>(*bytes / gigabyte);
}

QList<SystemCheck> MacBackend::systemChecks()
{
    using namespace SystemCheckTexts;

    const auto [compatibilityLevel, compatibilityDetail] = macOSCompatibility();
    const QString machine = architectureLabel();
    const std::optional<QString> brew = brewPath();
    const bool resolved = m_host.resolves(QString::fromUtf8(formulaIndexHost));
    const int xcodeStatus = runQuiet({QStringLiteral("/usr/bin/xcode-select"), QStringLiteral("-p")});
    const int freeGB = freeDiskGB();
    const auto installed = [this](const char* id) {
        const std::optional<AppItem> item = catalogItem(QString::fromUtf8(id));
        return item && status(*item) == InstallStatus::installed;
    };
    const bool libreDevivu = installed("libreoffice");
    const bool onlyDevivu = installed("onlyoffice");

    const bool root = m_host.effectiveUserId() == 0;
    const QString user = qEnvironmentVariableIsSet("USER") ? qEnvironmentVariable("USER") : QString::fromUtf8(unknownUser);

    return {
        SystemCheck::make(macOSCompatibilityName, compatibilityLevel, compatibilityDetail),
        SystemCheck::make(cpuArchitectureName, isSupportedArchitecture(machine) ? Level::ok : Level::fail, machine),
        SystemCheck::make(homebrewName, brew ? Level::ok : Level::warn, brew.value_or(brewNotFoundDetail())),
        SystemCheck::make(internetConnectionName, resolved ? Level::ok : Level::warn,
                          resolved ? hostResolvedDetail() : hostUnresolvedDetail()),
        SystemCheck::make(xcodeCommandLineToolsName, xcodeStatus == 0 ? Level::ok : Level::warn,
                          QString::fromUtf8(xcodeStatus == 0 ? xcodeAvailableDetail : xcodeMissingDetail)),
        SystemCheck::make(QString::fromUtf8(freeSpaceName), freeGB < 5 ? Level::fail : Level::ok,
                          freeSpaceDetail(freeGB)),
        SystemCheck::make(userModeName, root ? Level::warn : Level::ok,
                          root ? QString::fromUtf8(rootUserDetail) : userDetail(user)),
        installedRow(libreDevivuName, libreDevivu),
        installedRow(onlyDevivuName, onlyDevivu),
    };
}

QStringList MacBackend::installBlockers(const QList<AppItem>& items)
{
    QStringList messages;
    const auto [compatibilityLevel, compatibilityDetail] = macOSCompatibility();
    if (compatibilityLevel == Level::fail)
        messages << compatibilityDetail;
    const QString machine = architectureLabel();
    if (!isSupportedArchitecture(machine))
        messages << QStringLiteral("Chỉ hỗ trợ CPU arm64 hoặc x86_64. Máy hiện tại: ") + machine + QLatin1Char('.');

    const int major = m_host.macOSVersion().majorVersion();
    for (const AppItem& item : items) {
        if (item.minimumMacOSMajor && *item.minimumMacOSMajor > major)
            messages << item.macName + QStringLiteral(" yêu cầu macOS ") + QString::number(*item.minimumMacOSMajor)
                    + QStringLiteral(" trở lên.");
    }

    const auto countOf = [&items](std::initializer_list<AppKind> kinds) {
        return static_cast<int>(std::count_if(items.begin(), items.end(), [&](const AppItem& item) {
            return std::find(kinds.begin(), kinds.end(), item.kind) != kinds.end();
        }));
    };
    if (countOf({AppKind::formula, AppKind::cask, AppKind::bundle, AppKind::mime}) > 0) {
        if (!brewPath())
            messages << QStringLiteral("Chưa có Homebrew. Cài Homebrew từ ") + SystemCheckTexts::homebrewSite
                    + QStringLiteral(" rồi chạy lại.");
        if (!m_host.resolves(QString::fromUtf8(SystemCheckTexts::formulaIndexHost)))
            messages << QStringLiteral("Không phân giải được ") + SystemCheckTexts::formulaIndexHost
                    + QStringLiteral(". Kiểm tra Internet/DNS trước khi cài bằng Homebrew.");
    }

    const int spaceUsers = countOf({AppKind::direct, AppKind::formula, AppKind::cask, AppKind::bundle});
    if (spaceUsers > 0) {
        const int need = spaceUsers == 1 ? 1 : 5;
        if (freeDiskGB() < need)
            messages << QStringLiteral("Cần tối thiểu ") + QString::number(need) + QStringLiteral("GB trống trên /. Hiện còn ")
                    + QString::number(freeDiskGB()) + QStringLiteral("GB.");
    }
    return messages;
}
