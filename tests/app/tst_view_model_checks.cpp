// The view model's system checks: the readiness badge at start-up and the
// full check run with its report, its generations and its cancellation.

#include "TestApplication.h"
#include "ViewModelHarness.h"
#include "app/BackgroundTasks.h"
#include "app/ReportSnapshot.h"
#include "model/SystemCheckTexts.h"
#include "platform/AppRuntime.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QSignalSpy>
#include <QtTest>

#include <cerrno>

using Level = SystemCheck::Level;
using Operation = FakeEngine::Operation;
using Sheet = DevivuKitViewModel::Sheet;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

SystemCheck check(const char* name, Level level, const QString& detail = QStringLiteral("chi tiết"))
{
    return SystemCheck::make(QString::fromUtf8(name), level, detail);
}

const SystemCheck homebrewWarn = check(SystemCheckTexts::homebrewName, Level::warn, QStringLiteral("Chưa có brew."));
const SystemCheck internetFail =
    check(SystemCheckTexts::internetConnectionName, Level::fail, QStringLiteral("Không phân giải được."));
const SystemCheck macOSFail = check(SystemCheckTexts::macOSCompatibilityName, Level::fail, QStringLiteral("quá cũ"));
const SystemCheck userFail = check(SystemCheckTexts::userModeName, Level::fail, QStringLiteral("root"));
const SystemCheck xcodeWarn = check(SystemCheckTexts::xcodeCommandLineToolsName, Level::warn);
const SystemCheck freeSpaceWarn = check(SystemCheckTexts::freeSpaceName, Level::warn, QStringLiteral("3GB trống"));
const SystemCheck englishFreeSpaceFail = check("Free disk space", Level::fail, QStringLiteral("0GB"));
const SystemCheck cpuOk = check(SystemCheckTexts::cpuArchitectureName, Level::ok, QStringLiteral("arm64"));

// Lines of the log that the engine wrote (FakeEngine::line), without the
// prefix.
QStringList engineLines(const QStringList& log)
{
    QStringList found;
    const QString prefix = FakeEngine::line(QString());
    for (const QString& line : log)
        if (line.startsWith(prefix))
            found.append(line.mid(prefix.size()));
    return found;
}

} // namespace

class ViewModelChecksTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void readiness_data();
    void readiness();
    void fullRun_data();
    void fullRun();
    void twoQuickRunsApplyOnlyTheSecond_data();
    void twoQuickRunsApplyOnlyTheSecond();
    void cancelDuringTheInventory();
    void reportFailureKeepsTheState_data();
    void reportFailureKeepsTheState();
    void supersededRunStillShowsItsFailure();
};

void ViewModelChecksTest::readiness_data()
{
    QTest::addColumn<QList<SystemCheck>>("checks");
    QTest::addColumn<QString>("label");
    QTest::addColumn<Level>("level");
    QTest::addColumn<QString>("detail");

    const AppStrings texts;
    QTest::newRow("Homebrew warns, Internet fails")
        << QList<SystemCheck>{cpuOk, homebrewWarn, internetFail} << "FAIL" << Level::fail
        << QStringLiteral("Không phân giải được.");
    QTest::newRow("two fail: the first listed") << QList<SystemCheck>{macOSFail, cpuOk, userFail} << "FAIL"
                                                << Level::fail << QStringLiteral("quá cũ");
    QTest::newRow("only Xcode warns") << QList<SystemCheck>{cpuOk, xcodeWarn} << "OK" << Level::ok
                                      << texts.systemReadyDetail();
    QTest::newRow("no rows") << QList<SystemCheck>() << "OK" << Level::ok << texts.systemReadyDetail();
    QTest::newRow("English free-space name") << QList<SystemCheck>{englishFreeSpaceFail, cpuOk} << "OK" << Level::ok
                                             << texts.systemReadyDetail();
    QTest::newRow("warnings only") << QList<SystemCheck>{homebrewWarn, xcodeWarn, cpuOk, freeSpaceWarn} << "SETUP"
                                   << Level::warn << texts.setupNeeded({homebrewWarn, freeSpaceWarn});
}

