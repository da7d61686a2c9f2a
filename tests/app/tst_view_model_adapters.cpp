// The program's own engine and cloud adapters under the view model, on the
// fake Mac and without a backend configuration.

#include "ViewModelHarness.h"
#include "app/MacBackendEngine.h"
#include "app/SupabaseCloud.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"

#include <QFile>
#include <QtTest>

namespace {

constexpr int engineWaitMilliseconds = 120000;

} // namespace

class ViewModelAdaptersTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsOnTheFakeMacWithoutBackend();
    void reportFailureBecomesItsText();
};

void ViewModelAdaptersTest::startsOnTheFakeMacWithoutBackend()
{
    FakeMac mac;
    QVERIFY2(mac.isValid(), qPrintable(mac.error()));
    QVERIFY(mac.setState(QStringLiteral("brew-casks"), "vlc\n"));
    QVERIFY(mac.writeBundle(QStringLiteral("/Applications/VLC.app"), QStringLiteral("org.videolan.vlc")));
    ViewModelHarness harness;
    DevivuKitViewModel::Dependencies dependencies = harness.dependencies();
    dependencies.engine = MacBackendEngine::factory(mac.host());
    dependencies.cloud = SupabaseCloud::factory(std::nullopt, SupabaseClient::defaultTimeout,
                                                QSslConfiguration::defaultConfiguration(), mac.host());
    DevivuKitViewModel& model = harness.start(dependencies);

    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), AppStrings().statusRefreshed(), engineWaitMilliseconds);
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::missing);

    // The client's own line, posted from its thread, comes before the line
    // the view model writes when the answer arrives.
    const QString failOpen = QStringLiteral("[09:08:07] Release policy không khả dụng; app tiếp tục fail-open.");
    QTRY_VERIFY_WITH_TIMEOUT(model.logLines().contains(failOpen), engineWaitMilliseconds);
    const qsizetype reason = model.logLines().indexOf(
        QStringLiteral("[09:08:07] Supabase: Bỏ qua release policy vì chưa cấu hình Supabase."));
    QVERIFY(reason >= 0);
    QVERIFY(reason < model.logLines().indexOf(failOpen));
    QVERIFY(!model.updateRequired());
    QVERIFY(harness.settle());
}

void ViewModelAdaptersTest::reportFailureBecomesItsText()
{
    FakeMac mac;
    QVERIFY2(mac.isValid(), qPrintable(mac.error()));
    ViewModelTestEnvironment environment;
    MacBackendEngine engine({}, {}, mac.host());
    QCOMPARE(engine.macOSMajorVersion(), 14);

    const QList<SystemCheck> noChecks;
    const QList<InstalledMacApplication> noApplications;
    const EngineApi::WrittenReport written = engine.writeReport(noChecks, noApplications, AppLanguage::english);
    QCOMPARE(written.error, std::optional<QString>());
    QCOMPARE(written.path, AppRuntime::reportFile());
    QVERIFY(QFile::exists(written.path));

    // A report folder below an ordinary file cannot be made.
    const QString blocker = environment.root() + QStringLiteral("/blocker");
    QFile file(blocker);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    qputenv(AppRuntime::reportFileVariable, QFile::encodeName(blocker + QStringLiteral("/Reports/r.txt")));
    const EngineApi::WrittenReport failed = engine.writeReport(noChecks, noApplications, AppLanguage::english);
    QVERIFY(failed.path.isEmpty());
    QVERIFY(failed.error);
    QVERIFY2(failed.error->contains(blocker), qPrintable(*failed.error));
}

QTEST_MAIN(ViewModelAdaptersTest)
#include "tst_view_model_adapters.moc"
