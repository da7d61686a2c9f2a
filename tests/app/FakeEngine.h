#pragma once

#include "Gates.h"
#include "app/EngineApi.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QThread>

#include <memory>
#include <mutex>

// An engine for view-model tests. It keeps a small Mac of its own (the status
// of each entry id: missing unless set; a successful install makes an entry
// installed, a successful removal missing), answers from a script, records
// every call with the thread it ran on, and can hold any call open at a gate.
//
// Like the real engine it posts its log lines and progress updates to the
// application object, in the order they are made: install, uninstall and
// open log "install " / "uninstall " / "open " + the id, then send the
// scripted progress of the entry, then stop at a gate if one waits, then
// answer. A log line reaches the sink as line(message).
class FakeEngine final : public EngineApi {
public:
    enum class Operation {
        log,
        systemChecks,
        status,
        statuses,
        installStatusSnapshot,
        install,
        uninstall,
        open,
        installedAdditionalApplications,
        writeReport,
    };

    struct Call {
        Operation operation;
        // The entry id; the ids joined with "," for statuses; the message
        // for log.
        QString argument;
        QThread* thread = nullptr;
    };

    // The factory that hands the model's sinks to the engine and answers it.
    static Factory factory(const std::shared_ptr<FakeEngine>& engine);

    // The line the sink receives for a message.
    static QString line(const QString& message) { return QStringLiteral("[engine] ") + message; }

    // ---- Script
    void setMacOSMajorVersion(int major);
    void setStatus(const QString& itemID, InstallStatus status);
    InstallStatus macStatus(const QString& itemID) const;
    // The answer of install, uninstall or open for the entry (true unless set).
    void setResult(Operation operation, const QString& itemID, bool ok);
    // Sent through the progress sink while the entry installs.
    void setInstallProgress(const QString& itemID, const QList<InstallProgressUpdate>& updates);
    void setSystemChecks(const QList<SystemCheck>& checks);
    void setApplications(const QList<InstalledMacApplication>& applications);
    void setStatusSnapshot(const QList<QMap<QString, QString>>& snapshot);
    // writeReport writes the text to reportFilePath (AppRuntime::reportFile()
    // when empty) and answers that path, or answers the error without writing
    // when one is set.
    void setReport(const QString& text, const QString& reportFilePath = {});
    // The report file's bytes as they are, valid UTF-8 or not.
    void setReportBytes(const QByteArray& bytes);
    void setReportError(const std::optional<QString>& error);
    // Whether a scan's isCancelled ever answered true.
    bool sawCancellation() const;

    // Holds the next call of the operation (for the entry, when given).
    std::shared_ptr<Gate> hold(Operation operation, const QString& itemID = {});
    void releaseAll();

    // ---- Sinks, posted to the application object as the real engine does.
    void sendLine(const QString& line);
    void sendProgress(const InstallProgressUpdate& update);

    // ---- Calls, oldest first
    QList<Call> calls() const;
    QList<Call> calls(Operation operation) const;
    // The arguments of the calls of one operation.
    QStringList arguments(Operation operation) const;
    // Whether every call ran off the given thread.
    bool noCallOn(const QThread* thread) const;

    // ---- EngineApi
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
    WrittenReport writeReport(const std::optional<QList<SystemCheck>>& checks,
                              const std::optional<QList<InstalledMacApplication>>& applications,
                              AppLanguage language) override;

private:
    void record(Operation operation, const QString& argument);
    void pass(Operation operation, const QString& argument);
    bool answer(Operation operation, const QString& itemID) const;

    mutable std::mutex m_mutex;
    LogSink m_log;
    ProgressSink m_progress;
    int m_macOSMajorVersion = 14;
    QHash<QString, InstallStatus> m_mac;
    QHash<QString, bool> m_results;
    QHash<QString, QList<InstallProgressUpdate>> m_installProgress;
    QList<SystemCheck> m_checks;
    QList<InstalledMacApplication> m_applications;
    QList<QMap<QString, QString>> m_snapshot;
    QByteArray m_reportBytes;
    bool m_sawCancellation = false;
    QString m_reportFilePath;
    std::optional<QString> m_reportError;
    QList<Call> m_calls;
    Gates m_gates;
};
