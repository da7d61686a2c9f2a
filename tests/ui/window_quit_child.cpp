// A test program on the program's own window start and exit path
// (WindowStart::run, as src/main.cpp): the real window with the program's
// own services, on the fake Mac its environment names. Once shown it starts
// the standard preset from the sidebar, waits until the held Homebrew
// install has started, and closes the window. test_ui_shell_start runs it.

#include "app/DevivuKitViewModel.h"
#include "ui/kit/StyledButton.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/WindowStart.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>

#include <cstdio>

int main(int argc, char** argv)
{
    return WindowStart::run(argc, argv, [](MainWindow& window) {
        const QString held =
            QDir(qEnvironmentVariable("TAVRIN_MAC_ROOT")).filePath(QStringLiteral(".fake/state/brew-held"));
        window.findChild<StyledButton*>(QStringLiteral("sidebar-installStandard"))->click();
        auto* poll = new QTimer(&window);
        QObject::connect(poll, &QTimer::timeout, &window, [&window, held, poll] {
            if (!QFileInfo::exists(held))
                return;
            poll->stop();
            if (!window.viewModel().isInstalling()) {
                std::fputs("window_quit_child: no install is running\n", stderr);
                QCoreApplication::exit(3);
                return;
            }
            window.close();
        });
        poll->start(20);
    });
}
