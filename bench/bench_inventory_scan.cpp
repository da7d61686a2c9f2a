// Times the inventory scan over a fake Mac holding N application bundles whose
// codesign fixture sleeps 50 ms per run (a real deep verification takes
// longer), one signature read at a time and then on the bounded pool, and
// prints the wall time, the applications per second and the ratio. The two
// scans must give identical rows.
//
//   bench_inventory_scan            N = 100 and 300
//   bench_inventory_scan N...       the given sizes

#include "engine/MacBackend.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"
#include "support/PlistBytes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextStream>

#include <thread>

namespace {

struct Timed {
    QList<InstalledMacApplication> rows;
    double seconds = 0;
};

Timed timedScan(const FakeMac& mac, int threads)
{
    MacBackend engine({}, {}, MacBackend::Delivery::synchronous, mac.host());
    engine.setSignatureReadThreads(threads);
    QElapsedTimer timer;
    timer.start();
    Timed timed;
    timed.rows = engine.installedAdditionalApplications();
    timed.seconds = double(timer.nsecsElapsed()) / 1e9;
    return timed;
}

bool buildMac(FakeMac& mac, int count)
{
    for (int i = 0; i < count; ++i) {
        const QString name = QStringLiteral("Bench App %1").arg(i, 4, 10, QLatin1Char('0'));
        const QString id = QStringLiteral("vn.bench.app%1").arg(i);
        const QString bundle = QStringLiteral("/Applications/") + name + QStringLiteral(".app");
        const QByteArray marker = i % 4 == 0 ? "identifier=" + id.toUtf8() + "\nsignature=adhoc\n"
                                             : "identifier=" + id.toUtf8() + "\nteam=BENCH00001\n"
                                               "authority=Developer ID Application: Bench Vendor (BENCH00001)\n";
        if (!mac.writeFile(bundle + QStringLiteral("/Contents/Info.plist"),
                           PlistBytes::xml({{"CFBundleIdentifier", id},
                                            {"CFBundleName", name},
                                            {"CFBundleShortVersionString", "1.0"}}))
            || !mac.writeFile(bundle + QStringLiteral("/.fake-signature"), marker))
            return false;
    }
    return mac.setState(QStringLiteral("codesign-delay"), "0.05\n");
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    if (qEnvironmentVariableIsEmpty("TAVRIN_SOURCE_DIR"))
        qputenv("TAVRIN_SOURCE_DIR", TAVRIN_SOURCE_DIR);
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(home.path() + QStringLiteral("/logs")));

    QList<int> sizes;
    for (const QString& argument : application.arguments().mid(1))
        sizes.append(argument.toInt());
    if (sizes.isEmpty())
        sizes = {100, 300};

    const int cores = int(std::thread::hardware_concurrency());
    out << "cores: " << cores << ", codesign fixture: 50 ms per run, two runs per application\n";
    out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
               .arg("apps", 5)
               .arg("one-at-a-time s", 15)
               .arg("apps/s", 7)
               .arg("pool s", 7)
               .arg("apps/s", 7)
               .arg("ratio", 6)
               .arg("rows", 9);
    out.flush();
    int status = 0;
    for (int count : sizes) {
        FakeMac mac;
        if (!mac.isValid() || !buildMac(mac, count)) {
            out << "cannot build the fake Mac: " << mac.error() << '\n';
            return 2;
        }
        const Timed sequential = timedScan(mac, 1);
        const Timed pooled = timedScan(mac, 0);
        const bool same = sequential.rows == pooled.rows && sequential.rows.size() == count;
        status |= same ? 0 : 1;
        out << QStringLiteral("%1  %2  %3  %4  %5  %6  %7\n")
                   .arg(count, 5)
                   .arg(sequential.seconds, 15, 'f', 2)
                   .arg(count / sequential.seconds, 7, 'f', 1)
                   .arg(pooled.seconds, 7, 'f', 2)
                   .arg(count / pooled.seconds, 7, 'f', 1)
                   .arg(sequential.seconds / pooled.seconds, 6, 'f', 2)
                   .arg(same ? "identical" : "DIFFER", 9);
        out.flush();
    }
    return status;
}
