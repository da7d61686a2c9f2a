// The report sheet's header and its table's body over the view model's
// states, the scan buttons behind the release gate, and the languages.

#include "ReportSheetTesting.h"
#include "TestApplication.h"
#include "ui/kit/CircularProgressIndicator.h"
#include "ui/kit/Pill.h"
#include "ui/kit/ReportLicenseBadge.h"
#include "ui/kit/ReportSignatureBadge.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationRow.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"
#include "ui/report/ReportField.h"
#include "ui/report/ReportInfoPart.h"
#include "ui/report/ReportPrimaryButton.h"
#include "ui/report/ReportProfileColumn.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace ReportSheetTesting;
using Operation = FakeEngine::Operation;

class UiReportHeaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void states_data();
    void states();
    void countsFollowTheViewModel();
    void scanButtons_data();
    void scanButtons();
    void languages_data();
    void languages();
};

void UiReportHeaderTest::states_data()
{
    QTest::addColumn<int>("applications"); // -1: no snapshot
    QTest::addColumn<bool>("scanning");

    QTest::newRow("no snapshot") << -1 << false;
    QTest::newRow("no snapshot, first scan running") << -1 << true;
    QTest::newRow("snapshot") << 3 << false;
    QTest::newRow("snapshot, scan running") << 3 << true;
    QTest::newRow("snapshot of no application") << 0 << false;
}

void UiReportHeaderTest::states()
{
    QFETCH(int, applications);
    QFETCH(bool, scanning);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const bool snapshot = applications >= 0;
    QList<InstalledMacApplication> scanned;
    for (int k = 0; k < applications; ++k)
        scanned.append(testApplication(QStringLiteral("App %1").arg(k)));
    if (snapshot)
        QVERIFY(scan(harness, model, scanned));
    std::shared_ptr<Gate> gate;
    if (scanning)
        gate = startHeldScan(harness, model);

    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    ReportApplicationTable* table = sheet.table();

    // Header: the progress block only while scanning, Scan again only with a
    // snapshot and no scan.
    QCOMPARE(sheet.progressBlock()->isVisible(), scanning);
    QCOMPARE(sheet.scanAgainButton()->isVisible(), snapshot && !scanning);
    QCOMPARE(sheet.applicationsPill()->text(), QString::number(qMax(applications, 0)) + " APPS");
    if (scanning) {
        QCOMPARE(sheet.progressDetail()->text(), model.auditProgressDetailText());
        QCOMPARE(sheet.progressBar()->value(), model.auditProgress());
        QCOMPARE(sheet.progressBar()->width(), 190);
    }
    // Export is disabled, without its shadow, while a scan runs.
    QCOMPARE(sheet.exportButton()->isEnabled(), !scanning);
    QCOMPARE(sheet.exportButton()->shadowColor().alpha() > 0, !scanning);

    // Body: the rows (and the scan time) with a snapshot, else the empty
    // state whose button starts the first scan unless one runs.
    QCOMPARE(table->snapshotView()->isVisible(), snapshot);
    QCOMPARE(table->emptyState()->isVisible(), !snapshot);
    QCOMPARE(table->countPill()->text(), QString::number(qMax(applications, 0)) + " APPS");
    if (snapshot) {
        QVERIFY(table->scanTimeLine()->isVisible());
        QCOMPARE(table->scanTimeLine()->text(), ReportApplicationTable::scanTimeText(harness.clock->now(), false));
        QCOMPARE(table->list()->count(), applications);
        QCOMPARE(table->list()->builtRows().size(), applications);
    } else {
        QCOMPARE(table->scanButton()->isEnabled(), !scanning);
        QCOMPARE(table->scanButton()->title(), QStringLiteral("Scan computer"));
    }

    if (gate) {
        // The scan ends: the header and the body follow at once.
        harness.engine->setApplications({testApplication(QStringLiteral("Fresh"))});
        gate->release();
        QVERIFY(harness.settle());
        QVERIFY(!sheet.progressBlock()->isVisible());
        QVERIFY(sheet.scanAgainButton()->isVisible());
        QVERIFY(sheet.exportButton()->isEnabled());
        QVERIFY(table->snapshotView()->isVisible());
        QCOMPARE(sheet.applicationsPill()->text(), QStringLiteral("1 APPS"));
        QCOMPARE(table->list()->builtRows().constFirst()->textCells().at(1)->text(), QStringLiteral("Fresh"));
    }
}

