// The view model's report sheet: the inspector profile kept between runs and
// the PDF export with its checks, its chooser and its outcome.

#include "TestApplication.h"
#include "TestFiles.h"
#include "ViewModelHarness.h"
#include "app/ReportSnapshot.h"

#include <QJsonDocument>
#include <QtTest>

using Operation = FakeEngine::Operation;
using Sheet = DevivuKitViewModel::Sheet;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const QString profileKey = QStringLiteral("tavrin.mac.report-profile");
const QString chosenPath = QStringLiteral("/Users/tester/Desktop/kiểm tra.pdf");

// A saved snapshot, restored by the next model that starts.
QByteArray saveSnapshot(const QString& text)
{
    const ReportSnapshot snapshot{text,
                                  {testApplication(QStringLiteral("Viewer")), testApplication(QStringLiteral("Zip"))},
                                  QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))};
    const QByteArray bytes = snapshot.toJson();
    return TestFiles::write(ReportSnapshot::filePath(), bytes) ? bytes : QByteArray();
}

MacReportProfile profile(const QString& inspector, const QString& subject)
{
    MacReportProfile value;
    value.inspectorName = inspector;
    value.team = QStringLiteral("Kỹ thuật");
    value.recipient = QStringLiteral("Công ty A");
    value.subject = subject;
    value.notes = QStringLiteral("Ghi chú\ndòng hai");
    return value;
}

} // namespace

class ViewModelReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languageTexts_data();
    void languageTexts();
    void refusedBeforeTheChooser_data();
    void refusedBeforeTheChooser();
    void chooserCancelled();
    void exported();
    void writerFails();
    void resultsThatLandWhileChoosingAreExported();
    void profileKeptBetweenRuns_data();
    void profileKeptBetweenRuns();
};

void ViewModelReportTest::languageTexts_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("opened");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("done");

    QTest::newRow("en") << "en" << "Opened report" << "Export PDF" << "PDF exported";
    QTest::newRow("vi") << "vi" << "Đã mở report" << "Xuất PDF" << "Đã xuất PDF";
    QTest::newRow("ko") << "ko" << "보고서를 열었습니다" << "PDF 내보내기" << "PDF exported";
    QTest::newRow("ja") << "ja" << "レポートを開きました" << "PDFを書き出す" << "PDF exported";
    QTest::newRow("zh") << "zh" << "已打开报告" << "导出 PDF" << "PDF exported";
}

void ViewModelReportTest::languageTexts()
{
    QFETCH(QString, code);
    QFETCH(QString, opened);
    QFETCH(QString, title);
    QFETCH(QString, done);

    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
    QVERIFY(!saveSnapshot(QStringLiteral("báo cáo")).isEmpty());
    harness.desktop->setDocumentsFolder(QStringLiteral("/Users/tester/Tài liệu"));
    harness.desktop->setSaveAnswer(chosenPath);
    DevivuKitViewModel& model = harness.startSettled();

    model.openReport();
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    QCOMPARE(model.currentAction(), opened);
    QVERIFY(harness.engine->calls(Operation::installedAdditionalApplications).isEmpty());

    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    model.exportReportPDF();
    QCOMPARE(harness.desktop->saveRequests(),
             (QList<DesktopServices::SaveRequest>{{title, QStringLiteral("tavrin-office-kit-report.pdf"),
                                                   QStringLiteral("/Users/tester/Tài liệu"), {QStringLiteral("pdf")}}}));
    QCOMPARE(model.currentAction(), done);
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, done);
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
}

