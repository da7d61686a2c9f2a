#include "CatalogEntry.h"
#include "EngineTestSupport.h"
#include "engine/MacBackend.h"
#include "i18n/AppStrings.h"
#include "platform/AppRuntime.h"
#include "platform/TildePath.h"
#include "support/FakeMac.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(AppItem)

namespace {

using EngineTestSupport::entry;
using EngineTestSupport::Recorder;

constexpr qint64 gigabyte = qint64(1) << 30;
const QString brewMac = QStringLiteral("/opt/homebrew/bin/brew");

AppItem withMinimum(AppItem item, int major)
{
    item.minimumMacOSMajor = major;
    return item;
}

AppItem builtinReady(AppItem item)
{
    item.builtinReady = true;
    return item;
}

AppItem directEntry(const QStringList& appPaths, bool withSpec = true)
{
    AppItem item = entry(QStringLiteral("ledger"), AppKind::direct, {}, appPaths);
    if (withSpec) {
        DirectInstallerSpec installer;
        installer.expectedBundleID = QStringLiteral("com.cedarlabs.ledger");
        installer.expectedTeamID = QStringLiteral("AB12CD34EF");
        item.directInstaller = installer;
    }
    return item;
}

AppItem shortcutEntry()
{
    AppItem item = entry(QStringLiteral("m365"), AppKind::shortcut);
    item.shortcut = ShortcutSpec{QStringLiteral("Microsoft 365.webloc"), QStringLiteral("Microsoft 365"),
                                 QStringLiteral("https://www.microsoft365.com/")};
    return item;
}

// The brew calls in the fake Mac's log, as their arguments joined by blanks.
QStringList brewCalls(const FakeMac& mac)
{
    QStringList calls;
    for (const QStringList& call : mac.calls(brewMac))
        calls << call.mid(1).join(QLatin1Char(' '));
    return calls;
}

// Prepares the fake Mac from short directives:
//   dir:PATH  file:PATH  tool:PATH           a folder, an empty file, an executable
//   bundle:PATH:ID                           an unsigned bundle with that identifier
//   signed:PATH:ID:TEAM                      a bundle signed by the team
//   formulae:A,B  casks:A,B                  Homebrew's installed packages
//   nobrew                                   no Homebrew at /opt/homebrew/bin
//   duti                                     duti installed in /opt/homebrew/bin
//   defaults:BUNDLE  default:EXT:BUNDLE      duti's answers (all six, or one)
//   shortcut:NAME                            a file in the shortcut folder
// Paths are Mac paths or begin with "~".
bool prepare(FakeMac& mac, const QStringList& directives)
{
    QMap<QString, QString> defaults;
    for (const QString& directive : directives) {
        const QString verb = directive.section(QLatin1Char(':'), 0, 0);
        const QString path = TildePath::expand(directive.section(QLatin1Char(':'), 1, 1));
        const QString third = directive.section(QLatin1Char(':'), 2, 2);
        bool ok = true;
        if (verb == QLatin1String("dir"))
            ok = QDir().mkpath(mac.path(path));
        else if (verb == QLatin1String("file"))
            ok = mac.writeFile(path, {});
        else if (verb == QLatin1String("tool"))
            ok = mac.writeFile(path, "#!/bin/sh\nexit 0\n", true);
        else if (verb == QLatin1String("bundle"))
            ok = mac.writeBundle(path, third);
        else if (verb == QLatin1String("signed"))
            ok = mac.writeBundle(path, third, FakeMac::signedBy(third, directive.section(QLatin1Char(':'), 3, 3)));
        else if (verb == QLatin1String("formulae") || verb == QLatin1String("casks"))
            ok = mac.setState(QStringLiteral("brew-") + verb,
                              directive.section(QLatin1Char(':'), 1).split(QLatin1Char(',')).join(QLatin1Char('\n')).toUtf8()
                                  + '\n');
        else if (verb == QLatin1String("nobrew"))
            ok = mac.removeFile(brewMac);
        else if (verb == QLatin1String("duti"))
            ok = mac.installTool(QStringLiteral("duti"), QStringLiteral("/opt/homebrew/bin/duti"));
        else if (verb == QLatin1String("defaults"))
            for (const QString& extension : MacBackend::documentExtensions())
                defaults.insert(extension, directive.section(QLatin1Char(':'), 1));
        else if (verb == QLatin1String("default"))
            defaults.insert(directive.section(QLatin1Char(':'), 1, 1), third);
        else if (verb == QLatin1String("shortcut"))
            ok = QDir().mkpath(AppRuntime::shortcutDir())
                && QFile(AppRuntime::shortcutDir() + QLatin1Char('/') + directive.section(QLatin1Char(':'), 1))
                       .open(QIODevice::WriteOnly);
        else
            ok = false;
        if (!ok) {
            qWarning("cannot prepare %s", qPrintable(directive));
            return false;
        }
    }
    if (defaults.isEmpty())
        return true;
    QByteArray lines;
    for (auto it = defaults.begin(); it != defaults.end(); ++it)
        lines += it.key().toUtf8() + ' ' + it.value().toUtf8() + " /Applications/Some App.app\n";
    return mac.setState(QStringLiteral("duti-defaults"), lines);
}

QString levelName(SystemCheck::Level level)
{
    switch (level) {
    case SystemCheck::Level::ok:
        return QStringLiteral("ok");
    case SystemCheck::Level::warn:
        return QStringLiteral("warn");
    case SystemCheck::Level::fail:
        return QStringLiteral("fail");
    }
    return {};
}

} // namespace

class EngineStatusTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void statusTable_data();
    void statusTable();
    void wholeCatalogBothPaths();
    void noHomebrewStartsNoProcess();
    void directSecondPathPasses();
    void brewPathCandidates_data();
    void brewPathCandidates();
    void installStatusSnapshot();
    void onlyofficeDetection_data();
    void onlyofficeDetection();

    void parseMixedBrewPackage_data();
    void parseMixedBrewPackage();
    void installLoop_data();
    void installLoop();
    void installLogLines();
    void uninstallLoop_data();
    void uninstallLoop();
    void withoutHomebrew();

    void checkRows_data();
    void checkRows();
    void installedSuiteRows();
    void blockers_data();
    void blockers();

