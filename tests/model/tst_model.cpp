#include "model/AppItem.h"
#include "model/InstallStatus.h"
#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"
#include "model/ReleaseDownloadPolicy.h"
#include "model/SystemCheck.h"
#include "model/SystemCheckTexts.h"

#include <QJsonDocument>
#include <QtTest>

class ModelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void enumFromText_data();
    void enumFromText();
    void enumRoundTrips();
    void itemEqualityAndHash();
    void systemChecksAreDistinct();
    void systemCheckDetails_data();
    void systemCheckDetails();
    void applicationJsonRoundTrip();
    void applicationWithoutOptionalsHasSevenKeys();
    void decodeFailures_data();
    void decodeFailures();
    void profileDefaultsAndDecoding();
    void auditEvidenceState_data();
    void auditEvidenceState();
    void releaseDownloadPolicy_data();
    void releaseDownloadPolicy();
};

void ModelTest::enumFromText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isKind");
    QTest::addColumn<bool>("isInstallerType");
    QTest::newRow("cask") << "cask" << true << false;
    QTest::newRow("capitalised") << "Cask" << false << false;
    QTest::newRow("leading blank") << " cask" << false << false;
    QTest::newRow("empty") << "" << false << false;
    QTest::newRow("dmg") << "dmg" << false << true;
    QTest::newRow("zip") << "zip" << false << true;
    QTest::newRow("DMG") << "DMG" << false << false;
}

void ModelTest::enumFromText()
{
    QFETCH(QString, text);
    QFETCH(bool, isKind);
    QFETCH(bool, isInstallerType);
    QCOMPARE(EnumText::fromString<AppKind>(text).has_value(), isKind);
    QCOMPARE(EnumText::fromString<DirectInstallerSpec::InstallerType>(text).has_value(), isInstallerType);
}

void ModelTest::enumRoundTrips()
{
    for (AppKind kind : EnumText::allCases<AppKind>())
        QCOMPARE(EnumText::fromString<AppKind>(EnumText::toString(kind)), kind);
    QCOMPARE(EnumText::allCases<AppKind>().size(), 8);
    QCOMPARE(EnumText::toString(InstallStatus::blocked), QStringLiteral("blocked"));
    QCOMPARE(EnumText::allCases<AppLicenseEvidenceState>().size(), 11);
    QCOMPARE(EnumText::toString(AppLicenseEvidenceState::receiptIntegrityVerified),
             QStringLiteral("receiptIntegrityVerified"));
    QCOMPARE(EnumText::allCases<LicenseEvidenceConfidence>(),
             (QList<LicenseEvidenceConfidence>{LicenseEvidenceConfidence::verified, LicenseEvidenceConfidence::strong,
                                               LicenseEvidenceConfidence::indicative,
                                               LicenseEvidenceConfidence::informational,
                                               LicenseEvidenceConfidence::none}));
    QCOMPARE(EnumText::fromString<LicenseEvidenceVerification>("structurallyValid"),
             LicenseEvidenceVerification::structurallyValid);
}

void ModelTest::itemEqualityAndHash()
{
    AppItem a;
    a.id = "x";
    a.kind = AppKind::cask;
    a.appPaths = {"/Applications/A.app", "/Applications/B.app"};
    AppItem b = a;
    QCOMPARE(a, b);
    QCOMPARE(qHash(a), qHash(b));

    b.appPaths = {"/Applications/B.app", "/Applications/A.app"};
    QVERIFY(a != b);
    QVERIFY(qHash(a) != qHash(b));

    AppItem withEmptyShortcut = a;
    withEmptyShortcut.shortcut = ShortcutSpec{};
    QVERIFY(a != withEmptyShortcut);
    QVERIFY(qHash(a) != qHash(withEmptyShortcut));

    DirectInstallerSpec first;
    first.allowedDownloadHosts.insert("a.example");
    first.allowedDownloadHosts.insert("b.example");
    DirectInstallerSpec second;
    second.allowedDownloadHosts.insert("b.example");
    second.allowedDownloadHosts.insert("a.example");
    QCOMPARE(first, second);
    QCOMPARE(qHash(first), qHash(second));
}

void ModelTest::systemChecksAreDistinct()
{
    const SystemCheck one = SystemCheck::make("Homebrew", SystemCheck::Level::ok, "ok");
    const SystemCheck two = SystemCheck::make("Homebrew", SystemCheck::Level::ok, "ok");
    QVERIFY(one.id != two.id);
    QVERIFY(one != two);
}

static InstalledMacApplication fullApplication()
{
    InstalledMacApplication app{"Tên ứng dụng", "1.2", "com.example.app", "/Applications", "valid",
                                "ABCDE12345", "com.example.app", QStringLiteral("Example Ltd."), std::nullopt};
    AppLicenseEvidence evidence;
    evidence.state = AppLicenseEvidenceState::licenseArtifact;
    evidence.source = "licence file";
    evidence.detail = "found";
    evidence.confidence = LicenseEvidenceConfidence::strong;
    evidence.signals = QList<LicenseEvidenceSignal>{
        {"file", "~/Library/x", LicenseEvidenceVerification::structurallyValid, "fields present"},
        {"receipt", "pkgutil", LicenseEvidenceVerification::detected, "com.example.pkg"},
    };
    app.licenseEvidence = evidence;
    return app;
}

