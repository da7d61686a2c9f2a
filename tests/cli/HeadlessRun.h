#pragma once

#include "support/FakeMac.h"

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// Runs the real program as a child process against a private fake Mac: its
// root in TAVRIN_MAC_ROOT, a temporary home folder in HOME, the program's own
// folders (TAVRIN_MAC_CONFIG_DIR, _CACHE_DIR, _LOG_DIR, _SHORTCUT_DIR) inside
// that home, and no display: DISPLAY, WAYLAND_DISPLAY and QT_QPA_PLATFORM are
// removed from the child's environment.
class HeadlessRun {
public:
    struct Result {
        bool finished = false;
        int status = -1;
        QByteArray out;
        QByteArray err;
        // Standard output split into the command-line mode's own lines and
        // the engine's log lines ("[HH:mm:ss] ..."); the confirmation prompt,
        // which has no line end, is taken off the line it shares.
        QStringList ownLines;
        QStringList engineLines;
    };

    HeadlessRun();

    FakeMac mac;

    QString home() const;
    QString logFolder() const;
    QString logFile() const;
    QString reportFile() const;
    QProcessEnvironment environment() const;

    // Runs the fake Mac's .fake/ready-for-presets with this run's home.
    bool readyForPresets() const;

    // Runs the program with the arguments (the program path is put first),
    // the bytes as its standard input, and the environment (this run's when
    // none is given).
    Result run(const QStringList& arguments, const QByteArray& input = {}) const;
    Result run(const QStringList& arguments, const QByteArray& input, const QProcessEnvironment& environment) const;

    // The lines of the log file; empty when there is none.
    QStringList logLines() const;

    // The prompt the preset run prints before it reads the answer.
    static QString prompt();
};
