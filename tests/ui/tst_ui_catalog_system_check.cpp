// The system-check sheet on the view model over its fakes: the run each
// presentation starts, its rows and badges, the user's close (which cancels)
// against its host's silent close (which does not), and the Homebrew buttons.

#include "ViewModelHarness.h"
#include "app/ViewModelTexts.h"
#include "model/SystemCheckTexts.h"
#include "ui/catalog/SystemCheckView.h"
#include "ui/kit/BadgeLabel.h"
#include "ui/kit/Pill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

#include <memory>

using Level = SystemCheck::Level;
using Operation = FakeEngine::Operation;
using Sheet = DevivuKitViewModel::Sheet;

namespace {

SystemCheck check(const char* name, Level level, const QString& detail)
{
    return SystemCheck::make(QString::fromUtf8(name), level, detail);
}

// What the fake Mac answers once the sheet runs its checks: a warning, a
// failure, an untranslated name and a detail long enough to wrap.
const QList<SystemCheck>& sheetChecks()
{
    static const QList<SystemCheck> checks{
        check(SystemCheckTexts::cpuArchitectureName, Level::ok, QStringLiteral("arm64")),
        check(SystemCheckTexts::homebrewName, Level::warn, QStringLiteral("Chưa có brew.")),
        check(SystemCheckTexts::internetConnectionName, Level::fail, QStringLiteral("Không phân giải được.")),
        check("Lab proxy", Level::ok,
              QStringLiteral("Proxy của phòng lab trả lời đúng cổng; mọi tải về đi qua proxy này. ").repeated(5)),
    };
    return checks;
}

// A window with the sheet opened on it as the host opens it: activeSheet
// names the sheet, then open().
struct OpenedSheet {
    OpenedSheet(DevivuKitViewModel& model)
    {
        window.resize(1120, 760);
        window.show();
        model.setActiveSheet(Sheet::systemChecks());
        sheet = new SystemCheckView(model, &window);
        finished = std::make_unique<QSignalSpy>(sheet, &QDialog::finished);
        sheet->open();
        QVERIFY(QTest::qWaitForWindowExposed(sheet));
    }

    QWidget window;
    SystemCheckView* sheet = nullptr;
    std::unique_ptr<QSignalSpy> finished;
};

QString childText(const QWidget* row, const char* name)
{
    const auto* text = row->findChild<TextBlock*>(QString::fromLatin1(name));
    return text ? text->text() : QStringLiteral("<none>");
}

QString badgeText(const QWidget* row)
{
    const auto* badge = row->findChild<BadgeLabel*>(QStringLiteral("check-badge"));
    return badge ? badge->text() : QStringLiteral("<none>");
}

} // namespace

class UiCatalogSystemCheckTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void openingRunsTheChecksOnce();
    void rowsTranslateNamesNotBadges_data();
    void rowsTranslateNamesNotBadges();
    void userCloseCancels_data();
    void userCloseCancels();
    void finishedRunMovesToTheReport_data();
    void finishedRunMovesToTheReport();
    void homebrewButtons();
};

void UiCatalogSystemCheckTest::openingRunsTheChecksOnce()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    // The start-up readiness check ran once.
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 1);
    QVERIFY(model.latestChecks().isEmpty());
    const std::shared_ptr<Gate> held = harness.engine->hold(Operation::systemChecks);

    OpenedSheet opened(model);
    SystemCheckView* sheet = opened.sheet;
    QCOMPARE(sheet->objectName(), QStringLiteral("system-checks"));
    QCOMPARE(sheet->size(), QSize(760, 620));
    QCOMPARE(sheet->windowModality(), Qt::WindowModal);
    QVERIFY(held->waitArrived());
    // Nothing yet: the checking text.
    QVERIFY(sheet->checkingText()->isVisible());
    QCOMPARE(sheet->checkingText()->text(), AppStrings().text(AppI18nKey::checkingPrerequisites));
    QVERIFY(sheet->checkRows().isEmpty());

    // Another show while presented is no new presentation.
    QShowEvent again;
    QCoreApplication::sendEvent(sheet, &again);
    harness.engine->setSystemChecks(sheetChecks());
    held->release();
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 2);
    QCOMPARE(harness.engine->calls(Operation::writeReport).size(), 1);
    QVERIFY(!sheet->checkingText()->isVisible());
    QCOMPARE(sheet->checkRows().size(), sheetChecks().size());
    // The summary went to the log (the drawer's run).
    QVERIFY(harness.engine->arguments(Operation::log).contains(QStringLiteral("System check summary:")));
}

