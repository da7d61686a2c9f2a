#pragma once

#include <QHashFunctions>
#include <QString>

// The outcome of a cloud action: whether it succeeded, and a Vietnamese
// message (never empty) for the log and the cloud output box.
struct CloudResult {
    bool ok = false;
    QString message;

    bool operator==(const CloudResult&) const = default;
};

inline size_t qHash(const CloudResult& result, size_t hashSeed = 0)
{
    return qHashMulti(hashSeed, result.ok, result.message);
}
