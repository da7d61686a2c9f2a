// The view model's primary action, install, open and removal of one entry,
// the busy rule, and background jobs that outlive the model or fill the pool.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"

#include <QSignalSpy>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;
using Toast = DevivuKitViewModel::ToastMessage;
using Operation = FakeEngine::Operation;

namespace {

// An entry that is not in the catalog: it has no status.
AppItem ghost()
{
    AppItem item;
    item.id = QStringLiteral("ghost");
    item.macName = QStringLiteral("Ghost");
    item.group = QStringLiteral("media");
    item.kind = AppKind::cask;
    item.packages = {QStringLiteral("ghost")};
    return item;
}

AppItem entry(const QString& id)
{
    return id == QLatin1String("ghost") ? ghost() : catalogEntry(id);
}

} // namespace

class ViewModelItemsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void primaryAction_data();
    void primaryAction();
    void installAndRemove_data();
    void installAndRemove();
    void busyRefusesSilently();
    void open_data();
    void open();
    void modelGoneWhileAnInstallIsHeld();
    void sevenHeldCallsLeaveRoomForAnEighth();
};

void ViewModelItemsTest::primaryAction_data()
{
    QTest::addColumn<QString>("itemID");
    QTest::addColumn<std::optional<InstallStatus>>("status"); // as the engine reads it; none: missing
    QTest::addColumn<QString>("outcome");

    using Status = std::optional<InstallStatus>;
    const Status none;
    const Status installed = InstallStatus::installed;
    QTest::newRow("missing cask") << "vlc" << none << "install";
    QTest::newRow("failed cask") << "vlc" << Status(InstallStatus::failed) << "install";
    QTest::newRow("entry without status") << "ghost" << none << "install";
    QTest::newRow("installed cask with app") << "vlc" << installed << "open";
    QTest::newRow("installed direct with app") << "thunderbird" << installed << "open";
    QTest::newRow("installed bundle with app") << "archive-tools" << installed << "open";
    QTest::newRow("installed shortcut") << "microsoft-365" << installed << "open";
    QTest::newRow("installed built-in") << "ibus-unikey" << installed << "open";
    QTest::newRow("installed cask without app") << "devivu-fonts" << installed << "detail";
    QTest::newRow("installed formula without app") << "ocrmypdf" << installed << "detail";
    QTest::newRow("installed default app") << "onlyoffice-mime" << installed << "detail";
    QTest::newRow("blocked kind") << "deja-dup" << none << "unsupported";
    QTest::newRow("blocked status") << "remmina" << Status(InstallStatus::blocked) << "unsupported";
}

void ViewModelItemsTest::primaryAction()
{
    QFETCH(QString, itemID);
    QFETCH(std::optional<InstallStatus>, status);
    QFETCH(QString, outcome);

    ViewModelHarness harness;
    if (status)
        harness.engine->setStatus(itemID, *status);
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem item = entry(itemID);

    model.performPrimaryAction(item);
    QVERIFY(harness.settle());

    const QStringList installs = harness.engine->arguments(Operation::install);
    const QStringList opens = harness.engine->arguments(Operation::open);
    QCOMPARE(installs, outcome == QLatin1String("install") ? QStringList{itemID} : QStringList());
    QCOMPARE(opens, outcome == QLatin1String("open") ? QStringList{itemID} : QStringList());
    const bool detail = outcome == QLatin1String("detail") || outcome == QLatin1String("unsupported");
    QCOMPARE(model.activeSheet(), detail ? std::optional<Sheet>(Sheet::itemDetail(item)) : std::nullopt);
    if (outcome == QLatin1String("unsupported")) {
        QVERIFY(model.toast());
        QCOMPARE(model.toast()->text, AppStrings().itemUnsupportedToast());
        QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    } else if (outcome == QLatin1String("detail")) {
        QVERIFY(!model.toast());
    }
}

void ViewModelItemsTest::installAndRemove_data()
{
    QTest::addColumn<bool>("removal");
    QTest::addColumn<QString>("itemID");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("label");
    QTest::addColumn<InstallStatus>("finalStatus");

    QTest::newRow("cask installed") << false << "vlc" << true << "Cask" << InstallStatus::installed;
    QTest::newRow("direct installed") << false << "thunderbird" << true << "Official DMG" << InstallStatus::installed;
    QTest::newRow("default app fails") << false << "onlyoffice-mime" << false << "Default app" << InstallStatus::failed;
    QTest::newRow("cask removed") << true << "vlc" << true << "Cask" << InstallStatus::missing;
    // A failed removal shows failed, even though the entry may still be there.
    QTest::newRow("removal fails") << true << "vlc" << false << "Cask" << InstallStatus::failed;
}

