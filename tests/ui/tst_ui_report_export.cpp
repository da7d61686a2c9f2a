// The report sheet's keys and its PDF export: Return, Escape, the refusals
// before the save chooser, a cancelled chooser, a success and a failure.

#include "ReportSheetTesting.h"
#include "TestApplication.h"
#include "app/MacReportPdfWriter.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"
#include "ui/report/ReportField.h"
#include "ui/report/ReportPrimaryButton.h"
#include "ui/report/ReportProfileColumn.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using namespace ReportSheetTesting;
using Toast = DevivuKitViewModel::ToastMessage;
using Sheet = DevivuKitViewModel::Sheet;

namespace {

const QString chosenPath = QStringLiteral("/Users/tester/Desktop/kiểm tra.pdf");

// A model with a snapshot and a complete profile, its report sheet open.
struct ReadySheet {
    explicit ReadySheet(ViewModelHarness& harness, bool openSheet = true)
        : model(harness.startSettled())
    {
        if (!scan(harness, model, {testApplication(QStringLiteral("Viewer")), testApplication(QStringLiteral("Zip"))}))
            qWarning("the scan did not finish");
        model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
        model.openReport();
        sheet = std::make_unique<ReportExportView>(model);
        if (openSheet && !show(*sheet))
            qWarning("the sheet was not shown");
    }

    DevivuKitViewModel& model;
    std::unique_ptr<ReportExportView> sheet;
};

QWidget* focusTarget(ReportExportView& sheet, const QString& name)
{
    if (name == QLatin1String("sheet"))
        return &sheet;
    return sheet.findChild<QWidget*>(name);
}

} // namespace

class UiReportExportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exportIsTheOneDefaultButton();
    void returnInAFieldEndsTheEdit_data();
    void returnInAFieldEndsTheEdit();
    void returnInTheNotesMakesANewLine();
    void returnElsewhereExports_data();
    void returnElsewhereExports();
    void nothingExportsWhileScanning();
    void escapeLeavesTheSheetOpen_data();
    void escapeLeavesTheSheetOpen();
    void refusedBeforeTheChooser_data();
    void refusedBeforeTheChooser();
    void chooserCancelled();
    void exported();
    void destinationInAMissingFolder();
};

void UiReportExportTest::exportIsTheOneDefaultButton()
{
    ViewModelHarness harness;
    ReadySheet ready(harness);
    for (const QPushButton* button : ready.sheet->findChildren<QPushButton*>()) {
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
        QCOMPARE(button->isDefault(), button == ready.sheet->exportButton());
    }
    QCOMPARE(ready.sheet->exportButton()->objectName(), QStringLiteral("report-export"));
    QCOMPARE(ready.sheet->closeButton()->objectName(), QStringLiteral("report-close"));
}

void UiReportExportTest::returnInAFieldEndsTheEdit_data()
{
    QTest::addColumn<QString>("field");
    for (const char* name : {"report-field-inspector", "report-field-team", "report-field-recipient",
                             "report-field-subject"})
        QTest::newRow(name) << name;
}

void UiReportExportTest::returnInAFieldEndsTheEdit()
{
    QFETCH(QString, field);

    ViewModelHarness harness;
    ReadySheet ready(harness);
    auto* edit = ready.sheet->findChild<QLineEdit*>(field);
    QVERIFY(edit);
    edit->setFocus();
    QSignalSpy finished(edit, &QLineEdit::editingFinished);
    const MacReportProfile before = ready.model.reportProfile();
    const std::optional<Toast> toast = ready.model.toast();

    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, Qt::Key_Enter, Qt::KeypadModifier);

    QCOMPARE(finished.size(), 2);
    QVERIFY(harness.desktop->saveRequests().isEmpty());
    QCOMPARE(ready.model.toast(), toast);
    QCOMPARE(ready.model.reportProfile(), before);
    QVERIFY(ready.sheet->isVisible());
}

void UiReportExportTest::returnInTheNotesMakesANewLine()
{
    ViewModelHarness harness;
    ReadySheet ready(harness);
    QPlainTextEdit* notes = ready.sheet->profileColumn()->notesEditor();
    notes->setFocus();
    notes->moveCursor(QTextCursor::End);

    QTest::keyClick(notes, Qt::Key_Return);
    QTest::keyClicks(notes, QStringLiteral("ba"));

    QCOMPARE(ready.model.reportProfile().notes, QStringLiteral("Ghi chú\ndòng hai\nba"));
    QVERIFY(harness.desktop->saveRequests().isEmpty());
}

void UiReportExportTest::returnElsewhereExports_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("Close button") << "report-close";
    QTest::newRow("Scan again button") << "report-scan-again";
    QTest::newRow("export button") << "report-export";
    QTest::newRow("the sheet") << "sheet";
}

