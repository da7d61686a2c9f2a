#include "app/ReportSnapshot.h"

#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <sys/stat.h>

#include <cerrno>
#include <cmath>

namespace {

// Dates whose milliseconds fit comfortably in 64 bits; a stored number
// outside (or not finite) makes the snapshot invalid.
constexpr double maximumSeconds = 1.0e13;

} // namespace

QByteArray ReportSnapshot::toJson() const
{
    const double seconds =
        static_cast<double>(createdAt.toMSecsSinceEpoch()) / 1000.0 - static_cast<double>(referenceDateOffset);
    const QJsonObject object{
        {QStringLiteral("text"), text},
        {QStringLiteral("applications"), InstalledMacApplication::toJsonArray(applications)},
        {QStringLiteral("createdAt"), seconds},
    };
    return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<ReportSnapshot> ReportSnapshot::fromJson(const QByteArray& bytes)
{
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
    if (parseError.error != QJsonParseError::NoError || !document.isObject())
        return std::nullopt;
    const QJsonObject object = document.object();
    const QJsonValue text = object.value(QStringLiteral("text"));
    const QJsonValue createdAt = object.value(QStringLiteral("createdAt"));
    if (!text.isString() || !createdAt.isDouble())
        return std::nullopt;
    const double seconds = createdAt.toDouble();
    if (!std::isfinite(seconds) || std::fabs(seconds) > maximumSeconds)
        return std::nullopt;
    std::optional<QList<InstalledMacApplication>> applications =
        InstalledMacApplication::listFromJson(object.value(QStringLiteral("applications")));
    if (!applications)
        return std::nullopt;
    const auto milliseconds = static_cast<qint64>(std::llround((seconds + referenceDateOffset) * 1000.0));
    return ReportSnapshot{text.toString(), std::move(*applications), QDateTime::fromMSecsSinceEpoch(milliseconds)};
}

QString ReportSnapshot::folder()
{
    return AppRuntime::appendingComponent(AppRuntime::appSupportDir(), QStringLiteral("Reports"));
}

QString ReportSnapshot::filePath()
{
    return AppRuntime::appendingComponent(folder(), QString::fromUtf8(fileName));
}

std::optional<QString> ReportSnapshot::save(const QByteArray& bytes)
{
    const QString reports = folder();
    const QString path = filePath();
    QString error;
    if (!FileSystem::createFolders(reports, 0700, &error))
        return reports + QStringLiteral(": ") + error;
    // A folder made by someone else is narrowed as well; whether that works
    // does not decide anything, the file's own mode does.
    ::chmod(QFile::encodeName(reports).constData(), 0700);
    if (!FileSystem::replaceFile(path, bytes, 0600, &error))
        return path + QStringLiteral(": ") + error;
    if (::chmod(QFile::encodeName(path).constData(), 0600) != 0)
        return path + QStringLiteral(": ") + FileSystem::errorText(errno);
    return std::nullopt;
}

std::optional<QByteArray> ReportSnapshot::readFile()
{
    QFile file(filePath());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}
