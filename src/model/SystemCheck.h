#pragma once

#include <QString>
#include <QHashFunctions>
#include <QUuid>

// One prerequisite check result. Every value gets a fresh id, so two results
// with the same content are distinct rows.
struct SystemCheck {
    enum class Level { ok, warn, fail };

    QUuid id;
    QString name;
    Level level = Level::ok;
    QString detail;

    static SystemCheck make(const QString& name, Level level, const QString& detail);
    // The level as the log, the report and the command line print it:
    // "OK", "WARN" or "FAIL".
    static QString levelLabel(Level level);

    bool operator==(const SystemCheck&) const = default;
};

inline size_t qHash(SystemCheck::Level level, size_t hashSeed = 0)
{
    return qHash(static_cast<int>(level), hashSeed);
}
