// The window's size rule and the sheet host: which dialog is open for which
// activeSheet, how a user close clears it, and how a change of sheet closes
// the open one without its own close actions.

#include "CatalogEntry.h"
#include "TestApplication.h"
#include "WindowFixture.h"
#include "ui/catalog/ItemDetailView.h"
#include "ui/kit/StyledButton.h"
#include "ui/shell/SettingsView.h"
#include "ui/shell/SheetHost.h"
#include "ui/shell/WindowSizing.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;

Q_DECLARE_METATYPE(std::optional<QSize>)

namespace {

std::optional<QString> activeID(const DevivuKitViewModel& model)
{
    if (!model.activeSheet())
        return std::nullopt;
    return model.activeSheet()->id();
}

// The system-check sheet starts a check run as it opens; a run that ended
// would close the sheet and move on to the report. Holding the run keeps the
// sheet open for as long as the test looks at it.
std::shared_ptr<Gate> holdCheckRun(WindowFixture& fixture)
{
    return fixture.harness.engine->hold(FakeEngine::Operation::systemChecks);
}

} // namespace

class UiShellHostTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initialSize_data();
    void initialSize();
    void windowKeepsItsMinimum();
    void eachSheetOpensAtItsSize_data();
    void eachSheetOpensAtItsSize();
    void sameIdKeepsTheDialog();
    void anotherSheetReplacesWithoutPassingThroughNone();
    void userCloseClears_data();
    void userCloseClears();
    void lateFinishDoesNotClearTheNextSheet();
};

void UiShellHostTest::initialSize_data()
{
    QTest::addColumn<QSize>("content");
    QTest::addColumn<bool>("applied");
    QTest::addColumn<std::optional<QSize>>("corrected");
    QTest::newRow("too small both ways") << QSize(1000, 700) << false << std::optional<QSize>(QSize(1120, 760));
    QTest::newRow("too narrow") << QSize(1000, 900) << false << std::optional<QSize>(QSize(1120, 900));
    QTest::newRow("too low") << QSize(1400, 700) << false << std::optional<QSize>(QSize(1400, 760));
    QTest::newRow("large enough") << QSize(1400, 900) << false << std::optional<QSize>();
    QTest::newRow("exactly the minimum") << QSize(1120, 760) << false << std::optional<QSize>();
    QTest::newRow("second call") << QSize(1000, 700) << true << std::optional<QSize>();
}

void UiShellHostTest::initialSize()
{
    QFETCH(QSize, content);
    QFETCH(bool, applied);
    QFETCH(std::optional<QSize>, corrected);
    QCOMPARE(WindowSizing::initialContentSize(content, applied), corrected);
}

void UiShellHostTest::windowKeepsItsMinimum()
{
    WindowFixture fixture;
    MainWindow& window = *fixture.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("Tavrin Devivu Kit"));
    QVERIFY(window.width() >= 1120 && window.height() >= 760);
    window.resize(900, 600);
    QCOMPARE(window.size(), QSize(1120, 760));
    QCOMPARE(window.centralWidget()->minimumSize(), QSize(1120, 760));
    window.resize(1600, 1000);
    QCOMPARE(window.size(), QSize(1600, 1000));
}

void UiShellHostTest::eachSheetOpensAtItsSize_data()
{
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<QSize>("size");
    QTest::newRow("item detail") << Sheet::itemDetail(catalogEntry(QStringLiteral("vlc"))) << QSize(640, 400);
    QTest::newRow("audit detail") << Sheet::auditDetail(testApplication(QStringLiteral("Numbers")))
                                  << QSize(760, 620);
    QTest::newRow("settings") << Sheet::settings() << QSize(520, -1);
    QTest::newRow("system checks") << Sheet::systemChecks() << QSize(760, 620);
    QTest::newRow("report") << Sheet::report() << QSize(1320, 720);
    QTest::newRow("cloud tools") << Sheet::cloudTools() << QSize(700, 720);
}

void UiShellHostTest::eachSheetOpensAtItsSize()
{
    QFETCH(Sheet, sheet);
    QFETCH(QSize, size);

    WindowFixture fixture;
    fixture.model().setActiveSheet(sheet);
    QDialog* dialog = fixture.window->sheetHost()->dialog();
    QVERIFY(dialog);
    QCOMPARE(dialog->objectName(), sheet.id());
    QCOMPARE(fixture.window->findChild<QDialog*>(sheet.id()), dialog);
    QCOMPARE(dialog->windowModality(), Qt::WindowModal);
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->width(), size.width());
    if (size.height() > 0)
        QCOMPARE(dialog->height(), size.height());
    // Every push button of a sheet is kept from becoming a default on focus.
    for (const QPushButton* button : dialog->findChildren<QPushButton*>())
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
}

void UiShellHostTest::sameIdKeepsTheDialog()
{
    WindowFixture fixture;
    AppItem item = catalogEntry(QStringLiteral("vlc"));
    fixture.model().setActiveSheet(Sheet::itemDetail(item));
    QPointer<QDialog> first = fixture.window->sheetHost()->dialog();
    QVERIFY(first);

    // Another value with the same id: the same dialog stays.
    item.description = QStringLiteral("changed");
    fixture.model().setActiveSheet(Sheet::itemDetail(item));
    QCOMPARE(fixture.window->sheetHost()->dialog(), first.data());
    QVERIFY(first->isVisible());

    // Another entry is another sheet.
    fixture.model().setActiveSheet(Sheet::itemDetail(catalogEntry(QStringLiteral("gimp"))));
    QVERIFY(fixture.window->sheetHost()->dialog() != first.data());
    QCOMPARE(fixture.window->sheetHost()->dialog()->objectName(), QStringLiteral("item-gimp"));
    fixture.settle();
    QVERIFY(!first);
}