private:
    void checkBrewLoop(bool install);
    MacBackend engine(Recorder& recorder, const Host& host) const
    {
        return MacBackend(recorder.logSink(), recorder.progressSink(), MacBackend::Delivery::synchronous, host);
    }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_folders;
    std::unique_ptr<FakeMac> m_mac;
};

void EngineStatusTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
}

void EngineStatusTest::init()
{
    m_folders = std::make_unique<QTemporaryDir>();
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_folders->filePath(QStringLiteral("logs"))));
    qputenv(AppRuntime::shortcutDirVariable, QFile::encodeName(m_folders->filePath(QStringLiteral("shortcuts"))));
    qunsetenv("HOMEBREW_BREW_FILE");
    // Files the previous test left in the home folder.
    for (const QString& name : QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        QVERIFY(QFileInfo(m_home.filePath(name)).isDir() ? QDir(m_home.filePath(name)).removeRecursively()
                                                         : QFile::remove(m_home.filePath(name)));
    m_mac = std::make_unique<FakeMac>();
    QVERIFY2(m_mac->isValid(), qPrintable(m_mac->error()));
}

void EngineStatusTest::cleanup()
{
    m_mac.reset();
    qunsetenv(AppRuntime::logDirVariable);
    qunsetenv(AppRuntime::shortcutDirVariable);
    qunsetenv("HOMEBREW_BREW_FILE");
}

// ------------------------------------------------------------------ status

void EngineStatusTest::statusTable_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("version");
    QTest::addColumn<InstallStatus>("expected");

    const auto installed = InstallStatus::installed;
    const auto missing = InstallStatus::missing;
    const QString v = QStringLiteral("14.5");

    const AppItem vlc = entry("vlc", AppKind::cask, {"vlc"}, {"/Applications/VLC.app"});
    QTest::newRow("cask listed, app present") << vlc << QStringList{"casks:vlc", "dir:/Applications/VLC.app"} << v
                                              << installed;
    QTest::newRow("cask listed, app absent") << vlc << QStringList{"casks:vlc"} << v << missing;
    QTest::newRow("cask present but not listed") << vlc << QStringList{"dir:/Applications/VLC.app"} << v << missing;
    QTest::newRow("cask listed as a formula only") << vlc << QStringList{"formulae:vlc", "dir:/Applications/VLC.app"}
                                                   << v << missing;
    QTest::newRow("inventory line with a trailing blank") << vlc
                                                          << QStringList{"casks:vlc ", "dir:/Applications/VLC.app"}
                                                          << v << missing;
    QTest::newRow("cask without paths, all listed")
        << entry("fonts", AppKind::cask, {"font-a", "font-b"}) << QStringList{"casks:font-a,font-b"} << v << installed;
    QTest::newRow("cask without paths, one unlisted")
        << entry("fonts", AppKind::cask, {"font-a", "font-b"}) << QStringList{"casks:font-b"} << v << missing;

    const AppItem libre = entry("libreoffice", AppKind::cask, {"libreoffice", "libreoffice-language-pack"},
                                {"/Applications/LibreDevivu.app"});
    const QStringList libreListed{"casks:libreoffice,libreoffice-language-pack", "dir:/Applications/LibreDevivu.app"};
    QTest::newRow("libreoffice without dictionary") << libre << libreListed << v << missing;
    QTest::newRow("libreoffice, dictionary in the app")
        << libre << libreListed + QStringList{"file:/Applications/LibreDevivu.app/Contents/Resources/extensions/dict-vi/vi_VN.dic"}
        << v << installed;
    QTest::newRow("libreoffice, dictionary among user packages")
        << libre
        << libreListed
               + QStringList{"file:~/Library/Application Support/LibreDevivu/4/user/uno_packages/cache/x/VI_VN.AFF"}
        << v << installed;
    QTest::newRow("libreoffice, dictionary in a hidden folder")
        << libre << libreListed + QStringList{"file:~/Library/Application Support/LibreDevivu/4/user/extensions/.tmp/vi_VN.dic"}
        << v << missing;
    QTest::newRow("libreoffice without paths is never installed")
        << entry("libreoffice", AppKind::cask, {"libreoffice"}) << QStringList{"casks:libreoffice",
               "file:~/Library/Application Support/LibreDevivu/4/user/extensions/vi_VN.dic"}
        << v << missing;

    const AppItem scanner = entry("scanner", AppKind::formula, {"sane-backends"}, {"/Applications/Nowhere.app"},
                                  {"scanimage", "sane-find-scanner"});
    QTest::newRow("formula listed, no command resolves") << scanner << QStringList{"formulae:sane-backends"} << v
                                                         << missing;
    QTest::newRow("formula listed, one command resolves")
        << scanner << QStringList{"formulae:sane-backends", "tool:/opt/homebrew/bin/sane-find-scanner"} << v
        << installed;
    QTest::newRow("formula command not executable")
        << scanner << QStringList{"formulae:sane-backends", "file:/opt/homebrew/bin/scanimage"} << v << missing;
    QTest::newRow("formula without commands")
        << entry("ocr", AppKind::formula, {"ocrmypdf", "tesseract-lang"}) << QStringList{"formulae:ocrmypdf,tesseract-lang"}
        << v << installed;
    QTest::newRow("formula, second package unlisted")
        << entry("ocr", AppKind::formula, {"ocrmypdf", "tesseract-lang"}) << QStringList{"formulae:ocrmypdf"} << v
        << missing;

    const AppItem archive = entry("archive", AppKind::bundle, {"formula:p7zip", "cask:keka"}, {"/Applications/Keka.app"},
                                  {"zip", "7z"});
    const QStringList archiveReady{"formulae:p7zip", "casks:keka", "dir:/Applications/Keka.app", "tool:/usr/bin/zip",
                                   "tool:/opt/homebrew/bin/7z"};
    QTest::newRow("bundle complete") << archive << archiveReady << v << installed;
    QTest::newRow("bundle needs every command") << archive << archiveReady.mid(0, 4) << v << missing;
    QTest::newRow("bundle cask listed as formula")
        << archive << QStringList{"formulae:p7zip,keka"} + archiveReady.mid(2) << v << missing;
    QTest::newRow("bundle, unprefixed entry is a formula")
        << entry("b", AppKind::bundle, {"cask:keka", "Cask:odd"}) << QStringList{"casks:keka", "formulae:Cask:odd"}
        << v << installed;

    QTest::newRow("builtin ready") << builtinReady(entry("kb", AppKind::builtin)) << QStringList{} << v << installed;
    QTest::newRow("builtin by path")
        << entry("disk", AppKind::builtin, {}, {"/System/Applications/Utilities/Disk Utility.app"})
        << QStringList{"dir:/System/Applications/Utilities/Disk Utility.app"} << v << installed;
    QTest::newRow("builtin by command") << entry("t", AppKind::builtin, {}, {"/Applications/None.app"}, {"screencapture"})
                                        << QStringList{"tool:/usr/sbin/screencapture"} << v << installed;
    QTest::newRow("builtin with nothing") << entry("t", AppKind::builtin, {}, {"/Applications/None.app"}, {"none"})
                                          << QStringList{} << v << missing;

    QTest::newRow("minimum equal to the running major")
        << withMinimum(vlc, 14) << QStringList{"casks:vlc", "dir:/Applications/VLC.app"} << v << installed;
    QTest::newRow("minimum above: blocked, even builtin")
        << withMinimum(builtinReady(entry("kb", AppKind::builtin)), 15) << QStringList{} << v << InstallStatus::blocked;
    QTest::newRow("minimum against an unknown version")
        << withMinimum(vlc, 12) << QStringList{"casks:vlc", "dir:/Applications/VLC.app"} << QString()
        << InstallStatus::blocked;
    QTest::newRow("blocked kind") << entry("deja", AppKind::blocked) << QStringList{} << v << InstallStatus::blocked;

    QTest::newRow("shortcut file present") << shortcutEntry() << QStringList{"shortcut:Microsoft 365.webloc"} << v
                                           << installed;
    QTest::newRow("shortcut file absent") << shortcutEntry() << QStringList{"shortcut:Teams.webloc"} << v << missing;
    QTest::newRow("shortcut entry without record") << entry("s", AppKind::shortcut) << QStringList{} << v << missing;

    const QStringList ledgerPaths{"/Applications/Ledger.app", "~/Applications/Ledger.app"};
    QTest::newRow("direct: first path fails, second passes")
        << directEntry(ledgerPaths)
        << QStringList{"signed:/Applications/Ledger.app:com.cedarlabs.ledger:ZZ99ZZ99ZZ",
                       "signed:~/Applications/Ledger.app:com.cedarlabs.ledger:AB12CD34EF"}
        << v << installed;
    QTest::newRow("direct: only an unsigned copy")
        << directEntry(ledgerPaths) << QStringList{"bundle:/Applications/Ledger.app:com.cedarlabs.ledger"} << v
        << missing;
    QTest::newRow("direct: nothing on disk") << directEntry(ledgerPaths) << QStringList{} << v << missing;
    QTest::newRow("direct without installer data")
        << directEntry(ledgerPaths, false) << QStringList{"signed:/Applications/Ledger.app:com.cedarlabs.ledger:AB12CD34EF"}
        << v << missing;

    const AppItem mime = entry("mime", AppKind::mime, {"duti"});
    const QStringList onlyoffice{"bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice", "duti"};
    QTest::newRow("mime: default for all six") << mime << onlyoffice + QStringList{"defaults:asc.onlyoffice"} << v
                                               << installed;
    QTest::newRow("mime: one extension elsewhere")
        << mime << onlyoffice + QStringList{"defaults:asc.onlyoffice", "default:pptx:com.microsoft.Powerpoint"} << v
        << missing;
}

