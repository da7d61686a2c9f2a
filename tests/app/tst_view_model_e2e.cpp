// The view model from end to end: the program's own engine adapter on a copy
// of the fake Mac, its settings in an INI file, the real PDF writer, timers
// and clock, and its cloud adapter talking to a loopback HTTPS server. Only
// the save chooser is the test's.

#include "CatalogEntry.h"
#include "TestFiles.h"
#include "ViewModelHarness.h"
#include "app/MacReportPdfWriter.h"
#include "app/ReportSnapshot.h"
#include "app/SupabaseCloud.h"
#include "app/SystemClock.h"
#include "app/TimerScheduler.h"
#include "app/UserDefaultsSettings.h"
#include "model/SystemCheckTexts.h"
#include "support/FakeMac.h"
#include "support/LoopbackHttpsServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSignalSpy>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;
using Response = LoopbackHttpsServer::Response;

namespace {

// The engine runs the fake Mac's programs; a full check and a scan take a
// while on a busy machine.
constexpr int engineWaitMilliseconds = 180000;

bool anyLineEndsWith(const QStringList& lines, const QString& end)
{
    return std::any_of(lines.cbegin(), lines.cend(), [&](const QString& line) { return line.endsWith(end); });
}

} // namespace

class ViewModelEndToEndTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void fromStartToRestart();
};

