// The report sheet end to end: the real window, view model, engine and PDF
// writer on a copy of the fake Mac with three applications. From the
// sidebar's report entry the sheet scans the Mac, takes the inspector's name
// and exports the PDF to the path the save chooser answers; the file is the
// owner's alone and its text holds the name, the title and the three
// applications. Reopened after Close, the sheet still shows the name.

#include "FakeMacWindow.h"
#include "TestFiles.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"
#include "ui/report/ReportPrimaryButton.h"
#include "ui/shell/ToastPresenter.h"
#include "ui/shell/ToastView.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QProcess>
#include <QStandardPaths>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;

namespace {

// The text layer of a PDF, its runs of white space made single spaces.
QString pdfText(const QString& path)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    if (!process.waitForFinished(60000))
        return {};
    return QString::fromUtf8(process.readAllStandardOutput()).normalized(QString::NormalizationForm_C).simplified();
}

} // namespace

class UiEndToEndReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void scanTypeExportReopen_data();
    void scanTypeExportReopen();
};

void UiEndToEndReportTest::scanTypeExportReopen_data()
{
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("exported");

    QTest::newRow("English") << "en" << "PDF exported";
    QTest::newRow("Vietnamese") << "vi" << "Đã xuất PDF";
}

void UiEndToEndReportTest::scanTypeExportReopen()
{
    QFETCH(QString, language);
    QFETCH(QString, exported);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
        QSKIP("pdftotext (poppler-utils) is not installed");

    const QStringList names{QStringLiteral("Atlas"), QStringLiteral("Beacon"), QStringLiteral("Compass")};
    QString pdfPath;
    FakeMacWindow::Setup setup;
    setup.mac = [&](FakeMac& mac) {
        for (const QString& name : names) {
            const QString identifier = "org.example." + name.toLower();
            QVERIFY(mac.writeBundle("/Applications/" + name + ".app", identifier,
                                    FakeMac::signedBy(identifier, QStringLiteral("ABCDE12345"))));
        }
    };
    setup.harness = [&](ViewModelHarness& harness) {
        WindowFixture::storeLanguage(harness, *AppLanguage::fromCode(language));
        pdfPath = harness.environment.root() + QStringLiteral("/Documents/báo cáo.pdf");
        QVERIFY(QDir().mkpath(harness.environment.root() + QStringLiteral("/Documents")));
        harness.desktop->setSaveAnswer(pdfPath);
    };
    FakeMacWindow app(setup);
    QVERIFY2(app.mac.isValid(), qPrintable(app.mac.error()));
    DevivuKitViewModel& model = app.model();
    QCOMPARE(model.language().code(), language);

    // ---- The sheet from the sidebar; without a snapshot its table offers
    // the first scan.
    app.press(QStringLiteral("sidebar-openReport"));
    ReportExportView* sheet = app.sheet<ReportExportView>();
    QVERIFY(sheet);
    QVERIFY(!model.hasReportSnapshot());
    QVERIFY(sheet->table()->emptyState()->isVisible());
    QTest::mouseClick(sheet->findChild<StyledButton*>(QStringLiteral("report-scan-computer")), Qt::LeftButton);
    QVERIFY(model.isReportRefreshing());
    QTRY_VERIFY_WITH_TIMEOUT(!model.isReportRefreshing(), FakeMacWindow::engineWaitMilliseconds);
    QVERIFY(app.settle());
    QCOMPARE(app.window().sheetHost()->dialog(), sheet);
    QVERIFY(sheet->table()->snapshotView()->isVisible());
    QCOMPARE(sheet->table()->list()->count(), 3);

    // ---- The inspector's name, then Export: the chooser answers the path.
    const QString inspector = QStringLiteral("Nguyễn Thị Lan");
    FakeMacWindow::type(sheet->findChild<QLineEdit*>(QStringLiteral("report-field-inspector")), inspector);
    QCOMPARE(model.reportProfile().inspectorName, inspector);
    QPushButton* exportButton = sheet->findChild<QPushButton*>(QStringLiteral("report-export"));
    QVERIFY(exportButton);
    QVERIFY(exportButton->isEnabled());
    QTest::mouseClick(exportButton, Qt::LeftButton);
    WindowFixture::deliver();

    QCOMPARE(app.harness().desktop->saveRequests().size(), 1);
    QVERIFY2(TestFiles::read(pdfPath).startsWith("%PDF-"), qPrintable(model.currentAction()));
    QCOMPARE(TestFiles::permissions(pdfPath), mode_t(0600));
    const QString text = pdfText(pdfPath);
    for (const QString& expected : QStringList{inspector, model.reportProfile().subject} + names)
        QVERIFY2(text.contains(expected), qPrintable(expected + " not in: " + text));
    QCOMPARE(app.harness().desktop->openedFiles(), QStringList{pdfPath});
    ToastView* toast = app.window().toastPresenter()->view();
    QVERIFY(toast);
    QCOMPARE(toast->message().text, exported);
    QCOMPARE(toast->message().kind, Toast::Kind::success);
    // The sheet stays open after an export.
    QCOMPARE(app.window().sheetHost()->dialog(), sheet);

    // ---- Close, then the sidebar again: a new sheet with the name.
    QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("report-close")), Qt::LeftButton);
    QVERIFY(!model.activeSheet());
    WindowFixture::deliver();
    QVERIFY(!app.window().sheetHost()->dialog());
    app.press(QStringLiteral("sidebar-openReport"));
    ReportExportView* reopened = app.sheet<ReportExportView>();
    QVERIFY(reopened);
    QCOMPARE(reopened->findChild<QLineEdit*>(QStringLiteral("report-field-inspector"))->text(), inspector);
    QCOMPARE(reopened->table()->list()->count(), 3);
}

QTEST_MAIN(UiEndToEndReportTest)
#include "tst_ui_e2e_report.moc"
