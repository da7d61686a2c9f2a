// The report sheet's application table: rows by position, their cells and
// badges, the zebra and dividers, and rows built only while in view.

#include "ReportSheetTesting.h"
#include "TestApplication.h"
#include "audit/ReportFixtures.h"
#include "ui/kit/ReportLicenseBadge.h"
#include "ui/kit/ReportSignatureBadge.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationRow.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"

#include <QScrollBar>
#include <QtTest>

using namespace ReportSheetTesting;
using Row = ReportApplicationRow;

namespace {

QStringList texts(const Row* row)
{
    QStringList result;
    for (const TextBlock* cell : row->textCells())
        result.append(cell->text());
    return result;
}

// Checks that each built row stands at its measured place and is as high as
// its tallest cell needs.
void checkBuiltRows(ReportApplicationList& list)
{
    const int scroll = list.verticalScrollBar()->value();
    for (const Row* row : list.builtRows()) {
        QCOMPARE(row->y(), list.rowTop(row->position()) - scroll);
        QCOMPARE(row->height(), list.rowHeight(row->position()));
        QCOMPARE(row->width(), list.rowWidth());
        int tallest = Row::badgeHeight;
        for (const TextBlock* cell : row->textCells())
            tallest = qMax(tallest, cell->heightForWidth(cell->width()));
        QCOMPARE(row->height(), tallest + 2 * Row::verticalPadding + Row::dividerHeight);
    }
}

} // namespace

class UiReportTableTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void rowsByPosition();
    void rowsBuiltWhileInView();
    void languageRelabelsTheBadges();
};

void UiReportTableTest::rowsByPosition()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    InstalledMacApplication plain = testApplication(QStringLiteral("<b>Viewer</b> & Co"));
    InstalledMacApplication unsigned_ =
        testApplication(QStringLiteral("Zip"), AppLicenseEvidenceState::explicitUnlicensed);
    unsigned_.signatureStatus = QStringLiteral("unsigned");
    unsigned_.version.clear();
    InstalledMacApplication longName = testApplication(
        QStringLiteral("Enterprise Document Management and Workflow Automation Suite for Accounting Teams"));
    const QList<InstalledMacApplication> applications{plain, unsigned_, plain, longName};
    QVERIFY(scan(harness, model, applications));

    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    ReportApplicationList& list = *sheet.table()->list();
    const QList<Row*> rows = list.builtRows();
    QCOMPARE(rows.size(), 4);

    // Numbered from 1, by position: equal records are two rows.
    QCOMPARE(texts(rows[0]), (QStringList{"1", "<b>Viewer</b> & Co", "1.0", "Applications", "Team ABCDE12345"}));
    QCOMPARE(texts(rows[1]), (QStringList{"2", "Zip", "", "Applications", "Team ABCDE12345"}));
    QCOMPARE(texts(rows[2]).mid(1), texts(rows[0]).mid(1));
    QCOMPARE(texts(rows[2]).constFirst(), QStringLiteral("3"));
    QVERIFY(rows[0] != rows[2]);

    // Badges: the signature word and the licence state, the no-evidence
    // record for an application without evidence.
    QCOMPARE(rows[0]->signatureBadge()->text(), QStringLiteral("Valid"));
    QCOMPARE(rows[0]->licenseBadge()->text(), QStringLiteral("No local evidence detected"));
    QCOMPARE(rows[0]->licenseBadge()->colors(), ReportLicenseBadge::colorsFor(AppLicenseEvidenceState::noEvidence));
    QCOMPARE(rows[1]->signatureBadge()->text(), QStringLiteral("No signature"));
    QCOMPARE(rows[1]->signatureBadge()->colors(), ReportSignatureBadge::colorsFor(QStringLiteral("invalid")));
    QCOMPARE(rows[1]->licenseBadge()->text(), QStringLiteral("No local key recorded"));

    // A long name takes two lines, then is cut; its row is taller.
    const TextBlock::Layout name = rows[3]->textCells().at(1)->layout(rows[3]->textCells().at(1)->width());
    QCOMPARE(name.lines.size(), 2);
    QVERIFY(name.truncated);
    QVERIFY(rows[3]->height() > rows[0]->height());
    checkBuiltRows(list);

    // Zebra from white, each row followed by an inset divider on white.
    for (Row* row : rows) {
        const QImage image = row->grab().toImage();
        const QColor background = row->position() % 2 == 0 ? QColor(Qt::white) : QColor(248, 251, 255);
        QCOMPARE(row->background(), background);
        QCOMPARE(image.pixelColor(2, 2), background);
        QCOMPARE(image.pixelColor(2, image.height() - 1), QColor(Qt::white));
        QCOMPARE(image.pixelColor(Row::dividerInset + 1, image.height() - 1), Row::dividerColor);
        QCOMPARE(image.pixelColor(image.width() - Row::dividerInset - 2, image.height() - 1), Row::dividerColor);
        QCOMPARE(image.pixelColor(image.width() - 2, image.height() - 1), QColor(Qt::white));
    }

    // The badges fill their columns, which stand under their titles.
    const QList<TextBlock*>& titles = sheet.table()->columnTitles();
    const QWidget* cells[] = {rows[0]->textCells().at(0), rows[0]->textCells().at(1), rows[0]->textCells().at(2),
                              rows[0]->textCells().at(3), rows[0]->textCells().at(4), rows[0]->signatureBadge(),
                              rows[0]->licenseBadge()};
    for (int k = 0; k < Row::columnCount; ++k) {
        QCOMPARE(cells[k]->mapTo(&sheet, QPoint(0, 0)).x(), titles[k]->mapTo(&sheet, QPoint(0, 0)).x());
        QCOMPARE(cells[k]->width(), titles[k]->width());
    }
    QCOMPARE(rows[0]->signatureBadge()->width(), 150);
    QCOMPARE(rows[0]->licenseBadge()->width(), 124);
}