void ViewModelChecksTest::readiness()
{
    QFETCH(QList<SystemCheck>, checks);
    QFETCH(QString, label);
    QFETCH(Level, level);
    QFETCH(QString, detail);

    ViewModelHarness harness;
    harness.engine->setSystemChecks(checks);
    DevivuKitViewModel& model = harness.startSettled();

    // The start-up check: one quiet engine call off the GUI thread.
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 1);
    QVERIFY(harness.engine->noCallOn(QThread::currentThread()));
    QCOMPARE(model.latestChecks(), checks);
    QCOMPARE(model.coreReadinessLabel(), label);
    QCOMPARE(model.coreReadinessLevel(), level);
    QCOMPARE(model.coreReadinessDetail(), detail);
    QCOMPARE(model.currentAction(), AppStrings().statusRefreshed());
    QVERIFY(engineLines(model.logLines()).isEmpty());
    QVERIFY(!model.hasReportSnapshot());
    QVERIFY(!model.toast());
}

void ViewModelChecksTest::fullRun_data()
{
    QTest::addColumn<std::optional<Sheet>>("openSheet");
    QTest::addColumn<bool>("logToDrawer");
    QTest::addColumn<std::optional<Sheet>>("sheetAtOnce");

    using Open = std::optional<Sheet>;
    QTest::newRow("no sheet open") << Open() << false << Open(Sheet::report());
    QTest::newRow("check sheet open, to the drawer") << Open(Sheet::systemChecks()) << true << Open();
    QTest::newRow("settings open") << Open(Sheet::settings()) << false << Open(Sheet::settings());
    QTest::newRow("report sheet open") << Open(Sheet::report()) << true << Open(Sheet::report());
}

void ViewModelChecksTest::fullRun()
{
    QFETCH(std::optional<Sheet>, openSheet);
    QFETCH(bool, logToDrawer);
    QFETCH(std::optional<Sheet>, sheetAtOnce);

    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("gimp")});
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), QStringLiteral("vi"));
    DevivuKitViewModel& model = harness.startSettled();
    model.setActiveSheet(openSheet);
    const QString before = model.currentAction();
    const qsizetype lines = model.logLines().size();

    const QList<SystemCheck> checks{cpuOk, homebrewWarn, xcodeWarn};
    const QList<InstalledMacApplication> applications{testApplication(QStringLiteral("Viewer")),
                                                      testApplication(QStringLiteral("Zip"))};
    harness.engine->setSystemChecks(checks);
    harness.engine->setApplications(applications);
    harness.engine->setReport(QStringLiteral("Kiểm tra hệ thống:\n- báo cáo đầy đủ\n"));
    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    harness.clock->set(QDateTime(QDate(2024, 6, 1), QTime(10, 0, 0)));
    const std::shared_ptr<Gate> held = harness.engine->hold(Operation::systemChecks);

    model.refreshChecks(logToDrawer);
    QVERIFY(held->waitArrived());
    // Nothing shows that a run started.
    QCOMPARE(model.currentAction(), before);
    QCOMPARE(model.logLines().size(), lines);
    QVERIFY(!model.isReportRefreshing());
    QVERIFY(harness.releaseAndSettle());

    const AppStrings texts(AppLanguage::vietnamese);
    QCOMPARE(model.latestChecks(), checks);
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("SETUP"));
    QCOMPARE(model.coreReadinessDetail(), texts.setupNeeded({homebrewWarn}));
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::installed);
    QCOMPARE(model.progressText(), QStringLiteral("50%"));
    QCOMPARE(model.reportText(), QStringLiteral("Kiểm tra hệ thống:\n- báo cáo đầy đủ\n"));
    QCOMPARE(model.reportApplications(), applications);
    QVERIFY(model.hasReportSnapshot());
    QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(harness.clock->now()));
    QCOMPARE(model.currentAction(), QStringLiteral("Đã ghi report"));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, QStringLiteral("Đã ghi report"));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    // The run wrote its report in the language it started with, checked the
    // copied catalog and saved the snapshot.
    QCOMPARE(harness.engine->arguments(Operation::writeReport), QStringList{QStringLiteral("vi")});
    QCOMPARE(harness.engine->arguments(Operation::statuses).constLast(), QStringLiteral("vlc,gimp"));
    const std::optional<ReportSnapshot> saved = ReportSnapshot::fromJson(ReportSnapshot::readFile().value_or(""));
    QVERIFY(saved);
    QCOMPARE(saved->applications, applications);
    for (const FakeEngine::Call& call : harness.engine->calls())
        QVERIFY(call.operation == Operation::log || call.thread != QThread::currentThread());

    // The summary goes through the engine's log: a heading and a line per
    // row, non-core rows included.
    const QStringList summary = engineLines(model.logLines());
    if (logToDrawer) {
        QCOMPARE(summary, (QStringList{
                              QStringLiteral("System check summary:"),
                              QStringLiteral("CHECK OK: CPU architecture - arm64"),
                              QStringLiteral("CHECK WARN: Homebrew - Chưa có brew."),
                              QStringLiteral("CHECK WARN: Xcode Command Line Tools - chi tiết"),
                          }));
    } else {
        QVERIFY(summary.isEmpty());
    }

    // The check sheet closes at once and the report sheet opens on the next
    // turn; any other open sheet stays.
    QCOMPARE(model.activeSheet(), sheetAtOnce);
    harness.scheduler->advance(0);
    if (openSheet == std::optional<Sheet>(Sheet::systemChecks()))
        QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    else
        QCOMPARE(model.activeSheet(), sheetAtOnce);
}