// The engine's check details, byte for byte as the interface texts expect them.
void ModelTest::systemCheckDetails_data()
{
    using namespace SystemCheckTexts;
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("expected");
    QTest::newRow("supported") << macOSSupportedDetail("14.5.0") << "macOS 14.5.0.";
    QTest::newRow("legacy") << macOSLegacyDetail("12.7.4") << "macOS 12.7.4 legacy. Homebrew/app cask có thể thiếu package.";
    QTest::newRow("too old") << macOSTooOldDetail("11.7.10") << "macOS 11.7.10 quá cũ. Target tối thiểu: macOS 13.";
    QTest::newRow("brew missing") << brewNotFoundDetail() << "Chưa tìm thấy brew. Cài từ https://brew.sh";
    QTest::newRow("resolved") << hostResolvedDetail() << "Có thể phân giải formulae.brew.sh.";
    QTest::newRow("unresolved") << hostUnresolvedDetail() << "Không phân giải được formulae.brew.sh.";
    QTest::newRow("free space") << freeSpaceDetail(42) << "42GB trống trên /.";
    QTest::newRow("no free space") << freeSpaceDetail(0) << "0GB trống trên /.";
    QTest::newRow("user") << userDetail(unknownUser) << "User: unknown";
    QTest::newRow("home page host") << QUrl(homebrewSite).host() << QString(homebrewHost);
}

void ModelTest::systemCheckDetails()
{
    QFETCH(QString, detail);
    QFETCH(QString, expected);
    QCOMPARE(detail, expected);
}

void ModelTest::applicationJsonRoundTrip()
{
    const InstalledMacApplication app = fullApplication();
    const QByteArray bytes = QJsonDocument(InstalledMacApplication::toJsonArray({app, app})).toJson();
    const auto decoded = InstalledMacApplication::listFromJson(QJsonDocument::fromJson(bytes).array());
    QVERIFY(decoded);
    QCOMPARE(decoded->size(), 2);
    QCOMPARE(decoded->at(0), app);
    QCOMPARE(qHash(decoded->at(1)), qHash(app));
}

void ModelTest::applicationWithoutOptionalsHasSevenKeys()
{
    const InstalledMacApplication app{"A", "1", "id", "src", "unsigned", "—", "—", std::nullopt, std::nullopt};
    const QJsonObject object = app.toJson();
    QStringList keys = object.keys();
    keys.sort();
    QCOMPARE(keys, (QStringList{"identifier", "name", "signatureStatus", "signingIdentifier", "source",
                                "teamIdentifier", "version"}));
    QCOMPARE(InstalledMacApplication::fromJson(object), app);

    QJsonObject withNull = object;
    withNull.insert("developerName", QJsonValue::Null);
    withNull.insert("licenseEvidence", QJsonValue::Null);
    withNull.insert("unknownKey", 5);
    QCOMPARE(InstalledMacApplication::fromJson(withNull), app);
}

void ModelTest::decodeFailures_data()
{
    QTest::addColumn<QString>("path"); // "key" or "licenseEvidence.key" or "signal.key"
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<bool>("decodes");

    const QJsonValue missing = QJsonValue(QJsonValue::Undefined);
    QTest::newRow("no signingIdentifier") << "signingIdentifier" << missing << false;
    QTest::newRow("name not a string") << "name" << QJsonValue(5) << false;
    QTest::newRow("developerName a number") << "developerName" << QJsonValue(5) << false;
    QTest::newRow("developerName null") << "developerName" << QJsonValue(QJsonValue::Null) << true;
    QTest::newRow("state verified") << "licenseEvidence.state" << QJsonValue("verified") << false;
    QTest::newRow("state noEvidence") << "licenseEvidence.state" << QJsonValue("noEvidence") << true;
    QTest::newRow("state missing") << "licenseEvidence.state" << missing << false;
    QTest::newRow("confidence unknown") << "licenseEvidence.confidence" << QJsonValue("high") << false;
    QTest::newRow("confidence null") << "licenseEvidence.confidence" << QJsonValue(QJsonValue::Null) << true;
    QTest::newRow("signals not array") << "licenseEvidence.signals" << QJsonValue("x") << false;
    QTest::newRow("signal verification wrong case")
        << "signal.verification" << QJsonValue("Verified") << false;
    QTest::newRow("signal detail missing") << "signal.detail" << missing << false;
}

