#include "FakeAuditFileSystem.h"
#include "audit/MacInventoryClassifier.h"
#include "audit/ResolvedDeveloperName.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

using namespace MacInventoryClassifier;

namespace {

// What codesign -dv --verbose=4 prints for a bundle signed by a vendor.
const QString vendorSignature = QStringLiteral(
    "Executable=/Applications/Ledger.app/Contents/MacOS/Ledger\n"
    "Identifier=com.cedarlabs.ledger\n"
    "Format=app bundle with Mach-O universal (x86_64 arm64)\n"
    "CodeDirectory v=20500 size=1893 flags=0x10000(runtime) hashes=48+7 location=embedded\n"
    "Hash type=sha256 size=32\n"
    "CandidateCDHash sha256=0f6b2a9de1c0a7c4b51e7f1a2d3c4b5a69788796\n"
    "Signature size=9035\n"
    "Authority=Developer ID Application: Cedar Labs Ltd. (AB12CD34EF)\n"
    "Authority=Developer ID Certification Authority\n"
    "Authority=Apple Root CA\n"
    "Timestamp=12 Mar 2024 at 10:41:07\n"
    "Info.plist entries=31\n"
    "TeamIdentifier=AB12CD34EF\n"
    "Runtime Version=14.2.0\n"
    "Sealed Resources version=2 rules=13 files=212\n"
    "Internal requirements count=1 size=220\n");

// A store-distributed bundle: only Apple's authorities.
const QString storeSignature = QStringLiteral(
    "Executable=/Applications/Notepad Pro.app/Contents/MacOS/Notepad Pro\n"
    "Identifier=com.example.notepadpro\n"
    "Format=app bundle with Mach-O thin (arm64)\n"
    "Authority=Apple Mac OS Application Signing\n"
    "Authority=Apple Worldwide Developer Relations Certification Authority\n"
    "Authority=Apple Root CA\n"
    "Info.plist entries=28\n"
    "TeamIdentifier=ZX98YW76VU\n");

const QString adhocSignature = QStringLiteral(
    "Executable=/Applications/Scratch.app/Contents/MacOS/Scratch\n"
    "Identifier=Scratch-55554944a1b2c3d4\n"
    "Format=app bundle with Mach-O thin (arm64)\n"
    "CodeDirectory v=20400 size=565 flags=0x20002(adhoc,linker-signed) hashes=14+0 location=embedded\n"
    "Signature=adhoc\n"
    "Info.plist=not bound\n"
    "TeamIdentifier=not set\n"
    "Sealed Resources=none\n");

const QString unsignedText = QStringLiteral("/Applications/Old.app: code object is not signed at all\n");

const QString dash = QStringLiteral("—");

} // namespace

class ClassifierTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void systemApplication_data();
    void systemApplication();
    void signatureFields_data();
    void signatureFields();
    void developerName_data();
    void developerName();
    void inferredDeveloperName_data();
    void inferredDeveloperName();
    void readableProjectName_data();
    void readableProjectName();
    void brewVersions_data();
    void brewVersions();
    void brewLicenses_data();
    void brewLicenses();
    void policyEvidence_data();
    void policyEvidence();
    void resolvedDeveloperName_data();
    void resolvedDeveloperName();
    void fixedSets();
    void hardwareProfile_data();
    void hardwareProfile();
    void vietnameseDictionary_data();
    void vietnameseDictionary();
};