void UiReportExportTest::returnElsewhereExports()
{
    QFETCH(QString, focus);

    ViewModelHarness harness;
    ReadySheet ready(harness);
    QWidget* target = focusTarget(*ready.sheet, focus);
    QVERIFY(target);
    target->setFocus();

    QTest::keyClick(target, Qt::Key_Return);

    // The chooser was asked (and cancelled): the export ran, the sheet stays.
    QCOMPARE(harness.desktop->saveRequests().size(), 1);
    QCOMPARE(harness.desktop->saveRequests().constFirst().title, QStringLiteral("Export PDF"));
    QVERIFY(ready.sheet->isVisible());
    QCOMPARE(ready.model.activeSheet(), std::optional<Sheet>(Sheet::report()));
}

void UiReportExportTest::nothingExportsWhileScanning()
{
    ViewModelHarness harness;
    ReadySheet ready(harness);
    const std::shared_ptr<Gate> gate = startHeldScan(harness, ready.model);
    const std::optional<Toast> toast = ready.model.toast();
    ReportPrimaryButton* button = ready.sheet->exportButton();
    QVERIFY(!button->isEnabled());

    QTest::mouseClick(button, Qt::LeftButton);
    ready.sheet->closeButton()->setFocus();
    QTest::keyClick(ready.sheet->closeButton(), Qt::Key_Return);
    QTest::keyClick(ready.sheet.get(), Qt::Key_Return);

    QVERIFY(harness.desktop->saveRequests().isEmpty());
    QCOMPARE(ready.model.toast(), toast);
    // Close still works.
    QTest::mouseClick(ready.sheet->closeButton(), Qt::LeftButton);
    QVERIFY(!ready.sheet->isVisible());
    QVERIFY(!ready.model.activeSheet());
    gate->release();
    QVERIFY(harness.settle());
}

void UiReportExportTest::escapeLeavesTheSheetOpen_data()
{
    QTest::addColumn<QString>("focus");
    QTest::newRow("in a field") << "report-field-inspector";
    QTest::newRow("in the notes") << "report-notes";
    QTest::newRow("on Close") << "report-close";
    QTest::newRow("the sheet") << "sheet";
}

void UiReportExportTest::escapeLeavesTheSheetOpen()
{
    QFETCH(QString, focus);

    ViewModelHarness harness;
    ReadySheet ready(harness);
    QSignalSpy finished(ready.sheet.get(), &QDialog::finished);
    QWidget* target = focusTarget(*ready.sheet, focus);
    target->setFocus();

    QTest::keyClick(target, Qt::Key_Escape);

    QVERIFY(ready.sheet->isVisible());
    QVERIFY(finished.isEmpty());
    QCOMPARE(ready.model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    QVERIFY(!harness.settings->contains(profileKey));
    QVERIFY(harness.desktop->saveRequests().isEmpty());
}

void UiReportExportTest::refusedBeforeTheChooser_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("updateRequired");
    QTest::addColumn<bool>("snapshot");
    QTest::addColumn<QString>("inspector");
    QTest::addColumn<QString>("subject");
    QTest::addColumn<QString>("warning");

    const QString fillIn = QStringLiteral("Enter the inspector name and report title.");
    QTest::newRow("update required") << "en" << true << true << "Lan" << "Kiểm kê"
                                     << AppStrings().updateRequiredToast();
    QTest::newRow("no snapshot") << "en" << false << false << "Lan" << "Kiểm kê"
                                 << "Scan the computer before exporting PDF.";
    QTest::newRow("no snapshot, Vietnamese") << "vi" << false << false << "Lan" << "Kiểm kê"
                                             << "Hãy quét máy trước khi xuất PDF.";
    QTest::newRow("name of spaces") << "en" << false << true << "   " << "Kiểm kê" << fillIn;
    QTest::newRow("title of spaces and a line break") << "en" << false << true << "Lan" << " \n " << fillIn;
    QTest::newRow("title of spaces, Korean") << "ko" << false << true << "Lan" << "  " << fillIn;
}

