// Renders every screen and sheet of the window in the five languages into a
// folder (build/pictures, or the one given), for looking at them:
// window-<lang>-1600x1000.png, window-<lang>-min.png, sheet-<kind>-<lang>.png
// (a screen shown in another state adds "-<state>"). The scenes are in
// PictureScenes.cpp; test_pictures checks what this writes.

#include "PictureScenes.h"
#include "ui/WindowStart.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

#include <cstdio>

int main(int argc, char** argv)
{
    // Never on the user's screen, and never half-way through an animation.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
    QApplication application(argc, argv);
    WindowStart::setUpApplication();

    const QStringList arguments = QApplication::arguments();
    const QString folder = arguments.size() > 1 ? arguments.at(1) : QStringLiteral(TAVRIN_PICTURE_DIR);
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "render_pictures: cannot create %s\n", qPrintable(folder));
        return 1;
    }

    int written = 0;
    int failed = 0;
    PictureScenes::runAll([&](const PictureShot& shot) {
        const QString path = QDir(folder).filePath(shot.name + QStringLiteral(".png"));
        if (!shot.widget || !shot.widget->grab().save(path)) {
            std::fprintf(stderr, "render_pictures: %s not written\n", qPrintable(path));
            ++failed;
            return;
        }
        ++written;
    });
    std::printf("%d pictures in %s\n", written, qPrintable(QDir(folder).absolutePath()));
    return failed == 0 ? 0 : 1;
}
