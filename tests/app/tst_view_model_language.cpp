// The view model's language switch, the Homebrew guide and the clipboard
// actions; none of them passes the release gate.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "app/UserDefaultsSettings.h"
#include "model/SystemCheckTexts.h"
#include "platform/UserDefaults.h"

#include <QtTest>

using Operation = FakeEngine::Operation;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const SystemCheck homebrewWarn =
    SystemCheck::make(QString::fromUtf8(SystemCheckTexts::homebrewName), SystemCheck::Level::warn, QStringLiteral("x"));

ReleasePolicy updateRequired()
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Bản mới");
    return policy;
}

} // namespace

class ViewModelLanguageTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void placeholdersFollowWithoutACheck();
    void aReadinessResultIsCheckedAgain();
    void messagesInTheCloudBoxStay();
    void switchingDuringAnInstall();
    void storedThroughTheProgramsStore();
    void homebrewGuide();
    void homebrewInstallCommand();
    void copyPaths();
};

void ViewModelLanguageTest::placeholdersFollowWithoutACheck()
{
    ViewModelHarness harness;
    const std::shared_ptr<Gate> readiness = harness.engine->hold(Operation::systemChecks);
    DevivuKitViewModel& model = harness.start();
    QVERIFY(readiness->waitArrived());
    QCOMPARE(model.coreReadinessDetail(), AppStrings().text(AppI18nKey::checkingCore));

    model.setLanguage(AppLanguage::vietnamese);

    const AppStrings vietnamese(AppLanguage::vietnamese);
    QCOMPARE(model.language(), AppLanguage(AppLanguage::vietnamese));
    QCOMPARE(harness.settings->text(QString::fromUtf8(AppLanguage::defaultsKey)), std::optional<QString>("vi"));
    QCOMPARE(model.currentAction(), vietnamese.text(AppI18nKey::readyAction));
    QCOMPARE(model.operationSummaryText(), vietnamese.operationSummary(0, 1));
    QCOMPARE(model.cloudOutput(), vietnamese.text(AppI18nKey::noDeviceData));
    QCOMPARE(model.coreReadinessDetail(), vietnamese.text(AppI18nKey::checkingCore));
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("CHECK"));
    // From one placeholder to the next, in any direction.
    model.setLanguage(AppLanguage::chinese);
    QCOMPARE(model.cloudOutput(), AppStrings(AppLanguage::chinese).text(AppI18nKey::noDeviceData));
    QVERIFY(harness.releaseAndSettle());
    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 1);
    // The start-up check lands in the language now chosen.
    QCOMPARE(model.coreReadinessDetail(), AppStrings(AppLanguage::chinese).systemReadyDetail());
    QVERIFY(!model.toast());
}

void ViewModelLanguageTest::aReadinessResultIsCheckedAgain()
{
    ViewModelHarness harness;
    harness.engine->setSystemChecks({homebrewWarn});
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.coreReadinessDetail(), AppStrings().setupNeeded({homebrewWarn}));

    model.setLanguage(AppLanguage::korean);
    QCOMPARE(model.coreReadinessDetail(), AppStrings().setupNeeded({homebrewWarn}));
    QVERIFY(harness.settle());

    QCOMPARE(harness.engine->calls(Operation::systemChecks).size(), 2);
    QCOMPARE(model.coreReadinessDetail(), AppStrings(AppLanguage::korean).setupNeeded({homebrewWarn}));
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("SETUP"));
}

void ViewModelLanguageTest::messagesInTheCloudBoxStay()
{
    ViewModelHarness harness;
    const std::shared_ptr<Gate> request = harness.cloud->hold(FakeCloud::Operation::syncTechnicianWorkspace);
    DevivuKitViewModel& model = harness.startSettled();

    model.syncTechnicianWorkspace();
    QVERIFY(request->waitArrived());
    model.setLanguage(AppLanguage::vietnamese);
    QCOMPARE(model.cloudOutput(), QStringLiteral("Syncing repair-shop workspace…"));
    QVERIFY(harness.releaseAndSettle());

    model.setLanguage(AppLanguage::english);
    QCOMPARE(model.cloudOutput(), FakeCloud::notConfigured().message);
}

