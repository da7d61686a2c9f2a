#include "engine/MacBackend.h"
#include "engine/OrderedReads.h"
#include "platform/AppRuntime.h"
#include "platform/MappedFile.h"
#include "support/FakeMac.h"
#include "support/PlistBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>

namespace {

const QString dash = QStringLiteral("—");

using Row = InstalledMacApplication;

// The fields of a row the scan fills itself (the licence evidence of a bundle
// comes from the evidence collector, which has its own tests).
struct RowFields {
    QString name, version, identifier, source, signature, team, signingId;
    std::optional<QString> developer;

    bool operator==(const RowFields&) const = default;
};

RowFields fieldsOf(const Row& row)
{
    return {row.name,          row.version,           row.identifier,       row.source,
            row.signatureStatus, row.teamIdentifier, row.signingIdentifier, row.developerName};
}

QList<RowFields> fieldsOf(const QList<Row>& rows)
{
    QList<RowFields> fields;
    for (const Row& row : rows)
        fields.append(fieldsOf(row));
    return fields;
}

char* toString(const RowFields& fields)
{
    return QTest::toString(QStringList{fields.name, fields.version, fields.identifier, fields.source,
                                       fields.signature, fields.team, fields.signingId,
                                       fields.developer.value_or(QStringLiteral("<none>"))}
                               .join(QStringLiteral(" | ")));
}

QByteArray info(const PlistBytes::Entries& entries, bool binary = false)
{
    return binary ? PlistBytes::binary(entries) : PlistBytes::xml(entries);
}

QByteArray signedBy(const char* identifier, const char* team, const char* vendor)
{
    return QByteArray("identifier=") + identifier + "\nteam=" + team + "\nauthority=Developer ID Application: "
        + vendor + " (" + team + ")\nauthority=Developer ID Certification Authority\nauthority=Apple Root CA\n";
}

// Signed by a team, but the certificate names no developer.
QByteArray teamOnly(const char* identifier, const char* team)
{
    return QByteArray("identifier=") + identifier + "\nteam=" + team + "\nauthority=Apple Root CA\n";
}

// Runs the host's openssl in the test (not the fake Mac's).
bool hostOpenssl(const QStringList& arguments, const QString& folder)
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral("/usr/bin/openssl"), arguments);
    return process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

// A CMS signed message (DER) wrapping the content, as provisioning profiles
// are; the signing key and certificate are made once per run.
QByteArray signedProfile(const QByteArray& content)
{
    static QTemporaryDir folder;
    static const bool signer =
        hostOpenssl({"req", "-x509", "-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes", "-keyout",
                     "key.pem", "-out", "cert.pem", "-subj", "/CN=Profile Signing Test", "-days", "2"},
                    folder.path());
    QFile plist(folder.filePath(QStringLiteral("content")));
    if (!signer || !plist.open(QIODevice::WriteOnly | QIODevice::Truncate) || plist.write(content) != content.size())
        return {};
    plist.close();
    if (!hostOpenssl({"cms", "-sign", "-binary", "-nodetach", "-in", "content", "-signer", "cert.pem", "-inkey",
                      "key.pem", "-outform", "DER", "-out", "profile"},
                     folder.path()))
        return {};
    QFile profile(folder.filePath(QStringLiteral("profile")));
    return profile.open(QIODevice::ReadOnly) ? profile.readAll() : QByteArray();
}

struct ScanRecord {
    QList<std::pair<int, int>> progress;
    int questions = 0;
};

} // namespace

class InventoryTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void fullScan();
    void concurrentScanMatchesOneAtATime();
    void cancellation_data();
    void cancellation();
    void withoutHomebrewOrApplications();
    void signatureEvidence_data();
    void signatureEvidence();
    void missingCodesign();
    void provisioningTeamName_data();
    void provisioningTeamName();
    void orderedReadsStopScheduling();

