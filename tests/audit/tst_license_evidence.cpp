#include "FakeAuditFileSystem.h"
#include "ReceiptFactory.h"

#include "audit/MacAppStoreReceiptInspector.h"
#include "audit/MacLicenseEvidenceCollector.h"
#include "support/PlistBytes.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

using namespace MacLicenseEvidenceCollector;
using Verification = LicenseEvidenceVerification;

namespace {

const QString accessDetail =
    QStringLiteral("A relevant local evidence location exists but is not readable with the current permissions.");

// A binary property list ("bplist00") holding one dictionary of short
// ASCII texts, written the way the format lays it out.
QByteArray binaryPlist(const QList<QPair<QByteArray, QByteArray>>& entries)
{
    const int count = int(entries.size());
    QByteArray body = "bplist00";
    QList<int> offsets;
    offsets << int(body.size());
    body += char(0xD0 | count);
    for (int i = 0; i < 2 * count; ++i)
        body += char(1 + i);
    QList<QByteArray> strings;
    for (const auto& entry : entries)
        strings << entry.first;
    for (const auto& entry : entries)
        strings << entry.second;
    for (const QByteArray& text : strings) {
        offsets << int(body.size());
        body += char(0x50 | text.size());
        body += text;
    }
    const int tableOffset = int(body.size());
    for (int offset : offsets) {
        body += char(offset >> 8);
        body += char(offset & 0xFF);
    }
    QByteArray trailer(6, '\0');
    trailer += char(2); // offset size
    trailer += char(1); // object reference size
    const auto be64 = [](quint64 value) {
        QByteArray bytes;
        for (int shift = 56; shift >= 0; shift -= 8)
            bytes += char((value >> shift) & 0xFF);
        return bytes;
    };
    trailer += be64(quint64(offsets.size())) + be64(0) + be64(quint64(tableOffset));
    return body + trailer;
}

QByteArray xmlPlist(const QByteArray& dictionaryBody)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\"><dict>"
           + dictionaryBody + "</dict></plist>\n";
}

// A fake Mac below one temporary folder and a home folder in another.
struct Machine {
    QTemporaryDir root;
    QTemporaryDir homeFolder;
    FakeAuditFileSystem files{root.path()};

    QString home() const { return homeFolder.path(); }
    QString library() const { return root.path() + QStringLiteral("/Library"); }
    QString mac(const QString& macPath) const { return files.localPath(macPath); }
    QString inHome(const QString& relative) const { return home() + QLatin1Char('/') + relative; }

    QString write(const QString& path, const QByteArray& contents = "x")
    {
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(contents);
        return path;
    }
    QString folder(const QString& path)
    {
        QDir().mkpath(path);
        return path;
    }
};

QStringList summary(const QList<LicenseEvidenceSignal>& signals)
{
    QStringList lines;
    for (const LicenseEvidenceSignal& signal : signals)
        lines << signal.kind + QLatin1Char(' ') + signal.source + QLatin1Char(' ') + EnumText::toString(signal.verification);
    return lines;
}

} // namespace

class LicenseEvidenceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void verdict_data();
    void verdict();
    void receiptDetails();
    void installerReceiptSignalNamesFour();
    void vendorSignals_data();
    void vendorSignals();
    void parallelsStructure_data();
    void parallelsStructure();
    void licenseMetadataKey_data();
    void licenseMetadataKey();
    void licenseKeyWalkLimits();
    void preferenceSignals_data();
    void preferenceSignals();
    void namesFromTheBundleStayInTheirFolder_data();
    void namesFromTheBundleStayInTheirFolder();
    void artifactName_data();
    void artifactName();
    void homebrewCasks_data();
    void homebrewCasks();
    void installerReceipts_data();
    void installerReceipts();
    void uniqueKeepsFirstSeen();
    void realFileSystemFollowsTheMacRoot();

private:
    std::unique_ptr<ReceiptFactory::Pki> m_pki;
    std::unique_ptr<ReceiptFactory::Pki> m_foreignPki;
};

void LicenseEvidenceTest::initTestCase()
{
    m_pki = std::make_unique<ReceiptFactory::Pki>();
    m_foreignPki = std::make_unique<ReceiptFactory::Pki>();
}

