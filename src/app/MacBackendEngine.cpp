#include "app/MacBackendEngine.h"

#include <system_error>

MacBackendEngine::MacBackendEngine(LogSink log, ProgressSink progress, Host host)
    : m_backend(std::move(log), std::move(progress), MacBackend::Delivery::mainThread, std::move(host))
{
}

EngineApi::Factory MacBackendEngine::factory(Host host)
{
    return [host = std::move(host)](LogSink log, ProgressSink progress) -> std::shared_ptr<EngineApi> {
        return std::make_shared<MacBackendEngine>(std::move(log), std::move(progress), host);
    };
}

int MacBackendEngine::macOSMajorVersion() const
{
    return m_backend.host().macOSVersion().majorVersion();
}

void MacBackendEngine::log(const QString& message)
{
    m_backend.log(message);
}

QList<SystemCheck> MacBackendEngine::systemChecks()
{
    return m_backend.systemChecks();
}

InstallStatus MacBackendEngine::status(const AppItem& item)
{
    return m_backend.status(item);
}

QHash<QString, InstallStatus> MacBackendEngine::statuses(const QList<AppItem>& items)
{
    return m_backend.statuses(items);
}

QList<QMap<QString, QString>> MacBackendEngine::installStatusSnapshot()
{
    return m_backend.installStatusSnapshot();
}

bool MacBackendEngine::install(const AppItem& item)
{
    return m_backend.install(item);
}

bool MacBackendEngine::uninstall(const AppItem& item)
{
    return m_backend.uninstall(item);
}

bool MacBackendEngine::open(const AppItem& item)
{
    return m_backend.open(item);
}

QList<InstalledMacApplication>
MacBackendEngine::installedAdditionalApplications(const std::function<void(int completed, int total)>& progress,
                                                  const std::function<bool()>& isCancelled)
{
    return m_backend.installedAdditionalApplications(progress, isCancelled);
}

EngineApi::WrittenReport
MacBackendEngine::writeReport(const std::optional<QList<SystemCheck>>& checks,
                              const std::optional<QList<InstalledMacApplication>>& applications, AppLanguage language)
{
    try {
        return {m_backend.writeReport(checks, applications, language), std::nullopt};
    } catch (const std::system_error& error) {
        return {QString(), QString::fromUtf8(error.what())};
    }
}