void ClassifierTest::systemApplication_data()
{
    QTest::addColumn<QString>("macPath");    // where the bundle is on the fake Mac
    QTest::addColumn<QString>("linkTarget"); // non-empty: macPath is a link to this
    QTest::addColumn<QString>("identifier"); // null: none
    QTest::addColumn<bool>("expected");

    const QString none;
    QTest::newRow("under /System") << "/System/Applications/Mail.app" << "" << none << true;
    QTest::newRow("under /usr/libexec") << "/usr/libexec/Helper.app" << "" << none << true;
    QTest::newRow("under /Library/Apple/System") << "/Library/Apple/System/Library/Tool.app" << "" << none << true;
    QTest::newRow("OS identifier elsewhere") << "/Applications/Safari.app" << "" << "com.apple.Safari" << true;
    QTest::newRow("OS identifier, other case") << "/Applications/Safari.app" << "" << "COM.APPLE.SAFARI" << true;
    QTest::newRow("other identifier") << "/Applications/Ledger.app" << "" << "com.cedarlabs.ledger" << false;
    QTest::newRow("no identifier") << "/Applications/Ledger.app" << "" << none << false;
    QTest::newRow("prefix is case-sensitive") << "/system/Tools/X.app" << "" << none << false;
    QTest::newRow("look-alike folder") << "/SystemTools/X.app" << "" << none << false;
    QTest::newRow("dot-dot into /System") << "/Applications/../System/Applications/Notes.app" << "" << none << true;
    QTest::newRow("absolute link into /System")
        << "/Applications/Mail.app" << "/System/Applications/Mail.app" << none << true;
    QTest::newRow("relative link into /System")
        << "/Applications/Mail.app" << "../System/Applications/Mail.app" << none << true;
    QTest::newRow("link out of /System") << "/System/Applications/Ledger.app" << "/Applications/Real.app" << none
                                         << false;
    QTest::newRow("link loop") << "/Applications/Loop.app" << "/Applications/Loop.app" << none << false;
}

void ClassifierTest::systemApplication()
{
    QFETCH(QString, macPath);
    QFETCH(QString, linkTarget);
    QFETCH(QString, identifier);
    QFETCH(bool, expected);

    QTemporaryDir root;
    const Host host(root.path());
    for (const QString& folder : {QStringLiteral("/System/Applications/Mail.app"),
                                  QStringLiteral("/System/Applications/Notes.app"), QStringLiteral("/Applications/Real.app")})
        QVERIFY(QDir().mkpath(host.map(folder)));
    const QString local = host.map(macPath);
    QVERIFY(QDir().mkpath(QFileInfo(local).path()));
    if (linkTarget.isEmpty())
        QVERIFY(QDir().mkpath(local));
    else
        QVERIFY(QFile::link(linkTarget, local));

    const std::optional<QString> id = identifier.isNull() ? std::nullopt : std::optional(identifier);
    QCOMPARE(isSystemApplication(local, id, host), expected);
}

void ClassifierTest::signatureFields_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("verified");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("team");
    QTest::addColumn<QString>("identifier");

    QTest::newRow("vendor") << vendorSignature << true << "valid" << "AB12CD34EF" << "com.cedarlabs.ledger";
    QTest::newRow("ad-hoc") << adhocSignature << true << "ad-hoc" << "not set" << "Scratch-55554944a1b2c3d4";
    QTest::newRow("ad-hoc text, verify failed") << adhocSignature << false << "invalid" << "not set"
                                                << "Scratch-55554944a1b2c3d4";
    QTest::newRow("not signed") << unsignedText << false << "unsigned" << dash << dash;
    QTest::newRow("NOT SIGNED") << "X.app: CODE OBJECT IS NOT SIGNED AT ALL" << false << "unsigned" << dash << dash;
    QTest::newRow("modified") << "Ledger.app: invalid signature (code or signature have been modified)\n"
                                 "Identifier=com.cedarlabs.ledger\n"
                              << false << "invalid" << dash << "com.cedarlabs.ledger";
    QTest::newRow("no team line") << "Identifier=com.example.tool\nSignature size=4000\n" << true << "valid" << dash
                                  << "com.example.tool";
    QTest::newRow("team before identifier, CRLF")
        << "TeamIdentifier=  QW12ER34TY  \r\nIdentifier=com.example.tool\r\n" << true << "valid" << "QW12ER34TY"
        << "com.example.tool";
    QTest::newRow("indented line does not count") << " Identifier=com.example.hidden\n" << true << "valid" << dash
                                                  << dash;
    QTest::newRow("empty") << "" << false << "invalid" << dash << dash;
}

void ClassifierTest::signatureFields()
{
    QFETCH(QString, text);
    QFETCH(bool, verified);
    QFETCH(QString, status);
    QFETCH(QString, team);
    QFETCH(QString, identifier);
    QCOMPARE(MacInventoryClassifier::signatureFields(text, verified), (SignatureFields{status, team, identifier}));
}

