#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>

#include <optional>

// The inspector profile printed on the audit report.
struct MacReportProfile {
    QString inspectorName;
    QString team;
    QString recipient;
    QString subject = QStringLiteral("macOS software inventory report");
    QString notes;

    bool operator==(const MacReportProfile&) const = default;

    QJsonObject toJson() const;
    // Decodes only when all five keys are present as strings.
    static std::optional<MacReportProfile> fromJson(const QJsonValue& value);
};