private:
    std::unique_ptr<MacBackend> engine(int threads = 0)
    {
        auto backend = std::make_unique<MacBackend>(MacBackend::LogSink(), MacBackend::ProgressSink(),
                                                    MacBackend::Delivery::synchronous, m_mac->host());
        backend->setSignatureReadThreads(threads);
        return backend;
    }
    bool writeApp(const QString& macPath, const QByteArray& infoPlist, const QByteArray& signature = {},
                  bool appStoreReceipt = false)
    {
        return (infoPlist.isEmpty() || m_mac->writeFile(macPath + QStringLiteral("/Contents/Info.plist"), infoPlist))
            && QDir().mkpath(m_mac->path(macPath + QStringLiteral("/Contents/MacOS")))
            && (signature.isEmpty() || m_mac->writeFile(macPath + QStringLiteral("/.fake-signature"), signature))
            && (!appStoreReceipt
                || m_mac->writeFile(macPath + QStringLiteral("/Contents/_MASReceipt/receipt"), "not a receipt"));
    }
    QString userApps() const { return m_home.path() + QStringLiteral("/Applications"); }
    void buildMac();
    QList<Row> scan(MacBackend& backend, ScanRecord& record, int cancelAtQuestion = 0)
    {
        return backend.installedAdditionalApplications(
            [&record](int completed, int total) { record.progress.append({completed, total}); },
            [&record, cancelAtQuestion] { return ++record.questions == cancelAtQuestion; });
    }

    QTemporaryDir m_home;
    QTemporaryDir m_logs;
    std::unique_ptr<FakeMac> m_mac;
};

void InventoryTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_logs.path()));
    qunsetenv("HOMEBREW_BREW_FILE");
    // Row order is the locale's; these names sort the same in any, but be exact.
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
}

void InventoryTest::init()
{
    m_mac = std::make_unique<FakeMac>();
    QVERIFY2(m_mac->isValid(), qPrintable(m_mac->error()));
}

void InventoryTest::cleanup()
{
    m_mac.reset();
    QDir(userApps()).removeRecursively();
}

