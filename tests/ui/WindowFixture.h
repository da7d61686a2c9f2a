#pragma once

#include "ViewModelHarness.h"
#include "ui/shell/MainWindow.h"

#include <QApplication>
#include <QTest>

#include <functional>
#include <memory>

// The program's main window over the view model's fakes, for the window's
// tests and pictures. The fakes are scripted first (prepare), the window is
// built from them, shown offscreen (then shown runs, before the start-up
// work lands) and its start-up work settled. The window
// goes before the harness, which then releases every gate and drains the
// background jobs.
class WindowFixture {
public:
    explicit WindowFixture(const std::function<void(ViewModelHarness&)>& prepare = {},
                           const std::function<void(DevivuKitViewModel::Dependencies&)>& adjust = {},
                           const std::function<void(MainWindow&)>& shown = {})
    {
        if (prepare)
            prepare(harness);
        DevivuKitViewModel::Dependencies dependencies = harness.dependencies();
        if (adjust)
            adjust(dependencies);
        window = std::make_unique<MainWindow>(std::move(dependencies));
        window->show();
        static_cast<void>(QTest::qWaitForWindowExposed(window.get()));
        if (shown)
            shown(*window);
        settle();
    }

    WindowFixture(const WindowFixture&) = delete;
    WindowFixture& operator=(const WindowFixture&) = delete;

    // Stores the language the model starts in; call from prepare.
    static void storeLanguage(ViewModelHarness& harness, AppLanguage language)
    {
        harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), language.code());
    }

    DevivuKitViewModel& model() const { return window->viewModel(); }

    // Lets background work end and delivers what it posted, then the
    // window's own pending events.
    void settle()
    {
        harness.settle();
        deliver();
    }

    // Delivers what is posted (results, layouts, deferred deletes) without
    // waiting for background work (a job may be held at a gate).
    static void deliver()
    {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QApplication::processEvents();
    }

    template <typename T>
    T* find(const QString& objectName) const
    {
        return window->findChild<T*>(objectName);
    }

    ViewModelHarness harness;
    std::unique_ptr<MainWindow> window;
};