void ViewModelItemsTest::installAndRemove()
{
    QFETCH(bool, removal);
    QFETCH(QString, itemID);
    QFETCH(bool, ok);
    QFETCH(QString, label);
    QFETCH(InstallStatus, finalStatus);

    ViewModelHarness harness;
    const Operation operation = removal ? Operation::uninstall : Operation::install;
    if (removal)
        harness.engine->setStatus(itemID, InstallStatus::installed);
    harness.engine->setResult(operation, itemID, ok);
    const std::shared_ptr<Gate> gate = harness.engine->hold(operation, itemID);
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem item = catalogEntry(itemID);
    const AppStrings texts;
    const QString name = texts.itemName(item);

    // Whether the engine's own line was in the log when the final status
    // landed.
    const QString engineLine =
        FakeEngine::line((removal ? QStringLiteral("uninstall ") : QStringLiteral("install ")) + itemID);
    std::optional<bool> engineLineFirst;
    connect(&model, &DevivuKitViewModel::statusesChanged, this, [&] {
        if (!engineLineFirst && model.statuses().value(itemID) != InstallStatus::working)
            engineLineFirst = model.logLines().contains(engineLine);
    });

    if (removal) {
        model.setPendingUninstall(item);
        model.confirmUninstall(item);
        QVERIFY(!model.pendingUninstall());
    } else {
        model.performPrimaryAction(item);
    }

    QVERIFY(model.isInstalling());
    QCOMPARE(model.statuses().value(itemID), InstallStatus::working);
    QCOMPARE(model.activeItemID(), std::optional<QString>(itemID));
    QVERIFY(model.showOperationProgress());
    QVERIFY(model.showLogDrawer());
    QCOMPARE(model.operationProgressText(), QStringLiteral("0%"));
    QCOMPARE(model.operationSummaryText(), texts.operationSummary(0, 1));
    QCOMPARE(model.currentAction(), removal ? texts.preparingRemove(name) : texts.preparingInstall(name));
    QCOMPARE(model.logLines().constLast(),
             QStringLiteral("[09:08:07] ")
                 + (removal ? QStringLiteral("Bắt đầu gỡ bỏ ") : QStringLiteral("Bắt đầu xử lý ")) + itemID
                 + QStringLiteral(" -> ") + item.macName + QStringLiteral(" [") + label + QStringLiteral("]."));

    QVERIFY(gate->waitArrived());
    gate->release();
    QTRY_VERIFY_WITH_TIMEOUT(!model.isInstalling(), ViewModelHarness::waitMilliseconds);

    QCOMPARE(model.statuses().value(itemID), finalStatus);
    QCOMPARE(engineLineFirst, std::optional<bool>(true));
    QString action;
    QString toast;
    if (removal) {
        action = ok ? texts.removed(name) : texts.failedToRemove(name);
        toast = ok ? texts.removed(name) : texts.removeFailed(name);
    } else {
        action = ok ? texts.finished(name) : texts.failedToProcess(name);
        toast = ok ? texts.processed(name) : texts.failedItem(name);
    }
    QCOMPARE(model.currentAction(), action);
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, toast);
    QCOMPARE(model.toast()->kind, ok ? Toast::Kind::success : Toast::Kind::failure);
    QCOMPARE(model.operationProgressText(), QStringLiteral("100%"));
    QCOMPARE(model.installedCount(), finalStatus == InstallStatus::installed ? 1 : 0);
    QVERIFY(model.showOperationProgress());

    harness.scheduler->advance(1600);
    QVERIFY(!model.showOperationProgress());
    QVERIFY(!model.activeItemID());
}

