#include "FakeEngine.h"

#include "platform/AppRuntime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMetaObject>

namespace {

QString operationName(FakeEngine::Operation operation)
{
    return QString::number(static_cast<int>(operation));
}

QString resultKey(FakeEngine::Operation operation, const QString& itemID)
{
    return operationName(operation) + QLatin1Char(':') + itemID;
}

void postToApplication(std::function<void()> fn)
{
    if (QCoreApplication* application = QCoreApplication::instance())
        QMetaObject::invokeMethod(application, std::move(fn), Qt::QueuedConnection);
}

} // namespace

EngineApi::Factory FakeEngine::factory(const std::shared_ptr<FakeEngine>& engine)
{
    return [engine](LogSink log, ProgressSink progress) -> std::shared_ptr<EngineApi> {
        std::lock_guard lock(engine->m_mutex);
        engine->m_log = std::move(log);
        engine->m_progress = std::move(progress);
        return engine;
    };
}

void FakeEngine::setMacOSMajorVersion(int major)
{
    std::lock_guard lock(m_mutex);
    m_macOSMajorVersion = major;
}

void FakeEngine::setStatus(const QString& itemID, InstallStatus status)
{
    std::lock_guard lock(m_mutex);
    m_mac.insert(itemID, status);
}

InstallStatus FakeEngine::macStatus(const QString& itemID) const
{
    std::lock_guard lock(m_mutex);
    return m_mac.value(itemID, InstallStatus::missing);
}

void FakeEngine::setResult(Operation operation, const QString& itemID, bool ok)
{
    std::lock_guard lock(m_mutex);
    m_results.insert(resultKey(operation, itemID), ok);
}

void FakeEngine::setInstallProgress(const QString& itemID, const QList<InstallProgressUpdate>& updates)
{
    std::lock_guard lock(m_mutex);
    m_installProgress.insert(itemID, updates);
}

void FakeEngine::setSystemChecks(const QList<SystemCheck>& checks)
{
    std::lock_guard lock(m_mutex);
    m_checks = checks;
}

void FakeEngine::setApplications(const QList<InstalledMacApplication>& applications)
{
    std::lock_guard lock(m_mutex);
    m_applications = applications;
}

void FakeEngine::setStatusSnapshot(const QList<QMap<QString, QString>>& snapshot)
{
    std::lock_guard lock(m_mutex);
    m_snapshot = snapshot;
}

void FakeEngine::setReport(const QString& text, const QString& reportFilePath)
{
    std::lock_guard lock(m_mutex);
    m_reportBytes = text.toUtf8();
    m_reportFilePath = reportFilePath;
}

void FakeEngine::setReportBytes(const QByteArray& bytes)
{
    std::lock_guard lock(m_mutex);
    m_reportBytes = bytes;
}

bool FakeEngine::sawCancellation() const
{
    std::lock_guard lock(m_mutex);
    return m_sawCancellation;
}

void FakeEngine::setReportError(const std::optional<QString>& error)
{
    std::lock_guard lock(m_mutex);
    m_reportError = error;
}

std::shared_ptr<Gate> FakeEngine::hold(Operation operation, const QString& itemID)
{
    return m_gates.hold(operationName(operation), itemID);
}

void FakeEngine::releaseAll()
{
    m_gates.releaseAll();
}

void FakeEngine::sendLine(const QString& line)
{
    LogSink sink;
    {
        std::lock_guard lock(m_mutex);
        sink = m_log;
    }
    if (sink)
        postToApplication([sink, line] { sink(line); });
}

void FakeEngine::sendProgress(const InstallProgressUpdate& update)
{
    ProgressSink sink;
    {
        std::lock_guard lock(m_mutex);
        sink = m_progress;
    }
    if (sink)
        postToApplication([sink, update] { sink(update); });
}

QList<FakeEngine::Call> FakeEngine::calls() const
{
    std::lock_guard lock(m_mutex);
    return m_calls;
}

QList<FakeEngine::Call> FakeEngine::calls(Operation operation) const
{
    QList<Call> found;
    for (const Call& call : calls())
        if (call.operation == operation)
            found.append(call);
    return found;
}

QStringList FakeEngine::arguments(Operation operation) const
{
    QStringList found;
    for (const Call& call : calls(operation))
        found.append(call.argument);
    return found;
}

bool FakeEngine::noCallOn(const QThread* thread) const
{
    for (const Call& call : calls())
        if (call.thread == thread)
            return false;
    return true;
}

