#pragma once

#include "platform/AppRuntime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

// The application-support and cache folders of one test, in a fresh
// temporary tree ("<root>/support" and "<root>/cache", not yet created).
// The environment variables are set for the life of the value.
class CloudTestFolders {
public:
    CloudTestFolders()
    {
        qputenv(AppRuntime::configDirVariable, support().toUtf8());
        qputenv(AppRuntime::cacheDirVariable, cache().toUtf8());
    }
    ~CloudTestFolders()
    {
        qunsetenv(AppRuntime::configDirVariable);
        qunsetenv(AppRuntime::cacheDirVariable);
    }
    CloudTestFolders(const CloudTestFolders&) = delete;
    CloudTestFolders& operator=(const CloudTestFolders&) = delete;

    QString root() const { return m_root.path(); }
    QString support() const { return m_root.filePath(QStringLiteral("support")); }
    QString cache() const { return m_root.filePath(QStringLiteral("cache")); }

    // Moves the folder below an ordinary file, so nothing can be created in it.
    static void blockFolder(const char* variable, const QString& regularFile)
    {
        write(regularFile, "not a folder");
        qputenv(variable, (regularFile + QStringLiteral("/below")).toUtf8());
    }

    // An empty result when the file cannot be read.
    static QByteArray read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    static void write(const QString& path, const QByteArray& bytes)
    {
        QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        QCOMPARE(file.write(bytes), bytes.size());
    }

    // The names in a folder, hidden ones (left-over temporary files) included.
    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

private:
    QTemporaryDir m_root;
};
