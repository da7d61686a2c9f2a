// One technician's journey through the real window: the view model on the
// program's engine over a copy of the fake Mac, the real PDF writer and the
// cloud adapter talking to a loopback HTTPS server. Start in English and
// switch to Vietnamese in the settings; install a cask from its row; audit
// the Mac and open one application's details, closed with Escape; export the
// report from its sheet; in the cloud tools sync the catalog and read the
// server's message; close. Every step is checked by its effects.

#include "CatalogEntry.h"
#include "FakeMacWindow.h"
#include "TestFiles.h"
#include "cloud/CloudTestClient.h"
#include "support/LoopbackHttpsServer.h"
#include "ui/audit/AuditApplicationDetailView.h"
#include "ui/audit/AuditApplicationList.h"
#include "ui/audit/AuditApplicationRow.h"
#include "ui/audit/AuditWorkspaceView.h"
#include "ui/catalog/AppItemRow.h"
#include "ui/catalog/ContentView.h"
#include "ui/cloud/CloudManagementPanel.h"
#include "ui/cloud/CloudToolsView.h"
#include "ui/kit/FilledBox.h"
#include "ui/kit/SelectableText.h"
#include "ui/kit/StatusPill.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"
#include "ui/shell/SettingsView.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalSpy>
#include <QtTest>

using Response = LoopbackHttpsServer::Response;

namespace {

constexpr int wait = FakeMacWindow::engineWaitMilliseconds;

} // namespace

class UiJourneyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void technicianJourney();
};