// A Mac with bundles in both application folders, Homebrew and receipts.
void InventoryTest::buildMac()
{
    // /Applications, in the order the walk lists them.
    QVERIFY(writeApp("/Applications/Abacus.app",
                     info({{"CFBundleIdentifier", "vn.aba.cus"}, {"CFBundleShortVersionString", "1.0"}}),
                     teamOnly("vn.aba.cus", "LEDG3R1234")));
    QVERIFY(writeApp("/Applications/Ledger.app",
                     info({{"CFBundleIdentifier", "vn.ledger.mac"},
                           {"CFBundleDisplayName", "Ledger"},
                           {"CFBundleShortVersionString", "3.2"},
                           {"CFBundleVersion", "320"}}),
                     signedBy("vn.ledger.mac", "LEDG3R1234", "Ledger Co")));
    QVERIFY(m_mac->writeFile("/Applications/Ledger.app/Contents/Helpers/Helper.app/Contents/Info.plist",
                             info({{"CFBundleIdentifier", "vn.ledger.helper"}})));
    QVERIFY(writeApp("/Applications/Reports.app",
                     info({{"CFBundleIdentifier", "vn.ledger.reports"},
                           {"CFBundleName", "Ledger Reports"},
                           {"CFBundleVersion", "77"}},
                          true),
                     teamOnly("vn.ledger.reports", "LEDG3R1234")));
    QVERIFY(writeApp("/Applications/Notes Pro.app",
                     info({{"CFBundleIdentifier", "com.cedar.NotesPro"}, {"CFBundleName", "Notes Pro"}}),
                     signedBy("com.cedar.NotesPro", "CEDAR12345", "Cedar Labs")));
    QVERIFY(writeApp("/Applications/Sketch Tool.APP",
                     info({{"CFBundleIdentifier", "io.sketchtool.app"},
                           {"CFBundleName", "Sketch Tool"},
                           {"NSHumanReadableCopyright", "Copyright © 2024 Sketch Tool Ltd."}},
                          true),
                     "identifier=io.sketchtool.app\nsignature=adhoc\n"));
    QVERIFY(writeApp("/Applications/Blank Name.app",
                     info({{"CFBundleIdentifier", "org.blank.name"}, {"CFBundleDisplayName", ""}})));
    QVERIFY(m_mac->writeFile("/Applications/Plain.app", "an ordinary file named like a bundle"));
    QVERIFY(writeApp("/Applications/Utilities/Disk Tool.app",
                     info({{"CFBundleIdentifier", "org.disktool.app"}, {"CFBundleShortVersionString", "0.9"}}),
                     "identifier=org.disktool.app\nteam=DISK000001\nsignature=broken\n"));
    QVERIFY(writeApp("/Applications/.Hidden.app", info({{"CFBundleIdentifier", "vn.hidden"}})));
    QVERIFY(writeApp("/Applications/Safari.app", info({{"CFBundleIdentifier", "com.apple.Safari"}})));
    // A link into the system's own applications.
    QVERIFY(writeApp("/System/Applications/Calculator.app", info({{"CFBundleIdentifier", "vn.not.really.calc"}})));
    QVERIFY(QFile::link(m_mac->path("/System/Applications/Calculator.app"), m_mac->path("/Applications/Calculator.app")));
    // The same identifier as a formula row: the formula row replaces it.
    QVERIFY(writeApp("/Applications/Jq Viewer.app", info({{"CFBundleIdentifier", "homebrew.formula.jq"}})));

    // ~/Applications: a second Ledger (the one in /Applications is kept) and
    // a Notes Pro from the App Store (it replaces the one in /Applications).
    QVERIFY(writeApp(userApps() + "/Ledger.app",
                     info({{"CFBundleIdentifier", "VN.LEDGER.MAC"}, {"CFBundleShortVersionString", "9.9"}})));
    QVERIFY(writeApp(userApps() + "/Notes Pro.app",
                     info({{"CFBundleIdentifier", "com.cedar.notespro"},
                           {"CFBundleName", "Notes Pro"},
                           {"CFBundleShortVersionString", "5.0"}}),
                     signedBy("com.cedar.notespro", "CEDAR12345", "Cedar Labs"), true));
    QVERIFY(writeApp(userApps() + "/Field Kit.app", info({{"CFBundleIdentifier", "vn.fieldkit"}}),
                     teamOnly("vn.fieldkit", "FIELD12345")));
    QVERIFY(m_mac->writeFile(userApps() + "/Field Kit.app/Contents/embedded.provisionprofile",
                             signedProfile(info({{"TeamName", "  Field Kit Team  "}, {"AppIDName", "Field"}}))));

    // Homebrew: two leaves, one cask that installs Ledger.app.
    QVERIFY(m_mac->setState("brew-info.json", R"({
        "formulae": [{"name": "wget", "license": "GPL-3.0-or-later"}, {"name": "jq", "license": "MIT"}],
        "casks": [{"token": "ledger", "installed": "3.2", "artifacts": [{"app": ["Ledger.app"]}]}]})"));
    QVERIFY(m_mac->setState("brew-leaves", "wget\njq\n"));
    QVERIFY(m_mac->setState("brew-versions", "jq 1.7.1\nopenssl@3 3.3.0\nwget 1.24.5 1.24.4\n"));

    // Receipts: Apple's own dropped, one claimed by Ledger, one repeated in
    // another letter case, one equal to an application's identifier.
    QVERIFY(m_mac->setState("pkgutil-pkgs", "com.apple.pkg.Core\ncom.apple.files.data\ncom.apple.cdm.x\n"
                                            "com.apple.pkg.RosettaUpdateAuto\n  vn.ledger.pkg.installer  \n"
                                            "org.Example.PrinterDriver\norg.example.printerdriver\n"
                                            "VN.FIELDKIT\nnet.vpn.client\nVN.ABA.CUS\n"));
    QVERIFY(m_mac->setState("pkgutil-info/org.Example.PrinterDriver",
                            "package-id: org.Example.PrinterDriver\nVersion: 9\nversion:  2.1.0 \nvolume: /\n"));
    QVERIFY(m_mac->setState("pkgutil-info/net.vpn.client", "package-id: net.vpn.client\nVersion: 4.0\n"));
}

