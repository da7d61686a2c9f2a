// The view model's presets: which entries they install, their progress, the
// merged statuses at the end, and the refusals.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"

#include <QSignalSpy>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;
using Operation = FakeEngine::Operation;

class ViewModelPresetsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void selection_data();
    void selection();
    void threeHeldEntries();
    void failuresWin_data();
    void failuresWin();
    void emptyPreset();
    void secondPresetIgnored();
};

void ViewModelPresetsTest::selection_data()
{
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QStringList>("catalog");
    QTest::addColumn<int>("macOSMajor");
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("logLine");

    const QStringList media{QStringLiteral("deja-dup"), QStringLiteral("vlc"), QStringLiteral("remmina")};
    const AppLanguage english = AppLanguage::english;
    // Blocked entries never; an entry's minimum macOS is compared with the
    // Mac's major version.
    QTest::newRow("full, minimum equal") << false << media << 14 << english
                                         << QStringLiteral("Preset all items: vlc, remmina.");
    QTest::newRow("full, minimum above") << false << media << 13 << english << QStringLiteral("Preset all items: vlc.");
    // Standard groups only, an entry in two of them once, and one install
    // target once, at its first entry's place.
    const QStringList office{QStringLiteral("evince"), QStringLiteral("pdfarranger"), QStringLiteral("xournalpp"),
                             QStringLiteral("printer-drivers"), QStringLiteral("vlc")};
    QTest::newRow("standard") << true << office << 14 << english
                              << QStringLiteral("Preset standard set: evince, pdfarranger, printer-drivers.");
    QTest::newRow("full, same target once")
        << false << office << 14 << english
        << QStringLiteral("Preset all items: evince, pdfarranger, printer-drivers, vlc.");
    QTest::newRow("standard in Vietnamese") << true << office << 14 << AppLanguage(AppLanguage::vietnamese)
                                            << QStringLiteral("Preset bộ chuẩn: evince, pdfarranger, printer-drivers.");
    QTest::newRow("full in Japanese") << false << media << 14 << AppLanguage(AppLanguage::japanese)
                                      << QStringLiteral("Preset すべての項目: vlc, remmina.");
}

void ViewModelPresetsTest::selection()
{
    QFETCH(bool, standard);
    QFETCH(QStringList, catalog);
    QFETCH(int, macOSMajor);
    QFETCH(AppLanguage, language);
    QFETCH(QString, logLine);

    ViewModelHarness harness;
    harness.limitCatalog(catalog);
    harness.engine->setMacOSMajorVersion(macOSMajor);
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), language.code());
    DevivuKitViewModel& model = harness.startSettled();
    const qsizetype lines = model.logLines().size();

    if (standard)
        model.installStandard();
    else
        model.installFull();
    QCOMPARE(model.logLines().value(lines), QStringLiteral("[09:08:07] ") + logLine);
    QVERIFY(harness.settle());

    const QString ids = logLine.section(QStringLiteral(": "), 1).chopped(1);
    QCOMPARE(harness.engine->arguments(Operation::install), ids.split(QStringLiteral(", ")));
    QVERIFY(harness.engine->noCallOn(QThread::currentThread()));
}

void ViewModelPresetsTest::threeHeldEntries()
{
    ViewModelHarness harness;
    const QStringList ids{QStringLiteral("vlc"), QStringLiteral("gimp"), QStringLiteral("inkscape")};
    harness.limitCatalog(ids);
    QList<std::shared_ptr<Gate>> gates;
    for (const QString& id : ids)
        gates.append(harness.engine->hold(Operation::install, id));
    DevivuKitViewModel& model = harness.startSettled();
    const AppStrings texts;

    // Every status line with the operation's percentage at that moment.
    QStringList steps;
    connect(&model, &DevivuKitViewModel::currentActionChanged, this,
            [&] { steps.append(model.currentAction() + QStringLiteral(" @ ") + model.operationProgressText()); });

    model.installFull();
    QVERIFY(model.isInstalling());
    QVERIFY(model.showOperationProgress());
    QVERIFY(!model.activeItemID());
    QCOMPARE(model.operationSummaryText(), texts.operationSummary(0, 3));

    const QStringList starts{QStringLiteral("0%"), QStringLiteral("33%"), QStringLiteral("67%")};
    for (int index = 0; index < 3; ++index) {
        QVERIFY(gates[index]->waitArrived());
        QTRY_COMPARE_WITH_TIMEOUT(model.activeItemID(), std::optional<QString>(ids[index]),
                                  ViewModelHarness::waitMilliseconds);
        QCOMPARE(model.statuses().value(ids[index]), InstallStatus::working);
        QCOMPARE(model.operationProgressText(), starts[index]);
        QCOMPARE(model.activeItemProgressText(), QStringLiteral("0%"));
        QCOMPARE(model.operationSummaryText(), texts.operationSummary(index, 3));
        gates[index]->release();
    }
    QTRY_VERIFY_WITH_TIMEOUT(!model.isInstalling(), ViewModelHarness::waitMilliseconds);

    const QString preset = QStringLiteral("all items");
    QStringList expected{texts.preparingPreset(preset) + QStringLiteral(" @ 0%")};
    const QStringList ends{QStringLiteral("33%"), QStringLiteral("67%"), QStringLiteral("100%")};
    for (int index = 0; index < 3; ++index) {
        const QString name = texts.itemName(catalogEntry(ids[index]));
        expected.append(texts.installing(name) + QStringLiteral(" @ ") + starts[index]);
        expected.append(texts.processedItem(name) + QStringLiteral(" @ ") + ends[index]);
    }
    expected.append(texts.finishedPresetSummary(preset, 3, 0) + QStringLiteral(" @ 100%"));
    QCOMPARE(steps, expected);
    for (const QString& id : ids)
        QCOMPARE(model.statuses().value(id), InstallStatus::installed);
    QCOMPARE(model.progressText(), QStringLiteral("100%"));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, texts.finishedPreset(preset));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    QCOMPARE(harness.engine->arguments(Operation::statuses).constLast(), ids.join(QLatin1Char(',')));
}

