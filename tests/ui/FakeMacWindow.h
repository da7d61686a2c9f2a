#pragma once

#include "ViewModelTestEnvironment.h"
#include "WindowFixture.h"
#include "app/MacBackendEngine.h"
#include "app/MacReportPdfWriter.h"
#include "app/SupabaseCloud.h"
#include "support/FakeMac.h"
#include "ui/kit/StyledButton.h"
#include "ui/shell/SheetHost.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <memory>

// The program's window end to end: its own engine on a copy of the fake Mac,
// over the view model's fake settings (in memory), desktop, clock and manual
// scheduler, the real PDF writer and, unless a test hands in another, an
// unconfigured cloud client. The home folder, the TAVRIN_MAC_* folders and
// TAVRIN_MAC_ROOT are set before the program reads any of them; the window
// is shown and its start-up work (release policy, readiness, the status
// refresh) has landed when the constructor returns.
class FakeMacWindow {
    // HOME is read once per process: set it before the fake Mac exists.
    const QString m_home = ViewModelTestEnvironment::home();

public:
    // How long a test waits for the engine: the fixture programs run slowly
    // on a busy machine.
    static constexpr int engineWaitMilliseconds = 180000;

    struct Setup {
        // Writes files and state of the fake Mac before the window starts.
        std::function<void(FakeMac&)> mac;
        // Scripts the fakes (the stored language, the chooser's answer).
        std::function<void(ViewModelHarness&)> harness;
        // The cloud client; none: an unconfigured one.
        CloudApi::Factory cloud;
    };

    explicit FakeMacWindow(const Setup& setup = {})
    {
        qputenv("TAVRIN_MAC_ROOT", QFile::encodeName(mac.root()));
        qunsetenv("HOMEBREW_BREW_FILE");
        if (setup.mac)
            setup.mac(mac);
        const Host host = mac.host();
        fixture = std::make_unique<WindowFixture>(setup.harness, [&](DevivuKitViewModel::Dependencies& made) {
            made.engine = MacBackendEngine::factory(host);
            made.cloud = setup.cloud ? setup.cloud : SupabaseCloud::factory(std::nullopt);
            made.pdfWriter = std::make_shared<MacReportPdfWriter>();
        });
    }

    ~FakeMacWindow()
    {
        // The window and the model go (and the engine's jobs end) while the
        // fake Mac is still there.
        fixture.reset();
        qunsetenv("TAVRIN_MAC_ROOT");
    }

    FakeMacWindow(const FakeMacWindow&) = delete;
    FakeMacWindow& operator=(const FakeMacWindow&) = delete;

    DevivuKitViewModel& model() const { return fixture->model(); }
    MainWindow& window() const { return *fixture->window; }
    ViewModelHarness& harness() const { return fixture->harness; }

    // Waits until no engine job runs and what they posted has landed.
    bool settle() const
    {
        const bool settled = fixture->harness.settle();
        WindowFixture::deliver();
        return settled;
    }

    // The widget of that name anywhere in the window and its sheets.
    template <typename T>
    T* find(const QString& objectName) const
    {
        return fixture->find<T>(objectName);
    }

    // Types the text into the focused field key by key, as the user does
    // (QTest::keyClicks takes Latin-1 only).
    static void type(QWidget* field, const QString& text)
    {
        field->setFocus();
        for (const QChar character : text)
            QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }

    // Presses a painted button of the window or its open sheet (a sidebar
    // entry, a row's button) and delivers what it posted.
    void press(const QString& objectName) const
    {
        StyledButton* button = find<StyledButton>(objectName);
        QVERIFY2(button, qPrintable(objectName));
        QTest::mouseClick(button, Qt::LeftButton);
        WindowFixture::deliver();
    }

    // The sheet the host shows, as its dialog class, once exposed; nullptr
    // when another one (or none) is open.
    template <typename T>
    T* sheet() const
    {
        auto* dialog = qobject_cast<T*>(window().sheetHost()->dialog());
        if (dialog && !QTest::qWaitForWindowExposed(dialog))
            return nullptr;
        return dialog;
    }

    // Whether one of the lines ends with the text (log lines start with
    // their time).
    static bool hasLineEndingWith(const QStringList& lines, const QString& end)
    {
        return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) { return line.endsWith(end); });
    }

    FakeMac mac;
    std::unique_ptr<WindowFixture> fixture;
};