void EngineStatusTest::statusTable()
{
    QFETCH(AppItem, item);
    QFETCH(QStringList, setup);
    QFETCH(QString, version);
    QFETCH(InstallStatus, expected);

    QVERIFY(prepare(*m_mac, setup));
    QVERIFY(m_mac->setProductVersion(version));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());

    QCOMPARE(backend.status(item), expected);
    m_mac->clearCalls();
    const QHash<QString, InstallStatus> batch = backend.statuses({item});
    QCOMPARE(batch.size(), 1);
    QCOMPARE(batch.value(item.id), expected);
    // The batch reads Homebrew's inventory once; it never asks per package.
    QCOMPARE(brewCalls(*m_mac), (QStringList{"list --formula -1", "list --cask -1"}));
    QCOMPARE(recorder.messages, QStringList());
}

void EngineStatusTest::wholeCatalogBothPaths()
{
    QVERIFY(prepare(*m_mac, {"casks:vlc,skim,onlyoffice,keka", "formulae:p7zip,sane-backends,ocrmypdf",
                             "tool:/opt/homebrew/bin/ocrmypdf",
                             "dir:/Applications/VLC.app", "dir:/Applications/Skim.app", "dir:/Applications/Keka.app",
                             "tool:/usr/bin/zip", "tool:/usr/bin/unzip", "tool:/opt/homebrew/bin/7z",
                             "tool:/opt/homebrew/bin/scanimage", "bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice",
                             "duti", "defaults:asc.onlyoffice", "shortcut:Google Meet.webloc",
                             "signed:~/Applications/Slack.app:com.tinyspeck.slackmacgap:BQR82RBBHL",
                             "signed:/Applications/Telegram.app:com.tdesktop.Telegram:ZZ99ZZ99ZZ"}));
    QVERIFY(m_mac->setProductVersion(QStringLiteral("13.6.1")));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    m_mac->clearCalls();
    const QHash<QString, InstallStatus> batch = backend.statuses(Catalog::items());
    QCOMPARE(brewCalls(*m_mac), (QStringList{"list --formula -1", "list --cask -1"}));
    QCOMPARE(batch.size(), Catalog::items().size());

    QStringList installed;
    for (const AppItem& item : Catalog::items()) {
        QCOMPARE(backend.status(item), batch.value(item.id));
        if (batch.value(item.id) == InstallStatus::installed)
            installed << item.id;
    }
    QCOMPARE(installed, (QStringList{"ibus-unikey", "evince", "xournalpp", "archive-tools", "flameshot", "onlyoffice",
                                     "onlyoffice-mime", "printer-drivers", "scanner-tools", "slack", "meet-shortcut",
                                     "vlc", "gnome-disks"}));
    QCOMPARE(batch.value("ocrmypdf"), InstallStatus::missing); // tesseract-lang is not listed
    QCOMPARE(batch.value("remmina"), InstallStatus::blocked); // macOS 14 or later
    QCOMPARE(batch.value("telegram"), InstallStatus::missing); // signed by another team
}

