// The view model's log, toasts, operation progress banner and percentages.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "app/ViewModelTexts.h"

#include <QSignalSpy>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;

class ViewModelFeedbackTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void engineProgress_data();
    void engineProgress();
    void progressWhileIdleChangesNothing();
    void percentTexts_data();
    void percentTexts();
    void catalogTruncatesWhileOperationRounds();
    void logKeepsTheNewest500Lines();
    void toastsKeepTheirOwnTime();
    void bannerHidesAfterCompletion();
    void bannerStaysForANewerOperation_data();
    void bannerStaysForANewerOperation();
};

void ViewModelFeedbackTest::engineProgress_data()
{
    QTest::addColumn<std::optional<double>>("fraction");
    QTest::addColumn<double>("operation");
    QTest::addColumn<QString>("operationText");
    QTest::addColumn<QString>("itemText");

    // The second of four entries: one is done.
    QTest::newRow("half") << std::optional<double>(0.5) << 0.375 << QStringLiteral("38%") << QStringLiteral("50%");
    QTest::newRow("above one") << std::optional<double>(1.7) << 0.5 << QStringLiteral("50%") << QStringLiteral("100%");
    QTest::newRow("below zero") << std::optional<double>(-0.2) << 0.25 << QStringLiteral("25%") << QStringLiteral("0%");
    QTest::newRow("no fraction") << std::optional<double>() << 0.25 << QStringLiteral("25%") << QStringLiteral("0%");
}

void ViewModelFeedbackTest::engineProgress()
{
    QFETCH(std::optional<double>, fraction);
    QFETCH(double, operation);
    QFETCH(QString, operationText);
    QFETCH(QString, itemText);

    ViewModelHarness harness;
    harness.limitCatalog(
        {QStringLiteral("vlc"), QStringLiteral("gimp"), QStringLiteral("inkscape"), QStringLiteral("keepassxc")});
    const QString message = QStringLiteral("Downloading GIMP");
    harness.engine->setInstallProgress(QStringLiteral("gimp"), {InstallProgressUpdate{message, fraction}});
    const std::shared_ptr<Gate> gimp = harness.engine->hold(FakeEngine::Operation::install, QStringLiteral("gimp"));
    DevivuKitViewModel& model = harness.startSettled();

    model.installFull();
    QVERIFY(gimp->waitArrived());
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), message, ViewModelHarness::waitMilliseconds);

    QCOMPARE(model.operationProgress(), operation);
    QCOMPARE(model.operationProgressText(), operationText);
    QCOMPARE(model.activeItemProgressText(), itemText);
    QCOMPARE(model.activeItemID(), std::optional<QString>(QStringLiteral("gimp")));
    QCOMPARE(model.operationSummaryText(), AppStrings().operationSummary(1, 4));
    QVERIFY(model.showOperationProgress());
    QVERIFY(model.showLogDrawer());
}

void ViewModelFeedbackTest::progressWhileIdleChangesNothing()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const QList<QSignalSpy*> spies{
        new QSignalSpy(&model, &DevivuKitViewModel::currentActionChanged),
        new QSignalSpy(&model, &DevivuKitViewModel::operationProgressChanged),
        new QSignalSpy(&model, &DevivuKitViewModel::activeItemChanged),
        new QSignalSpy(&model, &DevivuKitViewModel::showOperationProgressChanged),
        new QSignalSpy(&model, &DevivuKitViewModel::showLogDrawerChanged),
    };
    const QString action = model.currentAction();

    harness.engine->sendProgress(InstallProgressUpdate{QStringLiteral("Downloading"), 0.5});
    harness.engine->sendProgress(InstallProgressUpdate{QStringLiteral("Waiting"), std::nullopt});
    harness.engine->sendLine(QStringLiteral("marker"));
    QTRY_COMPARE_WITH_TIMEOUT(model.logLines().constLast(), QStringLiteral("marker"),
                              ViewModelHarness::waitMilliseconds);

    for (QSignalSpy* spy : spies)
        QCOMPARE(spy->size(), 0);
    QCOMPARE(model.currentAction(), action);
    QVERIFY(!model.showOperationProgress());
    qDeleteAll(spies);
}

void ViewModelFeedbackTest::percentTexts_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");

    // The catalog's percentage is whole-number arithmetic: 0.29 * 100 is
    // 28.999... in floating point, and truncating that would say 28%.
    QTest::newRow("29 of 100") << ViewModelTexts::truncatedPercent(29, 100) << QStringLiteral("29%");
    QTest::newRow("2 of 3 truncated") << ViewModelTexts::truncatedPercent(2, 3) << QStringLiteral("66%");
    QTest::newRow("total 0") << ViewModelTexts::truncatedPercent(5, 0) << QStringLiteral("0%");
    QTest::newRow("half rounds up") << ViewModelTexts::roundedPercent(0.375) << QStringLiteral("38%");
    QTest::newRow("eighth") << ViewModelTexts::roundedPercent(1.0 / 8) << QStringLiteral("13%");
    QTest::newRow("2 of 3 rounded") << ViewModelTexts::roundedPercent(2.0 / 3) << QStringLiteral("67%");
    QTest::newRow("1 of 3 rounded") << ViewModelTexts::roundedPercent(1.0 / 3) << QStringLiteral("33%");
}

