#pragma once

#include "app/EngineApi.h"
#include "i18n/AppLanguage.h"
#include "model/InstalledMacApplication.h"
#include "model/SystemCheck.h"

#include <QList>
#include <QString>

#include <optional>

// The plain-text report as the view model gets it: written by the engine,
// then read back whole. Runs on a background thread.
namespace ReportTextFile {

// The report's text, or why it could not be had.
struct Outcome {
    QString text;
    std::optional<QString> error;

    bool operator==(const Outcome&) const = default;
};

// The file's whole contents as strict UTF-8. A file that cannot be read, or
// whose bytes are not valid UTF-8, is an error naming the file.
Outcome read(const QString& path);

// EngineApi::writeReport with the arguments, then read() of the file it wrote.
Outcome writeAndRead(EngineApi& engine, const std::optional<QList<SystemCheck>>& checks,
                     const std::optional<QList<InstalledMacApplication>>& applications, AppLanguage language);

} // namespace ReportTextFile
