#pragma once

#include "Gates.h"
#include "app/CloudApi.h"

#include <QHash>
#include <QList>
#include <QStringList>
#include <QThread>

#include <memory>
#include <mutex>

// A cloud client for view-model tests: it answers from a script, records
// every request with its arguments and the thread it ran on, and can hold
// any request open at a gate. Like the real client it calls its log sink on
// the request's own thread: each request first logs its scripted lines, then
// stops at a gate if one waits, then answers.
class FakeCloud final : public CloudApi {
public:
    enum class Operation {
        releasePolicy,
        syncCatalog,
        uploadReport,
        syncTechnicianWorkspace,
        updateTechnicianBranding,
        saveTechnicianProfile,
        businessDeviceConfig,
    };

    struct Call {
        Operation operation;
        QStringList arguments;
        QThread* thread = nullptr;
    };

    // The factory that hands the model's log sink to the client and answers it.
    static Factory factory(const std::shared_ptr<FakeCloud>& cloud);

    // The answer of every request that answers a CloudResult unless set.
    static CloudResult notConfigured();

    // ---- Script
    void setConfigured(bool configured);
    // No policy unless set.
    void setReleasePolicy(const std::optional<ReleasePolicy>& policy);
    void setResult(Operation operation, const CloudResult& result);
    // Logged through the sink, on the request's thread, before it answers.
    void setLogLines(Operation operation, const QStringList& lines);
    void setCachedCatalogRows(const QList<QJsonObject>& rows);
    void setCachedBusinessPolicyRows(const QList<QJsonObject>& rows);

    std::shared_ptr<Gate> hold(Operation operation);
    void releaseAll();

    // ---- Requests, oldest first
    QList<Call> calls() const;
    QList<Call> calls(Operation operation) const;

    // ---- CloudApi
    bool isConfigured() const override;
    std::optional<ReleasePolicy> releasePolicy() override;
    CloudResult syncCatalog() override;
    QList<QJsonObject> cachedCatalogRows() override;
    QList<QJsonObject> cachedBusinessPolicyRows() override;
    CloudResult uploadReport(const QList<QMap<QString, QString>>& items) override;
    CloudResult syncTechnicianWorkspace() override;
    CloudResult updateTechnicianBranding(const QString& displayName,
                                         const std::optional<QString>& logoDataURL) override;
    CloudResult saveTechnicianProfile(const QString& name, const QString& itemIDsText) override;
    CloudResult businessDeviceConfig(const QString& action, const QString& department,
                                     const QString& assetCode) override;

private:
    // Records the request, logs its lines and passes its gate.
    void request(Operation operation, const QStringList& arguments);
    CloudResult result(Operation operation) const;

    mutable std::mutex m_mutex;
    LogSink m_log;
    bool m_configured = false;
    std::optional<ReleasePolicy> m_releasePolicy;
    QHash<int, CloudResult> m_results;
    QHash<int, QStringList> m_logLines;
    QList<QJsonObject> m_catalogRows;
    QList<QJsonObject> m_businessPolicyRows;
    QList<Call> m_calls;
    Gates m_gates;
};