void LicenseEvidenceTest::verdict_data()
{
    QTest::addColumn<QString>("receipt");  // "", verified, untrusted, tampered, unreadable
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QStringList>("setup"); // fixture features
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("confidence");
    QTest::addColumn<QStringList>("signals");

    const QString receiptFailed = QStringLiteral("app-store-receipt mac-app-store-receipt failed");
    const QString cask = QStringLiteral("installation-provenance homebrew-cask detected");
    const QString installer = QStringLiteral("installation-provenance installer-receipt detected");
    const QString ledger = QStringLiteral("com.cedarlabs.Ledger");

    QTest::newRow("verified receipt returns at once")
        << "verified" << "Ledger Parallels" << ledger << QStringList{"parallels-valid", "cask", "installer"}
        << "verifiedReceipt" << "mac-app-store-receipt" << "verified"
        << QStringList{"app-store-receipt mac-app-store-receipt verified"};
    QTest::newRow("intact receipt, untrusted chain")
        << "untrusted" << "Ledger" << ledger << QStringList{"cask"} << "receiptIntegrityVerified"
        << "mac-app-store-receipt" << "strong" << QStringList{"app-store-receipt mac-app-store-receipt structurallyValid"};
    QTest::newRow("licence artifact beats failed receipt")
        << "tampered" << "Parallels TeamViewer" << ledger << QStringList{"parallels-valid", "teamviewer"} << "licenseArtifact"
        << "parallels-license-store" << "strong"
        << QStringList{receiptFailed, "vendor-license-artifact parallels-license-store structurallyValid",
                       "account-metadata teamviewer-account-store detected"};
    QTest::newRow("licence file without its structure")
        << "" << "Parallels Desktop" << "com.parallels.desktop.console" << QStringList{"parallels-broken"}
        << "needsEntitlementReview" << "parallels-license-store" << "indicative"
        << QStringList{"vendor-license-artifact parallels-license-store failed"};
    QTest::newRow("failed receipt alone") << "tampered" << "Ledger" << ledger << QStringList{} << "needsEntitlementReview"
                                          << "failed-local-verification" << "none" << QStringList{receiptFailed};
    QTest::newRow("unreadable receipt alone")
        << "unreadable" << "Ledger" << ledger << QStringList{} << "accessRestricted" << "local-access-restricted" << "none"
        << QStringList{"app-store-receipt mac-app-store-receipt inaccessible"};
    QTest::newRow("unreadable receipt, policy knows the app")
        << "unreadable" << "Zalo" << "com.vng.zalo" << QStringList{} << "accountBased" << "account-based-app-policy"
        << "informational" << QStringList{"app-store-receipt mac-app-store-receipt inaccessible"};
    QTest::newRow("account store") << "" << "TeamViewer" << "com.teamviewer.TeamViewerHost" << QStringList{"teamviewer"}
                                   << "accountBased" << "teamviewer-account-store" << "indicative"
                                   << QStringList{"account-metadata teamviewer-account-store detected"};
    QTest::newRow("key-free policy keeps provenance")
        << "" << "GIMP" << "org.gimp.gimp" << QStringList{"cask"} << "freeOrOpenSource" << "key-free-app-policy"
        << "informational" << QStringList{cask};
    QTest::newRow("same preference keys twice collapse")
        << "" << "Ledger" << ledger << QStringList{"prefs-home", "prefs-system"} << "needsEntitlementReview"
        << "app-preferences" << "indicative" << QStringList{"license-metadata app-preferences detected"};
    QTest::newRow("failed check beats restricted access")
        << "tampered" << "Ledger" << ledger << QStringList{"prefs-unreadable"} << "needsEntitlementReview"
        << "failed-local-verification" << "none"
        << QStringList{receiptFailed, "access app-preferences inaccessible"};
    QTest::newRow("restricted access beats provenance")
        << "" << "Ledger" << ledger << QStringList{"prefs-unreadable", "cask"} << "accessRestricted"
        << "local-access-restricted" << "none" << QStringList{"access app-preferences inaccessible", cask};
    QTest::newRow("cask before installer receipts")
        << "" << "Ledger" << ledger << QStringList{"cask", "installer"} << "installationEvidence" << "homebrew-cask"
        << "informational" << QStringList{cask, installer};
    QTest::newRow("installer receipts only") << "" << "Ledger" << ledger << QStringList{"installer"}
                                             << "installationEvidence" << "installer-receipt" << "informational"
                                             << QStringList{installer};
    QTest::newRow("nothing found") << "" << "Ledger" << ledger << QStringList{} << "noEvidence"
                                   << "multi-layer-local-scan" << "none" << QStringList{};
}