void ViewModelChecksTest::twoQuickRunsApplyOnlyTheSecond_data()
{
    QTest::addColumn<bool>("firstHeld"); // held in the checks, else finished but not yet delivered
    QTest::newRow("first stops at a cancellation point") << true;
    QTest::newRow("first delivers too late") << false;
}

void ViewModelChecksTest::twoQuickRunsApplyOnlyTheSecond()
{
    QFETCH(bool, firstHeld);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QSignalSpy reports(&model, &DevivuKitViewModel::reportChanged);
    QSignalSpy checks(&model, &DevivuKitViewModel::latestChecksChanged);
    harness.engine->setSystemChecks({internetFail});
    harness.engine->setReport(QStringLiteral("first"));

    if (firstHeld) {
        const std::shared_ptr<Gate> first = harness.engine->hold(Operation::systemChecks);
        model.refreshChecks(true);
        QVERIFY(first->waitArrived());
        harness.engine->setSystemChecks({cpuOk});
        harness.engine->setReport(QStringLiteral("second"));
        model.refreshChecks(true);
    } else {
        model.refreshChecks(true);
        // Its result waits in the queue while the second run starts.
        QVERIFY(BackgroundTasks::waitForIdle(ViewModelHarness::waitMilliseconds));
        harness.engine->setSystemChecks({cpuOk});
        harness.engine->setReport(QStringLiteral("second"));
        model.refreshChecks(true);
    }
    QVERIFY(harness.releaseAndSettle());

    QCOMPARE(reports.size(), 1);
    QCOMPARE(checks.size(), 1);
    QCOMPARE(model.reportText(), QStringLiteral("second"));
    QCOMPARE(model.latestChecks(), QList<SystemCheck>{cpuOk});
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("OK"));
    QCOMPARE(engineLines(model.logLines()).count(QStringLiteral("System check summary:")), 1);
    // A stopped run ends before the inventory.
    QCOMPARE(harness.engine->calls(Operation::installedAdditionalApplications).size(), firstHeld ? 1 : 2);
}