void EngineStatusTest::noHomebrewStartsNoProcess()
{
    QVERIFY(prepare(*m_mac, {"nobrew", "casks:vlc", "dir:/Applications/VLC.app"}));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QCOMPARE(backend.brewPath(), std::nullopt);
    const QHash<QString, InstallStatus> batch = backend.statuses(Catalog::items());
    QCOMPARE(m_mac->calls(), QList<QStringList>());
    for (const AppItem& item : Catalog::items()) {
        if (!item.packages.isEmpty() && item.kind != AppKind::mime && !item.minimumMacOSMajor)
            QCOMPARE(batch.value(item.id), InstallStatus::missing);
        QCOMPARE(backend.status(item), batch.value(item.id));
    }
    QCOMPARE(m_mac->calls(), QList<QStringList>());
}

void EngineStatusTest::directSecondPathPasses()
{
    const AppItem& thunderbird = catalogEntry("thunderbird");
    const QString home = AppRuntime::homeDirectory() + QStringLiteral("/Applications/Thunderbird.app");
    QVERIFY(prepare(*m_mac, {"signed:/Applications/Thunderbird.app:org.mozilla.thunderbird:ZZ99ZZ99ZZ",
                             "signed:~/Applications/Thunderbird.app:org.mozilla.thunderbird:43AQ936H96"}));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QCOMPARE(backend.status(thunderbird), InstallStatus::installed);
    QStringList steps;
    for (const QStringList& call : m_mac->calls())
        steps << call.value(0) + QLatin1Char(' ') + call.value(1) + QLatin1Char(' ') + call.last();
    QCOMPARE(steps, (QStringList{"/usr/bin/codesign --verify /Applications/Thunderbird.app",
                                 "/usr/bin/codesign --verify " + home, "/usr/bin/codesign -dv " + home,
                                 "/usr/sbin/spctl --assess " + home}));
}

void EngineStatusTest::brewPathCandidates_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QString>("brewFile"); // HOMEBREW_BREW_FILE; "<unset>" leaves it unset
    QTest::addColumn<QString>("expected"); // "" for none

    const QString homeBrew = AppRuntime::homeDirectory() + QStringLiteral("/brew/bin/brew");
    QTest::newRow("fixed path") << QStringList{} << "<unset>" << brewMac;
    QTest::newRow("variable first") << QStringList{"tool:" + homeBrew} << homeBrew << homeBrew;
    QTest::newRow("variable as a Mac path") << QStringList{"tool:/usr/local/bin/brew"} << "/usr/local/bin/brew"
                                            << "/usr/local/bin/brew";
    QTest::newRow("variable not executable") << QStringList{"file:" + homeBrew} << homeBrew << brewMac;
    QTest::newRow("variable untrimmed") << QStringList{"tool:" + homeBrew} << " " + homeBrew << brewMac;
    QTest::newRow("variable empty") << QStringList{} << "" << brewMac;
    QTest::newRow("then /usr/local") << QStringList{"nobrew", "tool:/usr/local/bin/brew"} << "<unset>"
                                     << "/usr/local/bin/brew";
    QTest::newRow("then the search path") << QStringList{"nobrew", "tool:/usr/bin/brew"} << "<unset>"
                                          << "/usr/bin/brew";
    QTest::newRow("a folder is not brew") << QStringList{"nobrew", "dir:/usr/local/bin/brew"} << "<unset>" << "";
    QTest::newRow("none") << QStringList{"nobrew"} << "<unset>" << "";
}

void EngineStatusTest::brewPathCandidates()
{
    QFETCH(QStringList, setup);
    QFETCH(QString, brewFile);
    QFETCH(QString, expected);
    QVERIFY(prepare(*m_mac, setup));
    if (brewFile != QLatin1String("<unset>"))
        qputenv("HOMEBREW_BREW_FILE", brewFile.toUtf8());
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QCOMPARE(backend.brewPath().value_or(QString()), expected);
    // Nothing is kept between calls.
    if (!expected.isEmpty()) {
        QVERIFY(QFile::remove(m_mac->path(expected)));
        QVERIFY(backend.brewPath() != std::optional<QString>(expected));
    }
}

void EngineStatusTest::installStatusSnapshot()
{
    QVERIFY(prepare(*m_mac, {"casks:vlc", "dir:/Applications/VLC.app"}));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    const QList<QMap<QString, QString>> rows = backend.installStatusSnapshot();
    const QList<AppItem> unique = Catalog::uniqueInstallItems(Catalog::items());
    QCOMPARE(rows.size(), unique.size());
    for (qsizetype index = 0; index < rows.size(); ++index) {
        QCOMPARE(rows.at(index).keys(), (QStringList{"group_key", "item_id", "kind", "name", "status"}));
        QCOMPARE(rows.at(index).value("item_id"), unique.at(index).id);
    }
    const auto vlc = std::find_if(rows.begin(), rows.end(), [](const auto& row) { return row.value("item_id") == "vlc"; });
    QVERIFY(vlc != rows.end());
    QCOMPARE(*vlc, (QMap<QString, QString>{{"item_id", "vlc"}, {"name", "VLC"}, {"group_key", "media"},
                                           {"kind", "cask"}, {"status", "installed"}}));
    // One list query per package, never the inventory.
    const QStringList calls = brewCalls(*m_mac);
    QVERIFY(!calls.isEmpty());
    for (const QString& call : calls)
        QVERIFY2(!call.endsWith(QLatin1String(" -1")), qPrintable(call));
}