void UiCatalogSystemCheckTest::rowsTranslateNamesNotBadges_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::newRow("English") << AppLanguage(AppLanguage::english);
    QTest::newRow("Vietnamese") << AppLanguage(AppLanguage::vietnamese);
    QTest::newRow("Japanese") << AppLanguage(AppLanguage::japanese);
}

void UiCatalogSystemCheckTest::rowsTranslateNamesNotBadges()
{
    QFETCH(AppLanguage, language);

    ViewModelHarness harness;
    harness.engine->setSystemChecks(sheetChecks());
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(language);
    QVERIFY(harness.settle());
    OpenedSheet opened(model);
    SystemCheckView* sheet = opened.sheet;
    const AppStrings strings(language);

    const QList<SystemCheck> checks = sheetChecks();
    QCOMPARE(sheet->checkRows().size(), checks.size());
    const QStringList badges{"OK", "WARN", "FAIL", "OK"};
    for (qsizetype i = 0; i < checks.size(); ++i) {
        const QWidget* row = sheet->checkRows().at(i);
        QCOMPARE(childText(row, "check-name"), strings.systemCheckName(checks.at(i)));
        QCOMPARE(childText(row, "check-detail"), strings.systemCheckDetail(checks.at(i)));
        QCOMPARE(badgeText(row), badges.at(i));
        const auto* badge = row->findChild<BadgeLabel*>(QStringLiteral("check-badge"));
        QCOMPARE(badge->size(), QSize(52, 24));
        QCOMPARE(badge->colors().foreground, SystemCheckView::levelColor(checks.at(i).level));
    }
    // An untranslated name stays as the engine wrote it.
    QCOMPARE(childText(sheet->checkRows().constLast(), "check-name"), QStringLiteral("Lab proxy"));
    // A long detail wraps whole.
    const auto* detail = sheet->checkRows().constLast()->findChild<TextBlock*>(QStringLiteral("check-detail"));
    const TextBlock::Layout wrapped = detail->layout(detail->width());
    QVERIFY(wrapped.lines.size() > 1);
    QVERIFY(!wrapped.truncated);

    // The readiness pill: any failing core row makes it FAIL, in its colour.
    QCOMPARE(sheet->readinessPill()->text(), QStringLiteral("FAIL"));
    QCOMPARE(sheet->readinessPill()->foreground(), Design::danger);
    QCOMPARE(sheet->readinessPill()->background(), Design::withOpacity(Design::danger, 0.12));
    QCOMPARE(sheet->closeButton()->text(), strings.text(AppI18nKey::close));
    QCOMPARE(sheet->closeMark()->toolTip(), strings.text(AppI18nKey::close));

    // The sheet is filled with the window's warm background, as the check
    // cards are, in its margin and between its buttons.
    const QImage picture = sheet->grab().toImage();
    QCOMPARE(picture.pixelColor(4, 4), Design::background);
    const QWidget* copy = sheet->findChild<QPushButton*>(QStringLiteral("copy-brew-command"));
    const QRect gap(copy->geometry().topRight(), sheet->closeButton()->geometry().bottomLeft());
    QCOMPARE(picture.pixelColor(gap.center()), Design::background);
}

void UiCatalogSystemCheckTest::userCloseCancels_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("Escape") << "escape";
    QTest::newRow("xmark") << "xmark";
    QTest::newRow("Return") << "return";
    QTest::newRow("Close") << "close";
    QTest::newRow("title-bar close") << "title bar";
}

void UiCatalogSystemCheckTest::userCloseCancels()
{
    QFETCH(QString, how);

    ViewModelHarness harness;
    const QList<SystemCheck> startUp{check(SystemCheckTexts::homebrewName, Level::ok, QStringLiteral("brew 4.3"))};
    harness.engine->setSystemChecks(startUp);
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.latestChecks(), startUp);
    harness.engine->setSystemChecks(sheetChecks());
    // The run's last step waits here until after the close.
    const std::shared_ptr<Gate> late = harness.engine->hold(Operation::writeReport);

    OpenedSheet opened(model);
    SystemCheckView* sheet = opened.sheet;
    QVERIFY(late->waitArrived());
    // What the run posted before its last step lands before the close.
    QCoreApplication::sendPostedEvents();
    QCOMPARE(model.currentAction(), AppStrings().auditUpdatingCatalog(model.catalogItems().size()));

    // Close is the one default button; no push button takes Return otherwise.
    QVERIFY(sheet->closeButton()->isDefault());
    for (const QPushButton* button : sheet->findChildren<QPushButton*>()) {
        QVERIFY(!button->autoDefault());
        QVERIFY(button == sheet->closeButton() || !button->isDefault());
    }

    QWidget* focus = sheet->focusWidget() ? sheet->focusWidget() : sheet;
    if (how == QLatin1String("escape"))
        QTest::keyClick(focus, Qt::Key_Escape);
    else if (how == QLatin1String("return"))
        QTest::keyClick(focus, Qt::Key_Return);
    else if (how == QLatin1String("xmark"))
        QTest::mouseClick(sheet->findChild<StyledButton*>(QStringLiteral("close-x")), Qt::LeftButton);
    else if (how == QLatin1String("close"))
        QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("close")), Qt::LeftButton);
    else
        sheet->close();

    QVERIFY(!sheet->isVisible());
    QCOMPARE(opened.finished->count(), 1);
    QVERIFY(!model.activeSheet());
    QCOMPARE(model.currentAction(), AppStrings().text(AppI18nKey::readyAction));

    // The run's late result is dropped: nothing of it is applied, and no
    // report sheet follows.
    late->release();
    QVERIFY(harness.settle());
    harness.scheduler->advance(0);
    QCOMPARE(model.latestChecks(), startUp);
    QVERIFY(model.reportText().isEmpty());
    QVERIFY(!model.activeSheet());
    QCOMPARE(model.currentAction(), AppStrings().text(AppI18nKey::readyAction));
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 2);
}

