#pragma once

#include "app/EngineApi.h"
#include "engine/MacBackend.h"
#include "platform/Host.h"

// The engine of the window: a MacBackend that posts its log lines and
// progress updates to the GUI thread (MacBackend::Delivery::mainThread).
class MacBackendEngine final : public EngineApi {
public:
    MacBackendEngine(LogSink log, ProgressSink progress, Host host = Host::fromEnvironment());

    // Makes a MacBackendEngine for the Mac of the host.
    static Factory factory(Host host = Host::fromEnvironment());

    int macOSMajorVersion() const override;
    void log(const QString& message) override;
    QList<SystemCheck> systemChecks() override;
    InstallStatus status(const AppItem& item) override;
    QHash<QString, InstallStatus> statuses(const QList<AppItem>& items) override;
    QList<QMap<QString, QString>> installStatusSnapshot() override;
    bool install(const AppItem& item) override;
    bool uninstall(const AppItem& item) override;
    bool open(const AppItem& item) override;
    QList<InstalledMacApplication>
    installedAdditionalApplications(const std::function<void(int completed, int total)>& progress,
                                    const std::function<bool()>& isCancelled) override;
    // A std::system_error of the writer becomes its what() text.
    WrittenReport writeReport(const std::optional<QList<SystemCheck>>& checks,
                              const std::optional<QList<InstalledMacApplication>>& applications,
                              AppLanguage language) override;

private:
    MacBackend m_backend;
};