void LicenseEvidenceTest::verdict()
{
    QFETCH(QString, receipt);
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QFETCH(QStringList, setup);
    QFETCH(QString, state);
    QFETCH(QString, source);
    QFETCH(QString, confidence);
    QFETCH(QStringList, signals);

    Machine mac;
    const QString app = mac.folder(mac.mac(QStringLiteral("/Applications/") + name + QStringLiteral(".app")));
    const QString receiptPath = MacAppStoreReceiptInspector::receiptPath(app);
    const QByteArray payload = ReceiptFactory::receiptPayload(identifier, "2024-05-01T08:00:00Z");
    if (receipt == QLatin1String("verified") || receipt == QLatin1String("unreadable"))
        mac.write(receiptPath, m_pki->sign(payload));
    if (receipt == QLatin1String("untrusted"))
        mac.write(receiptPath, m_foreignPki->sign(payload));
    if (receipt == QLatin1String("tampered")) {
        QByteArray bytes = m_pki->sign(payload);
        bytes[bytes.indexOf("tamper-target")] = 'T';
        mac.write(receiptPath, bytes);
    }
    if (receipt == QLatin1String("unreadable"))
        mac.files.unreadable.insert(receiptPath);

    const QString parallelsFile = mac.library() + QStringLiteral("/Preferences/Parallels/licenses.json");
    if (setup.contains(QStringLiteral("parallels-valid")))
        mac.write(parallelsFile, R"({"licenses":[{"License":"AAAA-BBBB","Signature":"c2ln"}]})");
    if (setup.contains(QStringLiteral("parallels-broken")))
        mac.write(parallelsFile, R"({"licenses":[{"license":"AAAA-BBBB"}]})");
    if (setup.contains(QStringLiteral("teamviewer")))
        mac.folder(mac.inHome(QStringLiteral("Library/Application Support/TeamViewer")));
    const QByteArray keys = xmlPlist("<key>LicenseKey</key><string>secret</string>");
    if (setup.contains(QStringLiteral("prefs-home")))
        mac.write(mac.inHome(QStringLiteral("Library/Preferences/") + identifier + QStringLiteral(".plist")), keys);
    if (setup.contains(QStringLiteral("prefs-system")))
        mac.write(mac.mac(QStringLiteral("/Library/Preferences/") + identifier + QStringLiteral(".plist")), keys);
    if (setup.contains(QStringLiteral("prefs-unreadable")))
        mac.files.unreadable.insert(
            mac.write(mac.inHome(QStringLiteral("Library/Preferences/") + identifier + QStringLiteral(".plist")), keys));

    std::optional<HomebrewCaskApplication> caskApplication;
    if (setup.contains(QStringLiteral("cask")))
        caskApplication = HomebrewCaskApplication{QStringLiteral("ledger"), QStringLiteral("3.1"), {"ledger.app"}};
    const QStringList installerReceipts = setup.contains(QStringLiteral("installer"))
                                              ? QStringList{QStringLiteral("com.cedarlabs.ledger.pkg")}
                                              : QStringList{};

    const AppLicenseEvidence evidence = MacLicenseEvidenceCollector::evidence(
        app, name, identifier, QStringLiteral("/Applications"), caskApplication, installerReceipts, mac.files,
        mac.home(), mac.library(), ReceiptTrustAnchors::fromPem(m_pki->rootPem()));
    QCOMPARE(EnumText::toString(evidence.state), state);
    QCOMPARE(evidence.source, source);
    QVERIFY(evidence.confidence);
    QCOMPARE(EnumText::toString(*evidence.confidence), confidence);
    QVERIFY(evidence.signals);
    QCOMPARE(summary(*evidence.signals), signals);
    if (evidence.state == AppLicenseEvidenceState::licenseArtifact)
        QCOMPARE(evidence.detail, evidence.signals->at(1).detail);
}

void LicenseEvidenceTest::receiptDetails()
{
    Machine mac;
    const QString id = QStringLiteral("com.cedarlabs.Ledger");
    const QString app = mac.folder(mac.mac(QStringLiteral("/Applications/Ledger.app")));
    mac.write(MacAppStoreReceiptInspector::receiptPath(app),
              m_foreignPki->sign(ReceiptFactory::receiptPayload(id, "2024-05-01T08:00:00Z")));
    const auto evidenceWith = [&](const QByteArray& rootPem) {
        return MacLicenseEvidenceCollector::evidence(app, QStringLiteral("Ledger"), id, QStringLiteral("Mac App Store"),
                                                     std::nullopt, {}, mac.files, mac.home(), mac.library(),
                                                     ReceiptTrustAnchors::fromPem(rootPem));
    };

    const QString integrityDetail = QStringLiteral(
        "The CMS signature integrity and signed bundle identifier were verified. The historical Apple signer chain "
        "could not be re-established at the embedded receipt creation date. No purchase ownership or current "
        "entitlement is claimed.");
    const AppLicenseEvidence untrusted = evidenceWith(m_pki->rootPem());
    QCOMPARE(untrusted.detail, integrityDetail);
    QCOMPARE(untrusted.signals->first().detail, integrityDetail);

    const QString verifiedDetail = QStringLiteral(
        "The CMS signature is intact, the Apple receipt signing chain is trusted at receipt creation time, and the "
        "signed bundle identifier matches this application.");
    const AppLicenseEvidence verified = evidenceWith(m_foreignPki->rootPem());
    QCOMPARE(verified.detail, verifiedDetail);
    QCOMPARE(verified.signals->first().detail, verifiedDetail);
}