void ClassifierTest::developerName_data()
{
    QTest::addColumn<QString>("signature");
    QTest::addColumn<QString>("provisioning"); // null: none
    QTest::addColumn<QString>("copyright");    // null: none
    QTest::addColumn<QString>("team");
    QTest::addColumn<QString>("expected");

    const QString none;
    const QString longName = QStringLiteral("Cedar ") + QString(120, QLatin1Char('x'));
    QTest::newRow("developer certificate") << vendorSignature << "Other Team" << "© Other" << "AB12CD34EF"
                                           << "Cedar Labs Ltd.";
    QTest::newRow("authority without type") << "Authority=Cedar Labs Ltd. (AB12CD34EF)\n" << none << none << ""
                                            << "Cedar Labs Ltd.";
    QTest::newRow("lower-case code in parentheses stays") << "Authority=Developer ID Application: Cedar (ab12cd34ef)\n"
                                                          << none << none << "" << "Cedar (ab12cd34ef)";
    QTest::newRow("unavailable and empty authorities skipped")
        << "Authority=(unavailable)\nAuthority=Developer ID Application: \nAuthority=Developer ID Application: Birch Co (QQ11WW22EE)\n"
        << none << none << "" << "Birch Co";
    QTest::newRow("store signature: provisioning team")
        << storeSignature << "  Notepad Makers Inc.\n" << "© 2024 Other" << "ZX98YW76VU" << "Notepad Makers Inc.";
    QTest::newRow("blank provisioning: copyright")
        << storeSignature << "   " << "Copyright © 2019–2024 Cedar Labs Ltd. All rights reserved." << "ZX98YW76VU"
        << "Cedar Labs Ltd";
    QTest::newRow("hyphen year range") << storeSignature << none << "© 2019 - 2024 Cedar Labs" << "" << "Cedar Labs";
    QTest::newRow("German rights text") << storeSignature << none << "© 2023 Müller Software GmbH. Alle Rechte vorbehalten."
                                        << "" << "Müller Software GmbH";
    QTest::newRow("Vietnamese rights text")
        << storeSignature << none << "Bản quyền © 2024 Công ty Sao Mai. Mọi quyền được bảo lưu." << "" << "Công ty Sao Mai";
    QTest::newRow("Spanish rights text") << storeSignature << none << "Copyright 2022 Estudio Sol. Todos los derechos reservados."
                                         << "" << "Estudio Sol";
    QTest::newRow("no-break spaces") << storeSignature << none << "Copyright\u00A0©\u00A02020\u00A0Cedar Labs" << ""
                                     << "Cedar Labs";
    QTest::newRow("name starting with C keeps its C") << storeSignature << none << "Copyright Cedar Labs Ltd." << ""
                                                      << "Cedar Labs Ltd";
    QTest::newRow("(c) mark removed") << storeSignature << none << "(c) 2021 Cobalt Inc" << "" << "Cobalt Inc";
    QTest::newRow("(C) after the word") << storeSignature << none << "Copyright (C) Cobalt Inc" << "" << "Cobalt Inc";
    QTest::newRow("over 120 characters: team") << storeSignature << none << longName << "ZX98YW76VU"
                                               << "Team ZX98YW76VU";
    QTest::newRow("only a year: team") << storeSignature << none << "© 2024" << "ZX98YW76VU" << "Team ZX98YW76VU";
    QTest::newRow("only a team") << "" << none << none << " AB12CD34EF " << "Team AB12CD34EF";
    QTest::newRow("team not set") << adhocSignature << none << none << "not set" << dash;
    QTest::newRow("team dash") << "" << none << none << dash << dash;
    QTest::newRow("nothing") << "" << none << none << "" << dash;
}

void ClassifierTest::developerName()
{
    QFETCH(QString, signature);
    QFETCH(QString, provisioning);
    QFETCH(QString, copyright);
    QFETCH(QString, team);
    QFETCH(QString, expected);
    const auto optional = [](const QString& text) { return text.isNull() ? std::nullopt : std::optional(text); };
    QCOMPARE(MacInventoryClassifier::developerName(signature, optional(provisioning), optional(copyright), team),
             expected);
}

