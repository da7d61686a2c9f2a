// The report sheet's application table with 500 and 5,000 applications:
// prints, for each size, the median of five runs of
//   - building and laying out the sheet with its table until it is painted,
//   - switching the language (English to Vietnamese) and painting again,
//   - scrolling the table to its end and painting again,
// and how many row widgets exist afterwards.
//
//   bench_report_table          both sizes
//   bench_report_table COUNT    one size

#include "ViewModelHarness.h"
#include "audit/ReportFixtures.h"
#include "ui/report/ReportApplicationList.h"
#include "ui/report/ReportApplicationTable.h"
#include "ui/report/ReportExportView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>
#include <QTextStream>

#include <algorithm>

namespace {

constexpr int runs = 5;

double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.at(values.size() / 2);
}

double milliseconds(const QElapsedTimer& timer)
{
    return timer.nsecsElapsed() / 1e6;
}

// Runs the posted work and paints the sheet now.
void settleAndPaint(QWidget& sheet)
{
    QCoreApplication::processEvents();
    sheet.repaint();
}

bool runSize(int count)
{
    QList<double> build;
    QList<double> language;
    QList<double> scroll;
    qsizetype rowWidgets = 0;
    for (int run = 0; run < runs; ++run) {
        ViewModelHarness harness;
        harness.engine->setApplications(ReportFixtures::manyApplications(count));
        harness.engine->setReport(QStringLiteral("report"));
        DevivuKitViewModel& model = harness.startSettled();
        model.scanReportInventory();
        if (!harness.settle() || model.reportApplications().size() != count) {
            QTextStream(stderr) << "the scan did not finish" << Qt::endl;
            return false;
        }

        QElapsedTimer timer;
        timer.start();
        ReportExportView sheet(model);
        sheet.show();
        settleAndPaint(sheet);
        build.append(milliseconds(timer));

        timer.restart();
        model.setLanguage(AppLanguage::vietnamese);
        settleAndPaint(sheet);
        language.append(milliseconds(timer));

        ReportApplicationList* list = sheet.table()->list();
        timer.restart();
        list->verticalScrollBar()->setValue(list->verticalScrollBar()->maximum());
        settleAndPaint(sheet);
        scroll.append(milliseconds(timer));
        if (list->builtRows().constLast()->position() != count - 1) {
            QTextStream(stderr) << "the last row is not in view" << Qt::endl;
            return false;
        }
        rowWidgets = list->viewport()->findChildren<ReportApplicationRow*>(Qt::FindDirectChildrenOnly).size();
    }
    QTextStream(stdout) << QStringLiteral("%1 apps: build and lay out %2 ms, language switch %3 ms, "
                                          "scroll to the end %4 ms, %5 row widgets")
                               .arg(count, 5)
                               .arg(median(build), 7, 'f', 1)
                               .arg(median(language), 6, 'f', 1)
                               .arg(median(scroll), 6, 'f', 1)
                               .arg(rowWidgets)
                        << Qt::endl;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QList<int> counts{500, 5000};
    if (argc > 1)
        counts = {QString::fromLocal8Bit(argv[1]).toInt()};
    for (int count : counts)
        if (count <= 0 || !runSize(count))
            return 1;
    return 0;
}
