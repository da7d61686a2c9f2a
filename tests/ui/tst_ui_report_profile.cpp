// The report sheet's inspector profile: bound both ways to the view model,
// kept by Close (before activeSheet turns none), and found again by the next
// sheet and the next run.

#include "ReportSheetTesting.h"
#include "ui/report/ReportExportView.h"
#include "ui/report/ReportField.h"
#include "ui/report/ReportProfileColumn.h"

#include <QJsonDocument>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QtTest>

using namespace ReportSheetTesting;
using Sheet = DevivuKitViewModel::Sheet;

namespace {

QList<QLineEdit*> fields(const ReportExportView& sheet)
{
    const ReportProfileColumn* column = sheet.profileColumn();
    return {column->inspectorField()->lineEdit(), column->teamField()->lineEdit(),
            column->recipientField()->lineEdit(), column->subjectField()->lineEdit()};
}

QStringList shown(const ReportExportView& sheet)
{
    QStringList texts;
    for (const QLineEdit* field : fields(sheet))
        texts.append(field->text());
    texts.append(sheet.profileColumn()->notesEditor()->toPlainText());
    return texts;
}

QStringList values(const MacReportProfile& profile)
{
    return {profile.inspectorName, profile.team, profile.recipient, profile.subject, profile.notes};
}

QByteArray stored(const MacReportProfile& profile)
{
    return QJsonDocument(profile.toJson()).toJson(QJsonDocument::Compact);
}

} // namespace

class UiReportProfileTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void firstRun();
    void typingInTheMiddleKeepsTheCursor();
    void everyFieldWritesItsOwnValue_data();
    void everyFieldWritesItsOwnValue();
    void changeFromTheViewModel();
    void close_data();
    void close();
    void keptByTheNextRun();
};

void UiReportProfileTest::firstRun()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ReportExportView sheet(model);
    QCOMPARE(shown(sheet), (QStringList{"", "", "", "macOS software inventory report", ""}));
    for (const QLineEdit* field : fields(sheet))
        QVERIFY(field->placeholderText().isEmpty());
    QVERIFY(sheet.profileColumn()->notesEditor()->placeholderText().isEmpty());
    QCOMPARE(fields(sheet).at(0)->objectName(), QStringLiteral("report-field-inspector"));
    QCOMPARE(fields(sheet).at(1)->objectName(), QStringLiteral("report-field-team"));
    QCOMPARE(fields(sheet).at(2)->objectName(), QStringLiteral("report-field-recipient"));
    QCOMPARE(fields(sheet).at(3)->objectName(), QStringLiteral("report-field-subject"));
    QCOMPARE(sheet.profileColumn()->notesEditor()->objectName(), QStringLiteral("report-notes"));
    QCOMPARE(sheet.objectName(), QStringLiteral("report"));
    QCOMPARE(sheet.size(), QSize(1320, 720));
    QCOMPARE(sheet.windowModality(), Qt::WindowModal);
}

void UiReportProfileTest::typingInTheMiddleKeepsTheCursor()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const MacReportProfile before = profile(QStringLiteral("Lan Anh"), QStringLiteral("Kiểm kê"));
    model.setReportProfile(before);
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    QLineEdit* name = fields(sheet).at(0);
    name->setFocus();
    name->setCursorPosition(3);

    QTest::keyClicks(name, QStringLiteral("ngoc "));

    QCOMPARE(name->text(), QStringLiteral("Lanngoc  Anh"));
    QCOMPARE(name->cursorPosition(), 8);
    MacReportProfile expected = before;
    expected.inspectorName = QStringLiteral("Lanngoc  Anh");
    QCOMPARE(model.reportProfile(), expected);
    // The view model's echo did not replace the text: the edits can be undone
    // one by one.
    QVERIFY(name->isUndoAvailable());
    QTest::keyClick(name, Qt::Key_Backspace);
    QCOMPARE(model.reportProfile().inspectorName, QStringLiteral("Lanngoc Anh"));
    QCOMPARE(name->cursorPosition(), 7);
    // Spaces are kept as typed: the view trims nothing and saves nothing.
    QVERIFY(!harness.settings->contains(profileKey));
}

void UiReportProfileTest::everyFieldWritesItsOwnValue_data()
{
    QTest::addColumn<int>("field"); // 0-3 the line fields, 4 the notes
    for (int k = 0; k < 5; ++k)
        QTest::newRow(qPrintable(QStringLiteral("field %1").arg(k))) << k;
}