void FakeEngine::record(Operation operation, const QString& argument)
{
    std::lock_guard lock(m_mutex);
    m_calls.append({operation, argument, QThread::currentThread()});
}

void FakeEngine::pass(Operation operation, const QString& argument)
{
    m_gates.pass(operationName(operation), argument);
}

bool FakeEngine::answer(Operation operation, const QString& itemID) const
{
    std::lock_guard lock(m_mutex);
    return m_results.value(resultKey(operation, itemID), true);
}

int FakeEngine::macOSMajorVersion() const
{
    std::lock_guard lock(m_mutex);
    return m_macOSMajorVersion;
}

void FakeEngine::log(const QString& message)
{
    record(Operation::log, message);
    sendLine(line(message));
}

QList<SystemCheck> FakeEngine::systemChecks()
{
    record(Operation::systemChecks, {});
    pass(Operation::systemChecks, {});
    std::lock_guard lock(m_mutex);
    return m_checks;
}

InstallStatus FakeEngine::status(const AppItem& item)
{
    record(Operation::status, item.id);
    pass(Operation::status, item.id);
    return macStatus(item.id);
}

QHash<QString, InstallStatus> FakeEngine::statuses(const QList<AppItem>& items)
{
    QStringList ids;
    for (const AppItem& item : items)
        ids.append(item.id);
    record(Operation::statuses, ids.join(QLatin1Char(',')));
    pass(Operation::statuses, {});
    QHash<QString, InstallStatus> found;
    for (const AppItem& item : items)
        found.insert(item.id, macStatus(item.id));
    return found;
}

QList<QMap<QString, QString>> FakeEngine::installStatusSnapshot()
{
    record(Operation::installStatusSnapshot, {});
    pass(Operation::installStatusSnapshot, {});
    std::lock_guard lock(m_mutex);
    return m_snapshot;
}

bool FakeEngine::install(const AppItem& item)
{
    record(Operation::install, item.id);
    sendLine(line(QStringLiteral("install ") + item.id));
    QList<InstallProgressUpdate> updates;
    {
        std::lock_guard lock(m_mutex);
        updates = m_installProgress.value(item.id);
    }
    for (const InstallProgressUpdate& update : updates)
        sendProgress(update);
    pass(Operation::install, item.id);
    const bool ok = answer(Operation::install, item.id);
    if (ok)
        setStatus(item.id, InstallStatus::installed);
    return ok;
}

bool FakeEngine::uninstall(const AppItem& item)
{
    record(Operation::uninstall, item.id);
    sendLine(line(QStringLiteral("uninstall ") + item.id));
    pass(Operation::uninstall, item.id);
    const bool ok = answer(Operation::uninstall, item.id);
    if (ok)
        setStatus(item.id, InstallStatus::missing);
    return ok;
}

bool FakeEngine::open(const AppItem& item)
{
    record(Operation::open, item.id);
    sendLine(line(QStringLiteral("open ") + item.id));
    pass(Operation::open, item.id);
    return answer(Operation::open, item.id);
}

QList<InstalledMacApplication>
FakeEngine::installedAdditionalApplications(const std::function<void(int completed, int total)>& progress,
                                            const std::function<bool()>& isCancelled)
{
    record(Operation::installedAdditionalApplications, {});
    pass(Operation::installedAdditionalApplications, {});
    QList<InstalledMacApplication> all;
    {
        std::lock_guard lock(m_mutex);
        all = m_applications;
    }
    const int total = static_cast<int>(all.size());
    QList<InstalledMacApplication> found;
    if (progress)
        progress(0, total);
    for (const InstalledMacApplication& application : all) {
        if (isCancelled && isCancelled()) {
            std::lock_guard lock(m_mutex);
            m_sawCancellation = true;
            return found;
        }
        found.append(application);
        if (progress)
            progress(static_cast<int>(found.size()), total);
    }
    return found;
}

EngineApi::WrittenReport FakeEngine::writeReport(const std::optional<QList<SystemCheck>>&,
                                                 const std::optional<QList<InstalledMacApplication>>&,
                                                 AppLanguage language)
{
    record(Operation::writeReport, language.code());
    pass(Operation::writeReport, {});
    QByteArray bytes;
    QString path;
    {
        std::lock_guard lock(m_mutex);
        if (m_reportError)
            return {QString(), m_reportError};
        bytes = m_reportBytes;
        path = m_reportFilePath.isEmpty() ? AppRuntime::reportFile() : m_reportFilePath;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) < 0)
        return {QString(), file.errorString()};
    return {path, std::nullopt};
}
