#pragma once

#include <QString>
#include <QTemporaryDir>

// The folders of one view-model test. The home folder is one temporary
// folder for the whole process (the program reads HOME once); each value
// points TAVRIN_MAC_CONFIG_DIR, TAVRIN_MAC_CACHE_DIR, TAVRIN_MAC_LOG_DIR and
// TAVRIN_MAC_SHORTCUT_DIR at fresh folders below its own temporary folder,
// unsets TAVRIN_MAC_REPORT_FILE and the backend variables, and puts them
// back to unset when it goes.
class ViewModelTestEnvironment {
public:
    ViewModelTestEnvironment();
    ~ViewModelTestEnvironment();
    ViewModelTestEnvironment(const ViewModelTestEnvironment&) = delete;
    ViewModelTestEnvironment& operator=(const ViewModelTestEnvironment&) = delete;

    // The process's home folder (set on first use).
    static QString home();

    QString root() const { return m_root.path(); }
    QString configFolder() const;
    QString cacheFolder() const;
    QString logFolder() const;

private:
    QTemporaryDir m_root;
};