void ViewModelItemsTest::busyRefusesSilently()
{
    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("ibus-unikey"), InstallStatus::installed);
    harness.engine->setStatus(QStringLiteral("keepassxc"), InstallStatus::installed);
    const std::shared_ptr<Gate> vlc = harness.engine->hold(Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.startSettled();

    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(vlc->waitArrived());
    const QString action = model.currentAction();
    const qsizetype lines = model.logLines().size();
    QSignalSpy toasts(&model, &DevivuKitViewModel::toastChanged);
    QSignalSpy statuses(&model, &DevivuKitViewModel::statusesChanged);

    model.performPrimaryAction(catalogEntry(QStringLiteral("gimp")));
    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc"))); // working
    model.performPrimaryAction(catalogEntry(QStringLiteral("ibus-unikey")));
    model.open(catalogEntry(QStringLiteral("ibus-unikey")));
    model.setPendingUninstall(catalogEntry(QStringLiteral("keepassxc")));
    model.confirmUninstall(catalogEntry(QStringLiteral("keepassxc")));

    // A refused removal has still closed its confirmation.
    QVERIFY(!model.pendingUninstall());
    QCOMPARE(toasts.size(), 0);
    QCOMPARE(statuses.size(), 0);
    QCOMPARE(model.currentAction(), action);
    QCOMPARE(model.logLines().size(), lines);
    QVERIFY(!model.activeSheet());

    vlc->release();
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->arguments(Operation::install), QStringList{QStringLiteral("vlc")});
    QVERIFY(harness.engine->calls(Operation::open).isEmpty());
    QVERIFY(harness.engine->calls(Operation::uninstall).isEmpty());
}

void ViewModelItemsTest::open_data()
{
    QTest::addColumn<bool>("ok");
    QTest::newRow("opened") << true;
    QTest::newRow("could not open") << false;
}

void ViewModelItemsTest::open()
{
    QFETCH(bool, ok);

    ViewModelHarness harness;
    const QString id = QStringLiteral("microsoft-365");
    harness.engine->setStatus(id, InstallStatus::installed);
    harness.engine->setResult(Operation::open, id, ok);
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem item = catalogEntry(id);
    const AppStrings texts;
    QSignalSpy installing(&model, &DevivuKitViewModel::isInstallingChanged);
    QSignalSpy statuses(&model, &DevivuKitViewModel::statusesChanged);

    model.performPrimaryAction(item);
    QCOMPARE(model.currentAction(), texts.opening(texts.itemName(item)));
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] Mở microsoft-365 -> Microsoft 365 shortcut."));
    QVERIFY(harness.settle());

    const QString text = ok ? texts.opened(texts.itemName(item)) : texts.couldNotOpen(texts.itemName(item));
    QCOMPARE(model.currentAction(), text);
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, text);
    QCOMPARE(model.toast()->kind, ok ? Toast::Kind::success : Toast::Kind::warning);
    // Opening is no operation: no banner, no lock, no status change.
    QVERIFY(!model.showOperationProgress());
    QCOMPARE(installing.size(), 0);
    QCOMPARE(statuses.size(), 0);
}

void ViewModelItemsTest::modelGoneWhileAnInstallIsHeld()
{
    ViewModelHarness harness;
    const std::shared_ptr<Gate> vlc = harness.engine->hold(Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.startSettled();
    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(vlc->waitArrived());

    harness.destroyModel();
    vlc->release();
    QVERIFY(harness.settle());

    // The engine's work has happened; its lines and the result found nothing.
    QCOMPARE(harness.engine->arguments(Operation::status), QStringList{QStringLiteral("vlc")});
    QCOMPARE(harness.engine->macStatus(QStringLiteral("vlc")), InstallStatus::installed);
}

void ViewModelItemsTest::sevenHeldCallsLeaveRoomForAnEighth()
{
    ViewModelHarness harness;
    const QString shortcut = QStringLiteral("microsoft-365");
    harness.engine->setStatus(shortcut, InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();

    QList<std::shared_ptr<Gate>> held;
    for (int call = 0; call < 7; ++call)
        held.append(harness.engine->hold(Operation::open));
    for (int call = 0; call < 7; ++call)
        model.open(catalogEntry(shortcut));
    for (const std::shared_ptr<Gate>& gate : held)
        QVERIFY(gate->waitArrived());

    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    model.refreshStatuses(false);
    QTRY_COMPARE_WITH_TIMEOUT(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed,
                              ViewModelHarness::waitMilliseconds);

    QVERIFY(harness.releaseAndSettle());
    QCOMPARE(harness.engine->calls(Operation::open).size(), 7);
}

QTEST_MAIN(ViewModelItemsTest)
#include "tst_view_model_items.moc"