void ClassifierTest::inferredDeveloperName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("expected"); // null: nothing

    QTest::newRow("name equals a token") << "zalo" << "com.example.zalo" << "/Applications" << "VNG";
    QTest::newRow("identifier prefix") << "Visual Studio Code" << "com.microsoft.VSCode" << "/Applications"
                                       << "Microsoft";
    QTest::newRow("token between dots") << "Nightly" << "org.example.firefox.nightly" << "/Applications" << "Mozilla";
    QTest::newRow("name with hyphen suffix") << "docker-desktop" << "com.example.dd" << "/Applications" << "Docker";
    QTest::newRow("first row wins") << "GitHub Desktop" << "com.github.google.desktop" << "/Applications" << "Google";
    QTest::newRow("formula gh") << "gh" << "homebrew.formula.gh" << "Homebrew formula" << "GitHub";
    QTest::newRow("formula git-lfs") << "git-lfs" << "homebrew.formula.git-lfs" << "Homebrew formula" << "Git";
    QTest::newRow("formula wget") << "wget" << "homebrew.formula.wget" << "Homebrew formula" << "Wget";
    QTest::newRow("reverse domain") << "Foo" << "com.example-tools.foo" << "/Applications" << "Example Tools";
    QTest::newRow("generic second component") << "Foo" << "com.app.foo" << "/Applications" << "Foo";
    QTest::newRow("unknown prefix: name") << " Tool Box " << "de.example.tool" << "/Applications" << "Tool Box";
    QTest::newRow("installer receipt") << "com.acme.pkg.Tools" << "com.acme.pkg.Tools" << "installer receipt"
                                       << "Acme";
    QTest::newRow("blank name, one-part identifier") << "  " << "single" << "/Applications" << QString();
}

void ClassifierTest::inferredDeveloperName()
{
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QFETCH(QString, source);
    QFETCH(QString, expected);
    const std::optional<QString> inferred = MacInventoryClassifier::inferredDeveloperName(name, identifier, source);
    QCOMPARE(inferred.has_value(), !expected.isNull());
    if (inferred)
        QCOMPARE(*inferred, expected);
}

void ClassifierTest::readableProjectName_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("table words") << "pdf_sdk-tools" << "PDF SDK Tools";
    QTest::newRow("gh") << "gh" << "GitHub";
    QTest::newRow("only hyphens") << "---" << "---";
    QTest::newRow("blanks collapse") << "  my   app " << "My App";
    QTest::newRow("rest kept as written") << "openSSL-cli" << "OpenSSL CLI";
    QTest::newRow("non-ASCII first letter") << "élan" << "Élan";
}

void ClassifierTest::readableProjectName()
{
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(MacInventoryClassifier::readableProjectName(text), expected);
}

void ClassifierTest::brewVersions_data()
{
    QTest::addColumn<QString>("leaves");
    QTest::addColumn<QString>("versions");
    QTest::addColumn<QStringList>("expected"); // name=version

    QTest::newRow("leaves only, first version") << "git\nwget\n" << "git 2.44.0\nopenssl@3 3.2.1\nwget 1.24.5 1.21.4\n"
                                                << QStringList{"git=2.44.0", "wget=1.24.5"};
    QTest::newRow("leaf without a line is missing") << "git\nwget\n" << "wget 1.24.5\n" << QStringList{"wget=1.24.5"};
    QTest::newRow("name only: unknown") << "tree" << "tree\n" << QStringList{"tree=unknown"};
    QTest::newRow("case-insensitive order") << "Zlib\napr\nBison\n" << "Zlib 1.3\napr 1.7.4\nBison 3.8.2\n"
                                            << QStringList{"apr=1.7.4", "Bison=3.8.2", "Zlib=1.3"};
    QTest::newRow("blank lines, CRLF, padding") << "  git  \r\n\r\n" << "\r\n git   2.44.0 \r\n" << QStringList{"git=2.44.0"};
    QTest::newRow("leaf names are case-sensitive") << "git" << "Git 2.44.0\n" << QStringList{};
    QTest::newRow("empty") << "" << "" << QStringList{};
}

void ClassifierTest::brewVersions()
{
    QFETCH(QString, leaves);
    QFETCH(QString, versions);
    QFETCH(QStringList, expected);
    QStringList actual;
    for (const FormulaVersion& pair : MacInventoryClassifier::brewVersions(leaves, versions))
        actual << pair.name + QLatin1Char('=') + pair.version;
    QCOMPARE(actual, expected);
}