void UiReportTableTest::rowsBuiltWhileInView()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scan(harness, model, ReportFixtures::manyApplications(500)));
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    ReportApplicationList& list = *sheet.table()->list();
    QCOMPARE(list.count(), 500);

    // Only the rows in view exist, from the first one on.
    QList<Row*> rows = list.builtRows();
    QVERIFY(!rows.isEmpty());
    QVERIFY(rows.size() < 40);
    QCOMPARE(rows.constFirst()->position(), 0);
    for (qsizetype k = 0; k < rows.size(); ++k)
        QCOMPARE(rows[k]->position(), k);
    QVERIFY(!list.row(499));
    QVERIFY(list.rowTop(rows.size()) >= list.viewport()->height());
    checkBuiltRows(list);

    // At the end: the last rows, numbered by position, in rows reused from
    // the top.
    QScrollBar* bar = list.verticalScrollBar();
    bar->setValue(bar->maximum());
    QCOMPARE(bar->maximum(), list.contentHeight() - list.viewport()->height());
    rows = list.builtRows();
    QVERIFY(rows.size() < 40);
    QCOMPARE(rows.constLast()->position(), 499);
    QCOMPARE(texts(rows.constLast()).constFirst(), QStringLiteral("500"));
    QCOMPARE(texts(rows.constLast()).at(1), model.reportApplications().at(499).name);
    QVERIFY(!list.row(0));
    checkBuiltRows(list);
    const qsizetype widgets = list.viewport()->findChildren<Row*>(Qt::FindDirectChildrenOnly).size();
    QVERIFY(widgets < 80);

    list.scrollToPosition(250);
    QCOMPARE(list.builtRows().constFirst()->position(), 250);
    QCOMPARE(texts(list.builtRows().constFirst()).constFirst(), QStringLiteral("251"));
    QCOMPARE(list.builtRows().constFirst()->background(), QColor(Qt::white));
    checkBuiltRows(list);

    // A new scan replaces the rows at once.
    QVERIFY(scan(harness, model, {testApplication(QStringLiteral("Only"))}));
    QCOMPARE(list.builtRows().size(), 1);
    QCOMPARE(texts(list.builtRows().constFirst()).mid(0, 2), (QStringList{"1", "Only"}));
    QCOMPARE(bar->value(), 0);
}

void UiReportTableTest::languageRelabelsTheBadges()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(scan(harness, model, ReportFixtures::sampleApplications()));
    ReportExportView sheet(model);
    QVERIFY(show(sheet));
    ReportApplicationList& list = *sheet.table()->list();
    const QList<Row*> before = list.builtRows();
    QList<int> heights;
    for (const Row* row : before)
        heights.append(row->height());

    model.setLanguage(AppLanguage::japanese);

    const QList<Row*> after = list.builtRows();
    QCOMPARE(after, before);
    const AppStrings japanese(AppLanguage::japanese);
    for (qsizetype k = 0; k < after.size(); ++k) {
        const InstalledMacApplication& application = model.reportApplications().at(after[k]->position());
        QCOMPARE(after[k]->signatureBadge()->text(), japanese.auditSignatureStatusLabel(application.signatureStatus));
        QCOMPARE(after[k]->height(), heights[k]);
    }
    QCOMPARE(sheet.table()->columnTitles().at(5)->text(), japanese.auditSignatureLabel());
}

QTEST_MAIN(UiReportTableTest)
#include "tst_ui_report_table.moc"