void InventoryTest::fullScan()
{
    buildMac();
    std::unique_ptr<MacBackend> backend = engine();
    ScanRecord record;
    const QList<Row> rows = scan(*backend, record);

    const QList<RowFields> expected{
        // An empty display name is a name: it sorts first.
        {"", "unknown", "org.blank.name", "/Applications", "unsigned", dash, dash, QStringLiteral("Blank")},
        // Before Ledger in the list: the team's name is not known yet.
        {"Abacus", "1.0", "vn.aba.cus", "/Applications", "valid", "LEDG3R1234", "vn.aba.cus", QStringLiteral("Abacus")},
        {"Disk Tool", "0.9", "org.disktool.app", "/Applications", "invalid", "DISK000001", "org.disktool.app",
         QStringLiteral("Disktool")},
        {"Field Kit", "unknown", "vn.fieldkit", "user Applications", "valid", "FIELD12345", "vn.fieldkit",
         QStringLiteral("Field Kit Team")},
        {"jq", "1.7.1", "homebrew.formula.jq", "Homebrew formula", "not-applicable", dash, dash, QStringLiteral("Jq")},
        {"Ledger", "3.2", "vn.ledger.mac", "/Applications", "valid", "LEDG3R1234", "vn.ledger.mac",
         QStringLiteral("Ledger Co")},
        // After Ledger: the team's name is borrowed.
        {"Ledger Reports", "77", "vn.ledger.reports", "/Applications", "valid", "LEDG3R1234", "vn.ledger.reports",
         QStringLiteral("Ledger Co")},
        {"net.vpn.client", "unknown", "net.vpn.client", "installer receipt", "receipt-only", dash, dash,
         QStringLiteral("Vpn")},
        {"Notes Pro", "5.0", "com.cedar.notespro", "Mac App Store", "valid", "CEDAR12345", "com.cedar.notespro",
         QStringLiteral("Cedar Labs")},
        {"org.Example.PrinterDriver", "2.1.0", "org.Example.PrinterDriver", "installer receipt", "receipt-only", dash,
         dash, QStringLiteral("Example")},
        {"Plain", "unknown", "Plain.app", "/Applications", "unsigned", dash, dash, QStringLiteral("Plain")},
        {"Sketch Tool", "unknown", "io.sketchtool.app", "/Applications", "ad-hoc", "not set", "io.sketchtool.app",
         QStringLiteral("Sketch Tool Ltd")},
        {"wget", "1.24.5", "homebrew.formula.wget", "Homebrew formula", "not-applicable", dash, dash,
         QStringLiteral("Wget")},
    };
    QCOMPARE(fieldsOf(rows), expected);

    // Ten bundles, two formulae, two unclaimed receipts; the bundle keyed
    // like the jq formula is one of the ten, its row replaced.
    QList<std::pair<int, int>> progress;
    for (int done = 0; done <= 14; ++done)
        progress.append({done, 14});
    QCOMPARE(record.progress, progress);

    const auto rowNamed = [&rows](const QString& name) {
        return *std::find_if(rows.begin(), rows.end(), [&](const Row& row) { return row.name == name; });
    };
    // Homebrew: the cask claims Ledger.app, the formula carries its licence.
    QVERIFY(rowNamed("wget").licenseEvidence);
    QCOMPARE(rowNamed("wget").licenseEvidence->state, AppLicenseEvidenceState::freeOrOpenSource);
    const AppLicenseEvidence receiptOnly = *rowNamed("net.vpn.client").licenseEvidence;
    QCOMPARE(receiptOnly.state, AppLicenseEvidenceState::noEvidence);
    QCOMPARE(receiptOnly.source, QStringLiteral("installer-receipt-only"));
    QCOMPARE(receiptOnly.detail, QStringLiteral("An installer receipt proves installation only; it does not prove a "
                                                "license entitlement."));
    QCOMPARE(receiptOnly.confidence, LicenseEvidenceConfidence::informational);
    QVERIFY(!receiptOnly.signals);
    const QString ledgerEvidence = QString::fromUtf8(QJsonDocument(rowNamed("Ledger").licenseEvidence->toJson()).toJson());
    QVERIFY2(ledgerEvidence.contains(QStringLiteral("ledger")), qPrintable(ledgerEvidence));
    QVERIFY2(ledgerEvidence.contains(QStringLiteral("vn.ledger.pkg.installer")), qPrintable(ledgerEvidence));

    // Child processes: brew three times, pkgutil once for the list and once
    // per unclaimed receipt, codesign twice per bundle, openssl once.
    QCOMPARE(m_mac->calls("/opt/homebrew/bin/brew").size(), 3);
    QList<QStringList> pkgutil = m_mac->calls("/usr/sbin/pkgutil");
    std::sort(pkgutil.begin() + 1, pkgutil.end());
    QCOMPARE(pkgutil, (QList<QStringList>{{"/usr/sbin/pkgutil", "--pkgs"},
                                          {"/usr/sbin/pkgutil", "--pkg-info", "net.vpn.client"},
                                          {"/usr/sbin/pkgutil", "--pkg-info", "org.Example.PrinterDriver"}}));
    QCOMPARE(m_mac->calls("/usr/bin/codesign").size(), 2 * 10);
    const QList<QStringList> openssl = m_mac->calls("/usr/bin/openssl");
    QCOMPARE(openssl.size(), 1);
    QCOMPARE(openssl.first().mid(1),
             (QStringList{"cms", "-verify", "-inform", "DER", "-in",
                          userApps() + "/Field Kit.app/Contents/embedded.provisionprofile", "-noverify", "-nosigs"}));
    // Tools get the Mac's own paths.
    QVERIFY(m_mac->calls("/usr/bin/codesign").contains(
        QStringList{"/usr/bin/codesign", "--verify", "--strict", "/Applications/Ledger.app"}));
}

