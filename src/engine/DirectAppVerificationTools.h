#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// The side effects DirectAppVerifier needs, handed in by the caller: the
// engine gives its own readers and quiet runners, tests give plain functions.
struct DirectAppVerificationTools {
    // The bundle's CFBundleIdentifier; nothing when it cannot be read.
    std::function<std::optional<QString>(const QString& bundlePath)> bundleIdentifier;
    // Runs an argument vector (element 0 is the program) without logging;
    // the exit status, 127 when it cannot be run.
    std::function<int(const QStringList& arguments)> runQuiet;
    // Runs an argument vector; its standard output and standard error as one
    // text, "" when it cannot be run.
    std::function<QString(const QStringList& arguments)> runCaptureCombined;
};
