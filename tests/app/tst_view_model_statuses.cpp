// The view model's catalog statuses: seeded, refreshed in the background,
// overlapping refreshes, and the group navigation.

#include "ViewModelHarness.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

CatalogGroup group(const QString& id)
{
    return CatalogGroup{id, id, QString()};
}

} // namespace

class ViewModelStatusesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void seededUntilTheRefreshLands();
    void refreshToast_data();
    void refreshToast();
    void laterFinisherWins();
    void emptyCatalog();
    void navigation();
};

void ViewModelStatusesTest::seededUntilTheRefreshLands()
{
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("deja-dup"), QStringLiteral("ibus-unikey"), QStringLiteral("vlc")});
    const std::shared_ptr<Gate> refresh = harness.engine->hold(FakeEngine::Operation::statuses);
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.start();
    QVERIFY(refresh->waitArrived());

    const QHash<QString, InstallStatus> seeded{
        {QStringLiteral("deja-dup"), InstallStatus::blocked},
        {QStringLiteral("ibus-unikey"), InstallStatus::installed},
        {QStringLiteral("vlc"), InstallStatus::missing},
    };
    QCOMPARE(model.statuses(), seeded);
    QCOMPARE(model.installedCount(), 1);
    QCOMPARE(model.progressText(), QStringLiteral("33%"));

    refresh->release();
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), AppStrings().statusRefreshed(),
                              ViewModelHarness::waitMilliseconds);
    // The whole map is replaced by what the engine found.
    const QHash<QString, InstallStatus> real{
        {QStringLiteral("deja-dup"), InstallStatus::missing},
        {QStringLiteral("ibus-unikey"), InstallStatus::missing},
        {QStringLiteral("vlc"), InstallStatus::installed},
    };
    QCOMPARE(model.statuses(), real);
    QCOMPARE(harness.engine->arguments(FakeEngine::Operation::statuses),
             QStringList{QStringLiteral("ibus-unikey,vlc,deja-dup")});
    QCOMPARE(model.progress(), 1.0 / 3.0);
    QVERIFY(model.logLines().contains(QStringLiteral("[09:08:07] Refresh trạng thái: ") + AppStrings().summary(1, 3)
                                      + QLatin1Char('.')));
}

void ViewModelStatusesTest::refreshToast_data()
{
    QTest::addColumn<bool>("showToast");
    QTest::newRow("quiet") << false;
    QTest::newRow("with toast") << true;
}

void ViewModelStatusesTest::refreshToast()
{
    QFETCH(bool, showToast);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const qsizetype lines = model.logLines().size();
    model.refreshStatuses(showToast);
    QCOMPARE(model.currentAction(), AppStrings().checkingInstalledStatus());
    QVERIFY(harness.settle());

    QCOMPARE(model.logLines().size(), lines + 2);
    QCOMPARE(model.logLines().at(lines), QStringLiteral("[09:08:07] Bắt đầu refresh trạng thái native backend."));
    QVERIFY(model.logLines().at(lines + 1).startsWith(QStringLiteral("[09:08:07] Refresh trạng thái: ")));
    QCOMPARE(model.toast().has_value(), showToast);
    if (showToast) {
        QCOMPARE(model.toast()->text, AppStrings().statusRefreshed());
        QCOMPARE(model.toast()->kind, DevivuKitViewModel::ToastMessage::Kind::success);
    }
}

void ViewModelStatusesTest::laterFinisherWins()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();

    // Two refreshes overlap and end in reverse order: the one that ends last
    // wins, whatever it read.
    const std::shared_ptr<Gate> first = harness.engine->hold(FakeEngine::Operation::statuses);
    const std::shared_ptr<Gate> second = harness.engine->hold(FakeEngine::Operation::statuses);
    model.refreshStatuses(false);
    QVERIFY(first->waitArrived());
    model.refreshStatuses(false);
    QVERIFY(second->waitArrived());

    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    second->release();
    QTRY_COMPARE_WITH_TIMEOUT(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed,
                              ViewModelHarness::waitMilliseconds);

    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::missing);
    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    first->release();
    QTRY_COMPARE_WITH_TIMEOUT(model.statuses().value(QStringLiteral("gimp")), InstallStatus::installed,
                              ViewModelHarness::waitMilliseconds);
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::missing);
}

void ViewModelStatusesTest::emptyCatalog()
{
    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("no-such-entry")});
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();

    QVERIFY(model.catalogItems().isEmpty());
    QVERIFY(model.statuses().isEmpty());
    QCOMPARE(model.progress(), 0.0);
    QCOMPARE(model.progressText(), QStringLiteral("0%"));
    QCOMPARE(model.logLines().value(1), QStringLiteral("[09:08:07] Catalog Linux đã map sang macOS: 0 mục."));
}

void ViewModelStatusesTest::navigation()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QSignalSpy changed(&model, &DevivuKitViewModel::selectedGroupIDChanged);

    QCOMPARE(model.filteredItems(), model.catalogItems());
    model.selectGroup(group(QStringLiteral("all")));
    QCOMPARE(changed.size(), 0);

    model.selectGroup(group(QStringLiteral("printer")));
    QCOMPARE(changed.size(), 1);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("printer"));
    // Its own entries and those naming it among their extra groups, in
    // catalog order.
    QCOMPARE(ViewModelHarness::ids(model.filteredItems()),
             (QStringList{QStringLiteral("pdfarranger"), QStringLiteral("xournalpp"), QStringLiteral("printer-drivers"),
                          QStringLiteral("scanner-tools")}));
    model.selectGroup(group(QStringLiteral("printer")));
    QCOMPARE(changed.size(), 1);

    model.selectGroup(group(QStringLiteral("audit")));
    QCOMPARE(changed.size(), 2);
    QVERIFY(model.filteredItems().isEmpty());
}

QTEST_MAIN(ViewModelStatusesTest)
#include "tst_view_model_statuses.moc"