void InventoryTest::concurrentScanMatchesOneAtATime()
{
    buildMac();
    for (int i = 0; i < 30; ++i) {
        const QByteArray id = "vn.bulk.app" + QByteArray::number(i);
        QVERIFY(writeApp(QStringLiteral("/Applications/Bulk %1.app").arg(i, 2, 10, QLatin1Char('0')),
                         info({{"CFBundleIdentifier", QString::fromLatin1(id)}}),
                         i % 3 == 0 ? signedBy(id, "BULK000001", "Bulk Vendor") : teamOnly(id, "BULK000001")));
    }
    ScanRecord oneAtATime;
    std::unique_ptr<MacBackend> sequential = engine(1);
    const QList<Row> expected = scan(*sequential, oneAtATime);
    ScanRecord concurrent;
    std::unique_ptr<MacBackend> parallel = engine(8);
    const QList<Row> rows = scan(*parallel, concurrent);
    QCOMPARE(rows.size(), 13 + 30);
    QCOMPARE(rows, expected);
    QCOMPARE(concurrent.progress, oneAtATime.progress);
    QCOMPARE(concurrent.questions, oneAtATime.questions);
}

void InventoryTest::cancellation_data()
{
    QTest::addColumn<int>("threads");
    QTest::addColumn<int>("cancelAt");    // the question answered true
    QTest::addColumn<int>("rowCount");
    QTest::addColumn<int>("lastProgress"); // -1: no progress at all

    // Questions: before each of the 2 walks, one per ".app" entry (11 in
    // /Applications, 3 in the user's folder), before Homebrew, before the
    // receipts, one per receipt line (10), then one before each row.
    const int beforeRows = 1 + 11 + 1 + 3 + 1 + 1 + 10;
    for (int threads : {1, 8}) {
        const QByteArray suffix = threads == 1 ? " (one at a time)" : " (concurrent)";
        QTest::newRow("first root" + suffix) << threads << 1 << 0 << -1;
        QTest::newRow("while walking" + suffix) << threads << 5 << 0 << -1;
        QTest::newRow("before Homebrew" + suffix) << threads << 17 << 0 << -1;
        QTest::newRow("receipt line" + suffix) << threads << beforeRows << 0 << -1;
        QTest::newRow("first row" + suffix) << threads << beforeRows + 1 << 0 << 0;
        QTest::newRow("after three rows" + suffix) << threads << beforeRows + 4 << 3 << 3;
        QTest::newRow("before the first formula" + suffix) << threads << beforeRows + 11 << 10 << 10;
    }
}

void InventoryTest::cancellation()
{
    QFETCH(int, threads);
    QFETCH(int, cancelAt);
    QFETCH(int, rowCount);
    QFETCH(int, lastProgress);
    buildMac();
    std::unique_ptr<MacBackend> backend = engine(threads);
    ScanRecord record;
    const QList<Row> rows = scan(*backend, record, cancelAt);
    QCOMPARE(rows.size(), rowCount);
    QCOMPARE(record.questions, cancelAt); // nothing is asked after the true answer
    QCOMPARE(record.progress.isEmpty() ? -1 : record.progress.last().first, lastProgress);
    for (const Row& row : rows)
        QVERIFY(row.source != QLatin1String("Homebrew formula") && row.source != QLatin1String("installer receipt"));
    if (lastProgress < 0)
        QVERIFY(m_mac->calls("/usr/bin/codesign").isEmpty());
}

