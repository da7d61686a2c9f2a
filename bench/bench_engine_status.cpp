// Times MacBackend::statuses over the whole compiled-in catalog against the
// fake Mac, with a brew fixture that takes 0.3 s per run, and prints the
// number of child processes and the wall time; the same for status() of each
// entry one by one, for comparison.
//
// The fake Mac holds a realistic mix: some casks and formulae installed, the
// three direct applications present and signed (their verification runs),
// ONLYDEVIVU installed with duti answering for the six document types (the
// default-application test runs).
//
//   bench_engine_status [SECONDS_PER_BREW_RUN]

#include "catalog/Catalog.h"
#include "engine/MacBackend.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>

namespace {

bool prepare(FakeMac& mac, const QString& brewDelay)
{
    const QString home = AppRuntime::homeDirectory();
    bool ok = mac.setState(QStringLiteral("brew-delay"), brewDelay.toUtf8())
        && mac.setState(QStringLiteral("brew-casks"), "vlc\nskim\nonlyoffice\nkeka\ngimp\n")
        && mac.setState(QStringLiteral("brew-formulae"), "p7zip\nsane-backends\nduti\n")
        && mac.installTool(QStringLiteral("duti"), QStringLiteral("/opt/homebrew/bin/duti"))
        && mac.writeBundle(QStringLiteral("/Applications/ONLYDEVIVU.app"), QStringLiteral("asc.onlyoffice"))
        && mac.writeBundle(QStringLiteral("/Applications/VLC.app"), QStringLiteral("org.videolan.vlc"))
        && mac.writeBundle(QStringLiteral("/Applications/Skim.app"), QStringLiteral("net.sourceforge.skim-app.skim"))
        && mac.writeBundle(QStringLiteral("/Applications/Keka.app"), QStringLiteral("com.aone.keka"))
        && mac.writeBundle(QStringLiteral("/Applications/Thunderbird.app"), QStringLiteral("org.mozilla.thunderbird"),
                           FakeMac::signedBy(QStringLiteral("org.mozilla.thunderbird"), QStringLiteral("43AQ936H96")))
        && mac.writeBundle(QStringLiteral("/Applications/Telegram.app"), QStringLiteral("com.tdesktop.Telegram"),
                           FakeMac::signedBy(QStringLiteral("com.tdesktop.Telegram"), QStringLiteral("C67CF9S4VU")))
        && mac.writeBundle(home + QStringLiteral("/Applications/Slack.app"),
                           QStringLiteral("com.tinyspeck.slackmacgap"),
                           FakeMac::signedBy(QStringLiteral("com.tinyspeck.slackmacgap"), QStringLiteral("BQR82RBBHL")));
    QByteArray defaults;
    for (const QString& extension : MacBackend::documentExtensions())
        defaults += extension.toUtf8() + " asc.onlyoffice /Applications/ONLYDEVIVU.app\n";
    return ok && mac.setState(QStringLiteral("duti-defaults"), defaults);
}

struct Figures {
    qint64 milliseconds = 0;
    qsizetype children = 0;
    qsizetype brewRuns = 0;
    int installed = 0;
};

template <typename Run>
Figures measure(FakeMac& mac, Run run)
{
    mac.clearCalls();
    QElapsedTimer timer;
    timer.start();
    Figures figures;
    figures.installed = run();
    figures.milliseconds = timer.elapsed();
    figures.children = mac.calls().size();
    figures.brewRuns = mac.calls(QStringLiteral("/opt/homebrew/bin/brew")).size();
    return figures;
}

void print(QTextStream& out, const char* label, const Figures& figures)
{
    out << label << ": " << figures.children << " child processes (" << figures.brewRuns << " brew), "
        << figures.milliseconds << " ms wall, " << figures.installed << " entries installed\n";
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    const QString delay = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("0.3");
    QTemporaryDir home;
    qputenv("HOME", QFile::encodeName(home.path()));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(home.filePath(QStringLiteral("logs"))));
    if (qEnvironmentVariableIsEmpty("TAVRIN_SOURCE_DIR"))
        qputenv("TAVRIN_SOURCE_DIR", TAVRIN_SOURCE_DIR);

    QTextStream out(stdout);
    FakeMac mac;
    if (!mac.isValid() || !prepare(mac, delay)) {
        out << "cannot prepare the fake Mac: " << mac.error() << '\n';
        return 1;
    }
    MacBackend engine({}, {}, MacBackend::Delivery::synchronous, mac.host());
    const QList<AppItem>& items = Catalog::items();
    out << items.size() << " catalog entries, brew fixture " << delay << " s per run\n";

    const auto countInstalled = [](const QHash<QString, InstallStatus>& statuses) {
        return int(std::count(statuses.begin(), statuses.end(), InstallStatus::installed));
    };
    print(out, "statuses(for:)", measure(mac, [&] { return countInstalled(engine.statuses(items)); }));
    print(out, "status(for:) per entry", measure(mac, [&] {
              QHash<QString, InstallStatus> statuses;
              for (const AppItem& item : items)
                  statuses.insert(item.id, engine.status(item));
              return countInstalled(statuses);
          }));
    return 0;
}