void UiReportExportTest::refusedBeforeTheChooser()
{
    QFETCH(QString, code);
    QFETCH(bool, updateRequired);
    QFETCH(bool, snapshot);
    QFETCH(QString, inspector);
    QFETCH(QString, subject);
    QFETCH(QString, warning);

    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
    if (updateRequired)
        harness.cloud->setReleasePolicy(updateRequiredPolicy());
    harness.desktop->setSaveAnswer(chosenPath);
    if (snapshot)
        QVERIFY(saveSnapshot({testApplication(QStringLiteral("Viewer"))}));
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.hasReportSnapshot(), snapshot);
    model.openReport();
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    model.setReportProfile(profile(inspector, subject));
    QCOMPARE(sheet.profileColumn()->inspectorField()->lineEdit()->text(), inspector);
    QCOMPARE(sheet.profileColumn()->subjectField()->lineEdit()->text(), subject);

    QTest::mouseClick(sheet.exportButton(), Qt::LeftButton);

    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, warning);
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    QVERIFY(harness.desktop->saveRequests().isEmpty());
    QVERIFY(harness.pdfWriter->calls().isEmpty());
    QVERIFY(sheet.isVisible());
    QVERIFY(!harness.settings->contains(profileKey));
}

void UiReportExportTest::chooserCancelled()
{
    ViewModelHarness harness;
    ReadySheet ready(harness);
    const QString action = ready.model.currentAction();
    const QString scanTime = ready.sheet->table()->scanTimeLine()->text();
    const std::optional<Toast> toast = ready.model.toast();

    QTest::mouseClick(ready.sheet->exportButton(), Qt::LeftButton);

    QCOMPARE(harness.desktop->saveRequests().size(), 1);
    QVERIFY(harness.pdfWriter->calls().isEmpty());
    QCOMPARE(ready.model.toast(), toast);
    QCOMPARE(ready.model.currentAction(), action);
    QVERIFY(!harness.settings->contains(profileKey));
    QVERIFY(ready.sheet->isVisible());
    QCOMPARE(ready.sheet->table()->scanTimeLine()->text(), scanTime);
}

void UiReportExportTest::exported()
{
    ViewModelHarness harness;
    harness.desktop->setSaveAnswer(chosenPath);
    ReadySheet ready(harness);
    const QDateTime exportTime(QDate(2024, 8, 9), QTime(10, 11, 12));
    QVERIFY(harness.clock->now() != exportTime);
    harness.clock->set(exportTime);

    QTest::mouseClick(ready.sheet->exportButton(), Qt::LeftButton);

    QCOMPARE(harness.pdfWriter->calls().size(), 1);
    QCOMPARE(harness.pdfWriter->calls().constFirst().destinationPath, chosenPath);
    QCOMPARE(harness.pdfWriter->calls().constFirst().profile, ready.model.reportProfile());
    QCOMPARE(harness.desktop->openedFiles(), QStringList{chosenPath});
    QCOMPARE(ready.model.toast()->text, QStringLiteral("PDF exported"));
    QCOMPARE(ready.model.toast()->kind, Toast::Kind::success);
    // The sheet stays open and dates the snapshot with the export.
    QVERIFY(ready.sheet->isVisible());
    QCOMPARE(ready.model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    QCOMPARE(ready.sheet->table()->scanTimeLine()->text(), ReportApplicationTable::scanTimeText(exportTime, false));
    QCOMPARE(ready.sheet->table()->list()->count(), 2);
    QVERIFY(harness.settings->contains(profileKey));
}

void UiReportExportTest::destinationInAMissingFolder()
{
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString destination = folder.filePath(QStringLiteral("missing/report.pdf"));
    ViewModelHarness harness;
    harness.desktop->setSaveAnswer(destination);
    DevivuKitViewModel::Dependencies services = harness.dependencies();
    services.pdfWriter = std::make_shared<MacReportPdfWriter>();
    DevivuKitViewModel& model = harness.start(services);
    QVERIFY(harness.settle());
    QVERIFY(scan(harness, model, {testApplication(QStringLiteral("Viewer"))}));
    QCOMPARE(model.auditProgress(), 1.0);
    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    model.openReport();
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    QCOMPARE(sheet.progressBar()->value(), 1.0);
    const QString scanTime = sheet.table()->scanTimeLine()->text();

    QTest::mouseClick(sheet.exportButton(), Qt::LeftButton);

    QVERIFY(!QFileInfo::exists(destination));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->kind, Toast::Kind::failure);
    QVERIFY(!model.toast()->text.isEmpty());
    QVERIFY(harness.desktop->openedFiles().isEmpty());
    QVERIFY(sheet.isVisible());
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    // The progress is reset; the snapshot and its rows stay.
    QCOMPARE(model.auditProgress(), 0.0);
    QCOMPARE(sheet.progressBar()->value(), 0.0);
    QCOMPARE(sheet.progressDetail()->text(), AppStrings().auditPreparing());
    QCOMPARE(sheet.table()->scanTimeLine()->text(), scanTime);
    QCOMPARE(sheet.table()->list()->count(), 1);
    QVERIFY(sheet.exportButton()->isEnabled());
}

QTEST_MAIN(UiReportExportTest)
#include "tst_ui_report_export.moc"