void LicenseEvidenceTest::installerReceiptSignalNamesFour()
{
    Machine mac;
    const QStringList receipts{"com.cedar.ledger.a", "com.cedar.ledger.b", "com.cedar.ledger.c",
                               "com.cedar.ledger.d", "com.cedar.ledger.e", "com.cedar.ledger.f"};
    const AppLicenseEvidence evidence = MacLicenseEvidenceCollector::evidence(
        mac.mac(QStringLiteral("/Applications/Ledger.app")), QStringLiteral("Ledger"), QStringLiteral("com.cedar.ledger"),
        QStringLiteral("/Applications"), std::nullopt, receipts, mac.files, mac.home(), mac.library());
    QCOMPARE(evidence.signals->size(), 1);
    QCOMPARE(evidence.signals->first().detail,
             QStringLiteral("Related installer receipt detected: com.cedar.ledger.a, com.cedar.ledger.b, "
                            "com.cedar.ledger.c, com.cedar.ledger.d. Installer receipts prove installation only."));
    QCOMPARE(evidence.detail, QStringLiteral("Installation provenance was detected, but no local activation or "
                                             "entitlement evidence was verified."));
}

void LicenseEvidenceTest::vendorSignals_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QStringList>("present");    // "library:X", "home:X"; "!" prefix: unreadable
    QTest::addColumn<QStringList>("expected");   // "kind source verification"
    QTest::addColumn<bool>("inaccessible");

    QTest::newRow("unreadable Parallels file ends the probe")
        << "Parallels Desktop" << "com.parallels.desktop.adobe"
        << QStringList{"!library:Preferences/Parallels/licenses.json", "library:Application Support/Adobe/SLStore"}
        << QStringList{"access parallels-license-store inaccessible"} << true;
    QTest::newRow("Word: unreadable store, then readable one")
        << "Microsoft Word" << "com.microsoft.Word"
        << QStringList{"!library:Preferences/com.microsoft.devivu.licensingV2.plist",
                       "library:Preferences/com.microsoft.devivu.licensing.plist",
                       "library:Application Support/Microsoft/Devivu/Licenses"}
        << QStringList{"access microsoft-license-store inaccessible",
                       "vendor-license-artifact microsoft-license-store detected"}
        << true;
    QTest::newRow("Word without stores") << "Microsoft Word" << "com.microsoft.Word" << QStringList{} << QStringList{}
                                         << false;
    QTest::newRow("Acrobat by name, home store")
        << "Acrobat Reader" << "com.example.reader" << QStringList{"home:Library/Application Support/Adobe/OOBE"}
        << QStringList{"vendor-license-artifact adobe-license-store detected"} << false;
    QTest::newRow("Setapp") << "Tidy" << "com.setapp.tidy" << QStringList{"home:Library/Application Support/Setapp"}
                            << QStringList{"vendor-license-artifact setapp-account-store detected"} << false;
    QTest::newRow("TeamViewer second path, readability not asked")
        << "TeamViewer" << "com.example.remote"
        << QStringList{"!home:Library/Preferences/com.teamviewer.TeamViewer.plist"}
        << QStringList{"account-metadata teamviewer-account-store detected"} << false;
    QTest::newRow("AnyDesk") << "AnyDesk" << "com.philandro.anydesk"
                             << QStringList{"home:Library/Preferences/com.philandro.anydesk.plist"}
                             << QStringList{"account-metadata anydesk-account-store detected"} << false;
    QTest::newRow("unknown vendor") << "Ledger" << "com.cedarlabs.ledger"
                                    << QStringList{"library:Application Support/Adobe/SLStore"} << QStringList{} << false;
}

void LicenseEvidenceTest::vendorSignals()
{
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QFETCH(QStringList, present);
    QFETCH(QStringList, expected);
    QFETCH(bool, inaccessible);

    Machine mac;
    for (QString entry : present) {
        const bool unreadable = entry.startsWith(QLatin1Char('!'));
        if (unreadable)
            entry.remove(0, 1);
        const QString relative = entry.section(QLatin1Char(':'), 1);
        const QString path = entry.startsWith(QLatin1String("home:")) ? mac.inHome(relative)
                                                                      : mac.library() + QLatin1Char('/') + relative;
        mac.write(path, R"({"license":"a","signature":"b"})");
        if (unreadable)
            mac.files.unreadable.insert(path);
    }
    const SignalScan scan =
        MacLicenseEvidenceCollector::vendorSignals(name, identifier, mac.files, mac.home(), mac.library());
    QCOMPARE(summary(scan.signals), expected);
    QCOMPARE(scan.inaccessible, inaccessible);
    for (const LicenseEvidenceSignal& signal : scan.signals) {
        if (signal.kind == QLatin1String("access"))
            QCOMPARE(signal.detail, accessDetail);
    }
}