void UiCatalogSystemCheckTest::finishedRunMovesToTheReport_data()
{
    // However the host closes the sheet once activeSheet moved on.
    QTest::addColumn<QString>("hostClose");
    QTest::newRow("done") << "done";
    QTest::newRow("hide") << "hide";
    QTest::newRow("close") << "close";
}

void UiCatalogSystemCheckTest::finishedRunMovesToTheReport()
{
    QFETCH(QString, hostClose);

    ViewModelHarness harness;
    harness.engine->setSystemChecks(sheetChecks());
    harness.engine->setReport(QStringLiteral("Báo cáo kiểm tra"));
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> held = harness.engine->hold(Operation::writeReport);
    OpenedSheet opened(model);
    SystemCheckView* sheet = opened.sheet;
    QVERIFY(held->waitArrived());

    // The host: when activeSheet stops naming the sheet, it closes it
    // silently.
    QObject::connect(&model, &DevivuKitViewModel::activeSheetChanged, sheet, [&model, sheet, hostClose] {
        if (model.activeSheet() && model.activeSheet()->id() == sheet->objectName())
            return;
        if (!sheet->isVisible())
            return;
        if (hostClose == QLatin1String("done"))
            sheet->done(QDialog::Rejected);
        else if (hostClose == QLatin1String("hide"))
            sheet->hide();
        else
            sheet->close();
    });

    held->release();
    QVERIFY(harness.settle());
    QVERIFY(!sheet->isVisible());
    QVERIFY(!model.activeSheet());
    // Not cancelled: the run was applied and its text stays.
    QCOMPARE(model.currentAction(), ViewModelTexts::reportWritten(AppLanguage::english));
    QCOMPARE(model.latestChecks(), sheetChecks());
    QCOMPARE(model.reportText(), QStringLiteral("Báo cáo kiểm tra"));

    harness.scheduler->advance(0);
    QVERIFY(model.activeSheet());
    QCOMPARE(*model.activeSheet(), Sheet::report());
    QCOMPARE(model.currentAction(), ViewModelTexts::reportWritten(AppLanguage::english));
    // The sheet started one run only.
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 2);
}

void UiCatalogSystemCheckTest::homebrewButtons()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> held = harness.engine->hold(Operation::writeReport);
    OpenedSheet opened(model);
    SystemCheckView* sheet = opened.sheet;

    auto* guide = sheet->findChild<QPushButton*>(QStringLiteral("open-brew"));
    auto* copy = sheet->findChild<QPushButton*>(QStringLiteral("copy-brew-command"));
    QVERIFY(guide && copy);
    QCOMPARE(guide->text(), AppStrings().text(AppI18nKey::openBrew));
    QCOMPARE(copy->text(), AppStrings().text(AppI18nKey::copyBrewCommand));
    QTest::mouseClick(guide, Qt::LeftButton);
    QCOMPARE(harness.desktop->openedUrls(), QList<QUrl>{QUrl(QString::fromUtf8(SystemCheckTexts::homebrewSite))});
    QTest::mouseClick(copy, Qt::LeftButton);
    QCOMPARE(harness.desktop->copiedTexts(),
             QStringList{QString::fromUtf8(ViewModelTexts::homebrewInstallCommand)});
    // Neither closes the sheet nor cancels its run.
    QVERIFY(sheet->isVisible());
    QCOMPARE(opened.finished->count(), 0);
    QVERIFY(model.activeSheet());
    held->release();
}

QTEST_MAIN(UiCatalogSystemCheckTest)
#include "tst_ui_catalog_system_check.moc"
