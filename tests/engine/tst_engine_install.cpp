// Install, remove and open of every kind of catalog entry, run against the
// fake Mac's fixture programs.

#include "engine/DirectDownloadPolicy.h"
#include "CatalogEntry.h"
#include "EngineTestSupport.h"
#include "engine/MacBackend.h"
#include "platform/AppRuntime.h"
#include "platform/FileLock.h"
#include "platform/PropertyList.h"
#include "platform/TildePath.h"
#include "support/FakeMac.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

Q_DECLARE_METATYPE(AppItem)

namespace {

using EngineTestSupport::entry;
using EngineTestSupport::Recorder;

constexpr qint64 gigabyte = qint64(1) << 30;

const QString ledgerID = QStringLiteral("com.cedarlabs.ledger");
const QString ledgerTeam = QStringLiteral("AB12CD34EF");
const QString onlyofficeID = QStringLiteral("org.onlyoffice.desktopeditors");

// A vendor application downloaded from its own hosts.
AppItem ledger(DirectInstallerSpec::InstallerType type = DirectInstallerSpec::InstallerType::dmg,
               const QString& address = {})
{
    AppItem item = entry(QStringLiteral("ledger"), AppKind::direct, {},
                         {QStringLiteral("/Applications/Ledger.app"), QStringLiteral("~/Applications/Ledger.app")});
    item.macName = QStringLiteral("Ledger");
    const bool zip = type == DirectInstallerSpec::InstallerType::zip;
    item.directInstaller = DirectInstallerSpec{
        address.isEmpty() ? QStringLiteral("https://downloads.cedar.example/ledger/latest") : address,
        zip ? QStringLiteral("Ledger.zip") : QStringLiteral("Ledger.dmg"),
        type,
        QStringLiteral("Ledger.app"),
        ledgerID,
        ledgerTeam,
        {QStringLiteral("downloads.cedar.example"), QStringLiteral("cdn.cedar.example")}};
    return item;
}

AppItem shortcutEntry(const QString& url)
{
    AppItem item = entry(QStringLiteral("portal"), AppKind::shortcut);
    item.shortcut = ShortcutSpec{QStringLiteral("Portal.webloc"), QStringLiteral("Portal"), url};
    return item;
}

AppItem builtin(const QString& id, bool ready)
{
    AppItem item = entry(id, AppKind::builtin);
    item.builtinReady = ready;
    return item;
}

AppItem suite()
{
    return entry(QStringLiteral("libreoffice"), AppKind::cask, {QStringLiteral("libreoffice")},
                 {QStringLiteral("/Applications/LibreDevivu.app")});
}

const QString unopkgMac = QStringLiteral("/Applications/LibreDevivu.app/Contents/MacOS/unopkg");

// Whether the expected texts appear in this order among the messages.
bool inOrder(const QStringList& messages, const QStringList& expected, QString* missing)
{
    qsizetype from = 0;
    for (const QString& text : expected) {
        const qsizetype found = messages.indexOf(text, from);
        if (found < 0) {
            *missing = text;
            return false;
        }
        from = found + 1;
    }
    return true;
}

// Expands "~/" at the start of a text (a message or a path) to the home folder.
QString home(const QString& text)
{
    return text.startsWith(QLatin1String("~/")) ? AppRuntime::homeDirectory() + text.mid(1)
                                                 : QString(text).replace(QStringLiteral(": ~/"),
                                                                         QStringLiteral(": ") + AppRuntime::homeDirectory()
                                                                             + QLatin1Char('/'));
}

QString sha256(const QByteArray& bytes)
{
    return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

const QString uuidPattern = QStringLiteral("[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}");

// The text with every upper-case canonical UUID replaced by "<UUID>".
QString withoutUuids(QString text)
{
    static const QRegularExpression uuid(uuidPattern);
    return text.replace(uuid, QStringLiteral("<UUID>"));
}

QStringList withoutUuids(const QStringList& texts)
{
    QStringList result;
    for (const QString& text : texts)
        result.append(withoutUuids(text));
    return result;
}

} // namespace

class EngineInstallTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void downloadPolicy_data();
    void downloadPolicy();
    void directInstall_data();
    void directInstall();
    void directDiskImageCommands();
    void partialCopyDoesNotBlockLaterInstall();
    void stoppedRunLeftoversAreRemoved();
    void detachRetriedWithForce_data();
    void detachRetriedWithForce();
    void installsOfOneEntryNeverOverlap();
    void directRemoval_data();
    void directRemoval();

    void dispatch_data();
    void dispatch();
    void openCommands_data();
    void openCommands();

    void shortcutLifecycle();
    void shortcutFolderCannotBeMade();

    void mimeDefaults_data();
    void mimeDefaults();

    void dictionary_data();
    void dictionary();

    void minimalPresetOnFakeMac();

private:
    // A synchronous engine on the fake Mac with fixed facts: macOS 14.5,
    // arm64, the formula index resolving, the given free space.
    std::unique_ptr<MacBackend> engine(qint64 freeGB = 100)
    {
        Host host = m_mac->host();
        host.setArchitecture(QStringLiteral("arm64"));
        host.setFreeBytes(freeGB * gigabyte);
        host.setResolver([](const QString&) { return true; });
        return std::make_unique<MacBackend>(m_recorder.logSink(), m_recorder.progressSink(),
                                            MacBackend::Delivery::synchronous, host);
    }
    bool prepare(const QStringList& directives);
    bool packPayload(const QString& payloadName, const QString& layout, const QString& identifier = ledgerID,
                     const QString& team = ledgerTeam);
    // The calls of the installing tools, each as the program's last path
    // component and its arguments joined by blanks; brew's list queries,
    // duti's read-backs and the signature tools are left out.
    QStringList toolCalls() const;
    QString cache(const QString& relative) const { return AppRuntime::cacheDir() + QLatin1Char('/') + relative; }
    // Mount points, extraction folders and temporary bundle copies that an
    // install left behind (the entry's lock file is kept by design).
    QStringList leftovers() const;

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_scratch;
    std::unique_ptr<FakeMac> m_mac;
    Recorder m_recorder;
};

void EngineInstallTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
}

void EngineInstallTest::init()
{
    m_scratch = std::make_unique<QTemporaryDir>();
    QVERIFY(m_scratch->isValid());
    qputenv(AppRuntime::cacheDirVariable, QFile::encodeName(m_scratch->path() + QStringLiteral("/cache")));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_scratch->path() + QStringLiteral("/logs")));
    qputenv(AppRuntime::shortcutDirVariable, QFile::encodeName(m_scratch->path() + QStringLiteral("/shortcuts")));
    m_mac = std::make_unique<FakeMac>();
    QVERIFY2(m_mac->isValid(), qPrintable(m_mac->error()));
    m_recorder = Recorder();
}

void EngineInstallTest::cleanup()
{
    m_mac.reset();
    m_scratch.reset();
    qunsetenv(AppRuntime::cacheDirVariable);
    qunsetenv(AppRuntime::logDirVariable);
    qunsetenv(AppRuntime::shortcutDirVariable);
    // The home folder outlives the tests: empty it.
    QDir homeFolder(m_home.path());
    for (const QString& name : homeFolder.entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        const QString path = homeFolder.filePath(name);
        if (QFileInfo(path).isDir() && !QFileInfo(path).isSymLink())
            QDir(path).removeRecursively();
        else
            QFile::remove(path);
    }
}