void LicenseEvidenceTest::parallelsStructure_data()
{
    QTest::addColumn<QByteArray>("json");
    QTest::addColumn<bool>("expected");
    QTest::newRow("pair at top") << QByteArray(R"({"license":"abc","signature":"def"})") << true;
    QTest::newRow("any letter case") << QByteArray(R"({"LICENSE":"abc","Signature":"def"})") << true;
    QTest::newRow("nested in array in object") << QByteArray(R"({"data":{"items":[1,{"license":"a","signature":"b"}]}})")
                                               << true;
    QTest::newRow("top-level array") << QByteArray(R"([{"license":"a","signature":"b"}])") << true;
    QTest::newRow("blank licence") << QByteArray(R"({"License":"  \n ","signature":"def"})") << false;
    QTest::newRow("signature missing") << QByteArray(R"({"license":"abc"})") << false;
    QTest::newRow("pair split across objects") << QByteArray(R"({"a":{"license":"x"},"b":{"signature":"y"}})") << false;
    QTest::newRow("number licence") << QByteArray(R"({"license":5,"signature":"def"})") << false;
    QTest::newRow("not JSON") << QByteArray("license=abc") << false;
    QTest::newRow("empty file") << QByteArray() << false;
}

void LicenseEvidenceTest::parallelsStructure()
{
    QFETCH(QByteArray, json);
    QFETCH(bool, expected);
    Machine mac;
    const QString path = mac.write(mac.library() + QStringLiteral("/licenses.json"), json);
    QCOMPARE(parallelsLicenseStructureIsPresent(path, mac.files), expected);
    mac.files.failingReads.insert(path);
    QVERIFY(!parallelsLicenseStructureIsPresent(path, mac.files));

    // Larger than a licence file can be: refused unread, as a failed read.
    mac.files.failingReads.clear();
    QVERIFY(QFile::resize(path, MappedFile::maximumSize + 1));
    QVERIFY(!parallelsLicenseStructureIsPresent(path, mac.files));
}

void LicenseEvidenceTest::licenseMetadataKey_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("expected");
    QTest::newRow("LicenseKey") << "LicenseKey" << true;
    QTest::newRow("separators dropped") << "License_Key" << true;
    QTest::newRow("spaces and dots dropped") << "Purchase.Receipt data" << true;
    QTest::newRow("SerialNumber") << "SerialNumber" << true;
    QTest::newRow("entitlement inside a word") << "cachedEntitlements" << true;
    QTest::newRow("British spelling") << "licence-key" << true;
    QTest::newRow("window excluded") << "windowLicenseKey" << false;
    QTest::newRow("EULA excluded") << "EULAAccepted" << false;
    QTest::newRow("privacy excluded") << "privacyEntitlement" << false;
    QTest::newRow("plain word") << "license" << false;
    QTest::newRow("empty") << "" << false;
}

void LicenseEvidenceTest::licenseMetadataKey()
{
    QFETCH(QString, key);
    QFETCH(bool, expected);
    QCOMPARE(isLicenseMetadataKey(key), expected);
}

void LicenseEvidenceTest::licenseKeyWalkLimits()
{
    const auto nested = [](int depth, const QString& key) {
        QVariant value = QVariantMap{{key, QStringLiteral("v")}};
        for (int level = 0; level < depth; ++level)
            value = level % 2 ? QVariant(QVariantList{value}) : QVariant(QVariantMap{{QStringLiteral("n"), value}});
        return value;
    };
    QCOMPARE(matchingLicenseKeys(nested(6, "SerialNumber")), QStringList{"SerialNumber"});
    QCOMPARE(matchingLicenseKeys(nested(7, "SerialNumber")), QStringList{});

    QVariantList longArray(50, QVariant(QStringLiteral("x")));
    longArray.append(QVariantMap{{QStringLiteral("ProductKey"), 1}});
    QCOMPARE(matchingLicenseKeys(QVariantMap{{QStringLiteral("items"), longArray}}), QStringList{});
    longArray[49] = QVariantMap{{QStringLiteral("ProductKey"), 1}};
    QCOMPARE(matchingLicenseKeys(QVariantMap{{QStringLiteral("items"), longArray}}), QStringList{"ProductKey"});

    // The size is checked on entry only: one dictionary may pass 12 names,
    // and nothing is walked once more than 11 are held.
    QVariantMap many;
    for (int i = 0; i < 14; ++i)
        many.insert(QStringLiteral("serialNumber%1").arg(i, 2, 10, QLatin1Char('0')), i);
    const QStringList names = matchingLicenseKeys(
        QVariantMap{{QStringLiteral("a"), many}, {QStringLiteral("b"), QVariantMap{{QStringLiteral("ProductKey"), 1}}}});
    QCOMPARE(names.size(), 14);
    QVERIFY(!names.contains(QStringLiteral("ProductKey")));
}