void UiJourneyTest::technicianJourney()
{
    LoopbackHttpsServer server;
    QString pdfPath;
    FakeMacWindow::Setup setup;
    setup.mac = [](FakeMac& mac) {
        QVERIFY(mac.setState(QStringLiteral("brew-artifacts"), "vlc /Applications/VLC.app\n"));
        QVERIFY(mac.writeBundle(QStringLiteral("/Applications/Lens.app"), QStringLiteral("org.example.lens"),
                                FakeMac::signedBy(QStringLiteral("org.example.lens"), QStringLiteral("LENS012345"))));
    };
    setup.harness = [&](ViewModelHarness& harness) {
        pdfPath = harness.environment.root() + QStringLiteral("/Documents/báo cáo.pdf");
        QVERIFY(QDir().mkpath(harness.environment.root() + QStringLiteral("/Documents")));
        harness.desktop->setSaveAnswer(pdfPath);
    };
    setup.cloud = SupabaseCloud::factory(
        SupabaseClient::makeConfig(server.baseUrl(), QStringLiteral("anon-key-journey-3f8a"), QString()),
        std::chrono::seconds(20), server.clientConfiguration(), testHost());
    FakeMacWindow app(setup);
    QVERIFY2(app.mac.isValid(), qPrintable(app.mac.error()));
    DevivuKitViewModel& model = app.model();
    const AppItem& vlc = catalogEntry(QStringLiteral("vlc"));
    const AppStrings vietnamese(AppLanguage::vietnamese);
    auto* content = qobject_cast<ContentView*>(app.window().contentColumn());
    QVERIFY(content);
    AppItemRow* row = content->row(vlc.id);
    QVERIFY(row);

    // ---- English at first; the settings switch the window to Vietnamese.
    QCOMPARE(model.language(), AppLanguage(AppLanguage::english));
    QCOMPARE(row->primaryButton()->title(), QStringLiteral("Install"));
    app.press(QStringLiteral("settings-button"));
    auto* settings = app.sheet<SettingsView>();
    QVERIFY(settings);
    QCOMPARE(settings->picker()->currentIndex(), 0);
    QTest::keyClick(settings->picker(), Qt::Key_Down);
    QCOMPARE(model.language(), AppLanguage(AppLanguage::vietnamese));
    QCOMPARE(app.harness().settings->text(QString::fromUtf8(AppLanguage::defaultsKey)), QStringLiteral("vi"));
    QTest::mouseClick(settings->doneButton(), Qt::LeftButton);
    QVERIFY(!model.activeSheet());
    WindowFixture::deliver();
    QCOMPARE(row->primaryButton()->title(), vietnamese.primaryActionLabel(InstallStatus::missing, vlc));

    // ---- The cask from its row, once the start-up refresh has landed.
    QVERIFY(app.settle());
    QCOMPARE(model.statuses().value(vlc.id), InstallStatus::missing);
    content->rowList()->ensureWidgetVisible(row);
    QTest::mousePress(app.find<StyledButton>(QStringLiteral("install-vlc")), Qt::LeftButton);
    QVERIFY(model.isInstalling());
    QTRY_VERIFY_WITH_TIMEOUT(!model.isInstalling(), wait);
    QVERIFY(app.settle());
    QCOMPARE(content->row(vlc.id), row);
    QCOMPARE(row->statusPill()->status(), InstallStatus::installed);
    QCOMPARE(row->primaryButton()->title(), vietnamese.primaryActionLabel(InstallStatus::installed, vlc));

    // ---- The audit workspace scans the Mac: the new bundle and the cask's.
    app.press(QStringLiteral("sidebar-audit"));
    auto* workspace = app.window().findChild<AuditWorkspaceView*>();
    QVERIFY(workspace && workspace->isVisible());
    app.harness().scheduler->advance(0);
    QTRY_VERIFY_WITH_TIMEOUT(model.hasReportSnapshot() && !model.isReportRefreshing(), wait);
    QVERIFY(app.settle());
    AuditApplicationList* list = workspace->applicationList();
    QVERIFY(list->isVisible());
    QStringList names;
    for (int index = 0; index < list->count(); ++index)
        names.append(list->scrollToRow(index)->application().name);
    QVERIFY2(names.contains(QStringLiteral("Lens")) && names.contains(QStringLiteral("VLC")),
             qPrintable(names.join(", ")));

    // ---- Lens's details, closed with Escape.
    const int lens = static_cast<int>(names.indexOf(QStringLiteral("Lens")));
    QTest::mouseClick(list->scrollToRow(lens)->findChild<StyledButton*>(QStringLiteral("audit-row-%1-details").arg(lens)),
                      Qt::LeftButton);
    WindowFixture::deliver();
    auto* details = app.sheet<AuditApplicationDetailView>();
    QVERIFY(details);
    QCOMPARE(details->application().identifier, QStringLiteral("org.example.lens"));
    QTest::keyClick(details, Qt::Key_Escape);
    QVERIFY(!model.activeSheet());
    WindowFixture::deliver();
    QVERIFY(!app.window().sheetHost()->dialog());

    // ---- The report sheet shows the audit; the export goes to the path the
    // chooser answers and the PDF is opened.
    app.press(QStringLiteral("sidebar-openReport"));
    auto* report = app.sheet<ReportExportView>();
    QVERIFY(report);
    QCOMPARE(report->table()->list()->count(), list->count());
    const QString inspector = QStringLiteral("Trần Minh");
    FakeMacWindow::type(report->findChild<QLineEdit*>(QStringLiteral("report-field-inspector")), inspector);
    QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("report-export")), Qt::LeftButton);
    WindowFixture::deliver();
    QVERIFY2(TestFiles::read(pdfPath).startsWith("%PDF-"), qPrintable(model.currentAction()));
    QCOMPARE(app.harness().desktop->openedFiles(), QStringList{pdfPath});
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, QStringLiteral("Đã xuất PDF"));
    QTest::mouseClick(report->findChild<QPushButton*>(QStringLiteral("report-close")), Qt::LeftButton);
    QVERIFY(!model.activeSheet());
    WindowFixture::deliver();

    // ---- The cloud tools: the panel opened, the catalog synced; the box
    // reads the server's message and the hidden entry leaves the catalog.
    server.respond(QStringLiteral("/rest/v1/app_catalog"),
                   Response::json(200, R"([{"item_id": "gimp", "is_active": false}])"));
    app.press(QStringLiteral("sidebar-cloudTools"));
    auto* cloud = app.sheet<CloudToolsView>();
    QVERIFY(cloud);
    QTest::mouseClick(cloud->findChild<QWidget*>(QStringLiteral("cloud-expand")), Qt::LeftButton);
    QVERIFY(cloud->panel()->isExpanded());
    const qsizetype requestsBefore = server.requests().size();
    QTest::mouseClick(cloud->findChild<QPushButton*>(QStringLiteral("cloud-sync-catalog")), Qt::LeftButton);
    const QString message = QStringLiteral("Đã đồng bộ 1 app từ Supabase.");
    QTRY_COMPARE_WITH_TIMEOUT(model.cloudOutput(), message, wait);
    QVERIFY(app.settle());
    QCOMPARE(server.requests().value(requestsBefore).path, QStringLiteral("/rest/v1/app_catalog"));
    QVERIFY(cloud->outputBox()->isVisible());
    QCOMPARE(cloud->outputText()->text(), message);

    // ---- Close the sheet; back in the catalog the hidden entry is gone and
    // the cask still reads installed. Then close the window.
    QTest::mouseClick(cloud->findChild<QPushButton*>(QStringLiteral("cloud-close")), Qt::LeftButton);
    QVERIFY(!model.activeSheet());
    WindowFixture::deliver();
    QVERIFY(!app.window().sheetHost()->dialog());
    app.press(QStringLiteral("sidebar-group-all"));
    QVERIFY(content->catalogColumn()->isVisible());
    QVERIFY(!content->row(QStringLiteral("gimp")));
    QVERIFY(content->row(vlc.id));
    QCOMPARE(content->row(vlc.id)->statusPill()->status(), InstallStatus::installed);
    QSignalSpy closed(&app.window(), &MainWindow::closed);
    QVERIFY(app.window().close());
    QCOMPARE(closed.size(), 1);
}

QTEST_MAIN(UiJourneyTest)
#include "tst_ui_journey.moc"