void UiReportHeaderTest::countsFollowTheViewModel()
{
    ViewModelHarness harness;
    // The window's catalog (after the business policy), not the compiled-in
    // one, and plain numbers.
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("gimp"), QStringLiteral("libreoffice")});
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.catalogItems().size(), 3);
    ReportExportView sheet(model);
    QCOMPARE(sheet.kitPill()->text(), QStringLiteral("1/3 TAVRIN"));

    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    model.refreshStatuses(false);
    QVERIFY(harness.settle());
    QCOMPARE(sheet.kitPill()->text(), QStringLiteral("2/3 TAVRIN"));

    QVERIFY(scan(harness, model, QList<InstalledMacApplication>(1234, testApplication(QStringLiteral("Same")))));
    QCOMPARE(sheet.applicationsPill()->text(), QStringLiteral("1234 APPS"));
    QCOMPARE(sheet.table()->countPill()->text(), QStringLiteral("1234 APPS"));
}

void UiReportHeaderTest::scanButtons_data()
{
    QTest::addColumn<bool>("snapshot"); // with one: Scan again; without: Scan computer
    QTest::addColumn<bool>("updateRequired");

    QTest::newRow("Scan computer") << false << false;
    QTest::newRow("Scan computer, update required") << false << true;
    QTest::newRow("Scan again") << true << false;
    QTest::newRow("Scan again, update required") << true << true;
}

void UiReportHeaderTest::scanButtons()
{
    QFETCH(bool, snapshot);
    QFETCH(bool, updateRequired);

    ViewModelHarness harness;
    if (updateRequired)
        harness.cloud->setReleasePolicy(updateRequiredPolicy());
    // The snapshot comes from a run before the update was demanded.
    if (snapshot)
        QVERIFY(saveSnapshot({testApplication(QStringLiteral("Old"))}));
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.updateRequired(), updateRequired);
    QCOMPARE(model.hasReportSnapshot(), snapshot);
    const qsizetype scansBefore = harness.engine->calls(Operation::installedAdditionalApplications).size();
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    QAbstractButton* button = snapshot ? static_cast<QAbstractButton*>(sheet.scanAgainButton())
                                       : sheet.table()->scanButton();
    QCOMPARE(button->objectName(),
             snapshot ? QStringLiteral("report-scan-again") : QStringLiteral("report-scan-computer"));
    QVERIFY(button->isVisible());

    const std::shared_ptr<Gate> gate = harness.engine->hold(Operation::installedAdditionalApplications);
    QTest::mouseClick(button, Qt::LeftButton);

    if (updateRequired) {
        // The gate refuses with its warning; the sheet is unchanged.
        QVERIFY(model.toast());
        QCOMPARE(model.toast()->text, AppStrings().updateRequiredToast());
        QVERIFY(!model.isReportRefreshing());
        QVERIFY(!sheet.progressBlock()->isVisible());
        QCOMPARE(sheet.scanAgainButton()->isVisible(), snapshot);
        QCOMPARE(harness.engine->calls(Operation::installedAdditionalApplications).size(), scansBefore);
        return;
    }
    QVERIFY(gate->waitArrived());
    QVERIFY(model.isReportRefreshing());
    QVERIFY(sheet.progressBlock()->isVisible());
    QVERIFY(!sheet.scanAgainButton()->isVisible());
    QVERIFY(sheet.spinner()->isVisible());
    QCOMPARE(sheet.table()->emptyState()->isVisible(), !snapshot);
    QCOMPARE(sheet.table()->scanButton()->isEnabled(), false);
    gate->release();
    QVERIFY(harness.settle());
}