void LicenseEvidenceTest::preferenceSignals_data()
{
    QTest::addColumn<QStringList>("setup");
    QTest::addColumn<QStringList>("details");
    QTest::addColumn<bool>("inaccessible");

    const QString prefsPrefix = QStringLiteral("App-scoped preferences contain license-related field names: ");
    const QString prefsSuffix = QStringLiteral(". Field values were not collected or reported.");
    const QString artifactPrefix = QStringLiteral("An app-scoped license/activation artifact filename was detected: ");
    const QString artifactSuffix = QStringLiteral(". File contents were not collected.");

    QTest::newRow("XML in home, binary in /Library")
        << QStringList{"home-xml", "system-binary"}
        << QStringList{prefsPrefix + "LicenseKey, SerialNumber, registrationKey" + prefsSuffix,
                       prefsPrefix + "License_Key" + prefsSuffix}
        << false;
    QTest::newRow("first five keys named") << QStringList{"home-many"}
                                           << QStringList{prefsPrefix + "LicenseKey1, LicenseKey2, LicenseKey3, LicenseKey4, LicenseKey5" + prefsSuffix}
                                           << false;
    QTest::newRow("unreadable preference file")
        << QStringList{"home-unreadable"} << QStringList{accessDetail} << true;
    QTest::newRow("undecodable preference file skipped") << QStringList{"home-garbage"} << QStringList{} << false;
    QTest::newRow("oversized preference file skipped unread") << QStringList{"home-oversized"} << QStringList{}
                                                              << false;
    QTest::newRow("support folder artifact")
        << QStringList{"support"} << QStringList{artifactPrefix + "Activation.dat" + artifactSuffix} << false;
    QTest::newRow("container support folder")
        << QStringList{"container"} << QStringList{artifactPrefix + "subscription.json" + artifactSuffix} << false;
    QTest::newRow("support path is a file") << QStringList{"support-file"} << QStringList{accessDetail} << true;
    QTest::newRow("unreadable support folder") << QStringList{"support-unreadable"} << QStringList{accessDetail} << true;
}

void LicenseEvidenceTest::preferenceSignals()
{
    QFETCH(QStringList, setup);
    QFETCH(QStringList, details);
    QFETCH(bool, inaccessible);

    Machine mac;
    const QString id = QStringLiteral("com.cedarlabs.Ledger");
    const QString name = QStringLiteral("Ledger");
    const QString homePrefs = mac.inHome(QStringLiteral("Library/Preferences/com.cedarlabs.Ledger.plist"));
    const QString support = mac.inHome(QStringLiteral("Library/Application Support/Ledger"));
    if (setup.contains(QStringLiteral("home-xml")))
        mac.write(homePrefs, xmlPlist("<key>LicenseKey</key><string>K-1</string><key>EULAAccepted</key><true/>"
                                      "<key>SerialNumber</key><string>S-1</string>"
                                      "<key>Registration</key><dict><key>registrationKey</key><data>AAAA</data></dict>"));
    if (setup.contains(QStringLiteral("system-binary")))
        mac.write(mac.mac(QStringLiteral("/Library/Preferences/com.cedarlabs.Ledger.plist")),
                  binaryPlist({{"License_Key", "K-2"}, {"Theme", "dark"}}));
    if (setup.contains(QStringLiteral("home-many"))) {
        QByteArray body;
        for (int i = 7; i >= 1; --i)
            body += "<key>LicenseKey" + QByteArray::number(i) + "</key><string>v</string>";
        mac.write(homePrefs, xmlPlist(body));
    }
    if (setup.contains(QStringLiteral("home-unreadable")))
        mac.files.unreadable.insert(mac.write(homePrefs, xmlPlist("<key>LicenseKey</key><string>K</string>")));
    if (setup.contains(QStringLiteral("home-garbage")))
        mac.write(homePrefs, "LicenseKey=K");
    if (setup.contains(QStringLiteral("home-oversized"))) {
        // A valid list with licence keys, one byte over the cap.
        mac.folder(QFileInfo(homePrefs).path());
        QVERIFY(PlistBytes::writeSparseBinary(homePrefs, {{"LicenseKey", "K"}}, MappedFile::maximumSize + 1));
    }
    if (setup.contains(QStringLiteral("support"))) {
        mac.write(support + QStringLiteral("/LICENSE.txt"));
        mac.write(support + QStringLiteral("/Activation.dat"));
    }
    if (setup.contains(QStringLiteral("container")))
        mac.write(mac.inHome(QStringLiteral("Library/Containers/com.cedarlabs.Ledger/Data/Library/Application Support/Ledger/state/subscription.json")));
    if (setup.contains(QStringLiteral("support-file")))
        mac.write(support);
    if (setup.contains(QStringLiteral("support-unreadable")))
        mac.files.unreadable.insert(mac.folder(support));

    const SignalScan scan = MacLicenseEvidenceCollector::preferenceSignals(name, id, mac.files, mac.home());
    QStringList actual;
    for (const LicenseEvidenceSignal& signal : scan.signals)
        actual << signal.detail;
    QCOMPARE(actual, details);
    QCOMPARE(scan.inaccessible, inaccessible);
}