void ViewModelReportTest::refusedBeforeTheChooser_data()
{
    QTest::addColumn<bool>("snapshot");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("inspector");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("warning");

    const QString scanFirst = QStringLiteral("Scan the computer before exporting PDF.");
    const QString fillIn = QStringLiteral("Enter the inspector name and report title.");
    QTest::newRow("no snapshot") << false << "en" << "Lan" << "Kiểm kê" << scanFirst;
    QTest::newRow("no snapshot, Vietnamese")
        << false << "vi" << "Lan" << "Kiểm kê" << QStringLiteral("Hãy quét máy trước khi xuất PDF.");
    QTest::newRow("no snapshot, Korean") << false << "ko" << "" << "" << scanFirst;
    QTest::newRow("subject of blanks") << true << "en" << "Lan" << "  \n" << fillIn;
    QTest::newRow("inspector of blanks") << true << "en" << " \t" << "Kiểm kê" << fillIn;
    QTest::newRow("both missing, Vietnamese")
        << true << "vi" << "" << "" << QStringLiteral("Hãy nhập tên người kiểm tra và tiêu đề báo cáo.");
    QTest::newRow("inspector missing, Korean") << true << "ko" << "" << "Kiểm kê" << fillIn;
}

void ViewModelReportTest::refusedBeforeTheChooser()
{
    QFETCH(bool, snapshot);
    QFETCH(QString, code);
    QFETCH(QString, inspector);
    QFETCH(QString, subject);
    QFETCH(QString, warning);

    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
    if (snapshot)
        QVERIFY(!saveSnapshot(QStringLiteral("báo cáo")).isEmpty());
    harness.desktop->setSaveAnswer(chosenPath);
    DevivuKitViewModel& model = harness.startSettled();
    model.setReportProfile(profile(inspector, subject));
    const QString action = model.currentAction();

    model.exportReportPDF();

    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, warning);
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    QVERIFY(harness.desktop->saveRequests().isEmpty());
    QVERIFY(harness.pdfWriter->calls().isEmpty());
    QVERIFY(!harness.settings->contains(profileKey));
    QCOMPARE(model.currentAction(), action);
}

void ViewModelReportTest::chooserCancelled()
{
    ViewModelHarness harness;
    const QByteArray saved = saveSnapshot(QStringLiteral("báo cáo"));
    DevivuKitViewModel& model = harness.startSettled();
    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    const QString action = model.currentAction();

    model.exportReportPDF();

    QCOMPARE(harness.desktop->saveRequests().size(), 1);
    QVERIFY(harness.pdfWriter->calls().isEmpty());
    QVERIFY(!harness.settings->contains(profileKey));
    QCOMPARE(model.currentAction(), action);
    QVERIFY(!model.toast());
    QCOMPARE(TestFiles::read(ReportSnapshot::filePath()), saved);
}

void ViewModelReportTest::exported()
{
    ViewModelHarness harness;
    QVERIFY(!saveSnapshot(QStringLiteral("báo cáo")).isEmpty());
    harness.desktop->setSaveAnswer(chosenPath);
    DevivuKitViewModel& model = harness.startSettled();
    const QList<InstalledMacApplication> applications = model.reportApplications();
    const MacReportProfile edited = profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê"));
    model.setReportProfile(edited);
    harness.clock->set(QDateTime(QDate(2024, 8, 9), QTime(10, 11, 12)));
    const QStringList lines = model.logLines();

    model.exportReportPDF();

    QCOMPARE(harness.pdfWriter->calls().size(), 1);
    const FakePdfWriter::Call& call = harness.pdfWriter->calls().constFirst();
    QCOMPARE(call.reportText, QStringLiteral("báo cáo"));
    QCOMPARE(call.applications, applications);
    QCOMPARE(call.profile, edited);
    QCOMPARE(call.destinationPath, chosenPath);
    // The profile is stored, the snapshot saved again at the export's time,
    // and the PDF opened.
    QCOMPARE(harness.settings->bytes(profileKey),
             std::optional<QByteArray>(QJsonDocument(edited.toJson()).toJson(QJsonDocument::Compact)));
    const std::optional<ReportSnapshot> saved = ReportSnapshot::fromJson(TestFiles::read(ReportSnapshot::filePath()));
    QVERIFY(saved);
    QCOMPARE(saved->createdAt, harness.clock->now());
    QCOMPARE(saved->applications, applications);
    QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(harness.clock->now()));
    QCOMPARE(harness.desktop->openedFiles(), QStringList{chosenPath});
    QVERIFY(!model.isReportRefreshing());
    QCOMPARE(model.currentAction(), QStringLiteral("PDF exported"));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    QCOMPARE(model.logLines(), lines);
}

