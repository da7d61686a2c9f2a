#pragma once

#include "app/DevivuKitViewModel.h"

#include <QProcessEnvironment>
#include <QString>

#include <functional>

class MainWindow;

// The window start of the program, after the entry decided against the
// command-line mode: shared by src/main.cpp and the test program that quits
// the real window.
namespace WindowStart {

// The one line printed when there is no display to open the window on.
QString noDisplayMessage();

// Whether the environment names a display or a platform for Qt: DISPLAY or
// WAYLAND_DISPLAY set, or QT_QPA_PLATFORM naming one (empty counts as unset).
bool hasDisplay(const QProcessEnvironment& environment);

// What the whole application shares: the window's font (Qt's own widgets,
// the message boxes and the file dialog included).
void setUpApplication();

// The program's own services, with the window's save chooser.
DevivuKitViewModel::Dependencies productionDependencies();

// Opens the window and runs until it is closed; started (when given) runs
// once the window is shown. Builds not for macOS first check for a display:
// without one they print noDisplayMessage() on standard error and answer 1.
//
// Closing the window ends the program without waiting for engine work:
// while a background job still runs (an install, a preset) standard output
// and standard error are flushed and the process ends at once with the
// status (_exit). Otherwise the window and the application are torn down and
// the status is returned.
int run(int& argc, char** argv, const std::function<void(MainWindow& window)>& started = {});

} // namespace WindowStart
