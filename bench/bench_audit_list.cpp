// Times the audit workspace over N audited applications, offscreen, on the
// real view model whose fake engine delivers ReportFixtures::manyApplications.
// For each N it prints, in milliseconds:
//   - first result: from the scan's result reaching the view model until the
//     list is built, laid out and painted ("in signal" is the part spent
//     building rows while the result is being applied; the rest includes the
//     view model's own end of scan: snapshot file, toast, log);
//   - second result: a scan whose every record differs replaces the list;
//   - language: a switch to Vietnamese relabels the list;
//   - scroll to end: the list scrolled to its last row;
// and how many rows exist after each step (the list builds only those near
// the view). "model only" is the first result without any view: the view
// model's own share of "1st total". A small warm-up run (fonts, symbols)
// comes first and is not printed.
//
//   bench_audit_list            N = 100, 500 and 5000
//   bench_audit_list N...       the given sizes

#include "ViewModelHarness.h"
#include "audit/ReportFixtures.h"
#include "ui/audit/AuditApplicationList.h"
#include "ui/audit/AuditWorkspaceView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTextStream>

namespace {

// Lets every posted layout, scroll-bar and paint event run.
void flush()
{
    for (int round = 0; round < 3; ++round) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

struct ResultTimes {
    double inSignal = 0;
    double total = 0;
};

// Stamps a scan's result: when the view model starts applying it (a slot
// connected before any view's) and when the views' slots are done (one
// connected after them).
struct ResultClock {
    QElapsedTimer clock;
    qint64 resultAt = 0;
    qint64 builtAt = 0;

    explicit ResultClock(DevivuKitViewModel& model)
    {
        clock.start();
        QObject::connect(&model, &DevivuKitViewModel::reportChanged, &model,
                         [this] { resultAt = clock.nsecsElapsed(); });
    }
    void stampAfterViews(DevivuKitViewModel& model)
    {
        QObject::connect(&model, &DevivuKitViewModel::reportChanged, &model,
                         [this] { builtAt = clock.nsecsElapsed(); });
    }

    // Runs a scan and times its result until everything it set off is done.
    ResultTimes timedScan(ViewModelHarness& harness)
    {
        const qint64 before = resultAt;
        harness.model()->scanReportInventory();
        while (resultAt == before)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        flush();
        ResultTimes times;
        times.inSignal = builtAt > resultAt ? double(builtAt - resultAt) / 1e6 : 0;
        times.total = double(clock.nsecsElapsed() - resultAt) / 1e6;
        harness.settle();
        return times;
    }
};

// The first result with no view at all.
double modelOnly(int count)
{
    ViewModelHarness harness;
    harness.engine->setApplications(ReportFixtures::manyApplications(count));
    ResultClock clock(harness.startSettled());
    return clock.timedScan(harness).total;
}

double timed(const std::function<void()>& step)
{
    QElapsedTimer timer;
    timer.start();
    step();
    flush();
    return double(timer.nsecsElapsed()) / 1e6;
}

QList<InstalledMacApplication> changedEverywhere(QList<InstalledMacApplication> applications)
{
    for (InstalledMacApplication& application : applications)
        application.version += QStringLiteral(".1");
    return applications;
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
    QApplication app(argc, argv);
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& message) {
        if (type != QtDebugMsg && !message.contains(QLatin1String("propagateSizeHints")))
            QTextStream(stderr) << message << '\n';
    });

    QList<int> sizes;
    for (const QString& argument : app.arguments().mid(1))
        sizes.append(argument.toInt());
    if (sizes.isEmpty())
        sizes = {100, 500, 5000};

    QTextStream out(stdout);
    out << "workspace 1340 x 955, times in ms\n";
    out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
               .arg("N", 6)
               .arg("model only", 11)
               .arg("1st in signal", 14)
               .arg("1st total", 10)
               .arg("2nd total", 10)
               .arg("language", 9)
               .arg("to end", 8)
               .arg("rows built", 11);
    out.flush();
    sizes.prepend(-20);
    for (const int signedCount : sizes) {
        const bool warmUp = signedCount < 0;
        const int count = std::abs(signedCount);
        ViewModelHarness harness;
        harness.engine->setApplications(ReportFixtures::manyApplications(count));
        DevivuKitViewModel& model = harness.startSettled();

        ResultClock clock(model);
        AuditWorkspaceView view(model);
        clock.stampAfterViews(model);
        view.resize(1340, 955);
        view.show();
        if (!QTest::qWaitForWindowExposed(&view))
            return 1;
        flush();

        const ResultTimes first = clock.timedScan(harness);
        harness.engine->setApplications(changedEverywhere(ReportFixtures::manyApplications(count)));
        const ResultTimes second = clock.timedScan(harness);
        if (view.applicationList()->count() != count)
            return 1;
        const double language = timed([&] { model.setLanguage(AppLanguage::vietnamese); });
        const double toEnd = timed([&] { view.applicationList()->scrollToEnd(); });
        if (!view.applicationList()->builtRow(count - 1))
            return 1;

        if (warmUp)
            continue;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8\n")
                   .arg(count, 6)
                   .arg(modelOnly(count), 11, 'f', 1)
                   .arg(first.inSignal, 14, 'f', 1)
                   .arg(first.total, 10, 'f', 1)
                   .arg(second.total, 10, 'f', 1)
                   .arg(language, 9, 'f', 1)
                   .arg(toEnd, 8, 'f', 1)
                   .arg(view.applicationList()->builtRows().size(), 11);
        out.flush();
    }
    return 0;
}
