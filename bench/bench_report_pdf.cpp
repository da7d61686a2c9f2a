// Writes the PDF report for 100, 1,000 and 5,000 applications and prints, for
// each, the time of the write, the number of pages, the file size and the
// peak memory. Each size runs in a child process of its own so that its
// peak resident memory is its own.
//
//   bench_report_pdf            all three sizes
//   bench_report_pdf COUNT      one size, in this process

#include "audit/ReportFixtures.h"

#include "audit/MacReportPDF.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <sys/resource.h>

namespace {

long peakResidentKiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int runOne(int count)
{
    const QString report = ReportFixtures::textReport(QStringLiteral("report-en.txt"));
    const QList<InstalledMacApplication> applications = ReportFixtures::manyApplications(count);
    const MacReportProfile profile = ReportFixtures::sampleProfile(false);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("bench.pdf"));
    const long before = peakResidentKiB();

    QElapsedTimer timer;
    timer.start();
    const auto error = MacReportPDF::write(report, applications, profile, path);
    const qint64 elapsed = timer.elapsed();
    if (error) {
        QTextStream(stderr) << error->description() << Qt::endl;
        return 1;
    }
    const long after = peakResidentKiB();
    const qsizetype pages = MacReportPDF::paginate(
        MacReportPDF::makeBlocks(report, applications, profile, false), MacReportPDF::contentWidth).size();
    QTextStream(stdout) << QStringLiteral("%1 apps: %2 ms, %3 pages, %4 KiB file, peak %5 MiB (+%6 MiB during the write)")
                               .arg(count, 5)
                               .arg(elapsed, 6)
                               .arg(pages, 4)
                               .arg(QFileInfo(path).size() / 1024, 6)
                               .arg(after / 1024.0, 0, 'f', 1)
                               .arg((after - before) / 1024.0, 0, 'f', 1)
                        << Qt::endl;
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    if (argc > 1)
        return runOne(QString::fromLocal8Bit(argv[1]).toInt());

    int status = 0;
    for (const int count : {100, 1000, 5000}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::number(count)});
        child.waitForFinished(-1);
        status |= child.exitCode();
    }
    return status;
}