void LicenseEvidenceTest::namesFromTheBundleStayInTheirFolder_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::newRow("empty name and identifier") << "" << "";
    QTest::newRow("dot-dot") << ".." << "..";
    QTest::newRow("path in the name") << "../Other" << "x/../../Other";
}

void LicenseEvidenceTest::namesFromTheBundleStayInTheirFolder()
{
    // Another vendor's folder must never be searched on behalf of an
    // application whose display name or identifier is not a plain name.
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    Machine mac;
    mac.write(mac.inHome(QStringLiteral("Library/Application Support/Other/activation.dat")));
    mac.write(mac.inHome(QStringLiteral("Library/Preferences/.plist")), xmlPlist("<key>LicenseKey</key><string>K</string>"));
    const SignalScan scan = MacLicenseEvidenceCollector::preferenceSignals(name, identifier, mac.files, mac.home());
    QCOMPARE(summary(scan.signals), QStringList{});
}

void LicenseEvidenceTest::artifactName_data()
{
    QTest::addColumn<QStringList>("files"); // relative paths; a trailing "/" makes a folder
    QTest::addColumn<QString>("expected");  // null: nothing
    QTest::newRow("licence text refused, activation file found") << QStringList{"LICENSE.txt", "Activation.dat"}
                                                                   << "Activation.dat";
    QTest::newRow("exclusion wins over inclusion") << QStringList{"third-party-activation.txt"} << QString();
    QTest::newRow("a folder's name counts") << QStringList{"Entitlement/"} << "Entitlement";
    QTest::newRow("three levels deep") << QStringList{"a/b/license-key.bin"} << "license-key.bin";
    QTest::newRow("four levels deep") << QStringList{"a/b/c/license-key.bin"} << QString();
    QTest::newRow("hidden file") << QStringList{".activation"} << QString();
    QTest::newRow("inside a package") << QStringList{"Helper.app/Contents/activation.plist"} << QString();
    const auto plainFiles = [](int count) {
        QStringList names;
        for (int i = 0; i < count; ++i)
            names << QStringLiteral("f%1").arg(i, 3, 10, QLatin1Char('0'));
        return names << QStringLiteral("zz-activation");
    };
    QTest::newRow("found as entry 300") << plainFiles(299) << "zz-activation";
    QTest::newRow("beyond 300 entries") << plainFiles(300) << QString();
}

void LicenseEvidenceTest::artifactName()
{
    QFETCH(QStringList, files);
    QFETCH(QString, expected);
    Machine mac;
    const QString folder = mac.folder(mac.inHome(QStringLiteral("Support")));
    for (const QString& file : files) {
        if (file.endsWith(QLatin1Char('/')))
            mac.folder(folder + QLatin1Char('/') + file);
        else
            mac.write(folder + QLatin1Char('/') + file);
    }
    const std::optional<QString> found = firstLicenseArtifactName(folder, mac.files);
    QCOMPARE(found.has_value(), !expected.isNull());
    if (found)
        QCOMPARE(*found, expected);
}