void UiShellHostTest::anotherSheetReplacesWithoutPassingThroughNone()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    model.setActiveSheet(Sheet::settings());
    QPointer<QDialog> settings = fixture.window->sheetHost()->dialog();
    QVERIFY(qobject_cast<SettingsView*>(settings.data()));

    QSignalSpy changes(&model, &DevivuKitViewModel::activeSheetChanged);
    QList<std::optional<QString>> seen;
    connect(&model, &DevivuKitViewModel::activeSheetChanged, this, [&] { seen.append(activeID(model)); });
    const std::shared_ptr<Gate> run = holdCheckRun(fixture);
    model.setActiveSheet(Sheet::systemChecks());

    // The settings sheet closed silently: its own close (activeSheet none)
    // did not run.
    QCOMPARE(seen, (QList<std::optional<QString>>{QStringLiteral("system-checks")}));
    QCOMPARE(changes.count(), 1);
    QVERIFY(!settings || !settings->isVisible());
    QDialog* checks = fixture.window->sheetHost()->dialog();
    QVERIFY(checks && checks->isVisible());
    QCOMPARE(checks->objectName(), QStringLiteral("system-checks"));
    QVERIFY(run->waitArrived());
    fixture.deliver();
    QVERIFY(!settings);
    QCOMPARE(activeID(model), QStringLiteral("system-checks"));
}

void UiShellHostTest::userCloseClears_data()
{
    QTest::addColumn<Sheet>("sheet");
    QTest::addColumn<QString>("how");
    QTest::newRow("report Close") << Sheet::report() << "report-close";
    QTest::newRow("cloud tools Close") << Sheet::cloudTools() << "cloud-close";
    QTest::newRow("system checks title bar") << Sheet::systemChecks() << "title bar";
    QTest::newRow("system checks Close") << Sheet::systemChecks() << "close";
    QTest::newRow("item detail Close") << Sheet::itemDetail(catalogEntry(QStringLiteral("vlc"))) << "close";
    QTest::newRow("item detail xmark") << Sheet::itemDetail(catalogEntry(QStringLiteral("vlc"))) << "close-x";
    QTest::newRow("audit detail Escape") << Sheet::auditDetail(testApplication(QStringLiteral("Pages")))
                                         << "escape";
    QTest::newRow("audit detail Close") << Sheet::auditDetail(testApplication(QStringLiteral("Pages")))
                                        << "audit-detail-close";
    QTest::newRow("settings Done") << Sheet::settings() << "settings-done-button";
    QTest::newRow("settings title bar") << Sheet::settings() << "title bar";
}

void UiShellHostTest::userCloseClears()
{
    QFETCH(Sheet, sheet);
    QFETCH(QString, how);

    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    std::shared_ptr<Gate> run;
    if (sheet.kind == Sheet::Kind::systemChecks)
        run = holdCheckRun(fixture);
    model.setActiveSheet(sheet);
    QPointer<QDialog> dialog = fixture.window->sheetHost()->dialog();
    QVERIFY(dialog);
    QSignalSpy changes(&model, &DevivuKitViewModel::activeSheetChanged);

    if (how == QLatin1String("escape")) {
        QTest::keyClick(dialog, Qt::Key_Escape);
    } else if (how == QLatin1String("title bar")) {
        dialog->close();
    } else {
        QAbstractButton* button = dialog->findChild<QAbstractButton*>(how);
        QVERIFY(button);
        QTest::mouseClick(button, Qt::LeftButton);
    }
    QCOMPARE(model.activeSheet(), std::nullopt);
    QCOMPARE(changes.count(), 1);
    QCOMPARE(fixture.window->sheetHost()->dialog(), nullptr);
    if (run)
        run->release();
    fixture.settle();
    QVERIFY(!dialog);
    // A check run cancelled by the close delivers nothing that reopens a sheet.
    QCOMPARE(model.activeSheet(), std::nullopt);
}

void UiShellHostTest::lateFinishDoesNotClearTheNextSheet()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();

    // Closed by the user, then opened again at once: the old dialog
    // finishing a second time does not close the new one.
    model.setActiveSheet(Sheet::report());
    QPointer<QDialog> first = fixture.window->sheetHost()->dialog();
    first->reject();
    QCOMPARE(model.activeSheet(), std::nullopt);
    model.setActiveSheet(Sheet::report());
    QDialog* second = fixture.window->sheetHost()->dialog();
    QVERIFY(second && second != first.data());
    QVERIFY(first);
    first->done(QDialog::Rejected);
    QCOMPARE(activeID(model), QStringLiteral("report"));
    QVERIFY(second->isVisible());

    // A dialog that the view model has moved on from finishes: nothing.
    model.setActiveSheet(Sheet::cloudTools());
    second->reject();
    QCOMPARE(activeID(model), QStringLiteral("cloud-tools"));
    QVERIFY(fixture.window->sheetHost()->dialog()->isVisible());
}

QTEST_MAIN(UiShellHostTest)
#include "tst_ui_shell_host.moc"