void ViewModelPresetsTest::failuresWin_data()
{
    QTest::addColumn<bool>("failInside");
    QTest::newRow("failed before, outside the preset") << false;
    QTest::newRow("failed inside the preset") << true;
}

void ViewModelPresetsTest::failuresWin()
{
    QFETCH(bool, failInside);

    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("evince"), QStringLiteral("gimp")});
    DevivuKitViewModel& model = harness.startSettled();
    const AppStrings texts;

    // GIMP (not in the standard set) fails on its own first.
    harness.engine->setResult(Operation::install, QStringLiteral("gimp"), false);
    model.performPrimaryAction(catalogEntry(QStringLiteral("gimp")));
    QVERIFY(harness.settle());
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::failed);

    // The preset's final read finds it installed after all.
    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    harness.engine->setResult(Operation::install, QStringLiteral("evince"), !failInside);
    model.installStandard();
    QVERIFY(harness.settle());

    QCOMPARE(harness.engine->arguments(Operation::install),
             (QStringList{QStringLiteral("gimp"), QStringLiteral("evince")}));
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::failed);
    QCOMPARE(model.statuses().value(QStringLiteral("evince")),
             failInside ? InstallStatus::failed : InstallStatus::installed);
    const QString name = QStringLiteral("standard set");
    QCOMPARE(model.currentAction(), texts.finishedPresetSummary(name, failInside ? 0 : 1, failInside ? 1 : 0));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, failInside ? texts.presetFailures(1) : texts.finishedPreset(name));
    QCOMPARE(model.toast()->kind, failInside ? Toast::Kind::warning : Toast::Kind::success);
    QVERIFY(!model.isInstalling());
}

void ViewModelPresetsTest::emptyPreset()
{
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("deja-dup"), QStringLiteral("remmina")});
    harness.engine->setMacOSMajorVersion(13);
    DevivuKitViewModel& model = harness.startSettled();
    const AppStrings texts;
    const qsizetype lines = model.logLines().size();

    model.installFull();
    QCOMPARE(model.operationSummaryText(), texts.operationSummary(0, 1));
    QCOMPARE(model.logLines().value(lines), QStringLiteral("[09:08:07] Preset all items: ."));
    QVERIFY(harness.settle());

    QVERIFY(harness.engine->calls(Operation::install).isEmpty());
    // The statuses are still read for the whole catalog.
    QCOMPARE(harness.engine->arguments(Operation::statuses).constLast(), QStringLiteral("remmina,deja-dup"));
    QCOMPARE(model.currentAction(), texts.finishedPresetSummary(QStringLiteral("all items"), 0, 0));
    QCOMPARE(model.operationProgressText(), QStringLiteral("100%"));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, texts.finishedPreset(QStringLiteral("all items")));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
}

void ViewModelPresetsTest::secondPresetIgnored()
{
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("evince"), QStringLiteral("vlc")});
    const std::shared_ptr<Gate> evince = harness.engine->hold(Operation::install, QStringLiteral("evince"));
    DevivuKitViewModel& model = harness.startSettled();

    model.installStandard();
    QVERIFY(evince->waitArrived());
    const qsizetype lines = model.logLines().size();
    QSignalSpy toasts(&model, &DevivuKitViewModel::toastChanged);
    QSignalSpy operation(&model, &DevivuKitViewModel::operationProgressChanged);

    model.installFull();
    model.installStandard();
    QCOMPARE(model.logLines().size(), lines);
    QCOMPARE(toasts.size(), 0);
    QCOMPARE(operation.size(), 0);

    evince->release();
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->arguments(Operation::install), QStringList{QStringLiteral("evince")});
}

QTEST_MAIN(ViewModelPresetsTest)
#include "tst_view_model_presets.moc"