void ModelTest::decodeFailures()
{
    QFETCH(QString, path);
    QFETCH(QJsonValue, value);
    QFETCH(bool, decodes);

    QJsonObject app = fullApplication().toJson();
    auto set = [&](QJsonObject& object, const QString& key) {
        if (value.isUndefined())
            object.remove(key);
        else
            object.insert(key, value);
    };
    if (path.startsWith("licenseEvidence.")) {
        QJsonObject evidence = app.value("licenseEvidence").toObject();
        set(evidence, path.section('.', 1));
        app.insert("licenseEvidence", evidence);
    } else if (path.startsWith("signal.")) {
        QJsonObject evidence = app.value("licenseEvidence").toObject();
        QJsonArray signalList = evidence.value("signals").toArray();
        QJsonObject signal = signalList.at(1).toObject();
        set(signal, path.section('.', 1));
        signalList.replace(1, signal);
        evidence.insert("signals", signalList);
        app.insert("licenseEvidence", evidence);
    } else {
        set(app, path);
    }
    QCOMPARE(InstalledMacApplication::fromJson(app).has_value(), decodes);
    // One bad element fails the whole list.
    const QJsonArray list{fullApplication().toJson(), app};
    QCOMPARE(InstalledMacApplication::listFromJson(list).has_value(), decodes);
}

void ModelTest::profileDefaultsAndDecoding()
{
    const MacReportProfile fresh;
    QCOMPARE(fresh.subject, QStringLiteral("macOS software inventory report"));
    QVERIFY(fresh.inspectorName.isEmpty() && fresh.team.isEmpty() && fresh.notes.isEmpty());

    MacReportProfile profile{"Nguyễn Văn A", "IT", "Khách", "Báo cáo", "Ghi chú\nhai dòng"};
    QCOMPARE(MacReportProfile::fromJson(profile.toJson()), profile);

    QJsonObject withoutNotes = profile.toJson();
    withoutNotes.remove("notes");
    QVERIFY(!MacReportProfile::fromJson(withoutNotes));
}

void ModelTest::auditEvidenceState_data()
{
    QTest::addColumn<QString>("status");
    QTest::addColumn<AuditEvidenceState>("expected");
    QTest::newRow("valid") << "valid" << AuditEvidenceState::verified;
    QTest::newRow("Valid") << "Valid" << AuditEvidenceState::detected;
    QTest::newRow("invalid") << "invalid" << AuditEvidenceState::review;
    QTest::newRow("unsigned") << "unsigned" << AuditEvidenceState::review;
    QTest::newRow("ad-hoc") << "ad-hoc" << AuditEvidenceState::local;
    QTest::newRow("not-applicable") << "not-applicable" << AuditEvidenceState::detected;
    QTest::newRow("empty") << "" << AuditEvidenceState::detected;
}

void ModelTest::auditEvidenceState()
{
    QFETCH(QString, status);
    QFETCH(AuditEvidenceState, expected);
    InstalledMacApplication app;
    app.signatureStatus = status;
    QCOMPARE(app.auditEvidenceState(), expected);
}

void ModelTest::releaseDownloadPolicy_data()
{
    QTest::addColumn<QString>("link");
    QTest::addColumn<bool>("passes");
    const QString host = QString::fromLatin1(ReleaseDownloadPolicy::releaseHost);
    QTest::newRow("plain") << "https://" + host + "/app/Tavrin-1.2.dmg" << true;
    QTest::newRow("capital scheme") << "HTTPS://" + host + "/Tavrin.dmg" << true;
    QTest::newRow("capital host") << "https://" + host.toUpper() + "/Tavrin.dmg" << true;
    QTest::newRow("capital extension") << "https://" + host + "/Tavrin.DMG" << true;
    QTest::newRow("query after dmg") << "https://" + host + "/Tavrin.dmg?v=2#top" << true;
    QTest::newRow("port") << "https://" + host + ":8443/Tavrin.dmg" << true;
    QTest::newRow("http") << "http://" + host + "/Tavrin.dmg" << false;
    QTest::newRow("user") << "https://user@" + host + "/Tavrin.dmg" << false;
    QTest::newRow("user and password") << "https://user:pw@" + host + "/Tavrin.dmg" << false;
    QTest::newRow("zip") << "https://" + host + "/Tavrin.zip" << false;
    QTest::newRow("pkg") << "https://" + host + "/Tavrin.pkg" << false;
    QTest::newRow("no extension") << "https://" + host + "/Tavrin" << false;
    QTest::newRow("dmg in folder only") << "https://" + host + "/x.dmg/Tavrin" << false;
    QTest::newRow("sub-host") << "https://cdn." + host + "/Tavrin.dmg" << false;
    QTest::newRow("longer name") << "https://evil" + host + "/Tavrin.dmg" << false;
    QTest::newRow("other host") << "https://example.com/Tavrin.dmg" << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("leading blank") << " https://" + host + "/Tavrin.dmg" << false;
    QTest::newRow("no scheme") << "//" + host + "/Tavrin.dmg" << false;
}

void ModelTest::releaseDownloadPolicy()
{
    QFETCH(QString, link);
    QFETCH(bool, passes);
    QCOMPARE(ReleaseDownloadPolicy::validatedURL(link).has_value(), passes);
    QCOMPARE(ReleaseDownloadPolicy::allowedHosts().size(), 1);
}

QTEST_GUILESS_MAIN(ModelTest)
#include "tst_model.moc"
