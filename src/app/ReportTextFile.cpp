#include "app/ReportTextFile.h"

#include "platform/FileSystem.h"
#include "platform/Utf8.h"

#include <QFile>

#include <cerrno>

namespace ReportTextFile {

Outcome read(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {QString(), path + QStringLiteral(": ") + file.errorString()};
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return {QString(), path + QStringLiteral(": ") + file.errorString()};
    std::optional<QString> text = Utf8::decode(bytes);
    if (!text)
        return {QString(), path + QStringLiteral(": ") + FileSystem::errorText(EILSEQ)};
    return {std::move(*text), std::nullopt};
}

Outcome writeAndRead(EngineApi& engine, const std::optional<QList<SystemCheck>>& checks,
                     const std::optional<QList<InstalledMacApplication>>& applications, AppLanguage language)
{
    const EngineApi::WrittenReport written = engine.writeReport(checks, applications, language);
    if (written.error)
        return {QString(), written.error};
    return read(written.path);
}

} // namespace ReportTextFile
