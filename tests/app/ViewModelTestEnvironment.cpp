#include "ViewModelTestEnvironment.h"

#include "platform/AppRuntime.h"

#include <QFile>

namespace {

const char* const backendVariables[] = {"TAVRIN_SUPABASE_URL", "TAVRIN_SUPABASE_ANON_KEY",
                                        "TAVRIN_SUPABASE_FUNCTIONS_URL"};

} // namespace

QString ViewModelTestEnvironment::home()
{
    // One home for the whole process, removed when the process ends.
    static QTemporaryDir folder;
    static const bool homeSet = qputenv("HOME", QFile::encodeName(folder.path()));
    Q_UNUSED(homeSet);
    return folder.path();
}

ViewModelTestEnvironment::ViewModelTestEnvironment()
{
    home();
    qputenv(AppRuntime::configDirVariable, QFile::encodeName(configFolder()));
    qputenv(AppRuntime::cacheDirVariable, QFile::encodeName(cacheFolder()));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(logFolder()));
    qputenv(AppRuntime::shortcutDirVariable, QFile::encodeName(m_root.filePath(QStringLiteral("shortcuts"))));
    qunsetenv(AppRuntime::reportFileVariable);
    for (const char* variable : backendVariables)
        qunsetenv(variable);
}

ViewModelTestEnvironment::~ViewModelTestEnvironment()
{
    qunsetenv(AppRuntime::configDirVariable);
    qunsetenv(AppRuntime::cacheDirVariable);
    qunsetenv(AppRuntime::logDirVariable);
    qunsetenv(AppRuntime::shortcutDirVariable);
    qunsetenv(AppRuntime::reportFileVariable);
}

QString ViewModelTestEnvironment::configFolder() const
{
    return m_root.filePath(QStringLiteral("support"));
}

QString ViewModelTestEnvironment::cacheFolder() const
{
    return m_root.filePath(QStringLiteral("cache"));
}

QString ViewModelTestEnvironment::logFolder() const
{
    return m_root.filePath(QStringLiteral("logs"));
}
