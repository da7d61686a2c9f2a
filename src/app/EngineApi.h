#pragma once

#include "i18n/AppLanguage.h"
#include "model/AppItem.h"
#include "model/InstallProgressUpdate.h"
#include "model/InstallStatus.h"
#include "model/InstalledMacApplication.h"
#include "model/SystemCheck.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

// What the view model uses of the engine. Operations are synchronous like the
// engine's own: they block the calling thread (for minutes, for an install)
// and never throw. One object serves several threads at once; the view model
// runs every blocking operation on its background threads and calls only
// log() and macOSMajorVersion(), which return at once, on the GUI thread.
//
// The engine hands its finished log lines and its progress updates to the two
// sinks given to the factory by posting them to the GUI thread as they are
// made, so they arrive there before any result that the caller posts after
// the operation has returned.
class EngineApi {
public:
    using LogSink = std::function<void(const QString& line)>;
    using ProgressSink = std::function<void(const InstallProgressUpdate& update)>;
    using Factory = std::function<std::shared_ptr<EngineApi>(LogSink log, ProgressSink progress)>;

    // The written report file, or the reason it could not be written.
    struct WrittenReport {
        QString path;
        std::optional<QString> error;

        bool operator==(const WrittenReport&) const = default;
    };

    virtual ~EngineApi() = default;

    // The major version of the Mac's macOS (14 for 14.5).
    virtual int macOSMajorVersion() const = 0;

    // Stamps the message with the time, appends it to the log file and hands
    // the line to the log sink.
    virtual void log(const QString& message) = 0;

    virtual QList<SystemCheck> systemChecks() = 0;

    virtual InstallStatus status(const AppItem& item) = 0;
    // One entry per item, keyed by id; the ids must be unique.
    virtual QHash<QString, InstallStatus> statuses(const QList<AppItem>& items) = 0;
    // One record per distinct install target of the compiled-in catalog.
    virtual QList<QMap<QString, QString>> installStatusSnapshot() = 0;

    virtual bool install(const AppItem& item) = 0;
    virtual bool uninstall(const AppItem& item) = 0;
    virtual bool open(const AppItem& item) = 0;

    // The inventory scan of installed applications; progress and isCancelled
    // are called on the calling thread.
    virtual QList<InstalledMacApplication>
    installedAdditionalApplications(const std::function<void(int completed, int total)>& progress,
                                    const std::function<bool()>& isCancelled) = 0;
    // Writes the plain-text system report; absent lists are computed by the
    // writer.
    virtual WrittenReport writeReport(const std::optional<QList<SystemCheck>>& checks,
                                      const std::optional<QList<InstalledMacApplication>>& applications,
                                      AppLanguage language) = 0;
};