void UiReportHeaderTest::languages_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QStringList>("header");   // scan button, kit pill tooltip
    QTest::addColumn<QStringList>("profile");  // card titles and subtitles, field labels, hint
    QTest::addColumn<QStringList>("table");    // title, subtitle, scan-time prefix, column 7, empty title
    QTest::addColumn<QStringList>("bar");      // source label, Close, Export
    QTest::addColumn<QStringList>("badges");   // "valid" signature, "noEvidence" licence

    const QStringList englishProfile{"Inspector", "Report owner", "Report", "Delivery details",
                                     "Manual notes & conclusion", "User-entered text, not detected hardware",
                                     "Full name *", "Team / unit", "Recipient", "Title *",
                                     "The PDF prioritizes additionally installed software; default macOS apps are excluded."};
    const QStringList englishTable{"Software and application packages", "Install and signature evidence",
                                   "Scanned: ", "License / key", "No scan data yet"};
    QTest::newRow("Korean") << "ko" << QStringList{"Scan again", "Installed items from the Tavrin kit"}
                            << englishProfile << englishTable
                            << QStringList{"Report source", "닫기", "PDF 내보내기"}
                            << QStringList{"유효함", "로컬 증거 미감지"};
    QTest::newRow("Vietnamese")
        << "vi" << QStringList{"Quét lại", "Mục trong bộ Tavrin đã cài"}
        << QStringList{"Người kiểm tra", "Người lập báo cáo", "Báo cáo", "Nơi nhận và tiêu đề",
                       "Ghi chú nhập tay & kết luận", "Nội dung tự nhập, không phải cấu hình máy", "Họ và tên *",
                       "Team / đơn vị", "Nơi nhận / cấp trên", "Tiêu đề *",
                       "PDF ưu tiên phần mềm cài thêm; ứng dụng mặc định của macOS được loại khỏi danh sách."}
        << QStringList{"Phần mềm và gói ứng dụng", "Bằng chứng cài đặt và chữ ký", "Quét lúc: ", "Bản quyền / key",
                       "Chưa có dữ liệu quét"}
        << QStringList{"Tệp báo cáo nguồn", "Đóng", "Xuất PDF"}
        << QStringList{"Hợp lệ", "Không phát hiện bằng chứng local"};
}

void UiReportHeaderTest::languages()
{
    QFETCH(QString, code);
    QFETCH(QStringList, header);
    QFETCH(QStringList, profile);
    QFETCH(QStringList, table);
    QFETCH(QStringList, bar);
    QFETCH(QStringList, badges);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scan(harness, model, {testApplication(QStringLiteral("Viewer"))}));
    const MacReportProfile typed = ReportSheetTesting::profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê"));
    model.setReportProfile(typed);
    // The sheet is open in English when the language changes.
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    const AppLanguage language = *AppLanguage::fromCode(code);
    model.setLanguage(language);
    const AppStrings strings(language);

    QCOMPARE(sheet.titleText()->text(), strings.reportTitle());
    QCOMPARE(sheet.descriptionText()->text(), strings.reportDescription());
    QCOMPARE(sheet.windowTitle(), strings.reportTitle());
    QCOMPARE(sheet.scanAgainButton()->text(), header.at(0));
    QCOMPARE(sheet.kitPill()->toolTip(), header.at(1));

    const ReportProfileColumn* column = sheet.profileColumn();
    QStringList profileTexts;
    for (const ReportInfoPart* card : column->cards())
        profileTexts << card->title() << card->subtitle();
    profileTexts << column->inspectorField()->label() << column->teamField()->label()
                 << column->recipientField()->label() << column->subjectField()->label() << column->hint()->text();
    QCOMPARE(profileTexts, profile);
    // Typed values never change with the language.
    QCOMPARE(column->inspectorField()->lineEdit()->text(), typed.inspectorName);
    QCOMPARE(column->subjectField()->lineEdit()->text(), typed.subject);
    QCOMPARE(model.reportProfile(), typed);

    ReportApplicationTable* tableView = sheet.table();
    QCOMPARE((QStringList{tableView->titleText()->text(), tableView->subtitleText()->text(),
                          tableView->scanTimeLine()->text().left(table.at(2).size()),
                          tableView->columnTitles().at(6)->text(), tableView->emptyTitle()->text()}),
             table);
    QCOMPARE(tableView->columnTitles().at(0)->text(), QStringLiteral("STT"));
    QCOMPARE(tableView->columnTitles().at(1)->text(), QStringLiteral("Name"));
    QCOMPARE(tableView->columnTitles().at(2)->text(), QStringLiteral("Version"));
    QCOMPARE(tableView->columnTitles().at(3)->text(), QStringLiteral("Source"));
    QCOMPARE(tableView->columnTitles().at(4)->text(), strings.auditDeveloperLabel());
    QCOMPARE(tableView->columnTitles().at(5)->text(), strings.auditSignatureLabel());
    const ReportApplicationRow* row = tableView->list()->builtRows().constFirst();
    QCOMPARE((QStringList{row->signatureBadge()->text(), row->licenseBadge()->text()}), badges);

    QCOMPARE((QStringList{sheet.sourceLabel()->text(), sheet.closeButton()->text(), sheet.exportButton()->title()}),
             bar);
    QCOMPARE(sheet.reportPathText()->text(), model.reportPath());
}

QTEST_MAIN(UiReportHeaderTest)
#include "tst_ui_report_header.moc"