void ViewModelReportTest::writerFails()
{
    ViewModelHarness harness;
    const QByteArray saved = saveSnapshot(QStringLiteral("báo cáo"));
    harness.desktop->setSaveAnswer(chosenPath);
    harness.pdfWriter->setError(QStringLiteral("Không thể tạo tài liệu PDF."));
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.auditProgressText(), QStringLiteral("100%"));
    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    harness.clock->set(QDateTime(QDate(2024, 8, 9), QTime(10, 11, 12)));

    model.exportReportPDF();

    QCOMPARE(model.currentAction(), QStringLiteral("Không thể tạo tài liệu PDF."));
    QCOMPARE(model.toast()->text, QStringLiteral("Không thể tạo tài liệu PDF."));
    QCOMPARE(model.toast()->kind, Toast::Kind::failure);
    QCOMPARE(model.auditProgressText(), QStringLiteral("0%"));
    QCOMPARE(model.auditProgressDetailText(), AppStrings().auditPreparing());
    QCOMPARE(TestFiles::read(ReportSnapshot::filePath()), saved);
    QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5))));
    QVERIFY(harness.desktop->openedFiles().isEmpty());
    // Past the chooser, the profile was stored already.
    QVERIFY(harness.settings->contains(profileKey));
}

void ViewModelReportTest::resultsThatLandWhileChoosingAreExported()
{
    ViewModelHarness harness;
    QVERIFY(!saveSnapshot(QStringLiteral("hôm qua")).isEmpty());
    harness.desktop->setSaveAnswer(chosenPath);
    DevivuKitViewModel& model = harness.startSettled();
    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    harness.engine->setReport(QStringLiteral("hôm nay"));
    harness.engine->setApplications({testApplication(QStringLiteral("New"))});
    const std::shared_ptr<Gate> write = harness.engine->hold(Operation::writeReport);
    model.scanReportInventory();
    QVERIFY(write->waitArrived());

    // The scan ends while the modal chooser is open.
    harness.desktop->setWhileChoosing([&] { QVERIFY(harness.releaseAndSettle()); });
    model.exportReportPDF();

    QCOMPARE(harness.pdfWriter->calls().size(), 1);
    QCOMPARE(harness.pdfWriter->calls().constFirst().reportText, QStringLiteral("hôm nay"));
    QCOMPARE(harness.pdfWriter->calls().constFirst().applications,
             QList<InstalledMacApplication>{testApplication(QStringLiteral("New"))});
    QCOMPARE(model.reportText(), QStringLiteral("hôm nay"));
    QCOMPARE(ReportSnapshot::fromJson(TestFiles::read(ReportSnapshot::filePath()))->text, QStringLiteral("hôm nay"));
}

void ViewModelReportTest::profileKeptBetweenRuns_data()
{
    QTest::addColumn<QString>("ending"); // how the first run leaves the edited profile
    QTest::addColumn<bool>("restored");

    QTest::newRow("closed with the close button") << "close" << true;
    QTest::newRow("abandoned") << "quit" << false;
    QTest::newRow("stored value that does not decode") << "garbage" << false;
}

void ViewModelReportTest::profileKeptBetweenRuns()
{
    QFETCH(QString, ending);
    QFETCH(bool, restored);

    ViewModelHarness harness;
    const MacReportProfile edited = profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê"));
    {
        DevivuKitViewModel& first = harness.startSettled();
        first.setReportProfile(edited);
        if (ending == QLatin1String("close"))
            first.saveReportProfile();
        else if (ending == QLatin1String("garbage"))
            harness.settings->setBytes(profileKey, R"({"inspectorName":"Lan","team":"","recipient":"","subject":"x"})");
        QVERIFY(harness.settle());
        harness.destroyModel();
    }
    DevivuKitViewModel& second = harness.startSettled();
    QCOMPARE(second.reportProfile(), restored ? edited : MacReportProfile());
}

QTEST_MAIN(ViewModelReportTest)
#include "tst_view_model_report.moc"