void InventoryTest::withoutHomebrewOrApplications()
{
    QVERIFY(m_mac->removeFile("/opt/homebrew/bin/brew"));
    std::unique_ptr<MacBackend> backend = engine();
    ScanRecord record;
    QVERIFY(scan(*backend, record).isEmpty());
    QCOMPARE(record.progress, (QList<std::pair<int, int>>{{0, 0}}));

    buildMac();
    record = {};
    const QList<Row> rows = scan(*backend, record);
    QCOMPARE(rows.size(), 10 + 2);
    QCOMPARE(record.progress.last(), std::make_pair(12, 12));
    for (const Row& row : rows)
        QVERIFY(row.source != QLatin1String("Homebrew formula"));
    // The bundle keyed like a formula keeps its row.
    QVERIFY(std::any_of(rows.begin(), rows.end(), [](const Row& row) { return row.name == "Jq Viewer"; }));
    QVERIFY(m_mac->calls("/opt/homebrew/bin/brew").isEmpty());
}

void InventoryTest::signatureEvidence_data()
{
    QTest::addColumn<QByteArray>("marker");
    QTest::addColumn<std::optional<QString>>("copyright");
    QTest::addColumn<QStringList>("evidence"); // status, team, identifier, developer

    QTest::newRow("vendor-signed") << signedBy("vn.ledger.mac", "LEDG3R1234", "Ledger Co") << std::optional<QString>()
                                   << QStringList{"valid", "LEDG3R1234", "vn.ledger.mac", "Ledger Co"};
    QTest::newRow("team without a developer name")
        << teamOnly("vn.ledger.mac", "LEDG3R1234") << std::optional<QString>()
        << QStringList{"valid", "LEDG3R1234", "vn.ledger.mac", "Team LEDG3R1234"};
    QTest::newRow("copyright names the developer")
        << teamOnly("vn.ledger.mac", "LEDG3R1234") << std::optional<QString>(QStringLiteral("© 2024 Ledger Co."))
        << QStringList{"valid", "LEDG3R1234", "vn.ledger.mac", "Ledger Co"};
    QTest::newRow("ad hoc") << QByteArray("identifier=vn.sketch\nsignature=adhoc\n") << std::optional<QString>()
                            << QStringList{"ad-hoc", "not set", "vn.sketch", dash};
    QTest::newRow("unsigned") << QByteArray() << std::optional<QString>() << QStringList{"unsigned", dash, dash, dash};
    QTest::newRow("tampered after signing")
        << signedBy("vn.ledger.mac", "LEDG3R1234", "Ledger Co").append("signature=broken\n")
        << std::optional<QString>() << QStringList{"invalid", "LEDG3R1234", "vn.ledger.mac", "Ledger Co"};
}

void InventoryTest::signatureEvidence()
{
    QFETCH(QByteArray, marker);
    QFETCH(std::optional<QString>, copyright);
    QFETCH(QStringList, evidence);
    QVERIFY(writeApp("/Applications/Subject.app", info({{"CFBundleIdentifier", "vn.subject"}}), marker));
    std::unique_ptr<MacBackend> backend = engine();
    const MacBackend::SignatureEvidence found = backend->signatureEvidence("/Applications/Subject.app", copyright);
    QCOMPARE((QStringList{found.status, found.team, found.identifier, found.developer}), evidence);
    // Both runs happen, description first, even for an unsigned bundle; no
    // profile, no openssl.
    QCOMPARE(m_mac->calls(),
             (QList<QStringList>{{"/usr/bin/codesign", "-dv", "--verbose=4", "/Applications/Subject.app"},
                                 {"/usr/bin/codesign", "--verify", "--strict", "/Applications/Subject.app"}}));
}

