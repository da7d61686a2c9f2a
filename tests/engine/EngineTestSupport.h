#pragma once

// Helpers shared by the engine's test executables.

#include "engine/MacBackend.h"

#include <QString>
#include <QStringList>

namespace EngineTestSupport {

// A catalog entry named "Entry " + id in the devivu group.
inline AppItem entry(const QString& id, AppKind kind, const QStringList& packages = {},
                     const QStringList& appPaths = {}, const QStringList& commands = {})
{
    AppItem item;
    item.id = id;
    item.macName = QStringLiteral("Entry ") + id;
    item.group = QStringLiteral("devivu");
    item.kind = kind;
    item.packages = packages;
    item.appPaths = appPaths;
    item.commands = commands;
    return item;
}

// What the engine hands to its sinks: the log messages without their time
// stamps, and the progress updates as message + " @ " + fraction.
struct Recorder {
    QStringList messages;
    QStringList progress; // message + " @ " + fraction with two decimals

    MacBackend::LogSink logSink()
    {
        return [this](const QString& line) { messages.append(line.mid(11)); };
    }
    MacBackend::ProgressSink progressSink()
    {
        return [this](const InstallProgressUpdate& update) {
            progress.append(update.message + QStringLiteral(" @ ")
                            + (update.fraction ? QString::number(*update.fraction, 'f', 2) : QStringLiteral("none")));
        };
    }
};

} // namespace EngineTestSupport