void ViewModelLanguageTest::switchingDuringAnInstall()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    harness.engine->setInstallProgress(QStringLiteral("vlc"), {{QStringLiteral("Đang tải VLC"), 0.5}});
    const std::shared_ptr<Gate> install = harness.engine->hold(Operation::install);
    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QCOMPARE(model.activeItemID(), std::optional<QString>(QStringLiteral("vlc")));
    QVERIFY(install->waitArrived());
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), QStringLiteral("Đang tải VLC"), ViewModelHarness::waitMilliseconds);

    model.setLanguage(AppLanguage::japanese);
    const AppStrings japanese(AppLanguage::japanese);
    QCOMPARE(model.currentAction(), japanese.text(AppI18nKey::readyAction));
    QCOMPARE(model.operationSummaryText(), japanese.operationSummary(0, 1));
    QVERIFY(harness.releaseAndSettle());
    QCOMPARE(model.currentAction(), japanese.finished(japanese.itemName(catalogEntry(QStringLiteral("vlc")))));
}

void ViewModelLanguageTest::storedThroughTheProgramsStore()
{
    ViewModelHarness harness;
    const QString file = harness.environment.root() + QStringLiteral("/defaults.ini");
    DevivuKitViewModel::Dependencies dependencies = harness.dependencies();
    dependencies.settings = std::make_shared<UserDefaultsSettings>(file);
    DevivuKitViewModel& model = harness.start(dependencies);
    QVERIFY(harness.settle());

    model.setLanguage(AppLanguage::japanese);

    QCOMPARE(AppLanguage::storedDefault(UserDefaults(file)), AppLanguage(AppLanguage::japanese));
    QCOMPARE(UserDefaults(file).string(QString::fromUtf8(AppLanguage::defaultsKey)), std::optional<QString>("ja"));
}

void ViewModelLanguageTest::homebrewGuide()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(updateRequired());
    DevivuKitViewModel& model = harness.startSettled();
    harness.scheduler->advance(2200);

    model.openHomebrewGuide();

    QCOMPARE(harness.desktop->openedUrls(), QList<QUrl>{QUrl(QStringLiteral("https://brew.sh"))});
    QCOMPARE(model.currentAction(), AppStrings().openedHomebrewGuide());
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] Mở hướng dẫn Homebrew: https://brew.sh"));
    QVERIFY(!model.toast());
}

void ViewModelLanguageTest::homebrewInstallCommand()
{
    ViewModelHarness harness;
    harness.cloud->setReleasePolicy(updateRequired());
    DevivuKitViewModel& model = harness.startSettled();

    model.copyHomebrewInstallCommand();

    const QString command = QStringLiteral(
        "/bin/bash -c \"$(curl -fsSL https://raw.githubusercontent.com/Homebrew/install/HEAD/install.sh)\"");
    QCOMPARE(harness.desktop->copiedTexts(), QStringList{command});
    QCOMPARE(model.currentAction(), AppStrings().copiedHomebrewInstallCommand());
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] Đã copy lệnh cài Homebrew vào clipboard."));
    QCOMPARE(model.toast()->text, AppStrings().copiedHomebrewCommand());
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
}

void ViewModelLanguageTest::copyPaths()
{
    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), QStringLiteral("vi"));
    DevivuKitViewModel& model = harness.startSettled();
    const QStringList lines = model.logLines();
    const QString action = model.currentAction();
    const AppStrings vietnamese(AppLanguage::vietnamese);

    model.copyLogPath();
    const std::optional<Toast> first = model.toast();
    model.copyLogPath();
    QVERIFY(first && model.toast());
    QVERIFY(model.toast()->id != first->id);
    QCOMPARE(model.toast()->text, vietnamese.copiedLogPath());
    model.copyReportPath();
    QCOMPARE(model.toast()->text, vietnamese.copiedReportPath());
    QCOMPARE(model.toast()->kind, Toast::Kind::success);

    QCOMPARE(harness.desktop->copiedTexts(), (QStringList{model.logPath(), model.logPath(), model.reportPath()}));
    QCOMPARE(model.logLines(), lines);
    QCOMPARE(model.currentAction(), action);
}

QTEST_MAIN(ViewModelLanguageTest)
#include "tst_view_model_language.moc"