void ClassifierTest::brewLicenses_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("expected"); // name=licence

    QTest::newRow("string, object, null, blank, number")
        << R"({"formulae":[{"name":"wget","license":"GPL-3.0-or-later"},
                           {"name":"ffmpeg","license":{"any_of":["LGPL-2.1-or-later","GPL-2.0-or-later"]}},
                           {"name":"tree","license":null},{"name":"jq","license":"  "},{"name":"odd","license":7},
                           {"name":"list","license":["MIT"]},{"license":"MIT"},{}],"casks":[]})"
        << QStringList{R"(ffmpeg={"any_of":["LGPL-2.1-or-later","GPL-2.0-or-later"]})", "list=[\"MIT\"]",
                       "wget=GPL-3.0-or-later"};
    QTest::newRow("object keys sorted") << R"({"formulae":[{"name":"x","license":{"with":"LLVM-exception","any_of":["MIT"]}}]})"
                                        << QStringList{R"(x={"any_of":["MIT"],"with":"LLVM-exception"})"};
    QTest::newRow("untrimmed value kept") << R"({"formulae":[{"name":"x","license":" MIT "}]})" << QStringList{"x= MIT "};
    QTest::newRow("later duplicate wins") << R"({"formulae":[{"name":"x","license":"MIT"},{"name":"x","license":"BSD-2-Clause"}]})"
                                          << QStringList{"x=BSD-2-Clause"};
    QTest::newRow("not JSON") << "Error: No such keg" << QStringList{};
    QTest::newRow("no formulae") << R"({"casks":[]})" << QStringList{};
    QTest::newRow("formulae not all objects") << R"({"formulae":[{"name":"x","license":"MIT"},"y"]})" << QStringList{};
    QTest::newRow("top level array") << R"([{"name":"x","license":"MIT"}])" << QStringList{};
}

void ClassifierTest::brewLicenses()
{
    QFETCH(QString, json);
    QFETCH(QStringList, expected);
    QStringList actual;
    const QMap<QString, QString> licenses = MacInventoryClassifier::brewLicenses(json);
    for (auto it = licenses.begin(); it != licenses.end(); ++it)
        actual << it.key() + QLatin1Char('=') + it.value();
    QCOMPARE(actual, expected);
}

void ClassifierTest::policyEvidence_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("identifier"); // null: none
    QTest::addColumn<bool>("receipt");
    QTest::addColumn<QString>("license");    // null: none
    QTest::addColumn<QString>("state");
    QTest::addColumn<QString>("evidenceSource");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("confidence");

    const QString none;
    const QString accountDetail = QStringLiteral("This application normally uses an online account or subscription instead of a locally readable product key. Online entitlement was not queried.");
    const QString keyFreeDetail = QStringLiteral("This application is recognized as free or open-source software that normally does not use a local product key.");
    const QString noneDetail = QStringLiteral("No OS-readable purchase receipt or reconciled entitlement was found. Check the vendor account, subscription, invoice, or contract.");
    const QString reviewPrefix = QStringLiteral("Homebrew license metadata is proprietary or inconclusive. Verify the vendor entitlement or terms: ");

    QTest::newRow("1 receipt beats account policy")
        << "Mac App Store" << "com.vng.zalo" << true << none << "acquisitionReceipt" << "mac-app-store-receipt"
        << "A Mac App Store receipt file is present but was not cryptographically inspected by this legacy call path."
        << "indicative";
    QTest::newRow("2 account-based, any case") << "/Applications" << "US.ZOOM.XOS" << false << none << "accountBased"
                                               << "account-based-app-policy" << accountDetail << "informational";
    QTest::newRow("3 key-free") << "/Applications" << "org.gimp.gimp" << false << none << "freeOrOpenSource"
                                << "key-free-app-policy" << keyFreeDetail << "informational";
    QTest::newRow("3 Chrome web app prefix") << "user Applications" << "com.google.Chrome.app.abcdef" << false << none
                                             << "freeOrOpenSource" << "key-free-app-policy" << keyFreeDetail
                                             << "informational";
    QTest::newRow("4 proprietary formula") << "Homebrew formula" << none << false << "Proprietary"
                                           << "needsEntitlementReview" << "homebrew-license-metadata"
                                           << reviewPrefix + "Proprietary." << "informational";
    QTest::newRow("4 cannot-represent object")
        << "Homebrew formula" << none << false << R"({"any_of":["MIT","cannot-represent"]})" << "needsEntitlementReview"
        << "homebrew-license-metadata" << reviewPrefix + R"({"any_of":["MIT","cannot-represent"]}.)" << "informational";
    QTest::newRow("5 declared licence") << "Homebrew formula" << none << false << "GPL-3.0-or-later"
                                        << "freeOrOpenSource" << "homebrew-license-metadata"
                                        << "Homebrew metadata declares license: GPL-3.0-or-later." << "informational";
    QTest::newRow("licence ignored outside formulae") << "/Applications" << "com.example.x" << false << "MIT"
                                                      << "noEvidence" << "none" << noneDetail << "none";
    QTest::newRow("6 installer receipt") << "installer receipt" << none << false << none << "noEvidence"
                                         << "installer-receipt-only"
                                         << "An installer receipt proves installation only; it does not prove a license entitlement."
                                         << "informational";
    QTest::newRow("7 formula without licence") << "Homebrew formula" << none << false << none << "noEvidence"
                                               << "none" << noneDetail << "none";
    QTest::newRow("7 unknown application") << "/Applications" << "com.cedarlabs.ledger" << false << none
                                           << "noEvidence" << "none" << noneDetail << "none";
}