void ViewModelFeedbackTest::percentTexts()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(text, expected);
}

void ViewModelFeedbackTest::catalogTruncatesWhileOperationRounds()
{
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("gimp"), QStringLiteral("inkscape")});
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    const std::shared_ptr<Gate> last = harness.engine->hold(FakeEngine::Operation::install, QStringLiteral("inkscape"));
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.progressText(), QStringLiteral("66%"));

    model.installFull();
    QVERIFY(last->waitArrived());
    QTRY_COMPARE_WITH_TIMEOUT(model.activeItemID(), std::optional<QString>(QStringLiteral("inkscape")),
                              ViewModelHarness::waitMilliseconds);
    QCOMPARE(model.operationProgressText(), QStringLiteral("67%"));
    QCOMPARE(model.progressText(), QStringLiteral("66%"));
}

void ViewModelFeedbackTest::logKeepsTheNewest500Lines()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QSignalSpy changed(&model, &DevivuKitViewModel::logLinesChanged);

    for (int line = 1; line <= 501; ++line)
        model.appendLog(QStringLiteral("line ") + QString::number(line));
    QCOMPARE(changed.size(), 501);
    QCOMPARE(model.logLines().size(), 500);
    QCOMPARE(model.logLines().constFirst(), QStringLiteral("[09:08:07] line 2"));
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] line 501"));

    // An engine line is kept as delivered, with the engine's own stamp.
    harness.engine->sendLine(QStringLiteral("[23:59:58] $ brew list --cask"));
    QTRY_COMPARE_WITH_TIMEOUT(model.logLines().constLast(), QStringLiteral("[23:59:58] $ brew list --cask"),
                              ViewModelHarness::waitMilliseconds);
    QCOMPARE(model.logLines().size(), 500);
    QCOMPARE(model.logLines().constFirst(), QStringLiteral("[09:08:07] line 3"));
}

void ViewModelFeedbackTest::toastsKeepTheirOwnTime()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const QString unsupported = AppStrings().itemUnsupportedToast();

    model.performPrimaryAction(catalogEntry(QStringLiteral("deja-dup")));
    QVERIFY(model.toast());
    const Toast first = *model.toast();
    QCOMPARE(first.text, unsupported);
    QCOMPARE(first.kind, Toast::Kind::warning);

    harness.scheduler->advance(1000);
    model.performPrimaryAction(catalogEntry(QStringLiteral("rclone")));
    const Toast second = *model.toast();
    QCOMPARE(second.text, first.text);
    QVERIFY(second.id != first.id);

    // The first toast's time ends at 2.2 s and leaves the second alone; the
    // second's ends at 3.2 s.
    harness.scheduler->advance(1200);
    QCOMPARE(model.toast(), std::optional<Toast>(second));
    harness.scheduler->advance(999);
    QCOMPARE(model.toast(), std::optional<Toast>(second));
    harness.scheduler->advance(1);
    QVERIFY(!model.toast());
}

void ViewModelFeedbackTest::bannerHidesAfterCompletion()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();

    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(harness.settle());
    QVERIFY(model.showOperationProgress());
    QCOMPARE(model.operationProgressText(), QStringLiteral("100%"));
    QCOMPARE(model.operationSummaryText(), AppStrings().operationSummary(1, 1));

    harness.scheduler->advance(1599);
    QVERIFY(model.showOperationProgress());
    harness.scheduler->advance(1);
    QVERIFY(!model.showOperationProgress());
    QVERIFY(!model.activeItemID());
    // The banner's values stay where they ended.
    QCOMPARE(model.operationProgressText(), QStringLiteral("100%"));
    QCOMPARE(model.activeItemProgressText(), QStringLiteral("100%"));
}

void ViewModelFeedbackTest::bannerStaysForANewerOperation_data()
{
    QTest::addColumn<bool>("newerStillRunning");
    QTest::newRow("newer one finished") << false;
    QTest::newRow("newer one running") << true;
}

void ViewModelFeedbackTest::bannerStaysForANewerOperation()
{
    QFETCH(bool, newerStillRunning);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> gimp = harness.engine->hold(FakeEngine::Operation::install, QStringLiteral("gimp"));
    if (!newerStillRunning)
        gimp->release();

    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(harness.settle());
    harness.scheduler->advance(1000);
    model.performPrimaryAction(catalogEntry(QStringLiteral("gimp")));
    if (newerStillRunning)
        QVERIFY(gimp->waitArrived());
    else
        QVERIFY(harness.settle());

    // The first operation's hide falls due now and does nothing.
    harness.scheduler->advance(600);
    QVERIFY(model.showOperationProgress());
    QCOMPARE(model.activeItemID(), std::optional<QString>(QStringLiteral("gimp")));

    if (newerStillRunning) {
        harness.scheduler->advance(5000);
        QVERIFY(model.showOperationProgress());
        gimp->release();
        QVERIFY(harness.settle());
    }
    harness.scheduler->advance(1600);
    QVERIFY(!model.showOperationProgress());
}

QTEST_MAIN(ViewModelFeedbackTest)
#include "tst_view_model_feedback.moc"