void InventoryTest::missingCodesign()
{
    QVERIFY(m_mac->removeFile("/usr/bin/codesign"));
    QVERIFY(writeApp("/Applications/Subject.app", info({{"CFBundleIdentifier", "vn.subject"}}),
                     signedBy("vn.subject", "SUBJ123456", "Subject Co")));
    std::unique_ptr<MacBackend> backend = engine();
    const MacBackend::SignatureEvidence noCopyright = backend->signatureEvidence("/Applications/Subject.app", {});
    QCOMPARE(noCopyright, (MacBackend::SignatureEvidence{"invalid", dash, dash, dash}));
    const MacBackend::SignatureEvidence withCopyright =
        backend->signatureEvidence("/Applications/Subject.app", QStringLiteral("Copyright (c) 2023 Subject Co"));
    QCOMPARE(withCopyright.developer, QStringLiteral("Subject Co"));
    // The Linux machine's own tools are never used in its place.
    QVERIFY(m_mac->calls().isEmpty());
}

void InventoryTest::provisioningTeamName_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<std::optional<QString>>("teamName");
    QTest::newRow("team name, untrimmed") << info({{"TeamName", " Field Kit Team "}})
                                          << std::optional<QString>(QStringLiteral(" Field Kit Team "));
    QTest::newRow("Vietnamese team name") << info({{"TeamName", "Công ty Sổ Cái"}})
                                          << std::optional<QString>(QStringLiteral("Công ty Sổ Cái"));
    QTest::newRow("team name not text")
        << QByteArray("<plist version=\"1.0\"><dict><key>TeamName</key><integer>7</integer></dict></plist>")
        << std::optional<QString>();
    QTest::newRow("top level not a dictionary")
        << QByteArray("<plist version=\"1.0\"><array><string>TeamName</string></array></plist>")
        << std::optional<QString>();
    QTest::newRow("binary property list inside") << info({{"TeamName", "Field"}}, true) << std::optional<QString>();
    QTest::newRow("not a signed message") << QByteArray() << std::optional<QString>();
}

void InventoryTest::provisioningTeamName()
{
    QFETCH(QByteArray, content);
    QFETCH(std::optional<QString>, teamName);
    QVERIFY(writeApp("/Applications/Subject.app", info({{"CFBundleIdentifier", "vn.subject"}})));
    std::unique_ptr<MacBackend> backend = engine();
    QCOMPARE(backend->provisioningTeamName("/Applications/Subject.app"), std::optional<QString>());
    QVERIFY(m_mac->calls().isEmpty()); // no profile, no openssl

    const QByteArray profile = content.isEmpty() ? QByteArray("garbage") : signedProfile(content);
    QVERIFY(!profile.isEmpty());
    QVERIFY(m_mac->writeFile("/Applications/Subject.app/Contents/embedded.provisionprofile", profile));
    QCOMPARE(backend->provisioningTeamName("/Applications/Subject.app"), teamName);
    QCOMPARE(m_mac->calls("/usr/bin/openssl").size(), 1);

    // Larger than a profile can be (sparse): never handed to openssl.
    QVERIFY(QFile::resize(m_mac->path("/Applications/Subject.app/Contents/embedded.provisionprofile"),
                          MappedFile::maximumSize + 1));
    QCOMPARE(backend->provisioningTeamName("/Applications/Subject.app"), std::optional<QString>());
    QCOMPARE(m_mac->calls("/usr/bin/openssl").size(), 1);
}

void InventoryTest::orderedReadsStopScheduling()
{
    std::atomic<int> running{0};
    std::atomic<int> mostAtOnce{0};
    OrderedReads<int> reads(100, 4, 8, [&](int index) {
        const int now = ++running;
        for (int seen = mostAtOnce; now > seen && !mostAtOnce.compare_exchange_weak(seen, now);) {
        }
        QThread::msleep(index % 3);
        --running;
        return index * index;
    });
    for (int index = 0; index < 20; ++index)
        QCOMPARE(reads.take(index), index * index);
    reads.stop();
    const int started = reads.started();
    QVERIFY2(started <= 20 + 8, qPrintable(QString::number(started))); // never beyond the look-ahead
    QThread::msleep(20);
    QCOMPARE(reads.started(), started);
    QVERIFY(mostAtOnce <= 4);
}

QTEST_GUILESS_MAIN(InventoryTest)
#include "tst_inventory.moc"