void ViewModelChecksTest::cancelDuringTheInventory()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const int statusReads = harness.engine->calls(Operation::statuses).size();

    // Without a run, only the ready text.
    model.cancelSystemCheck();
    QCOMPARE(model.currentAction(), AppStrings().text(AppI18nKey::readyAction));

    harness.engine->setApplications({testApplication(QStringLiteral("Viewer")), testApplication(QStringLiteral("Zip"))});
    harness.engine->setSystemChecks({internetFail});
    const std::shared_ptr<Gate> inventory = harness.engine->hold(Operation::installedAdditionalApplications);
    model.refreshChecks(true);
    QVERIFY(inventory->waitArrived());
    model.setActiveSheet(Sheet::systemChecks());
    model.cancelSystemCheck();
    model.setActiveSheet(std::nullopt);
    QVERIFY(harness.releaseAndSettle());

    QVERIFY(harness.engine->sawCancellation());
    QCOMPARE(harness.engine->calls(Operation::statuses).size(), statusReads);
    QVERIFY(harness.engine->calls(Operation::writeReport).isEmpty());
    QCOMPARE(model.currentAction(), AppStrings().text(AppI18nKey::readyAction));
    QVERIFY(model.latestChecks().isEmpty());
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("OK"));
    QVERIFY(!model.hasReportSnapshot());
    QVERIFY(!model.toast());
    QVERIFY(engineLines(model.logLines()).isEmpty());
    harness.scheduler->advance(0);
    QVERIFY(!model.activeSheet());
}

void ViewModelChecksTest::reportFailureKeepsTheState_data()
{
    QTest::addColumn<QString>("failure"); // "engine" or "encoding"
    QTest::newRow("the engine cannot write") << "engine";
    QTest::newRow("the file is not UTF-8") << "encoding";
}

void ViewModelChecksTest::reportFailureKeepsTheState()
{
    QFETCH(QString, failure);

    ViewModelHarness harness;
    harness.engine->setSystemChecks({homebrewWarn});
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    const QHash<QString, InstallStatus> statuses = model.statuses();

    harness.engine->setSystemChecks({internetFail});
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::missing);
    QString expected;
    if (failure == QLatin1String("engine")) {
        expected = QStringLiteral("/r/Reports/tavrin-office-kit-report.txt: Permission denied");
        harness.engine->setReportError(expected);
    } else {
        harness.engine->setReportBytes("Ki\xe1\xbb\x83m tra \xff\xfe\n");
        expected = AppRuntime::reportFile() + QStringLiteral(": ") + FileSystem::errorText(EILSEQ);
    }
    model.setActiveSheet(Sheet::systemChecks());
    model.refreshChecks(true);
    QVERIFY(harness.settle());

    QCOMPARE(model.currentAction(), expected);
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, expected);
    QCOMPARE(model.toast()->kind, Toast::Kind::failure);
    QCOMPARE(model.auditProgressText(), QStringLiteral("0%"));
    QCOMPARE(model.auditProgressDetailText(), AppStrings().auditPreparing());
    QVERIFY(!model.isReportRefreshing());
    // Neither the checks nor the statuses of the run are applied.
    QCOMPARE(model.latestChecks(), QList<SystemCheck>{homebrewWarn});
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("SETUP"));
    QCOMPARE(model.statuses(), statuses);
    QVERIFY(model.reportText().isEmpty());
    QVERIFY(!model.hasReportSnapshot());
    QVERIFY(!QFile::exists(ReportSnapshot::filePath()));
    QVERIFY(engineLines(model.logLines()).isEmpty());
    harness.scheduler->advance(0);
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::systemChecks()));
}

void ViewModelChecksTest::supersededRunStillShowsItsFailure()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    harness.engine->setReportError(QStringLiteral("đĩa đầy"));
    const std::shared_ptr<Gate> firstWrite = harness.engine->hold(Operation::writeReport);
    model.refreshChecks(false);
    QVERIFY(firstWrite->waitArrived());
    const std::shared_ptr<Gate> secondChecks = harness.engine->hold(Operation::systemChecks);
    model.refreshChecks(false);
    QVERIFY(secondChecks->waitArrived());

    firstWrite->release();
    QTRY_VERIFY_WITH_TIMEOUT(model.toast().has_value(), ViewModelHarness::waitMilliseconds);
    QCOMPARE(model.toast()->text, QStringLiteral("đĩa đầy"));
    QCOMPARE(model.toast()->kind, Toast::Kind::failure);
    harness.engine->setReportError(std::nullopt);
    harness.engine->setReport(QStringLiteral("second"));
    QVERIFY(harness.releaseAndSettle());
    QCOMPARE(model.reportText(), QStringLiteral("second"));
}

QTEST_MAIN(ViewModelChecksTest)
#include "tst_view_model_checks.moc"
