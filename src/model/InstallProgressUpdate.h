#pragma once

#include <QString>

#include <optional>

// One progress report of the engine; the fraction, when present, is the share
// of the current item done, between 0 and 1.
struct InstallProgressUpdate {
    QString message;
    std::optional<double> fraction;

    bool operator==(const InstallProgressUpdate&) const = default;
};
