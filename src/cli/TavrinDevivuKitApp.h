#pragma once

#include <QStringList>

// The application: its construction decides between the two front ends
// before any application object, window or display connection exists.
//
// When the arguments ask for the command-line mode (TavrinCLI::shouldRun),
// the constructor runs it under a QCoreApplication, which never connects to
// a display, and ends the process with its exit status: it does not return.
// Otherwise it returns, and the program's entry starts the window.
class TavrinDevivuKitApp {
public:
    TavrinDevivuKitApp(int& argc, char** argv);

    // The process's arguments as text, program path first.
    static QStringList arguments(int argc, char** argv);
};
