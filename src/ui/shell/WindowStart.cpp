#include "ui/shell/WindowStart.h"

#include "app/BackgroundTasks.h"
#include "app/SystemDesktop.h"
#include "ui/kit/Design.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/SaveFileChooser.h"

#include <QApplication>

#include <cstdio>
#include <memory>
#include <unistd.h>

namespace WindowStart {

QString noDisplayMessage()
{
    return QStringLiteral("Tavrin Devivu Kit: no display to open the window on (DISPLAY, WAYLAND_DISPLAY and "
                          "QT_QPA_PLATFORM are not set); run with --check or --preset NAME, or --help.");
}

bool hasDisplay(const QProcessEnvironment& environment)
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) {
        if (!environment.value(QString::fromLatin1(name)).isEmpty())
            return true;
    }
    return false;
}

void setUpApplication()
{
    QApplication::setFont(Design::font(13));
}

DevivuKitViewModel::Dependencies productionDependencies()
{
    DevivuKitViewModel::Dependencies dependencies;
    dependencies.desktop = std::make_shared<SystemDesktop>(&SaveFileChooser::choose);
    return dependencies;
}

int run(int& argc, char** argv, const std::function<void(MainWindow& window)>& started)
{
#ifndef Q_OS_MACOS
    if (!hasDisplay(QProcessEnvironment::systemEnvironment())) {
        std::fprintf(stderr, "%s\n", noDisplayMessage().toLocal8Bit().constData());
        return 1;
    }
#endif
    int status = 0;
    {
        QApplication application(argc, argv);
        setUpApplication();
        MainWindow window(productionDependencies());
        QObject::connect(&window, &MainWindow::closed, &application, &QCoreApplication::quit);
        window.show();
        if (started)
            started(window);
        status = QApplication::exec();
        // An engine job still running (an install, a preset) is not waited
        // for: its child keeps running without its output pipe, and the next
        // start reads the real statuses.
        if (BackgroundTasks::isBusy()) {
            std::fflush(stdout);
            std::fflush(stderr);
            ::_exit(status);
        }
    }
    return status;
}

} // namespace WindowStart