void EngineStatusTest::onlyofficeDetection_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("bundle");
    QTest::addColumn<bool>("isDefault");
    QTest::addColumn<int>("queries"); // duti -x runs

    const QString fallback = QStringLiteral("org.onlyoffice.desktopeditors");
    QTest::newRow("only in the home folder") << QStringList{"bundle:~/Applications/ONLYDEVIVU.app:asc.onlyoffice",
                                                            "duti", "defaults:asc.onlyoffice"}
                                             << true << "asc.onlyoffice" << true << 6;
    QTest::newRow("no readable identifier: fallback")
        << QStringList{"dir:/Applications/ONLYDEVIVU Desktop Editors.app", "duti", "defaults:" + fallback} << true
        << fallback << true << 6;
    QTest::newRow("empty identifier skipped")
        << QStringList{"bundle:/Applications/ONLYDEVIVU.app:", "bundle:~/Applications/ONLYDEVIVU Desktop Editors.app:asc.x",
                       "duti", "defaults:asc.x"}
        << true << "asc.x" << true << 6;
    QTest::newRow("read-back names it inside a longer text")
        << QStringList{"bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice", "duti", "defaults:asc.onlyoffice.ONLYOFFICE"}
        << true << "asc.onlyoffice" << true << 6;
    QTest::newRow("stops at the first extension elsewhere")
        << QStringList{"bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice", "duti", "defaults:asc.onlyoffice",
                       "default:xlsx:com.microsoft.Excel"}
        << true << "asc.onlyoffice" << false << 4;
    QTest::newRow("an extension without a default")
        << QStringList{"bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice", "duti", "default:doc:asc.onlyoffice"}
        << true << "asc.onlyoffice" << false << 2;
    QTest::newRow("no duti") << QStringList{"bundle:/Applications/ONLYDEVIVU.app:asc.onlyoffice"} << true
                             << "asc.onlyoffice" << false << 0;
    QTest::newRow("not installed") << QStringList{"duti", "defaults:" + fallback} << false << fallback << false << 0;
}

void EngineStatusTest::onlyofficeDetection()
{
    QFETCH(QStringList, setup);
    QFETCH(bool, installed);
    QFETCH(QString, bundle);
    QFETCH(bool, isDefault);
    QFETCH(int, queries);
    QVERIFY(prepare(*m_mac, setup));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QCOMPARE(backend.onlyofficeInstalled(), installed);
    QCOMPARE(backend.onlyofficeBundleID(), bundle);
    QCOMPARE(backend.onlyofficeMimeIsDefault(), isDefault);
    const QList<QStringList> calls = m_mac->calls(QStringLiteral("/opt/homebrew/bin/duti"));
    QCOMPARE(calls.size(), queries);
    for (qsizetype index = 0; index < calls.size(); ++index)
        QCOMPARE(calls.at(index).mid(1), (QStringList{"-x", MacBackend::documentExtensions().at(index)}));
}

// ------------------------------------------------------------------ Homebrew packages

void EngineStatusTest::parseMixedBrewPackage_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("cask");

    QTest::newRow("cask") << "cask:keka" << "keka" << true;
    QTest::newRow("formula") << "formula:p7zip" << "p7zip" << false;
    QTest::newRow("bare") << "wget" << "wget" << false;
    QTest::newRow("formula named cask:x") << "formula:cask:x" << "cask:x" << false;
    QTest::newRow("prefix in another case") << "Cask:keka" << "Cask:keka" << false;
    QTest::newRow("nothing trimmed") << "cask: keka " << " keka " << true;
    QTest::newRow("empty cask name") << "cask:" << "" << true;
}

void EngineStatusTest::parseMixedBrewPackage()
{
    QFETCH(QString, entry);
    QFETCH(QString, name);
    QFETCH(bool, cask);
    QCOMPARE(MacBackend::parseMixedBrewPackage(entry), std::make_pair(name, cask));
    QCOMPARE(MacBackend::brewManagedLabel(name, cask),
             (cask ? QStringLiteral("app Homebrew cask ") : QStringLiteral("gói Homebrew formula ")) + name);
}

void EngineStatusTest::installLoop_data()
{
    QTest::addColumn<QString>("mode"); // formula, cask or mixed
    QTest::addColumn<QStringList>("packages");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("runs");     // brew calls other than list queries
    QTest::addColumn<QStringList>("progress"); // empty: not compared

    QTest::newRow("two names around an empty one")
        << "formula" << QStringList{"wget", "", "jq"} << QStringList{} << true
        << QStringList{"install wget", "install jq"}
        << QStringList{"Đang cài gói Homebrew formula wget @ 0.12", "Đã xử lý gói Homebrew formula wget @ 0.50",
                       "Đang cài gói Homebrew formula jq @ 0.50", "Đã xử lý gói Homebrew formula jq @ 0.88"};
    QTest::newRow("already listed is not installed again")
        << "cask" << QStringList{"vlc", "gimp"} << QStringList{"casks:vlc"} << true
        << QStringList{"install --cask gimp"}
        << QStringList{"app Homebrew cask vlc đã có sẵn @ 0.12", "Đang cài app Homebrew cask gimp @ 0.50",
                       "Đã xử lý app Homebrew cask gimp @ 0.88"};
    QTest::newRow("second of three fails, the third still runs")
        << "formula" << QStringList{"a", "b", "c"} << QStringList{"state:brew-fail:install b"} << false
        << QStringList{"install a", "install b", "install c"}
        << QStringList{"Đang cài gói Homebrew formula a @ 0.12", "Đã xử lý gói Homebrew formula a @ 0.37",
                       "Đang cài gói Homebrew formula b @ 0.37", "Đã xử lý gói Homebrew formula b @ 0.63",
                       "Đang cài gói Homebrew formula c @ 0.63", "Đã xử lý gói Homebrew formula c @ 0.88"};
    QTest::newRow("the language pack gets its option")
        << "cask" << QStringList{"libreoffice", "libreoffice-language-pack"} << QStringList{} << true
        << QStringList{"install --cask libreoffice", "install --cask --language=vi libreoffice-language-pack"}
        << QStringList{};
    QTest::newRow("a formula of that name does not")
        << "formula" << QStringList{"libreoffice-language-pack"} << QStringList{} << true
        << QStringList{"install libreoffice-language-pack"} << QStringList{};
    QTest::newRow("mixed entries, each its own kind")
        << "mixed" << QStringList{"formula:p7zip", "", "cask:keka", "cask:libreoffice-language-pack", "Cask:y"}
        << QStringList{"formulae:Cask:y"} << true
        << QStringList{"install p7zip", "install --cask keka", "install --cask libreoffice-language-pack"}
        << QStringList{"Đang cài gói Homebrew formula p7zip @ 0.12", "Đã xử lý gói Homebrew formula p7zip @ 0.31",
                       "Đang cài app Homebrew cask keka @ 0.31", "Đã xử lý app Homebrew cask keka @ 0.50",
                       "Đang cài app Homebrew cask libreoffice-language-pack @ 0.50",
                       "Đã xử lý app Homebrew cask libreoffice-language-pack @ 0.69",
                       "gói Homebrew formula Cask:y đã có sẵn @ 0.69"};
    QTest::newRow("mixed failure") << "mixed" << QStringList{"cask:keka", "p7zip"}
                                   << QStringList{"state:brew-fail:install keka"} << false
                                   << QStringList{"install --cask keka", "install p7zip"} << QStringList{};
    QTest::newRow("nothing to do") << "cask" << QStringList{"", ""} << QStringList{} << true << QStringList{}
                                   << QStringList{};
}