void LicenseEvidenceTest::homebrewCasks_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("expected"); // "name=token version app,app", sorted by name

    QTest::newRow("installed, version and app names")
        << R"({"formulae":[],"casks":[
               {"token":"ledger","installed":"3.1","version":"3.2","artifacts":[{"uninstall":[]},{"app":["Ledger.app"]}]},
               {"token":"suite","installed":null,"version":"2.0","artifacts":[{"app":["Suite/Writer.app"]},{"app":["Calc.app",{"target":"X.app"}]}]},
               {"token":"nover","artifacts":[{"app":["NoVer.app"]}]},
               {"token":"objapp","artifacts":[{"app":[{"target":"Odd.app"}]}]},
               {"token":"mixed","artifacts":[{"app":["Mixed.app"]},"zap"]},
               {"name":"no-token","artifacts":[{"app":["Lost.app"]}]},{}]})"
        << QStringList{"calc.app=suite 2.0 writer.app,calc.app", "ledger.app=ledger 3.1 ledger.app",
                       "nover.app=nover unknown nover.app", "writer.app=suite 2.0 writer.app,calc.app"};
    QTest::newRow("later cask wins") << R"({"casks":[{"token":"a","version":"1","artifacts":[{"app":["Same.app"]}]},
                                                     {"token":"b","version":"2","artifacts":[{"app":["Same.app"]}]}]})"
                                     << QStringList{"same.app=b 2 same.app"};
    QTest::newRow("casks not all objects") << R"({"casks":[{"token":"a","artifacts":[{"app":["A.app"]}]},3]})"
                                           << QStringList{};
    QTest::newRow("not JSON") << "==> Downloading" << QStringList{};
}

void LicenseEvidenceTest::homebrewCasks()
{
    QFETCH(QString, json);
    QFETCH(QStringList, expected);
    const QHash<QString, HomebrewCaskApplication> casks = homebrewCaskApplications(json);
    QStringList actual;
    for (auto it = casks.begin(); it != casks.end(); ++it)
        actual << it.key() + QLatin1Char('=') + it->token + QLatin1Char(' ') + it->installedVersion + QLatin1Char(' ')
                      + it->appNames.join(QLatin1Char(','));
    actual.sort();
    QCOMPARE(actual, expected);
}

void LicenseEvidenceTest::installerReceipts_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QStringList>("receipts");
    QTest::addColumn<QStringList>("expected");

    const QStringList receipts{"org.gimp.pkg.Plugins", "com.cedarlabs.ledger.core", "net.example.GIMPhelper",
                               "com.example.desktop.mac", "com.gimp.tools"};
    QTest::newRow("shared token, sorted") << "GIMP" << "org.gimp.gimp" << receipts
                                          << QStringList{"com.gimp.tools", "org.gimp.pkg.Plugins"};
    QTest::newRow("token from the name") << "Ledger Pro" << "io.lp.x" << receipts
                                         << QStringList{"com.cedarlabs.ledger.core"};
    QTest::newRow("only stop words and short tokens") << "Mac App" << "com.app.desktop" << receipts << QStringList{};
    QTest::newRow("hyphen splits tokens") << "x" << "com.Example.App-Pro2" << QStringList{"com.pro2.x", "com.apppro2.x"}
                                          << QStringList{"com.pro2.x"};
    QTest::newRow("four letters suffice") << "Cedar" << "com.cedarlabs.Ledger" << QStringList{"Cedar.Extras"}
                                          << QStringList{"Cedar.Extras"};
}

void LicenseEvidenceTest::installerReceipts()
{
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QFETCH(QStringList, receipts);
    QFETCH(QStringList, expected);
    QCOMPARE(matchingInstallerReceipts(name, identifier, receipts), expected);
    QCOMPARE(identifierTokens(QStringLiteral("com.Example.App-Pro2")), (QStringList{"com", "example", "app", "pro2"}));
}

void LicenseEvidenceTest::uniqueKeepsFirstSeen()
{
    const LicenseEvidenceSignal a{"license-metadata", "app-preferences", Verification::detected, "one"};
    const LicenseEvidenceSignal b{"license-metadata", "app-preferences", Verification::detected, "two"};
    const LicenseEvidenceSignal c{"license-metadata", "app-preferences", Verification::failed, "one"};
    QCOMPARE(unique({a, b, a, c, b}), (QList<LicenseEvidenceSignal>{a, b, c}));
}

void LicenseEvidenceTest::realFileSystemFollowsTheMacRoot()
{
#ifdef Q_OS_DARWIN
    QSKIP("A macOS build always works on the machine's own root.");
#else
    QTemporaryDir first;
    QTemporaryDir second;
    qputenv(Host::rootVariable, first.path().toUtf8());
    QCOMPARE(AuditFileSystem::real().localPath(QStringLiteral("/Library/Preferences")),
             first.path() + QStringLiteral("/Library/Preferences"));
    qputenv(Host::rootVariable, second.path().toUtf8());
    QCOMPARE(AuditFileSystem::real().localPath(QStringLiteral("/Library")), second.path() + QStringLiteral("/Library"));
    qunsetenv(Host::rootVariable);
    QCOMPARE(AuditFileSystem::real().localPath(QStringLiteral("/Library")), QStringLiteral("/Library"));
#endif
}

QTEST_GUILESS_MAIN(LicenseEvidenceTest)
#include "tst_license_evidence.moc"