void ViewModelEndToEndTest::fromStartToRestart()
{
    // The home folder and the program's folders first, then the Mac's root,
    // all before the program reads any of them.
    ViewModelHarness harness;
    FakeMac mac;
    QVERIFY2(mac.isValid(), qPrintable(mac.error()));
    qputenv("TAVRIN_MAC_ROOT", QFile::encodeName(mac.root()));
    qunsetenv("HOMEBREW_BREW_FILE");
    QVERIFY(mac.setState(QStringLiteral("brew-artifacts"), "vlc /Applications/VLC.app\n"));
    LoopbackHttpsServer server;

    const QString settingsFile = harness.environment.root() + QStringLiteral("/defaults.ini");
    const QString pdfPath = harness.environment.root() + QStringLiteral("/Documents/báo cáo.pdf");
    const auto dependencies = [&] {
        DevivuKitViewModel::Dependencies made;
        made.settings = std::make_shared<UserDefaultsSettings>(settingsFile);
        made.desktop = harness.desktop;
        made.cloud = SupabaseCloud::factory(
            SupabaseClient::makeConfig(server.baseUrl(), QStringLiteral("anon-key-e2e-51c3"), QString()),
            std::chrono::seconds(20), server.clientConfiguration());
        return made;
    };
    QVERIFY(std::dynamic_pointer_cast<MacReportPdfWriter>(dependencies().pdfWriter));
    QVERIFY(std::dynamic_pointer_cast<TimerScheduler>(dependencies().scheduler));
    QVERIFY(std::dynamic_pointer_cast<SystemClock>(dependencies().clock));
    QVERIFY(QDir().mkpath(QFileInfo(pdfPath).path()));
    harness.desktop->setSaveAnswer(pdfPath);

    DevivuKitViewModel& model = harness.start(dependencies());
    QStringList toasts;
    connect(&model, &DevivuKitViewModel::toastChanged, &model, [&] {
        if (model.toast())
            toasts.append(model.toast()->text);
    });

    // ---- Start-up settles: readiness, statuses, the release policy.
    const AppStrings texts;
    QTRY_VERIFY_WITH_TIMEOUT(model.coreReadinessLabel() != QLatin1String("CHECK"), engineWaitMilliseconds);
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), texts.statusRefreshed(), engineWaitMilliseconds);
    QTRY_VERIFY_WITH_TIMEOUT(anyLineEndsWith(model.logLines(),
                                             QStringLiteral("] Release policy không khả dụng; app tiếp tục fail-open.")),
                             engineWaitMilliseconds);
    QVERIFY(harness.settle());
    QStringList names;
    for (const SystemCheck& check : model.latestChecks())
        names.append(check.name);
    QVERIFY2(names.contains(QString::fromUtf8(SystemCheckTexts::freeSpaceName)), qPrintable(names.join(", ")));
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::missing);
    QCOMPARE(model.statuses().value(QStringLiteral("ibus-unikey")), InstallStatus::installed);
    QVERIFY(!model.updateRequired());

    // ---- The primary action installs vlc; brew's lines are in the log
    // before its status lands.
    QStringList linesWhenInstalled;
    connect(&model, &DevivuKitViewModel::statusesChanged, &model, [&] {
        if (linesWhenInstalled.isEmpty() && model.statuses().value(QStringLiteral("vlc")) == InstallStatus::installed)
            linesWhenInstalled = model.logLines();
    });
    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(model.isInstalling());
    QTRY_VERIFY_WITH_TIMEOUT(!model.isInstalling(), engineWaitMilliseconds);
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QVERIFY2(anyLineEndsWith(linesWhenInstalled, QStringLiteral("==> Installing Cask vlc")),
             qPrintable(linesWhenInstalled.join('\n')));
    QVERIFY(QFileInfo(mac.path(QStringLiteral("/Applications/VLC.app"))).isDir());
    QVERIFY(toasts.contains(texts.processed(texts.itemName(catalogEntry(QStringLiteral("vlc"))))));

    // ---- The full check from the check sheet writes the report, then the
    // report sheet takes the check sheet's place.
    model.setActiveSheet(Sheet::systemChecks());
    model.refreshChecks(true);
    QTRY_COMPARE_WITH_TIMEOUT(model.activeSheet(), std::optional<Sheet>(Sheet::report()), engineWaitMilliseconds);
    QVERIFY(!model.reportText().isEmpty());
    QCOMPARE(model.reportText(), QString::fromUtf8(TestFiles::read(model.reportPath())));
    QCOMPARE(TestFiles::permissions(model.reportPath()), mode_t(0600));
    QVERIFY(anyLineEndsWith(model.logLines(), QStringLiteral("] System check summary:")));
    QVERIFY(toasts.contains(QStringLiteral("Report written")));

    // ---- The audit entry scans a bundle the test put in /Applications.
    QVERIFY(mac.writeBundle(QStringLiteral("/Applications/Lens.app"), QStringLiteral("org.example.lens"),
                            FakeMac::signedBy(QStringLiteral("org.example.lens"), QStringLiteral("ABCDE12345"))));
    QSignalSpy refreshing(&model, &DevivuKitViewModel::isReportRefreshingChanged);
    model.openAuditWorkspace();
    QVERIFY(!model.isReportRefreshing());
    // The scan starts on the next turn and runs to its end.
    QTRY_COMPARE_WITH_TIMEOUT(refreshing.size(), 2, engineWaitMilliseconds);
    QVERIFY(!model.isReportRefreshing());
    const QList<InstalledMacApplication> scanned = model.reportApplications();
    QVERIFY(std::any_of(scanned.cbegin(), scanned.cend(), [](const InstalledMacApplication& application) {
        return application.identifier == QLatin1String("org.example.lens");
    }));
    QCOMPARE(model.auditProgressText(), QStringLiteral("100%"));
    QCOMPARE(model.currentAction(), texts.auditComplete(scanned.size()));
    QCOMPARE(TestFiles::permissions(ReportSnapshot::filePath()), mode_t(0600));

    // ---- The PDF export.
    MacReportProfile profile;
    profile.inspectorName = QStringLiteral("Nguyễn Lan");
    profile.subject = QStringLiteral("Kiểm kê phần mềm");
    model.setReportProfile(profile);
    model.exportReportPDF();
    QVERIFY2(TestFiles::read(pdfPath).startsWith("%PDF-"), qPrintable(model.currentAction()));
    QCOMPARE(TestFiles::permissions(pdfPath), mode_t(0600));
    QCOMPARE(harness.desktop->openedFiles(), QStringList{pdfPath});
    QCOMPARE(model.currentAction(), QStringLiteral("PDF exported"));

    // ---- A catalog sync whose rows hide an entry.
    server.respond(QStringLiteral("/rest/v1/app_catalog"),
                   Response::json(200, R"([{"item_id": "gimp", "is_active": false}])"));
    model.syncCatalog();
    QTRY_COMPARE_WITH_TIMEOUT(model.cloudOutput(), QStringLiteral("Đã đồng bộ 1 app từ Supabase."),
                              engineWaitMilliseconds);
    QVERIFY(!ViewModelHarness::ids(model.catalogItems()).contains(QStringLiteral("gimp")));
    QCOMPARE(model.catalogItems().size(), 27);
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), texts.statusRefreshed(), engineWaitMilliseconds);
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QVERIFY(harness.settle());

    // ---- A second model on the same folders restores what the first saved.
    const QList<InstalledMacApplication> applications = model.reportApplications();
    const QString reportText = model.reportText();
    harness.destroyModel();
    DevivuKitViewModel& second = harness.start(dependencies());
    QVERIFY(second.hasReportSnapshot());
    QCOMPARE(second.reportApplications(), applications);
    QCOMPARE(second.reportText(), reportText);
    QCOMPARE(second.reportProfile(), profile);
    QVERIFY(!ViewModelHarness::ids(second.catalogItems()).contains(QStringLiteral("gimp")));
    QTRY_COMPARE_WITH_TIMEOUT(second.currentAction(), texts.statusRefreshed(), engineWaitMilliseconds);
    QCOMPARE(second.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QVERIFY(harness.settle());
    harness.destroyModel();
    qunsetenv("TAVRIN_MAC_ROOT");
}

QTEST_MAIN(ViewModelEndToEndTest)
#include "tst_view_model_e2e.moc"