// Prepares the fake Mac from short directives (paths are Mac paths or begin
// with "~"):
//   apps                       the folder /Applications
//   dir:PATH, file:PATH        a folder, a small file
//   cachedir:RELATIVE          a folder in the engine's cache folder
//   installed:PATH             a bundle of Ledger signed by its vendor
//   impostor:PATH              a bundle with Ledger's identifier signed by another team
//   onlyoffice:PATH            ONLYDEVIVU's bundle (with its Info.plist)
//   tool:NAME:PATH             a copy of the fixture tool .fake/tools/NAME
//   state:NAME=LINE            appends a line to a state file
//   image:LAYOUT, archive:LAYOUT
//                              the disk image (Ledger.dmg) or zip archive
//                              (Ledger.zip) that curl serves (see packPayload)
//   defaults:BUNDLE            duti reports the bundle for all six extensions
bool EngineInstallTest::prepare(const QStringList& directives)
{
    FakeMac& mac = *m_mac;
    for (const QString& directive : directives) {
        const QString verb = directive.section(QLatin1Char(':'), 0, 0);
        const QString rest = directive.section(QLatin1Char(':'), 1);
        const QString path = TildePath::expand(rest);
        bool ok = false;
        if (verb == QLatin1String("apps")) {
            ok = QDir().mkpath(mac.path(QStringLiteral("/Applications")));
        } else if (verb == QLatin1String("dir")) {
            ok = QDir().mkpath(mac.path(path));
        } else if (verb == QLatin1String("file")) {
            ok = mac.writeFile(path, "x");
        } else if (verb == QLatin1String("cachedir")) {
            ok = QDir().mkpath(cache(rest));
        } else if (verb == QLatin1String("installed")) {
            ok = mac.writeBundle(path, ledgerID, FakeMac::signedBy(ledgerID, ledgerTeam));
        } else if (verb == QLatin1String("impostor")) {
            ok = mac.writeBundle(path, ledgerID, FakeMac::signedBy(ledgerID, QStringLiteral("ZZ99ZZ99ZZ")));
        } else if (verb == QLatin1String("onlyoffice")) {
            ok = mac.writeBundle(path, onlyofficeID);
        } else if (verb == QLatin1String("tool")) {
            ok = mac.installTool(rest.section(QLatin1Char(':'), 0, 0),
                                 TildePath::expand(rest.section(QLatin1Char(':'), 1)));
        } else if (verb == QLatin1String("state")) {
            const QString name = rest.section(QLatin1Char('='), 0, 0);
            ok = mac.setState(name, mac.state(name) + rest.section(QLatin1Char('='), 1).toUtf8() + '\n');
        } else if (verb == QLatin1String("image") || verb == QLatin1String("archive")) {
            ok = packPayload(verb == QLatin1String("image") ? QStringLiteral("Ledger.dmg") : QStringLiteral("Ledger.zip"),
                             rest);
        } else if (verb == QLatin1String("defaults")) {
            QByteArray lines;
            for (const QString& extension : MacBackend::documentExtensions())
                lines += extension.toUtf8() + ' ' + rest.toUtf8() + " /Applications/ONLYDEVIVU.app\n";
            ok = mac.setState(QStringLiteral("duti-defaults"), lines);
        }
        if (!ok) {
            qWarning("cannot prepare %s", qPrintable(directive));
            return false;
        }
    }
    return true;
}

// Lays out the contents of a disk image or archive and packs them (as a tar
// archive, the fixtures' image form) into the payload curl serves. The layout
// is a comma-separated list of relative paths: "X.app" a bundle with the
// identifier signed by the team, "X.app=foreign" one signed by another team, "NAME@" a
// symbolic link to the fake Mac's /Applications, anything else a file.
bool EngineInstallTest::packPayload(const QString& payloadName, const QString& layout, const QString& identifier,
                                    const QString& team)
{
    QTemporaryDir staging;
    for (const QString& part : layout.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString relative = part.section(QLatin1Char('='), 0, 0);
        const QString local = staging.path() + QLatin1Char('/') + relative;
        bool ok = true;
        if (relative.endsWith(QLatin1Char('@'))) {
            ok = QFile::link(m_mac->path(QStringLiteral("/Applications")), local.chopped(1));
        } else if (relative.endsWith(QLatin1String(".app"))) {
            const QString signer = part.endsWith(QLatin1String("=foreign")) ? QStringLiteral("ZZ99ZZ99ZZ") : team;
            ok = QDir().mkpath(local + QStringLiteral("/Contents/MacOS"));
            QFile plist(local + QStringLiteral("/Contents/Info.plist"));
            QFile marker(local + QStringLiteral("/.fake-signature"));
            ok = ok && plist.open(QIODevice::WriteOnly)
                && plist.write(*PropertyList::toXml(QVariantMap{{QStringLiteral("CFBundleIdentifier"), identifier}})) > 0
                && marker.open(QIODevice::WriteOnly) && marker.write(FakeMac::signedBy(identifier, signer)) > 0;
        } else {
            ok = QDir().mkpath(QFileInfo(local).path());
            QFile file(local);
            ok = ok && file.open(QIODevice::WriteOnly);
        }
        if (!ok)
            return false;
    }
    const QString payload = m_mac->path(QStringLiteral("/.fake/state/curl-payloads/") + payloadName);
    QDir().mkpath(QFileInfo(payload).path());
    return QProcess::execute(QStringLiteral("tar"), {QStringLiteral("-cf"), payload, QStringLiteral("-C"),
                                                    staging.path(), QStringLiteral(".")})
        == 0;
}

QStringList EngineInstallTest::toolCalls() const
{
    QStringList result;
    for (const QStringList& call : m_mac->calls()) {
        const QString program = call.first().section(QLatin1Char('/'), -1);
        const QString verb = call.value(1);
        if (program == QLatin1String("codesign") || program == QLatin1String("spctl")
            || (program == QLatin1String("brew") && verb == QLatin1String("list"))
            || (program == QLatin1String("duti") && verb == QLatin1String("-x")))
            continue;
        result.append((QStringList{program} + call.mid(1)).join(QLatin1Char(' ')));
    }
    return result;
}