void EngineStatusTest::installLoop()
{
    checkBrewLoop(true);
}

void EngineStatusTest::installLogLines()
{
    QVERIFY(prepare(*m_mac, {"casks:vlc"}));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QVERIFY(backend.installBrewPackages({"vlc", "gimp"}, true));
    QCOMPARE(recorder.messages,
             (QStringList{"Đã tìm thấy Homebrew: /opt/homebrew/bin/brew", "app Homebrew cask vlc đã có sẵn.",
                          "PROGRESS 12%: app Homebrew cask vlc đã có sẵn",
                          "PROGRESS 50%: Đang cài app Homebrew cask gimp", "$ brew install --cask gimp",
                          "==> Fetching gimp", "==> Downloading https://ghcr.io/v2/homebrew/core/gimp/blobs/sha256:0f6b2a9d",
                          "==> Installing Cask gimp", "🍺  gimp was successfully installed!",
                          "Hoàn tất: brew install --cask gimp (exit 0)",
                          "PROGRESS 88%: Đã xử lý app Homebrew cask gimp"}));
    // The package is now what Homebrew lists.
    QCOMPARE(m_mac->state("brew-casks"), QByteArray("vlc\ngimp\n"));
}

void EngineStatusTest::uninstallLoop_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QStringList>("packages");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("result");
    QTest::addColumn<QStringList>("runs");
    QTest::addColumn<QStringList>("progress");

    QTest::newRow("last package first")
        << "formula" << QStringList{"a", "", "b"} << QStringList{"formulae:a,b"} << true
        << QStringList{"uninstall b", "uninstall a"}
        << QStringList{"Đang gỡ gói Homebrew formula b @ 0.15", "Đã xử lý gỡ gói Homebrew formula b @ 0.50",
                       "Đang gỡ gói Homebrew formula a @ 0.50", "Đã xử lý gỡ gói Homebrew formula a @ 0.85"};
    QTest::newRow("an unlisted package makes it false")
        << "formula" << QStringList{"a", "b"} << QStringList{"formulae:a"} << false << QStringList{"uninstall a"}
        << QStringList{"gói Homebrew formula b không do Homebrew quản lý; không tự động gỡ @ 0.15",
                       "Đang gỡ gói Homebrew formula a @ 0.50", "Đã xử lý gỡ gói Homebrew formula a @ 0.85"};
    QTest::newRow("a failed removal, the rest still run")
        << "cask" << QStringList{"x", "y", "z"} << QStringList{"casks:x,y,z", "state:brew-fail:uninstall y"} << false
        << QStringList{"uninstall --cask z", "uninstall --cask y", "uninstall --cask x"} << QStringList{};
    QTest::newRow("mixed: an unlisted entry is skipped")
        << "mixed" << QStringList{"formula:p7zip", "cask:keka"} << QStringList{"formulae:p7zip"} << true
        << QStringList{"uninstall p7zip"}
        << QStringList{"app Homebrew cask keka chưa có receipt Homebrew @ 0.15", "Đang gỡ gói Homebrew formula p7zip @ 0.50",
                       "Đã xử lý gỡ gói Homebrew formula p7zip @ 0.85"};
    QTest::newRow("mixed failure") << "mixed" << QStringList{"cask:keka"}
                                   << QStringList{"casks:keka", "state:brew-fail:uninstall keka"} << false
                                   << QStringList{"uninstall --cask keka"} << QStringList{};
}

void EngineStatusTest::uninstallLoop()
{
    checkBrewLoop(false);
}

// The install and removal tables: runs the loop of the row's mode, then
// compares the result, the brew runs other than list queries, the progress
// and (for removals) the log line of each unlisted package.
void EngineStatusTest::checkBrewLoop(bool install)
{
    QFETCH(QString, mode);
    QFETCH(QStringList, packages);
    QFETCH(QStringList, setup);
    QFETCH(bool, result);
    QFETCH(QStringList, runs);
    QFETCH(QStringList, progress);

    for (const QString& directive : setup) {
        if (directive.startsWith(QLatin1String("state:")))
            QVERIFY(m_mac->setState(directive.section(':', 1, 1), directive.section(':', 2).toUtf8() + '\n'));
        else
            QVERIFY(prepare(*m_mac, {directive}));
    }
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    const bool mixed = mode == QLatin1String("mixed");
    const bool cask = mode == QLatin1String("cask");
    const bool actual = install ? (mixed ? backend.installMixedBrewPackages(packages)
                                         : backend.installBrewPackages(packages, cask))
                                : (mixed ? backend.uninstallMixedBrewPackages(packages)
                                         : backend.uninstallBrewPackages(packages, cask));
    QCOMPARE(actual, result);
    QStringList changes;
    for (const QString& call : brewCalls(*m_mac))
        if (!call.startsWith(QLatin1String("list ")))
            changes << call;
    QCOMPARE(changes, runs);
    if (!progress.isEmpty())
        QCOMPARE(recorder.progress, progress);
    if (install)
        return;
    const QStringList logged = recorder.messages.filter(QStringLiteral("chưa có receipt cài đặt."));
    QCOMPARE(logged.size(), recorder.progress.filter(QStringLiteral("không do Homebrew")).size()
                                + recorder.progress.filter(QStringLiteral("chưa có receipt Homebrew")).size());
}

void EngineStatusTest::withoutHomebrew()
{
    QVERIFY(prepare(*m_mac, {"nobrew"}));
    const QString installMessage = QStringLiteral("Chưa tìm thấy Homebrew. Cài Homebrew trước: https://brew.sh");
    const QString removalMessage = QStringLiteral("Chưa tìm thấy Homebrew nên không thể gỡ package Homebrew.");
    const QList<std::pair<std::function<bool(MacBackend&)>, QString>> operations{
        {[](MacBackend& b) { return b.installBrewPackages({}, false); }, installMessage},
        {[](MacBackend& b) { return b.installMixedBrewPackages({"cask:keka"}); }, installMessage},
        {[](MacBackend& b) { return b.uninstallBrewPackages({"vlc"}, true); }, removalMessage},
        {[](MacBackend& b) { return b.uninstallMixedBrewPackages({}); }, removalMessage},
    };
    for (const auto& [operation, message] : operations) {
        Recorder recorder;
        MacBackend backend = engine(recorder, m_mac->host());
        QVERIFY(!operation(backend));
        QCOMPARE(recorder.messages, QStringList{message});
        QVERIFY(recorder.progress.isEmpty());
    }
    QCOMPARE(m_mac->calls(), QList<QStringList>());
}