void ClassifierTest::policyEvidence()
{
    QFETCH(QString, source);
    QFETCH(QString, identifier);
    QFETCH(bool, receipt);
    QFETCH(QString, license);
    QFETCH(QString, state);
    QFETCH(QString, evidenceSource);
    QFETCH(QString, detail);
    QFETCH(QString, confidence);
    const auto optional = [](const QString& text) { return text.isNull() ? std::nullopt : std::optional(text); };

    const AppLicenseEvidence evidence = licenseEvidence(source, optional(identifier), receipt, optional(license));
    QCOMPARE(EnumText::toString(evidence.state), state);
    QCOMPARE(evidence.source, evidenceSource);
    QCOMPARE(evidence.detail, detail);
    QVERIFY(evidence.confidence);
    QCOMPARE(EnumText::toString(*evidence.confidence), confidence);
    if (receipt)
        QCOMPARE(evidence.signals,
                 (QList<LicenseEvidenceSignal>{{"app-store-receipt", "mac-app-store-receipt",
                                                LicenseEvidenceVerification::notVerified, "Receipt file presence only."}}));
    else
        QVERIFY(!evidence.signals);
}

void ClassifierTest::resolvedDeveloperName_data()
{
    QTest::addColumn<QString>("developer"); // null: none
    QTest::addColumn<QString>("team");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("expected");

    const QString none;
    QTest::newRow("trimmed developer") << " Cedar Labs\n" << "AB12CD34EF" << "Ledger" << "com.cedarlabs.ledger"
                                       << "Cedar Labs";
    QTest::newRow("Team developer gives way to team id") << "Team OLD" << "AB12CD34EF" << "Ledger" << "x" << "Team AB12CD34EF";
    QTest::newRow("team stored untrimmed") << none << " AB12 " << "Ledger" << "x" << "Team  AB12 ";
    QTest::newRow("dash and not set: inferred") << "—" << "not set" << "Teams" << "com.microsoft.teams2" << "Microsoft";
    QTest::newRow("empty team: reverse domain") << "" << "" << "Ledger" << "com.cedarlabs.ledger" << "Cedarlabs";
    QTest::newRow("nothing inferred, blank name") << none << "—" << "   " << "single" << "Không xác định";
    QTest::newRow("case-sensitive dash test") << "team x" << "—" << "Ledger" << "single" << "team x";
}

void ClassifierTest::resolvedDeveloperName()
{
    QFETCH(QString, developer);
    QFETCH(QString, team);
    QFETCH(QString, name);
    QFETCH(QString, identifier);
    QFETCH(QString, expected);
    InstalledMacApplication application;
    application.name = name;
    application.identifier = identifier;
    application.source = QStringLiteral("/Applications");
    application.teamIdentifier = team;
    if (!developer.isNull())
        application.developerName = developer;
    QCOMPARE(::resolvedDeveloperName(application), expected);
}

void ClassifierTest::fixedSets()
{
    QCOMPARE(operatingSystemBundleIdentifiers().size(), 22);
    QCOMPARE(keyFreeBundleIdentifiers().size(), 24);
    QCOMPARE(accountBasedBundleIdentifiers().size(), 21);
    QVERIFY(operatingSystemBundleIdentifiers().contains("com.apple.image_capture"));
}

