#pragma once

#include "app/DevivuKitViewModel.h"
#include "i18n/AppLanguage.h"

#include <QList>
#include <QSize>
#include <QString>

#include <functional>
#include <memory>

class MainWindow;
class QWidget;
class ViewModelHarness;
class WindowFixture;

// One picture of a scene: the live widget in the state the scene set up, the
// file name it is saved under (without ".png") and the size it must have (a
// dimension of 0 or less: any).
struct PictureShot {
    QString name;
    QWidget* widget = nullptr;
    QSize expectedSize;
};

// What a scene works with in one language: the program's main window over
// the view model's fakes (scripted before the window is built), and shoot(),
// which hands each picture to the handler while its widget is live (the
// picture program grabs it; a check may walk its widgets instead).
class PictureStage {
public:
    using ShotHandler = std::function<void(const PictureShot& shot)>;

    PictureStage(AppLanguage language, ShotHandler handler);
    ~PictureStage();
    PictureStage(const PictureStage&) = delete;
    PictureStage& operator=(const PictureStage&) = delete;

    AppLanguage language() const { return m_language; }

    // Builds the window (once) after prepare has scripted the fakes; the view
    // model starts in the stage's language and its start-up work is settled.
    // shown runs once the window is shown, before the start-up work lands
    // (held start-up work is released there, or settling waits for it).
    MainWindow& open(const std::function<void(ViewModelHarness& harness)>& prepare = {},
                     const std::function<void(MainWindow& window)>& shown = {});
    MainWindow& window() const;
    DevivuKitViewModel& model() const;
    ViewModelHarness& harness() const;
    // Lets background work end and land, and the window lay itself out.
    void settle();
    // Delivers what is posted without waiting for background work (a job
    // held at a gate); the shots do this.
    void deliver();

    // "window-<lang>-<size>" and "sheet-<kind>-<lang>", each followed by
    // "-<state>" when a state is given.
    QString windowName(const QString& size, const QString& state = {}) const;
    QString sheetName(const QString& kind, const QString& state = {}) const;

    // The window at a size.
    void shootWindow(QSize size, const QString& sizeName, const QString& state = {});
    // Sets activeSheet and shoots the dialog the window's host opens for it.
    void shootSheet(const DevivuKitViewModel::Sheet& sheet, const QString& kind, QSize expectedSize,
                    const QString& state = {});
    void shoot(const QString& name, QWidget* widget, QSize expectedSize);

private:
    AppLanguage m_language;
    ShotHandler m_handler;
    std::unique_ptr<WindowFixture> m_fixture;
};