// ------------------------------------------------------------------ checks and blockers

namespace {

// The facts of the check and blocker tables.
struct Facts {
    QString version = QStringLiteral("14.5");
    QString architecture = QStringLiteral("arm64");
    qint64 freeBytes = 42 * gigabyte + gigabyte / 2;
    uint userId = 501;
    bool resolves = true;
    bool xcode = true;
    bool brew = true;
    QString user = QStringLiteral("tech"); // "<unset>": USER not set
};

} // namespace

void EngineStatusTest::checkRows_data()
{
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<qint64>("freeBytes");
    QTest::addColumn<uint>("userId");
    QTest::addColumn<bool>("resolves");
    QTest::addColumn<bool>("xcode");
    QTest::addColumn<bool>("brew");
    QTest::addColumn<QString>("user");
    QTest::addColumn<QStringList>("changes"); // "N=name|level|detail" replacing row N of the baseline

    const auto row = [](const char* name, Facts facts, QStringList changes) {
        QTest::newRow(name) << facts.version << facts.architecture << facts.freeBytes << facts.userId << facts.resolves
                            << facts.xcode << facts.brew << facts.user << changes;
    };
    row("baseline", {}, {});
    Facts f;
    f.freeBytes = 5 * gigabyte - 1;
    row("just under 5 GB", f, {"5=Dung lượng trống|fail|4GB trống trên /."});
    f.freeBytes = 5 * gigabyte;
    row("exactly 5 GB", f, {"5=Dung lượng trống|ok|5GB trống trên /."});
    f = {};
    f.freeBytes = -1;
    row("free space unknown", f, {"5=Dung lượng trống|fail|0GB trống trên /."});
    f = {};
    f.version = "13.0";
    row("macOS 13", f, {"0=macOS compatibility|ok|macOS 13.0.0."});
    f.version = "12.7.4";
    row("macOS 12", f,
        {"0=macOS compatibility|warn|macOS 12.7.4 legacy. Homebrew/app cask có thể thiếu package."});
    f.version = "11.2";
    row("macOS 11", f, {"0=macOS compatibility|fail|macOS 11.2.0 quá cũ. Target tối thiểu: macOS 13."});
    f.version = "";
    row("no SystemVersion.plist", f, {"0=macOS compatibility|fail|macOS 0.0.0 quá cũ. Target tối thiểu: macOS 13."});
    f = {};
    f.architecture = "";
    row("architecture unknown", f, {"1=CPU architecture|fail|"});
    f.architecture = "x86_64";
    row("Intel", f, {"1=CPU architecture|ok|x86_64"});
    f.architecture = "i386";
    row("unsupported processor", f, {"1=CPU architecture|fail|i386"});
    f = {};
    f.userId = 0;
    row("root", f, {"6=user mode|warn|Không nên chạy Homebrew GUI app bằng root."});
    f = {};
    f.user = "<unset>";
    row("USER not set", f, {"6=user mode|ok|User: unknown"});
    f = {};
    f.resolves = false;
    row("DNS down", f, {"3=Internet connection|warn|Không phân giải được formulae.brew.sh."});
    f = {};
    f.xcode = false;
    row("xcode-select missing", f,
        {"4=Xcode Command Line Tools|warn|Không bắt buộc để mở app. Chỉ có thể cần khi Homebrew phải build formula từ "
         "source."});
    f = {};
    f.brew = false;
    row("no Homebrew", f, {"2=Homebrew|warn|Chưa tìm thấy brew. Cài từ https://brew.sh"});
}

void EngineStatusTest::checkRows()
{
    QFETCH(QString, version);
    QFETCH(QString, architecture);
    QFETCH(qint64, freeBytes);
    QFETCH(uint, userId);
    QFETCH(bool, resolves);
    QFETCH(bool, xcode);
    QFETCH(bool, brew);
    QFETCH(QString, user);
    QFETCH(QStringList, changes);

    QVERIFY(m_mac->setProductVersion(version));
    if (!xcode)
        QVERIFY(m_mac->removeState(QStringLiteral("xcode-select-path")));
    if (!brew)
        QVERIFY(prepare(*m_mac, {"nobrew"}));
    Host host = m_mac->host();
    host.setArchitecture(architecture);
    host.setFreeBytes(freeBytes < 0 ? std::nullopt : std::optional<qint64>(freeBytes));
    host.setEffectiveUserId(userId);
    QStringList resolved;
    host.setResolver([&](const QString& name) {
        resolved << name;
        return resolves;
    });
    const QByteArray savedUser = qgetenv("USER");
    if (user == QLatin1String("<unset>"))
        qunsetenv("USER");
    else
        qputenv("USER", user.toUtf8());

    Recorder recorder;
    MacBackend backend = engine(recorder, host);
    const QList<SystemCheck> checks = backend.systemChecks();
    qputenv("USER", savedUser);

    QStringList expected{
        "macOS compatibility|ok|macOS 14.5.0.",
        "CPU architecture|ok|arm64",
        "Homebrew|ok|/opt/homebrew/bin/brew",
        "Internet connection|ok|Có thể phân giải formulae.brew.sh.",
        "Xcode Command Line Tools|ok|Đã có xcode-select.",
        "Dung lượng trống|ok|42GB trống trên /.",
        "user mode|ok|User: tech",
        "LibreDevivu|warn|Chưa cài.",
        "ONLYDEVIVU|warn|Chưa cài.",
    };
    for (const QString& change : changes)
        expected[change.section(QLatin1Char('='), 0, 0).toInt()] = change.section(QLatin1Char('='), 1);
    QStringList actual;
    QSet<QUuid> ids;
    for (const SystemCheck& check : checks) {
        actual << check.name + QLatin1Char('|') + levelName(check.level) + QLatin1Char('|') + check.detail;
        ids.insert(check.id);
    }
    QCOMPARE(actual, expected);
    QCOMPARE(ids.size(), 9);
    QCOMPARE(resolved, QStringList{"formulae.brew.sh"});
    QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/xcode-select")), (QList<QStringList>{{"/usr/bin/xcode-select", "-p"}}));
    QVERIFY(recorder.messages.isEmpty());

    // The interface recognises every Vietnamese detail the engine writes.
    const AppStrings english(AppLanguage::english);
    for (const SystemCheck& check : checks) {
        const QString shown = english.systemCheckDetail(check);
        for (const QChar character : shown)
            QVERIFY2(character.unicode() < 0x80, qPrintable(check.name + ": " + shown));
    }
}