QStringList EngineInstallTest::leftovers() const
{
    QStringList left;
    for (const QString& folder : {QStringLiteral("mounts"), QStringLiteral("extract")}) {
        for (const QString& name : QDir(cache(folder)).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            if (name != QLatin1String("ledger.lock"))
                left.append(folder + QLatin1Char('/') + name);
    }
    for (const QString& folder : {QStringLiteral("/Applications"), QStringLiteral("~/Applications")}) {
        const QDir applications(m_mac->path(TildePath::expand(folder)));
        for (const QString& name : applications.entryList({QStringLiteral(".Ledger*")},
                                                          QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
            left.append(folder + QLatin1Char('/') + name);
    }
    return left;
}

// ---------------------------------------------------------------- direct

void EngineInstallTest::downloadPolicy_data()
{
    QTest::addColumn<QString>("address");
    QTest::addColumn<bool>("allowed");
    QTest::newRow("allowed host") << "https://downloads.cedar.example/ledger.dmg" << true;
    QTest::newRow("second allowed host with port and query")
        << "https://cdn.cedar.example:8443/a/b.dmg?x=1&y=2" << true;
    QTest::newRow("host in capitals") << "https://DOWNLOADS.Cedar.Example/ledger.dmg" << true;
    QTest::newRow("scheme in capitals") << "HTTPS://downloads.cedar.example/ledger.dmg" << false;
    QTest::newRow("plain http") << "http://downloads.cedar.example/ledger.dmg" << false;
    QTest::newRow("sub-host of an allowed host") << "https://eu.downloads.cedar.example/ledger.dmg" << false;
    QTest::newRow("allowed host as a suffix") << "https://evildownloads.cedar.example/ledger.dmg" << false;
    QTest::newRow("allowed host as user information") << "https://downloads.cedar.example@evil.example/x" << false;
    QTest::newRow("allowed host in the path") << "https://evil.example/downloads.cedar.example" << false;
    QTest::newRow("backslash before the host") << "https://evil.example\\@downloads.cedar.example/x" << false;
    QTest::newRow("trailing dot") << "https://downloads.cedar.example./ledger.dmg" << false;
    QTest::newRow("no host") << "https:///ledger.dmg" << false;
    QTest::newRow("not an address") << "downloads.cedar.example/ledger.dmg" << false;
    QTest::newRow("blank inside") << "https://downloads.cedar.example/a b.dmg" << false;
    QTest::newRow("empty") << "" << false;
}

void EngineInstallTest::downloadPolicy()
{
    QFETCH(QString, address);
    QFETCH(bool, allowed);
    const QSet<QString> hosts{QStringLiteral("downloads.cedar.example"), QStringLiteral("cdn.cedar.example")};
    QCOMPARE(DirectDownloadPolicy::allows(address, hosts), allowed);
}

void EngineInstallTest::directInstall_data()
{
    QTest::addColumn<bool>("zip");
    QTest::addColumn<QString>("address");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("installed");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("tools");
    QTest::addColumn<QString>("destination"); // Mac path of the bundle afterwards
    QTest::addColumn<QString>("destinationState"); // verified, absent, impostor

    const QStringList dmgRun{"curl", "hdiutil attach", "ditto", "hdiutil detach"};
    const QStringList dmgNoCopy{"curl", "hdiutil attach", "hdiutil detach"};
    const QString app = QStringLiteral("/Applications/Ledger.app");
    const QString downloadFailed = QStringLiteral("Download thất bại hoặc redirect ra ngoài allowlist của Ledger.");
    const QString refused = QStringLiteral("URL tải không thuộc allowlist HTTPS của Ledger.");

    QTest::newRow("disk image with the bundle in a folder beside an Applications link")
        << false << "" << QStringList{"apps", "image:Applications@,Payload/Ledger.app,Payload/readme.txt"} << true
        << "Đã cài trực tiếp Ledger: /Applications/Ledger.app" << dmgRun << app << "verified";
    QTest::newRow("zip archive")
        << true << "" << QStringList{"apps", "archive:Ledger.app"} << true
        << "Đã cài trực tiếp Ledger: /Applications/Ledger.app" << QStringList{"curl", "unzip", "ditto"} << app
        << "verified";
    QTest::newRow("host written in capitals")
        << false << "https://CDN.cedar.example/ledger.dmg" << QStringList{"apps", "image:Ledger.app"} << true
        << "Đã cài trực tiếp Ledger: /Applications/Ledger.app" << dmgRun << app << "verified";
    QTest::newRow("plain http address is never fetched")
        << false << "http://downloads.cedar.example/ledger.dmg" << QStringList{"apps", "image:Ledger.app"} << false
        << refused << QStringList{} << app << "absent";
    QTest::newRow("sub-host address is never fetched")
        << false << "https://eu.downloads.cedar.example/ledger.dmg" << QStringList{"apps", "image:Ledger.app"} << false
        << refused << QStringList{} << app << "absent";
    QTest::newRow("redirect to another host")
        << false << "" << QStringList{"apps", "image:Ledger.app", "state:curl-effective-url=https://mirror.example/l.dmg"}
        << false << downloadFailed << QStringList{"curl"} << app << "absent";
    QTest::newRow("redirect to a sub-host")
        << false << ""
        << QStringList{"apps", "image:Ledger.app", "state:curl-effective-url=https://x.cdn.cedar.example/l.dmg"}
        << false << downloadFailed << QStringList{"curl"} << app << "absent";
    QTest::newRow("redirect within the allowed hosts")
        << false << ""
        << QStringList{"apps", "image:Ledger.app", "state:curl-effective-url=https://cdn.cedar.example/l.dmg"}
        << true << "Đã cài trực tiếp Ledger: /Applications/Ledger.app" << dmgRun << app << "verified";
    QTest::newRow("download fails")
        << false << "" << QStringList{"apps", "image:Ledger.app", "state:curl-fail=*"} << false << downloadFailed
        << QStringList{"curl"} << app << "absent";
    QTest::newRow("image cannot be attached")
        << false << "" << QStringList{"apps", "image:Ledger.app", "state:hdiutil-attach-fail=1"} << false
        << "Hoàn tất: hdiutil attach Ledger.dmg (exit 1)" << QStringList{"curl", "hdiutil attach"} << app << "absent";
    QTest::newRow("bundle only behind the Applications link is not found")
        << false << "" << QStringList{"apps", "installed:/Applications/Ledger.app", "image:Applications@,notes.txt"}
        << false << "Không tìm thấy Ledger.app trong DMG." << dmgNoCopy << app << "verified";
    QTest::newRow("differently named bundle is checked and refused")
        << false << "" << QStringList{"apps", "image:Payload/Other.app=foreign"} << false
        << "Bundle tải về không đạt bundle ID, Team ID, designated requirement hoặc Gatekeeper policy." << dmgNoCopy
        << app << "absent";
    QTest::newRow("downloaded bundle of another team")
        << false << "" << QStringList{"apps", "image:Ledger.app=foreign"} << false
        << "Bundle tải về không đạt bundle ID, Team ID, designated requirement hoặc Gatekeeper policy." << dmgNoCopy
        << app << "absent";
    QTest::newRow("existing bundle that verifies is kept")
        << false << "" << QStringList{"apps", "installed:/Applications/Ledger.app", "image:Ledger.app"} << true
        << "Ledger.app đã tồn tại tại /Applications/Ledger.app." << dmgNoCopy << app << "verified";
    QTest::newRow("existing bundle that does not verify is left untouched")
        << false << "" << QStringList{"apps", "impostor:/Applications/Ledger.app", "image:Ledger.app"} << false
        << "App đã tồn tại nhưng không đạt policy chữ ký kỳ vọng; không ghi đè." << dmgNoCopy << app << "impostor";
    QTest::newRow("copy stopped part-way leaves nothing")
        << false << "" << QStringList{"apps", "image:Ledger.app", "state:ditto-mode=partial"} << false
        << "ditto không hoàn tất; xoá bản copy dở dang: /Applications/.Ledger-<UUID>.app" << dmgRun << app << "absent";
    QTest::newRow("copy that does not verify is removed")
        << false << "" << QStringList{"apps", "image:Ledger.app", "state:ditto-mode=unsigned"} << false
        << "App sau khi copy không đạt policy chữ ký; xoá bản copy không hoàn chỉnh." << dmgRun << app << "absent";
    QTest::newRow("archive cannot be unpacked")
        << true << "" << QStringList{"apps", "archive:Ledger.app", "state:unzip-fail=1"} << false
        << "Hoàn tất: unzip Ledger.zip (exit 9)" << QStringList{"curl", "unzip"} << app << "absent";
    QTest::newRow("bundle missing from the archive")
        << true << "" << QStringList{"apps", "archive:Other/readme.txt"} << false
        << "Không tìm thấy Ledger.app trong ZIP." << QStringList{"curl", "unzip"} << app << "absent";
    QTest::newRow("without a system Applications folder the user's own is used")
        << false << "" << QStringList{"image:Ledger.app"} << true
        << "Đã cài trực tiếp Ledger: ~/Applications/Ledger.app" << dmgRun << "~/Applications/Ledger.app"
        << "verified";
}

void EngineInstallTest::directInstall()
{
    QFETCH(bool, zip);
    QFETCH(QString, address);
    QFETCH(QStringList, setup);
    QFETCH(bool, installed);
    QFETCH(QString, message);
    QFETCH(QStringList, tools);
    QFETCH(QString, destination);
    QFETCH(QString, destinationState);
    QVERIFY(prepare(setup));
    const QByteArray markerBefore = readFile(m_mac->path(destination) + QStringLiteral("/.fake-signature"));

    const AppItem item =
        ledger(zip ? DirectInstallerSpec::InstallerType::zip : DirectInstallerSpec::InstallerType::dmg, address);
    QCOMPARE(engine()->install(item), installed);

    const QStringList messages = withoutUuids(m_recorder.messages);
    QVERIFY2(messages.contains(home(message)), qPrintable(messages.join(QLatin1Char('\n'))));
    QStringList programs;
    for (const QString& call : toolCalls())
        programs.append(call.startsWith(QLatin1String("hdiutil")) ? call.section(QLatin1Char(' '), 0, 1)
                                                                  : call.section(QLatin1Char(' '), 0, 0));
    QCOMPARE(programs, tools);
    QCOMPARE(leftovers(), QStringList());

    const QString local = m_mac->path(TildePath::expand(destination));
    const QByteArray marker = readFile(local + QStringLiteral("/.fake-signature"));
    if (destinationState == QLatin1String("absent"))
        QVERIFY2(!QFileInfo::exists(local) && !QFileInfo(local).isSymLink(), qPrintable(local));
    else if (destinationState == QLatin1String("impostor"))
        QCOMPARE(marker, markerBefore);
    else
        QCOMPARE(marker, FakeMac::signedBy(ledgerID, ledgerTeam));

    // A download that was refused or fell outside the allowed hosts is not kept.
    if (message.startsWith(QLatin1String("Download")) || message.startsWith(QLatin1String("URL")))
        QVERIFY(!QFileInfo::exists(cache(QStringLiteral("downloads/Ledger.dmg"))));
}

void EngineInstallTest::directDiskImageCommands()
{
    QVERIFY(prepare({"apps", "image:Ledger.app"}));
    QVERIFY(engine()->install(ledger()));

    const QString download = cache(QStringLiteral("downloads/Ledger.dmg"));
    const QList<QStringList> curl = m_mac->calls(QStringLiteral("/usr/bin/curl"));
    QCOMPARE(curl.size(), 1);
    QCOMPARE(curl.first(),
             QStringList({"/usr/bin/curl", "-fL", "--proto", "=https", "--proto-redir", "=https", "--max-redirs", "5",
                          "--retry", "2", "--connect-timeout", "20", "--write-out", "%{url_effective}", "-o", download,
                          "https://downloads.cedar.example/ledger/latest"}));
    QVERIFY(QFileInfo::exists(download)); // kept after the install

    const QList<QStringList> hdiutil = m_mac->calls(QStringLiteral("/usr/bin/hdiutil"));
    QCOMPARE(hdiutil.size(), 2);
    const QString mountPoint = hdiutil.first().value(6);
    static const QRegularExpression runName(QStringLiteral(
        "^ledger-[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
    QCOMPARE(QFileInfo(mountPoint).path(), cache(QStringLiteral("mounts")));
    QVERIFY2(runName.match(QFileInfo(mountPoint).fileName()).hasMatch(), qPrintable(mountPoint));
    QCOMPARE(hdiutil.first(), QStringList({"/usr/bin/hdiutil", "attach", download, "-nobrowse", "-readonly",
                                           "-mountpoint", mountPoint}));
    QCOMPARE(hdiutil.last(), QStringList({"/usr/bin/hdiutil", "detach", mountPoint, "-quiet"}));
    QVERIFY(!QFileInfo::exists(mountPoint));

    // The copy goes to a hidden name beside the destination, is verified
    // there exactly as the downloaded bundle was, and is renamed into place.
    const QList<QStringList> ditto = m_mac->calls(QStringLiteral("/usr/bin/ditto"));
    QCOMPARE(ditto.size(), 1);
    const QString copy = ditto.first().value(2);
    QCOMPARE(withoutUuids(ditto.first()),
             QStringList({"/usr/bin/ditto", withoutUuids(mountPoint) + "/Ledger.app", "/Applications/.Ledger-<UUID>.app"}));
    for (const QString& tool : {QStringLiteral("/usr/bin/codesign"), QStringLiteral("/usr/sbin/spctl")}) {
        QStringList judged;
        for (const QStringList& call : m_mac->calls(tool))
            judged.append(call.last());
        judged.removeDuplicates();
        QCOMPARE(judged, QStringList({mountPoint + "/Ledger.app", copy, "/Applications/Ledger.app"}));
    }
    QVERIFY(!QFileInfo::exists(m_mac->path(copy)));
    QCOMPARE(leftovers(), QStringList());

    QString missing;
    QVERIFY2(inOrder(m_recorder.messages,
                     {"$ hdiutil attach Ledger.dmg", "$ ditto Ledger.app " + copy,
                      "Đã cài trực tiếp Ledger: /Applications/Ledger.app", "$ hdiutil detach " + mountPoint,
                      "Thành công: Ledger"},
                     &missing),
             qPrintable(missing));
    QCOMPARE(m_recorder.progress,
             QStringList({"Đang chuẩn bị cài Ledger @ 0.00", "Đang tải Ledger từ nguồn chính thức @ 0.08",
                          "Đã tải xong Ledger @ 0.35", "Đang mount bộ cài Ledger @ 0.45",
                          "Đã tìm thấy app bundle Ledger.app @ 0.62", "Đang kiểm tra bundle Ledger @ 0.68",
                          "Đang copy Ledger vào /Applications @ 0.75", "Đang kiểm tra app sau khi copy @ 0.90",
                          "Đã cài xong Ledger @ 1.00"}));
}

void EngineInstallTest::partialCopyDoesNotBlockLaterInstall()
{
    QVERIFY(prepare({"apps", "image:Ledger.app", "state:ditto-mode=partial"}));
    QVERIFY(!engine()->install(ledger()));
    QVERIFY(!QFileInfo::exists(m_mac->path(QStringLiteral("/Applications/Ledger.app"))));

    QVERIFY(m_mac->removeState(QStringLiteral("ditto-mode")));
    QVERIFY(engine()->install(ledger()));
    QCOMPARE(readFile(m_mac->path(QStringLiteral("/Applications/Ledger.app/.fake-signature"))),
             FakeMac::signedBy(ledgerID, ledgerTeam));
}

// What a stopped run leaves (a partial copy under its temporary name, its
// image still attached) is removed by the next install of the entry, and
// nothing that merely looks like it.
void EngineInstallTest::stoppedRunLeftoversAreRemoved()
{
    const QString uuid = QStringLiteral("0F8B1C2D-3E4F-4A5B-8C6D-7E8F9A0B1C2D");
    const QString other = QStringLiteral("1A2B3C4D-5E6F-4071-8293-A4B5C6D7E8F9");
    const QStringList ours{
        "/Applications/.Ledger-" + uuid + ".app",
        "~/Applications/.Ledger-" + other + ".app",
    };
    const QStringList lookAlikes{
        "/Applications/.Ledger-" + uuid.toLower() + ".app",
        "/Applications/.Ledger-notauuid.app",
        "/Applications/.Ledger-" + uuid + ".app.old",
        "/Applications/Ledger-" + uuid + ".app",
        "/Applications/.Ledger Pro-" + uuid + ".app",
        "/Applications/.Other-" + uuid + ".app",
    };
    for (const QString& path : ours + lookAlikes) {
        // A partial copy: the Info.plist without the rest of the bundle.
        QVERIFY(m_mac->writeBundle(TildePath::expand(path), ledgerID));
    }
    QVERIFY(prepare({"apps", "image:Ledger.app"}));

    // Mount points: one with its image still attached (the fixture's images
    // are unpacked into the folder), one empty, and names of other runs.
    const QString attached = cache("mounts/ledger-" + uuid);
    const QString empty = cache("mounts/ledger-" + other);
    const QStringList keptMounts{"mounts/ledger-pro-" + uuid, "mounts/ledger-" + uuid.toLower(),
                                 "mounts/ledger-" + uuid + "x", "mounts/ledger", "mounts/ledger.lock.d"};
    QVERIFY(QDir().mkpath(attached + "/Ledger.app"));
    QVERIFY(QDir().mkpath(empty));
    for (const QString& kept : keptMounts)
        QVERIFY(QDir().mkpath(cache(kept) + "/content"));
    // A link with our name is not our mount point: neither it nor what it
    // points to is touched.
    QVERIFY(QFile::link(cache(keptMounts.first()), cache("mounts/ledger-" + other.left(35) + "0")));

    QVERIFY(engine()->install(ledger()));

    for (const QString& path : ours)
        QVERIFY2(!QFileInfo::exists(m_mac->path(TildePath::expand(path))), qPrintable(path));
    for (const QString& path : lookAlikes)
        QVERIFY2(QFileInfo::exists(m_mac->path(path) + "/Contents/Info.plist"), qPrintable(path));
    QVERIFY(!QFileInfo::exists(attached));
    QVERIFY(!QFileInfo::exists(empty));
    for (const QString& kept : keptMounts)
        QVERIFY2(QFileInfo::exists(cache(kept) + "/content"), qPrintable(kept));
    QVERIFY(QFileInfo(cache("mounts/ledger-" + other.left(35) + "0")).isSymLink());

    // Only the attached one was detached; then the run's own image.
    const QList<QStringList> hdiutil = m_mac->calls(QStringLiteral("/usr/bin/hdiutil"));
    QCOMPARE(hdiutil.size(), 3);
    QCOMPARE(hdiutil.first(), QStringList({"/usr/bin/hdiutil", "detach", attached, "-quiet"}));
    QCOMPARE(hdiutil.at(1).value(1), QStringLiteral("attach"));
    QCOMPARE(QFileInfo(m_mac->path("/Applications/Ledger.app/.fake-signature")).isFile(), true);

    QString missing;
    QVERIFY2(inOrder(m_recorder.messages,
                     {"Đã xoá bản copy dở dang của lần cài trước: /Applications/.Ledger-" + uuid + ".app",
                      home("Đã xoá bản copy dở dang của lần cài trước: ~/Applications/.Ledger-" + other + ".app"),
                      "Dọn mount point còn lại của lần cài trước: " + attached, "$ hdiutil detach " + attached,
                      "Tải trực tiếp Ledger từ nguồn chính thức."},
                     &missing),
             qPrintable(missing));
}

void EngineInstallTest::detachRetriedWithForce_data()
{
    QTest::addColumn<QString>("refusal");
    QTest::addColumn<bool>("staysAttached");
    QTest::newRow("refused once, forced") << "busy" << false;
    QTest::newRow("refused even when forced") << "stuck" << true;
}

void EngineInstallTest::detachRetriedWithForce()
{
    QFETCH(QString, refusal);
    QFETCH(bool, staysAttached);
    QVERIFY(prepare({"apps", "image:Ledger.app", "state:hdiutil-detach-fail=" + refusal}));

    // The install's own result does not depend on the detach.
    QVERIFY(engine()->install(ledger()));
    const QList<QStringList> hdiutil = m_mac->calls(QStringLiteral("/usr/bin/hdiutil"));
    QCOMPARE(hdiutil.size(), 3);
    const QString mountPoint = hdiutil.first().value(6);
    QCOMPARE(hdiutil.at(1), QStringList({"/usr/bin/hdiutil", "detach", mountPoint, "-quiet"}));
    QCOMPARE(hdiutil.at(2), QStringList({"/usr/bin/hdiutil", "detach", mountPoint, "-force", "-quiet"}));
    const QString stays = "Không tháo được ảnh đĩa; ảnh vẫn còn gắn tại " + mountPoint + ".";
    QCOMPARE(m_recorder.messages.contains(stays), staysAttached);
    QCOMPARE(QFileInfo::exists(mountPoint), staysAttached);
    if (!staysAttached)
        return;

    // The next install of the entry detaches it before anything else.
    QVERIFY(m_mac->removeState(QStringLiteral("hdiutil-detach-fail")));
    m_mac->clearCalls();
    QVERIFY(engine()->install(ledger()));
    QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/hdiutil")).first(),
             QStringList({"/usr/bin/hdiutil", "detach", mountPoint, "-quiet"}));
    QCOMPARE(leftovers(), QStringList());
}

// The command line and the window may start the same entry at once: the
// second install waits for the first to end, then finds its bundle in place.
void EngineInstallTest::installsOfOneEntryNeverOverlap()
{
    QVERIFY(prepare({"apps", "image:Ledger.app", "cachedir:mounts"}));
    FileLock other;
    QCOMPARE(other.lock(cache("mounts/ledger.lock"), false), FileLock::Outcome::locked);

    const std::unique_ptr<MacBackend> backend = engine();
    bool installed = false;
    std::thread install([&] { installed = backend->install(ledger()); });
    auto release = qScopeGuard([&] {
        other.unlock();
        install.join();
    });
    const QString waiting = QStringLiteral("Đang chờ lượt cài Ledger khác kết thúc.");
    QTRY_VERIFY_WITH_TIMEOUT(QString::fromUtf8(readFile(AppRuntime::logFile())).contains(waiting), 60000);
    QVERIFY(m_mac->calls(QStringLiteral("/usr/bin/curl")).isEmpty());

    release.dismiss();
    other.unlock();
    install.join();
    QVERIFY(installed);
    QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/curl")).size(), 1);
    QCOMPARE(leftovers(), QStringList());
}

void EngineInstallTest::directRemoval_data()
{
    QTest::addColumn<bool>("withSpec");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QStringList>("remaining"); // Mac paths still there afterwards

    QTest::newRow("nothing installed")
        << true << QStringList{} << true
        << QStringList{"Không tìm thấy app direct để gỡ: Ledger", "Đã gỡ bỏ: Ledger"} << QStringList{};
    QTest::newRow("verified bundle in the user's folder")
        << true << QStringList{"installed:~/Applications/Ledger.app"} << true
        << QStringList{"Đã xoá app trực tiếp: ~/Applications/Ledger.app", "Đã gỡ bỏ: Ledger"} << QStringList{};
    QTest::newRow("bundle that does not verify is kept")
        << true << QStringList{"impostor:/Applications/Ledger.app"} << false
        << QStringList{"Từ chối xoá /Applications/Ledger.app: bundle ID hoặc chữ ký không khớp manifest Ledger.",
                       "Gỡ bỏ thất bại: Ledger"}
        << QStringList{"/Applications/Ledger.app"};
    QTest::newRow("one removed, one refused")
        << true << QStringList{"impostor:/Applications/Ledger.app", "installed:~/Applications/Ledger.app"} << false
        << QStringList{"Từ chối xoá /Applications/Ledger.app: bundle ID hoặc chữ ký không khớp manifest Ledger.",
                       "Đã xoá app trực tiếp: ~/Applications/Ledger.app", "Gỡ bỏ thất bại: Ledger"}
        << QStringList{"/Applications/Ledger.app"};
    QTest::newRow("without a manifest nothing is removed")
        << false << QStringList{"installed:/Applications/Ledger.app"} << false
        << QStringList{"Thiếu direct installer manifest; từ chối gỡ Ledger.", "Gỡ bỏ thất bại: Ledger"}
        << QStringList{"/Applications/Ledger.app"};
}

void EngineInstallTest::directRemoval()
{
    QFETCH(bool, withSpec);
    QFETCH(QStringList, setup);
    QFETCH(bool, removed);
    QFETCH(QStringList, messages);
    QFETCH(QStringList, remaining);
    QVERIFY(prepare(setup));
    AppItem item = ledger();
    if (!withSpec)
        item.directInstaller.reset();
    QCOMPARE(engine()->uninstall(item), removed);
    QStringList expected;
    for (const QString& message : messages)
        expected.append(home(message));
    QString missing;
    QVERIFY2(inOrder(m_recorder.messages, expected, &missing), qPrintable(missing));
    for (const QString& path : item.appPaths) {
        const bool kept = remaining.contains(path);
        QCOMPARE(QFileInfo::exists(m_mac->path(TildePath::expand(path))), kept);
    }
}

// ---------------------------------------------------------------- dispatch

void EngineInstallTest::dispatch_data()
{
    QTest::addColumn<bool>("install");
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<qint64>("freeGB");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QStringList>("messages"); // in this order
    QTest::addColumn<QString>("absent");       // a message that must not appear
    QTest::addColumn<QStringList>("tools");    // empty: no process at all

    const QString verificationLine = QStringLiteral("Lệnh đã chạy xong nhưng kiểm tra trạng thái sau cài chưa đạt.");
    const AppItem cask = entry(QStringLiteral("ledger-cask"), AppKind::cask, {QStringLiteral("ledger")},
                               {QStringLiteral("/Applications/Ledger.app")});

    QTest::newRow("blocked entry is skipped")
        << true << entry(QStringLiteral("rclone"), AppKind::blocked) << QStringList{} << qint64(0) << true
        << QStringList{"Bắt đầu cài: Entry rclone [rclone]",
                       "Bỏ qua Entry rclone: mục này không được hỗ trợ trong catalog macOS."}
        << "" << QStringList();
    QTest::newRow("blocker stops before any tool")
        << true << cask << QStringList{} << qint64(0) << false
        << QStringList{"BLOCK: Cần tối thiểu 1GB trống trên /. Hiện còn 0GB.",
                       "PROGRESS 100%: Chưa thể cài Entry ledger-cask. Cần xử lý kiểm tra hệ thống."}
        << "Thất bại: Entry ledger-cask" << QStringList();
    QTest::newRow("cask installed and verified")
        << true << cask << QStringList{"state:brew-artifacts=ledger /Applications/Ledger.app"} << qint64(100) << true
        << QStringList{"$ brew install --cask ledger", "Thành công: Entry ledger-cask"} << verificationLine
        << QStringList{"brew install --cask ledger"};
    QTest::newRow("cask tool succeeds while the application is still absent")
        << true << cask << QStringList{} << qint64(100) << false
        << QStringList{verificationLine, "Thất bại: Entry ledger-cask"} << "" << QStringList{"brew install --cask ledger"};
    QTest::newRow("cask tool fails")
        << true << cask << QStringList{"state:brew-fail=install ledger"} << qint64(100) << false
        << QStringList{"Hoàn tất: brew install --cask ledger (exit 1)", "Thất bại: Entry ledger-cask"}
        << verificationLine << QStringList{"brew install --cask ledger"};
    QTest::newRow("office suite whose dictionary step fails")
        << true << suite() << QStringList{"state:brew-artifacts=libreoffice /Applications/LibreDevivu.app"} << qint64(100)
        << false
        << QStringList{"Không tìm thấy unopkg của LibreDevivu để cài Vietnamese dictionary.", "Thất bại: Entry libreoffice"}
        << verificationLine << QStringList{"brew install --cask libreoffice"};
    QTest::newRow("mixed packages")
        << true
        << entry(QStringLiteral("archive-tools"), AppKind::bundle, {QStringLiteral("formula:p7zip"), QStringLiteral("cask:keka")},
                 {QStringLiteral("/Applications/Keka.app")})
        << QStringList{"state:brew-artifacts=keka /Applications/Keka.app"} << qint64(100) << true
        << QStringList{"Thành công: Entry archive-tools"} << ""
        << QStringList{"brew install p7zip", "brew install --cask keka"};
    QTest::newRow("cask removed")
        << false << cask
        << QStringList{"state:brew-casks=ledger", "state:brew-artifacts=ledger /Applications/Ledger.app",
                       "dir:/Applications/Ledger.app"}
        << qint64(100) << true << QStringList{"Đã gỡ bỏ: Entry ledger-cask"} << ""
        << QStringList{"brew uninstall --cask ledger"};
    QTest::newRow("removal tool fails")
        << false << cask
        << QStringList{"state:brew-casks=ledger", "state:brew-fail=uninstall ledger", "dir:/Applications/Ledger.app"}
        << qint64(100) << false << QStringList{"Gỡ bỏ thất bại: Entry ledger-cask"}
        << "Lệnh gỡ đã chạy xong nhưng kiểm tra trạng thái sau gỡ chưa đạt."
        << QStringList{"brew uninstall --cask ledger"};
    QTest::newRow("removal step succeeds while the entry is still present")
        << false << entry(QStringLiteral("kit"), AppKind::bundle, {}, {QStringLiteral("/Applications/Kit.app")})
        << QStringList{"dir:/Applications/Kit.app"} << qint64(100) << false
        << QStringList{"Lệnh gỡ đã chạy xong nhưng kiểm tra trạng thái sau gỡ chưa đạt.", "Gỡ bỏ thất bại: Entry kit"}
        << "" << QStringList{};
    QTest::newRow("built-in entry is opened, not removed")
        << false << builtin(QStringLiteral("gnome-disks"), true) << QStringList{} << qint64(100) << true
        << QStringList{"Entry gnome-disks là tính năng có sẵn của macOS nên không thể gỡ khỏi máy bằng app này.",
                       "$ /usr/bin/open -a Disk Utility", "PROGRESS 100%: Entry gnome-disks là tính năng có sẵn của macOS."}
        << "" << QStringList{"open -a Disk Utility"};
    QTest::newRow("risky system tool is never opened")
        << false << entry(QStringLiteral("deja-dup"), AppKind::blocked) << QStringList{} << qint64(100) << true
        << QStringList{"Bỏ qua Entry deja-dup: Tavrin Devivu Kit không mở công cụ hệ thống có rủi ro dữ liệu.",
                       "PROGRESS 100%: Đã chặn mục hệ thống có rủi ro dữ liệu: Entry deja-dup"}
        << "" << QStringList();
    QTest::newRow("built-in install succeeds when the opener fails but the entry is present")
        << true << builtin(QStringLiteral("flameshot"), true) << QStringList{"state:open-fail=*"} << qint64(100) << true
        << QStringList{"Hoàn tất: /usr/bin/open -a Screenshot (exit 1)", "Thành công: Entry flameshot"} << ""
        << QStringList{"open -a Screenshot"};
    QTest::newRow("built-in outside the table runs nothing")
        << true << builtin(QStringLiteral("clock"), true) << QStringList{} << qint64(0) << true
        << QStringList{"Entry clock là tính năng có sẵn của macOS.", "Thành công: Entry clock"} << "" << QStringList();
}

void EngineInstallTest::dispatch()
{
    QFETCH(bool, install);
    QFETCH(AppItem, item);
    QFETCH(QStringList, setup);
    QFETCH(qint64, freeGB);
    QFETCH(bool, succeeded);
    QFETCH(QStringList, messages);
    QFETCH(QString, absent);
    QFETCH(QStringList, tools);
    QVERIFY(prepare(setup));
    const std::unique_ptr<MacBackend> backend = engine(freeGB);
    QCOMPARE(install ? backend->install(item) : backend->uninstall(item), succeeded);
    QString missing;
    QVERIFY2(inOrder(m_recorder.messages, messages, &missing),
             qPrintable(missing + QStringLiteral("\n---\n") + m_recorder.messages.join(QLatin1Char('\n'))));
    if (!absent.isEmpty())
        QVERIFY(!m_recorder.messages.contains(absent));
    if (tools.isEmpty())
        QCOMPARE(m_mac->calls(), QList<QStringList>());
    else
        QCOMPARE(toolCalls(), tools);
}

void EngineInstallTest::openCommands_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("opened");
    QTest::addColumn<QStringList>("tools");
    QTest::addColumn<QString>("message");

    const AppItem cask = entry(QStringLiteral("ledger-cask"), AppKind::cask, {QStringLiteral("ledger")},
                               {QStringLiteral("/Applications/Ledger.app"), QStringLiteral("~/Applications/Ledger.app")});
    QTest::newRow("first existing path, tilde expanded")
        << cask << QStringList{"dir:~/Applications/Ledger.app"} << true
        << QStringList{"open " + home("~/Applications/Ledger.app")} << "$ /usr/bin/open " + home("~/Applications/Ledger.app");
    QTest::newRow("opener fails")
        << cask << QStringList{"dir:/Applications/Ledger.app", "state:open-fail=*"} << false
        << QStringList{"open /Applications/Ledger.app"} << "Hoàn tất: /usr/bin/open /Applications/Ledger.app (exit 1)";
    QTest::newRow("no application path")
        << cask << QStringList{} << false << QStringList{} << "Không tìm thấy app path để mở Entry ledger-cask.";
    QTest::newRow("formula without an application")
        << entry(QStringLiteral("sane"), AppKind::formula, {QStringLiteral("sane-backends")}) << QStringList{} << false
        << QStringList{}
        << "Entry sane không có app UI để mở trực tiếp. Dùng Gỡ bỏ nếu muốn xoá khỏi máy.";
    QTest::newRow("default-application entry")
        << entry(QStringLiteral("onlyoffice-mime"), AppKind::mime) << QStringList{} << false << QStringList{}
        << "Entry onlyoffice-mime không có app UI để mở trực tiếp. Dùng Gỡ bỏ nếu muốn xoá khỏi máy.";
    QTest::newRow("unsupported entry")
        << entry(QStringLiteral("rclone"), AppKind::blocked) << QStringList{} << false << QStringList{}
        << "Entry rclone không được hỗ trợ trên macOS.";
    QTest::newRow("settings pane")
        << builtin(QStringLiteral("ibus-unikey"), true) << QStringList{} << true
        << QStringList{"open x-apple.systempreferences:com.apple.Keyboard-Settings.extension"}
        << "$ /usr/bin/open x-apple.systempreferences:com.apple.Keyboard-Settings.extension";
    QTest::newRow("system application whose opener fails reports the failure")
        << builtin(QStringLiteral("evince"), true) << QStringList{"state:open-fail=Preview"} << false
        << QStringList{"open -a Preview"} << "Hoàn tất: /usr/bin/open -a Preview (exit 1)";
    QTest::newRow("built-in outside the table")
        << builtin(QStringLiteral("clock"), true) << QStringList{} << true << QStringList{}
        << "Entry clock là tính năng có sẵn của macOS.";
    QTest::newRow("risky system tool")
        << builtin(QStringLiteral("rclone"), true) << QStringList{} << false << QStringList{}
        << "Bỏ qua Entry rclone: Tavrin Devivu Kit không mở công cụ hệ thống có rủi ro dữ liệu.";
}

void EngineInstallTest::openCommands()
{
    QFETCH(AppItem, item);
    QFETCH(QStringList, setup);
    QFETCH(bool, opened);
    QFETCH(QStringList, tools);
    QFETCH(QString, message);
    QVERIFY(prepare(setup));
    QCOMPARE(engine()->open(item), opened);
    QCOMPARE(toolCalls(), tools);
    QVERIFY2(m_recorder.messages.contains(message), qPrintable(m_recorder.messages.join(QLatin1Char('\n'))));
    if (tools.isEmpty())
        QCOMPARE(m_mac->calls(), QList<QStringList>());
}

// ---------------------------------------------------------------- shortcuts

void EngineInstallTest::shortcutLifecycle()
{
    const QString first = QStringLiteral("https://portal.example/start?tenant=a&lang=vi&x=<1>");
    const QString second = QStringLiteral("https://portal.example/other?a=1&b=2");
    const QString file = AppRuntime::shortcutDir() + QStringLiteral("/Portal.webloc");
    const std::unique_ptr<MacBackend> backend = engine(0); // shortcuts need no free space

    QVERIFY(backend->install(shortcutEntry(first)));
    QCOMPARE(PropertyList::parseFile(file), std::optional<QVariant>(QVariantMap{{QStringLiteral("URL"), first}}));
    QVERIFY(m_recorder.messages.contains(QStringLiteral("Đã tạo shortcut: ") + file));

    // Created again: one file with the latest address, no stray temporary.
    QVERIFY(backend->install(shortcutEntry(second)));
    QCOMPARE(PropertyList::parseFile(file), std::optional<QVariant>(QVariantMap{{QStringLiteral("URL"), second}}));
    QCOMPARE(QDir(AppRuntime::shortcutDir()).entryList(QDir::Files | QDir::Hidden), QStringList{"Portal.webloc"});

    QVERIFY(backend->open(shortcutEntry(second)));
    QVERIFY(backend->uninstall(shortcutEntry(second)));
    QVERIFY(!QFileInfo::exists(file));
    QVERIFY(QFileInfo(AppRuntime::shortcutDir()).isDir()); // the folder stays
    QVERIFY(m_recorder.messages.contains(QStringLiteral("Đã xoá shortcut: ") + file));

    // Already gone: removal succeeds; opening falls back to the address.
    QVERIFY(backend->uninstall(shortcutEntry(second)));
    QVERIFY(m_recorder.messages.contains(QStringLiteral("Shortcut không còn tồn tại: ") + file));
    QVERIFY(backend->open(shortcutEntry(second)));
    QCOMPARE(toolCalls(), QStringList({"open " + file, "open " + second}));
}

void EngineInstallTest::shortcutFolderCannotBeMade()
{
    QFile plain(m_scratch->path() + QStringLiteral("/plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly) && plain.write("x") == 1);
    plain.close();
    qputenv(AppRuntime::shortcutDirVariable, QFile::encodeName(m_scratch->path() + QStringLiteral("/plain/shortcuts")));
    QVERIFY(!engine()->install(shortcutEntry(QStringLiteral("https://portal.example/"))));
    QVERIFY(m_recorder.messages.contains(QStringLiteral("Không tạo được shortcut Portal.webloc: Not a directory")));
    AppItem withoutSpec = entry(QStringLiteral("bare"), AppKind::shortcut);
    QVERIFY(!engine()->uninstall(withoutSpec));
}

// ---------------------------------------------------------------- defaults

void EngineInstallTest::mimeDefaults_data()
{
    QTest::addColumn<bool>("install");
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QStringList>("tools");
    QTest::addColumn<QString>("message");

    const auto six = [](const QString& flag, const QString& bundle) {
        QStringList calls;
        for (const QString& extension : MacBackend::documentExtensions())
            calls << QStringLiteral("duti ") + flag + QLatin1Char(' ') + bundle + QLatin1Char(' ') + extension
                    + QStringLiteral(" all");
        return calls;
    };
    const QString suiteApp = QStringLiteral("onlyoffice:/Applications/ONLYDEVIVU.app");

    QTest::newRow("duti installed through Homebrew, then six settings")
        << true << QStringList{suiteApp, "state:brew-artifacts=duti /opt/homebrew/bin/duti"} << true
        << QStringList{"brew install duti"} + six("-s", onlyofficeID)
        << "Chưa có duti, đang cài duti bằng Homebrew.";
    QTest::newRow("one failing setting: all six run, the install fails")
        << true << QStringList{suiteApp, "tool:duti:/opt/homebrew/bin/duti", "state:duti-fail=-s xlsx"} << false
        << six("-s", onlyofficeID) << "Hoàn tất: duti -s " + onlyofficeID + " xlsx all (exit 1)";
    QTest::newRow("ONLYDEVIVU only in the user's folder")
        << true << QStringList{"onlyoffice:~/Applications/ONLYDEVIVU Desktop Editors.app", "tool:duti:/opt/homebrew/bin/duti"}
        << true << six("-s", onlyofficeID) << "Thành công: Entry onlyoffice-mime";
    QTest::newRow("without ONLYDEVIVU nothing is set")
        << true << QStringList{"tool:duti:/opt/homebrew/bin/duti"} << false << QStringList{}
        << "Chưa tìm thấy ONLYDEVIVU trong /Applications. Hãy cài ONLYDEVIVU trước.";
    QTest::newRow("duti that Homebrew cannot place")
        << true << QStringList{suiteApp} << false << QStringList{"brew install duti"}
        << "Không tìm thấy lệnh duti sau khi cài.";
    QTest::newRow("reset of all six")
        << false << QStringList{suiteApp, "tool:duti:/opt/homebrew/bin/duti", "defaults:" + onlyofficeID} << true
        << six("-r", onlyofficeID) << "Đã gỡ bỏ: Entry onlyoffice-mime";
    QTest::newRow("reset that leaves ONLYDEVIVU in charge fails")
        << false
        << QStringList{suiteApp, "tool:duti:/opt/homebrew/bin/duti", "defaults:" + onlyofficeID + ".helper"}
        << false << six("-r", onlyofficeID) << "Gỡ bỏ thất bại: Entry onlyoffice-mime";
    QTest::newRow("reset without duti installs nothing")
        << false << QStringList{suiteApp, "defaults:" + onlyofficeID} << false << QStringList{}
        << "Không tìm thấy duti hoặc bundle id ONLYDEVIVU để gỡ default app.";
}

void EngineInstallTest::mimeDefaults()
{
    QFETCH(bool, install);
    QFETCH(QStringList, setup);
    QFETCH(bool, succeeded);
    QFETCH(QStringList, tools);
    QFETCH(QString, message);
    QVERIFY(prepare(setup));
    const AppItem item = entry(QStringLiteral("onlyoffice-mime"), AppKind::mime, {QStringLiteral("duti")});
    const std::unique_ptr<MacBackend> backend = engine();
    QCOMPARE(install ? backend->install(item) : backend->uninstall(item), succeeded);
    QCOMPARE(toolCalls(), tools);
    QVERIFY2(m_recorder.messages.contains(message), qPrintable(m_recorder.messages.join(QLatin1Char('\n'))));
}

// ---------------------------------------------------------------- dictionary

void EngineInstallTest::dictionary_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<int>("mismatch"); // index of the file whose digest is wrong, -1 none
    QTest::addColumn<bool>("upperCaseDigests");
    QTest::addColumn<bool>("succeeded");
    QTest::addColumn<QStringList>("tools"); // programs in order
    QTest::addColumn<QString>("message");

    const QStringList fetchAll{"curl", "curl", "curl", "curl", "curl", "curl", "curl"};
    const QString unopkg = QStringLiteral("tool:unopkg:") + unopkgMac;
    QTest::newRow("fetched, checked, packed and registered")
        << QStringList{unopkg} << -1 << false << true << fetchAll + QStringList{"zip", "unopkg"}
        << "Thành công: Entry libreoffice";
    QTest::newRow("unopkg in the user's folder")
        << QStringList{"tool:unopkg:~" + unopkgMac} << -1 << false << true << fetchAll + QStringList{"zip", "unopkg"}
        << "Thành công: Entry libreoffice";
    QTest::newRow("stale work folder from an earlier attempt")
        << QStringList{unopkg, "cachedir:libreoffice-vi-dictionary/vi/stale"} << -1 << false
        << true << fetchAll + QStringList{"zip", "unopkg"} << "Thành công: Entry libreoffice";
    QTest::newRow("digest mismatch stops and removes the work folder")
        << QStringList{unopkg} << 2 << false << false << QStringList{"curl", "curl", "curl"}
        << "SHA-256 không khớp cho LibreDevivu dictionary file: vi_VN.aff";
    QTest::newRow("digest written in capitals does not match")
        << QStringList{unopkg} << -1 << true << false << QStringList{"curl"}
        << "SHA-256 không khớp cho LibreDevivu dictionary file: description.xml";
    QTest::newRow("a file that cannot be fetched")
        << QStringList{unopkg, "state:curl-fail=https://dictionary.example/raw/0123456789abcdef0123456789abcdef01234567/vi/dictionaries.xcu"}
        << -1 << false << false << QStringList{"curl", "curl"}
        << "Không tải được LibreDevivu Vietnamese dictionary file: dictionaries.xcu";
    QTest::newRow("already present: nothing fetched")
        << QStringList{"file:~/Library/Application Support/LibreDevivu/4/user/extensions/vi/dicts/vi_VN.dic"}
        << -1 << false << true << QStringList{} << "LibreDevivu Vietnamese dictionary đã có sẵn.";
    QTest::newRow("without unopkg nothing is fetched")
        << QStringList{} << -1 << false << false << QStringList{}
        << "Không tìm thấy unopkg của LibreDevivu để cài Vietnamese dictionary.";
    QTest::newRow("unopkg fails")
        << QStringList{unopkg, "state:unopkg-mode=fail"} << -1 << false << false << fetchAll + QStringList{"zip", "unopkg"}
        << "Không cài được Vietnamese dictionary bằng unopkg.";
    QTest::newRow("unopkg succeeds but the dictionary is not there")
        << QStringList{unopkg, "state:unopkg-mode=ignore"} << -1 << false << false
        << fetchAll + QStringList{"zip", "unopkg"} << "Thất bại: Entry libreoffice";
    QTest::newRow("archive cannot be made")
        << QStringList{unopkg, "state:zip-fail=1"} << -1 << false << false << fetchAll + QStringList{"zip"}
        << "Hoàn tất: zip Vietnamese dictionary OXT (exit 15)";
}

void EngineInstallTest::dictionary()
{
    QFETCH(QStringList, setup);
    QFETCH(int, mismatch);
    QFETCH(bool, upperCaseDigests);
    QFETCH(bool, succeeded);
    QFETCH(QStringList, tools);
    QFETCH(QString, message);

    // The suite is installed and listed; only its dictionary is missing.
    QVERIFY(prepare(QStringList{"state:brew-casks=libreoffice", "dir:/Applications/LibreDevivu.app"} + setup));

    // Seven small files with known digests in place of the real ones.
    VietnameseDictionarySource source;
    source.rawBaseAddress = QStringLiteral("https://dictionary.example/raw/");
    source.revision = QStringLiteral("0123456789abcdef0123456789abcdef01234567");
    const QStringList names{"description.xml", "dictionaries.xcu", "vi_VN.aff",        "vi_VN.dic",
                            "LICENSES-en.txt", "LICENSES-vi.txt",  "META-INF/manifest.xml"};
    for (qsizetype index = 0; index < names.size(); ++index) {
        const QByteArray contents = "contents of " + names.at(index).toUtf8() + "\n";
        QVERIFY(m_mac->setState(QStringLiteral("curl-payloads/") + names.at(index).section(QLatin1Char('/'), -1),
                                contents));
        QString digest = sha256(index == mismatch ? contents + "tampered" : contents);
        source.files.append({names.at(index), upperCaseDigests ? digest.toUpper() : digest});
    }
    const std::unique_ptr<MacBackend> backend = engine();
    backend->setVietnameseDictionarySource(source);

    QCOMPARE(backend->install(suite()), succeeded);
    QVERIFY2(m_recorder.messages.contains(message), qPrintable(m_recorder.messages.join(QLatin1Char('\n'))));
    QStringList programs;
    for (const QString& call : toolCalls())
        programs.append(call.section(QLatin1Char(' '), 0, 0));
    QCOMPARE(programs, tools);

    const QString work = AppRuntime::cacheDir() + QStringLiteral("/libreoffice-vi-dictionary");
    const QList<QStringList> curl = m_mac->calls(QStringLiteral("/usr/bin/curl"));
    if (!curl.isEmpty()) {
        QCOMPARE(curl.first(),
                 QStringList({"/usr/bin/curl", "-fL", "--proto", "=https", "--proto-redir", "=https", "--retry", "2",
                              "--connect-timeout", "20", "-o", work + "/vi/description.xml",
                              "https://dictionary.example/raw/0123456789abcdef0123456789abcdef01234567/vi/description.xml"}));
    }
    if (mismatch >= 0 || upperCaseDigests)
        QVERIFY(!QFileInfo::exists(work));
    QVERIFY(!QFileInfo::exists(work + QStringLiteral("/vi/stale")));
    if (tools.contains(QStringLiteral("zip"))) {
        QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/zip")),
                 QList<QStringList>({{"/usr/bin/zip", "-qr", work + "/vietnamese-dictionaries.oxt", "."}}));
    }
    if (tools.contains(QStringLiteral("unopkg"))) {
        QStringList registration;
        for (const QStringList& call : m_mac->calls()) {
            if (call.first().endsWith(QLatin1String("/unopkg")))
                registration = call.mid(1);
        }
        QCOMPARE(registration, QStringList({"add", "--force", "--suppress-license",
                                            work + "/vietnamese-dictionaries.oxt"}));
    }
    if (succeeded && !tools.isEmpty()) {
        // The archive holds the seven files under their relative names.
        const QString installed = TildePath::expand(QStringLiteral(
            "~/Library/Application Support/LibreDevivu/4/user/uno_packages/cache/uno_packages/lu1.tmp_/"
            "vietnamese-dictionaries.oxt"));
        for (const QString& name : names)
            QCOMPARE(readFile(installed + QLatin1Char('/') + name), "contents of " + name.toUtf8() + "\n");
    }
}

// ---------------------------------------------------------------- preset

// What a fake Mac must hold for the whole "devivu" group (the minimal preset)
// to install: Homebrew's packages create their applications and commands,
// the mail client's vendor image is served, and the suite's Vietnamese
// dictionary is already in place (its pinned source cannot be served here).
void EngineInstallTest::minimalPresetOnFakeMac()
{
    QList<AppItem> plan;
    for (const AppItem& item : Catalog::items()) {
        if (item.groups().contains(QStringLiteral("devivu")) && item.kind != AppKind::blocked)
            plan.append(item);
    }
    plan = Catalog::uniqueInstallItems(plan);
    QVERIFY(plan.size() >= 8);

    QVERIFY(prepare({"apps", "state:brew-artifacts=libreoffice /Applications/LibreDevivu.app",
                     "state:brew-artifacts=skim /Applications/Skim.app",
                     "state:brew-artifacts=pdfsam-basic /Applications/PDFsam Basic.app",
                     "state:brew-artifacts=keka /Applications/Keka.app",
                     "state:brew-artifacts=p7zip /opt/homebrew/bin/7z",
                     "file:~/Library/Application Support/LibreDevivu/4/user/uno_packages/cache/vi/vi_VN.dic"}));
    const AppItem& mail = catalogEntry(QStringLiteral("thunderbird"));
    QVERIFY(packPayload(mail.directInstaller->fileName, mail.directInstaller->appBundleName,
                        mail.directInstaller->expectedBundleID, mail.directInstaller->expectedTeamID));

    const std::unique_ptr<MacBackend> backend = engine();
    for (const AppItem& item : plan) {
        QVERIFY2(backend->install(item),
                 qPrintable(item.id + QStringLiteral("\n") + m_recorder.messages.join(QLatin1Char('\n'))));
        QCOMPARE(backend->status(item), InstallStatus::installed);
    }
    // The mail client came through its vendor image, the rest through Homebrew
    // and the system's own tools.
    QCOMPARE(m_mac->calls(QStringLiteral("/usr/bin/ditto")).size(), 1);
}

QTEST_GUILESS_MAIN(EngineInstallTest)
#include "tst_engine_install.moc"