void ClassifierTest::hardwareProfile_data()
{
    QTest::addColumn<QString>("json");
    QTest::addColumn<QStringList>("expected"); // model name, identifier, chip, memory; empty: nothing

    QTest::newRow("all four, trimmed, first entry only")
        << R"({"SPHardwareDataType":[{"machine_name":" MacBook Air\n","machine_model":"Mac14,2",
              "chip_type":"Apple M2","physical_memory":"16 GB","serial_number":"X"},
              {"machine_name":"Second"}]})"
        << QStringList{"MacBook Air", "Mac14,2", "Apple M2", "16 GB"};
    QTest::newRow("missing and non-text fields are a dash")
        << R"({"SPHardwareDataType":[{"machine_name":"iMac","machine_model":7,"physical_memory":null}]})"
        << QStringList{"iMac", "—", "—", "—"};
    QTest::newRow("blank stays empty") << R"({"SPHardwareDataType":[{"machine_name":"   ","chip_type":""}]})"
                                       << QStringList{"", "—", "", "—"};
    QTest::newRow("empty array") << R"({"SPHardwareDataType":[]})" << QStringList{};
    QTest::newRow("not JSON") << "system_profiler: unknown data type" << QStringList{};
    QTest::newRow("empty text") << "" << QStringList{};
    QTest::newRow("key missing") << R"({"SPSoftwareDataType":[{"machine_name":"x"}]})" << QStringList{};
    QTest::newRow("not an array") << R"({"SPHardwareDataType":{"machine_name":"x"}})" << QStringList{};
    QTest::newRow("array not all objects") << R"({"SPHardwareDataType":[{"machine_name":"x"},"y"]})" << QStringList{};
    QTest::newRow("top level array") << R"([{"SPHardwareDataType":[]}])" << QStringList{};
}

void ClassifierTest::hardwareProfile()
{
    QFETCH(QString, json);
    QFETCH(QStringList, expected);
    const std::optional<MacHardwareProfile> profile = MacInventoryClassifier::hardwareProfile(json);
    QStringList actual;
    if (profile)
        actual << profile->modelName << profile->modelIdentifier << profile->chip << profile->memory;
    QCOMPARE(actual, expected);
}

void ClassifierTest::vietnameseDictionary_data()
{
    QTest::addColumn<QStringList>("files");      // created below the temporary root
    QTest::addColumn<QStringList>("folders");    // searched, in order
    QTest::addColumn<QStringList>("unreadable"); // folders that exist but cannot be listed
    QTest::addColumn<bool>("expected");

    const QStringList both{"one", "two"};
    QTest::newRow("upper case at depth") << QStringList{"one/dict-vi/sub/VI_VN.DIC"} << both << QStringList{} << true;
    QTest::newRow("affix file alone") << QStringList{"two/vi_VN.aff"} << both << QStringList{} << true;
    QTest::newRow("other names") << QStringList{"one/vi_VN.dic.bak", "one/en_US.dic", "two/vi_vn"} << both
                                 << QStringList{} << false;
    QTest::newRow("inside a hidden folder") << QStringList{"one/.cache/vi_VN.dic"} << both << QStringList{} << false;
    QTest::newRow("inside a package") << QStringList{"one/Dict.app/Contents/vi_VN.dic"} << both << QStringList{}
                                      << false;
    QTest::newRow("missing folder passed over") << QStringList{"two/vi_VN.dic"} << QStringList{"absent", "two"}
                                                << QStringList{} << true;
    QTest::newRow("unreadable folder passed over") << QStringList{"one/vi_VN.dic", "two/vi_VN.aff"} << both
                                                   << QStringList{"one"} << true;
    QTest::newRow("only an unreadable folder has it") << QStringList{"one/vi_VN.dic"} << both << QStringList{"one"}
                                                      << false;
    QTest::newRow("no folders") << QStringList{"one/vi_VN.dic"} << QStringList{} << QStringList{} << false;
}

void ClassifierTest::vietnameseDictionary()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);
    QFETCH(QStringList, unreadable);
    QFETCH(bool, expected);

    QTemporaryDir root;
    QVERIFY(root.isValid());
    for (const QString& file : files) {
        const QString path = root.filePath(file);
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile out(path);
        QVERIFY(out.open(QIODevice::WriteOnly));
    }
    FakeAuditFileSystem fileSystem;
    for (const QString& folder : unreadable)
        fileSystem.unreadable.insert(root.filePath(folder));
    QStringList paths;
    for (const QString& folder : folders)
        paths << root.filePath(folder);
    QCOMPARE(containsVietnameseDictionary(paths, fileSystem), expected);
}

QTEST_GUILESS_MAIN(ClassifierTest)
#include "tst_classifier.moc"