void EngineStatusTest::installedSuiteRows()
{
    QVERIFY(prepare(*m_mac, {"casks:onlyoffice,libreoffice,libreoffice-language-pack", "dir:/Applications/ONLYDEVIVU Desktop Editors.app",
                             "dir:/Applications/LibreDevivu.app"}));
    Recorder recorder;
    MacBackend backend = engine(recorder, m_mac->host());
    QList<SystemCheck> checks = backend.systemChecks();
    QCOMPARE(checks.at(7).level, SystemCheck::Level::warn); // no Vietnamese dictionary
    QCOMPARE(checks.at(8).level, SystemCheck::Level::ok);
    QCOMPARE(checks.at(8).detail, QStringLiteral("Đã cài."));
    QVERIFY(prepare(*m_mac, {"file:~/Applications/LibreDevivu.app/Contents/Resources/extensions/vi/vi_VN.dic"}));
    checks = backend.systemChecks();
    QCOMPARE(checks.at(7).level, SystemCheck::Level::ok);
    QCOMPARE(checks.at(7).detail, QStringLiteral("Đã cài."));
}

void EngineStatusTest::blockers_data()
{
    QTest::addColumn<QStringList>("kinds"); // entry kinds; "min14:KIND" needs macOS 14
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("architecture");
    QTest::addColumn<int>("freeGB");
    QTest::addColumn<bool>("brew");
    QTest::addColumn<bool>("resolves");
    QTest::addColumn<QStringList>("messages");

    const QString space5 = QStringLiteral("Cần tối thiểu 5GB trống trên /. Hiện còn 4GB.");
    const QString noBrew = QStringLiteral("Chưa có Homebrew. Cài Homebrew từ https://brew.sh rồi chạy lại.");
    const QString noDNS =
        QStringLiteral("Không phân giải được formulae.brew.sh. Kiểm tra Internet/DNS trước khi cài bằng Homebrew.");

    QTest::newRow("4 GB, one direct entry") << QStringList{"direct"} << "14.5" << "arm64" << 4 << true << true
                                            << QStringList{};
    QTest::newRow("4 GB, two direct entries") << QStringList{"direct", "direct"} << "14.5" << "arm64" << 4 << true
                                              << true << QStringList{space5};
    QTest::newRow("4 GB, a cask and a formula") << QStringList{"cask", "formula", "shortcut"} << "14.5" << "arm64" << 4
                                                << true << true << QStringList{space5};
    QTest::newRow("no space, one bundle") << QStringList{"bundle"} << "14.5" << "arm64" << 0 << true << true
                                          << QStringList{"Cần tối thiểu 1GB trống trên /. Hiện còn 0GB."};
    QTest::newRow("mime needs Homebrew, not space") << QStringList{"mime"} << "14.5" << "arm64" << 0 << false << false
                                                    << QStringList{noBrew, noDNS};
    QTest::newRow("shortcut and builtin need nothing")
        << QStringList{"shortcut", "builtin", "blocked"} << "14.5" << "arm64" << 0 << false << false << QStringList{};
    QTest::newRow("macOS 12 does not block") << QStringList{"cask"} << "12.6" << "x86_64" << 40 << true << true
                                             << QStringList{};
    QTest::newRow("macOS 11 blocks first")
        << QStringList{"cask"} << "11.7" << "arm64" << 40 << true << false
        << QStringList{"macOS 11.7.0 quá cũ. Target tối thiểu: macOS 13.", noDNS};
    QTest::newRow("empty list: at most the first two")
        << QStringList{} << "11.0" << "" << 0 << false << false
        << QStringList{"macOS 11.0.0 quá cũ. Target tối thiểu: macOS 13.",
                       "Chỉ hỗ trợ CPU arm64 hoặc x86_64. Máy hiện tại: ."};
    QTest::newRow("an entry for a newer macOS")
        << QStringList{"min14:cask", "direct"} << "13.6" << "arm64" << 40 << true << true
        << QStringList{"Entry 0 yêu cầu macOS 14 trở lên."};
    QTest::newRow("everything at once")
        << QStringList{"min14:formula", "direct"} << "11.0" << "i386" << 2 << false << false
        << QStringList{"macOS 11.0.0 quá cũ. Target tối thiểu: macOS 13.",
                       "Chỉ hỗ trợ CPU arm64 hoặc x86_64. Máy hiện tại: i386.", "Entry 0 yêu cầu macOS 14 trở lên.",
                       noBrew, noDNS, "Cần tối thiểu 5GB trống trên /. Hiện còn 2GB."};
}

void EngineStatusTest::blockers()
{
    QFETCH(QStringList, kinds);
    QFETCH(QString, version);
    QFETCH(QString, architecture);
    QFETCH(int, freeGB);
    QFETCH(bool, brew);
    QFETCH(bool, resolves);
    QFETCH(QStringList, messages);

    QList<AppItem> items;
    for (const QString& kind : kinds) {
        AppItem item = entry(QString::number(items.size()), *EnumText::fromString<AppKind>(kind.section(':', -1)));
        if (kind.startsWith(QLatin1String("min14:")))
            item.minimumMacOSMajor = 14;
        items << item;
    }
    if (!brew)
        QVERIFY(prepare(*m_mac, {"nobrew"}));
    Host host = m_mac->host();
    host.setMacOSVersion(QVersionNumber::fromString(version.isEmpty() ? QStringLiteral("0") : version));
    host.setArchitecture(architecture);
    host.setFreeBytes(freeGB * gigabyte + gigabyte - 1);
    host.setResolver([resolves](const QString&) { return resolves; });
    Recorder recorder;
    MacBackend backend = engine(recorder, host);
    QCOMPARE(backend.installBlockers(items), messages);
    QCOMPARE(m_mac->calls(), QList<QStringList>()); // blockers start no process
}

QTEST_GUILESS_MAIN(EngineStatusTest)
#include "tst_engine_status.moc"
