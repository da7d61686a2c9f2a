#include "PictureStage.h"

#include "ui/WindowFixture.h"
#include "ui/shell/SheetHost.h"

#include <QApplication>
#include <QDialog>
#include <QLayout>
#include <QPointer>

PictureStage::PictureStage(AppLanguage language, ShotHandler handler)
    : m_language(language), m_handler(std::move(handler))
{
}

PictureStage::~PictureStage() = default;

MainWindow& PictureStage::open(const std::function<void(ViewModelHarness& harness)>& prepare,
                               const std::function<void(MainWindow& window)>& shown)
{
    if (!m_fixture) {
        m_fixture = std::make_unique<WindowFixture>(
            [&](ViewModelHarness& harness) {
                WindowFixture::storeLanguage(harness, m_language);
                if (prepare)
                    prepare(harness);
            },
            nullptr, shown);
    }
    return *m_fixture->window;
}

MainWindow& PictureStage::window() const
{
    return *m_fixture->window;
}

DevivuKitViewModel& PictureStage::model() const
{
    return m_fixture->model();
}

ViewModelHarness& PictureStage::harness() const
{
    return m_fixture->harness;
}

void PictureStage::settle()
{
    m_fixture->settle();
}

void PictureStage::deliver()
{
    WindowFixture::deliver();
}

QString PictureStage::windowName(const QString& size, const QString& state) const
{
    QString name = QStringLiteral("window-") + m_language.code() + u'-' + size;
    if (!state.isEmpty())
        name += u'-' + state;
    return name;
}

QString PictureStage::sheetName(const QString& kind, const QString& state) const
{
    QString name = QStringLiteral("sheet-") + kind + u'-' + m_language.code();
    if (!state.isEmpty())
        name += u'-' + state;
    return name;
}

void PictureStage::shootWindow(QSize size, const QString& sizeName, const QString& state)
{
    MainWindow& shown = window();
    shown.resize(size);
    deliver();
    shoot(windowName(sizeName, state), &shown, size);
}

void PictureStage::shootSheet(const DevivuKitViewModel::Sheet& sheet, const QString& kind, QSize expectedSize,
                              const QString& state)
{
    model().setActiveSheet(sheet);
    deliver();
    // The view model may have moved on meanwhile (a finished check run swaps
    // its sheet for the report): then there is no picture of this sheet.
    QDialog* dialog = window().sheetHost()->dialog();
    if (dialog && dialog->objectName() != sheet.id())
        dialog = nullptr;
    shoot(sheetName(kind, state), dialog, expectedSize);
}

void PictureStage::shoot(const QString& name, QWidget* widget, QSize expectedSize)
{
    // Delivering what is posted may close and delete the widget (its sheet
    // closed by a late result): the handler then gets none.
    QPointer<QWidget> live(widget);
    if (live) {
        if (QLayout* layout = live->layout())
            layout->activate();
        deliver();
    }
    m_handler(PictureShot{name, live.data(), expectedSize});
}