void UiReportProfileTest::everyFieldWritesItsOwnValue()
{
    QFETCH(int, field);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const MacReportProfile before = profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê"));
    model.setReportProfile(before);
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    QWidget* editor = field < 4 ? static_cast<QWidget*>(fields(sheet).at(field)) : sheet.profileColumn()->notesEditor();
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_End, field < 4 ? Qt::NoModifier : Qt::ControlModifier);
    QTest::keyClicks(editor, QStringLiteral(" <b>&x"));

    QStringList expected = values(before);
    expected[field] += QStringLiteral(" <b>&x");
    QCOMPARE(values(model.reportProfile()), expected);
    QCOMPARE(shown(sheet), expected);
}

void UiReportProfileTest::changeFromTheViewModel()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setReportProfile(profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê")));
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    QLineEdit* name = fields(sheet).at(0);
    name->setFocus();
    QTest::keyClicks(name, QStringLiteral("h"));
    name->setCursorPosition(1);

    // Another view changes the profile: the changed fields follow, the one
    // being edited keeps its cursor and history.
    MacReportProfile changed = model.reportProfile();
    changed.team = QStringLiteral("Phòng IT");
    changed.subject = QStringLiteral("  ");
    changed.notes = QStringLiteral("Dòng một\nDòng hai\n");
    model.setReportProfile(changed);

    QCOMPARE(shown(sheet), values(changed));
    QCOMPARE(name->cursorPosition(), 1);
    QVERIFY(name->isUndoAvailable());
    // Showing the change wrote nothing back.
    QCOMPARE(model.reportProfile(), changed);

    // A change of the field being edited replaces its text.
    changed.inspectorName = QStringLiteral("Minh");
    model.setReportProfile(changed);
    QCOMPARE(name->text(), QStringLiteral("Minh"));
    QCOMPARE(model.reportProfile(), changed);
}

void UiReportProfileTest::close_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("host"); // a host that closes the sheet when activeSheet moves on

    QTest::newRow("Close") << "button" << false;
    QTest::newRow("Close, host closes the sheet") << "button" << true;
    QTest::newRow("title-bar close") << "title bar" << false;
    QTest::newRow("title-bar close, host closes the sheet") << "title bar" << true;
}

void UiReportProfileTest::close()
{
    QFETCH(QString, how);
    QFETCH(bool, host);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.openReport();
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    QPointer<ReportExportView> sheet = new ReportExportView(model);
    QVERIFY(show(*sheet));
    QSignalSpy finished(sheet.data(), &QDialog::finished);
    fields(*sheet).at(0)->setFocus();
    QTest::keyClicks(fields(*sheet).at(0), QStringLiteral("Lan"));
    const MacReportProfile typed = model.reportProfile();
    QCOMPARE(typed.inspectorName, QStringLiteral("Lan"));

    // When activeSheet turns none the store already holds the profile; a host
    // closes the dialog silently then and deletes it later.
    std::optional<QByteArray> storedWhenCleared;
    int sheetChanges = 0;
    connect(&model, &DevivuKitViewModel::activeSheetChanged, this, [&] {
        ++sheetChanges;
        storedWhenCleared = harness.settings->bytes(profileKey);
        if (host && sheet) {
            sheet->hide();
            sheet->deleteLater();
        }
    });

    if (how == QLatin1String("button"))
        QTest::mouseClick(sheet->findChild<QPushButton*>(QStringLiteral("report-close")), Qt::LeftButton);
    else
        sheet->close();

    QCOMPARE(sheetChanges, 1);
    QCOMPARE(storedWhenCleared, std::optional<QByteArray>(stored(typed)));
    QVERIFY(!model.activeSheet());
    QVERIFY(sheet);
    QVERIFY(!sheet->isVisible());
    // Dismissed by the sheet itself unless the host had closed it already.
    QCOMPARE(finished.size(), host ? 0 : 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCOMPARE(sheet.isNull(), host);
    delete sheet.data();

    // The next sheet shows what was typed.
    ReportExportView reopened(model);
    QCOMPARE(shown(reopened).constFirst(), QStringLiteral("Lan"));
}

void UiReportProfileTest::keptByTheNextRun()
{
    ViewModelHarness harness;
    const MacReportProfile typed = profile(QStringLiteral("Lan"), QStringLiteral("Kiểm kê"));
    {
        DevivuKitViewModel& first = harness.startSettled();
        first.openReport();
        ReportExportView sheet(first);
        QVERIFY(show(sheet));
        first.setReportProfile(typed);
        QTest::mouseClick(sheet.closeButton(), Qt::LeftButton);
        QVERIFY(harness.settle());
    }
    harness.destroyModel();
    DevivuKitViewModel& second = harness.startSettled();
    ReportExportView sheet(second);
    QCOMPARE(shown(sheet), values(typed));
}

QTEST_MAIN(UiReportProfileTest)
#include "tst_ui_report_profile.moc"
