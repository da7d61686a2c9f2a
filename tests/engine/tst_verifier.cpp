#include "CatalogEntry.h"
#include "engine/DirectAppVerifier.h"
#include "engine/MacBackend.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"

#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString bundlePath = QStringLiteral("/Applications/Ledger.app");
const QString bundleID = QStringLiteral("com.cedarlabs.ledger");
const QString teamID = QStringLiteral("AB12CD34EF");

DirectInstallerSpec specFor(const QString& identifier, const QString& team)
{
    DirectInstallerSpec installer;
    installer.expectedBundleID = identifier;
    installer.expectedTeamID = team;
    return installer;
}

// Tools that answer from the row's values and record which tool ran.
struct ScriptedTools {
    std::optional<QString> identifier;
    int verifyStatus = 0;
    QString details;
    int assessStatus = 0;
    QList<QStringList> runs;

    DirectAppVerificationTools tools()
    {
        return {
            [this](const QString&) { return identifier; },
            [this](const QStringList& arguments) {
                runs.append(arguments);
                return arguments.value(0) == QLatin1String("/usr/sbin/spctl") ? assessStatus : verifyStatus;
            },
            [this](const QStringList& arguments) {
                runs.append(arguments);
                return details;
            },
        };
    }
    // The program and first option of each run: "codesign --verify", ...
    QStringList steps() const
    {
        QStringList names;
        for (const QStringList& run : runs)
            names << run.value(0).section(QLatin1Char('/'), -1) + QLatin1Char(' ') + run.value(1);
        return names;
    }
};

const QStringList allSteps{"codesign --verify", "codesign -dv", "spctl --assess"};

} // namespace

class VerifierTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void checksInOrder_data();
    void checksInOrder();
    void argumentVectors();
    void requirementText_data();
    void requirementText();
    void catalogConstantsAreQuotable();
    void throughFixtures_data();
    void throughFixtures();
    void bundleIdentifierReading_data();
    void bundleIdentifierReading();

private:
    QTemporaryDir m_home;
};

void VerifierTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_home.path() + QStringLiteral("/logs")));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
}

void VerifierTest::checksInOrder_data()
{
    QTest::addColumn<QString>("expectedID");
    QTest::addColumn<QString>("expectedTeam");
    QTest::addColumn<QString>("identifier"); // "<none>": cannot be read
    QTest::addColumn<int>("verifyStatus");
    QTest::addColumn<QString>("details");
    QTest::addColumn<int>("assessStatus");
    QTest::addColumn<bool>("verified");
    QTest::addColumn<QStringList>("steps");

    const QString teamLine = "Authority=Apple Root CA\nTeamIdentifier=" + teamID + "\nSealed Resources version=2\n";
    QTest::newRow("all four pass") << bundleID << teamID << bundleID << 0 << teamLine << 0 << true << allSteps;
    QTest::newRow("no identifier: nothing runs") << bundleID << teamID << "<none>" << 0 << teamLine << 0 << false
                                                 << QStringList{};
    QTest::newRow("identifier differs in case") << bundleID << teamID << "com.CedarLabs.ledger" << 0 << teamLine << 0
                                                << false << QStringList{};
    QTest::newRow("identifier with a blank") << bundleID << teamID << bundleID + " " << 0 << teamLine << 0 << false
                                             << QStringList{};
    QTest::newRow("requirement not met") << bundleID << teamID << bundleID << 3 << teamLine << 0 << false
                                         << allSteps.mid(0, 1);
    QTest::newRow("codesign missing") << bundleID << teamID << bundleID << 127 << teamLine << 0 << false
                                      << allSteps.mid(0, 1);
    QTest::newRow("team absent from details") << bundleID << teamID << bundleID << 0
                                              << "TeamIdentifier=ZZ99ZZ99ZZ\n" << 0 << false << allSteps.mid(0, 2);
    QTest::newRow("team in another case") << bundleID << teamID << bundleID << 0 << teamLine.toLower() << 0 << false
                                          << allSteps.mid(0, 2);
    QTest::newRow("no details at all") << bundleID << teamID << bundleID << 0 << "" << 0 << false
                                       << allSteps.mid(0, 2);
    QTest::newRow("team as the start of a longer value") << bundleID << teamID << bundleID << 0
                                                         << "TeamIdentifier=" + teamID + "XY\n" << 0 << true
                                                         << allSteps;
    QTest::newRow("Gatekeeper rejects") << bundleID << teamID << bundleID << 0 << teamLine << 3 << false << allSteps;
    QTest::newRow("quote in the expected identifier") << "com.x\" or anchor apple" << teamID
                                                      << "com.x\" or anchor apple" << 0 << teamLine << 0 << false
                                                      << QStringList{};
    QTest::newRow("backslash in the expected team") << bundleID << "AB12\\" << bundleID << 0
                                                    << "TeamIdentifier=AB12\\\n" << 0 << false << QStringList{};
}

void VerifierTest::checksInOrder()
{
    QFETCH(QString, expectedID);
    QFETCH(QString, expectedTeam);
    QFETCH(QString, identifier);
    QFETCH(int, verifyStatus);
    QFETCH(QString, details);
    QFETCH(int, assessStatus);
    QFETCH(bool, verified);
    QFETCH(QStringList, steps);

    ScriptedTools scripted;
    if (identifier != QLatin1String("<none>"))
        scripted.identifier = identifier;
    scripted.verifyStatus = verifyStatus;
    scripted.details = details;
    scripted.assessStatus = assessStatus;
    QCOMPARE(DirectAppVerifier::verify(bundlePath, specFor(expectedID, expectedTeam), scripted.tools()), verified);
    QCOMPARE(scripted.steps(), steps);
}

void VerifierTest::argumentVectors()
{
    ScriptedTools scripted;
    scripted.identifier = bundleID;
    scripted.details = "TeamIdentifier=" + teamID;
    QVERIFY(DirectAppVerifier::verify(bundlePath, specFor(bundleID, teamID), scripted.tools()));
    const QList<QStringList> expected{
        {"/usr/bin/codesign", "--verify", "--deep", "--strict",
         "-R=anchor apple generic and identifier \"com.cedarlabs.ledger\" and certificate leaf[subject.OU] = "
         "\"AB12CD34EF\"",
         bundlePath},
        {"/usr/bin/codesign", "-dv", "--verbose=4", bundlePath},
        {"/usr/sbin/spctl", "--assess", "--type", "execute", bundlePath},
    };
    QCOMPARE(scripted.runs, expected);
}

void VerifierTest::requirementText_data()
{
    QTest::addColumn<QString>("identifier");
    QTest::addColumn<QString>("team");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("plain") << bundleID << teamID << true;
    QTest::newRow("blanks and unicode are kept") << "org.ví dụ" << "AB 12" << true;
    QTest::newRow("quote ends the identifier") << "a\"b" << teamID << false;
    QTest::newRow("quote ends the team") << bundleID << "\"" << false;
    QTest::newRow("backslash escapes the closing quote") << "abc\\" << teamID << false;
}

void VerifierTest::requirementText()
{
    QFETCH(QString, identifier);
    QFETCH(QString, team);
    QFETCH(bool, accepted);
    const std::optional<QString> requirement = DirectAppVerifier::designatedRequirement(identifier, team);
    QCOMPARE(requirement.has_value(), accepted);
    if (requirement)
        QCOMPARE(*requirement, "anchor apple generic and identifier \"" + identifier
                                   + "\" and certificate leaf[subject.OU] = \"" + team + "\"");
}

void VerifierTest::catalogConstantsAreQuotable()
{
    int direct = 0;
    for (const AppItem& item : Catalog::items()) {
        if (!item.directInstaller)
            continue;
        ++direct;
        QVERIFY2(DirectAppVerifier::designatedRequirement(item.directInstaller->expectedBundleID,
                                                          item.directInstaller->expectedTeamID),
                 qPrintable(item.id));
    }
    QCOMPARE(direct, 3);
}

void VerifierTest::throughFixtures_data()
{
    QTest::addColumn<QString>("infoID");
    QTest::addColumn<QByteArray>("signature");
    QTest::addColumn<bool>("gatekeeperDisabled");
    QTest::addColumn<bool>("verified");
    QTest::addColumn<QStringList>("steps");

    const QByteArray good = FakeMac::signedBy(bundleID, teamID);
    QTest::newRow("vendor's build") << bundleID << good << false << true << allSteps;
    QTest::newRow("unsigned") << bundleID << QByteArray() << false << false << allSteps.mid(0, 1);
    QTest::newRow("other team's signature") << bundleID << FakeMac::signedBy(bundleID, "ZZ99ZZ99ZZ") << false << false
                                            << allSteps.mid(0, 1);
    QTest::newRow("Info.plist edited, signature for another identifier")
        << bundleID << FakeMac::signedBy("com.evil.ledger", teamID) << false << false << allSteps.mid(0, 1);
    QTest::newRow("ad-hoc signature") << bundleID << QByteArray("identifier=" + bundleID.toUtf8() + "\nsignature=adhoc\n")
                                      << false << false << allSteps.mid(0, 1);
    QTest::newRow("broken seal") << bundleID << good + "signature=broken\n" << false << false << allSteps.mid(0, 1);
    QTest::newRow("not notarised") << bundleID << good + "gatekeeper=rejected\n" << false << false << allSteps;
    // With Gatekeeper off the assessment passes; the identifier, requirement
    // and team checks still decide.
    QTest::newRow("not notarised, Gatekeeper off") << bundleID << good + "gatekeeper=rejected\n" << true << true
                                                   << allSteps;
    QTest::newRow("other team, Gatekeeper off") << bundleID << FakeMac::signedBy(bundleID, "ZZ99ZZ99ZZ") << true
                                                << false << allSteps.mid(0, 1);
    QTest::newRow("wrong Info.plist identifier") << "com.cedarlabs.other" << good << false << false << QStringList{};
}

void VerifierTest::throughFixtures()
{
    QFETCH(QString, infoID);
    QFETCH(QByteArray, signature);
    QFETCH(bool, gatekeeperDisabled);
    QFETCH(bool, verified);
    QFETCH(QStringList, steps);

    FakeMac mac;
    QVERIFY2(mac.isValid(), qPrintable(mac.error()));
    QVERIFY(mac.writeBundle(bundlePath, infoID, signature));
    if (gatekeeperDisabled)
        QVERIFY(mac.setState("gatekeeper-disabled", {}));
    MacBackend engine({}, {}, MacBackend::Delivery::synchronous, mac.host());
    QCOMPARE(DirectAppVerifier::verify(bundlePath, specFor(bundleID, teamID), engine.verificationTools()), verified);
    QStringList actual;
    for (const QStringList& call : mac.calls())
        actual << call.value(0).section(QLatin1Char('/'), -1) + QLatin1Char(' ') + call.value(1);
    QCOMPARE(actual, steps);
    for (const QStringList& call : mac.calls())
        QCOMPARE(call.last(), bundlePath); // the Mac's own path, not the local one
}

void VerifierTest::bundleIdentifierReading_data()
{
    QTest::addColumn<QByteArray>("plist"); // empty: no Info.plist
    QTest::addColumn<QString>("expected"); // "<none>": absent

    const QByteArray head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<plist version=\"1.0\">\n";
    QTest::newRow("text") << head + "<dict><key>CFBundleIdentifier</key><string>org.x</string></dict></plist>"
                          << "org.x";
    QTest::newRow("empty text kept") << head + "<dict><key>CFBundleIdentifier</key><string></string></dict></plist>"
                                     << "";
    QTest::newRow("number") << head + "<dict><key>CFBundleIdentifier</key><integer>7</integer></dict></plist>"
                            << "<none>";
    QTest::newRow("key missing") << head + "<dict><key>CFBundleName</key><string>X</string></dict></plist>"
                                 << "<none>";
    QTest::newRow("top level array") << head + "<array><string>org.x</string></array></plist>" << "<none>";
    QTest::newRow("truncated") << head + "<dict><key>CFBundleIdentifier</key><string>org" << "<none>";
    QTest::newRow("binary") << QByteArray::fromHex("62706c6973743030d101025f1012434642756e646c654964656e74696669"
                                                   "6572556f72672e78080b200000000000000101000000000000000300000000"
                                                   "000000000000000000000026")
                            << "org.x";
    QTest::newRow("garbage") << QByteArray("bplist00\xff\xff\xff", 11) << "<none>";
    QTest::newRow("no Info.plist") << QByteArray() << "<none>";
}

void VerifierTest::bundleIdentifierReading()
{
    QFETCH(QByteArray, plist);
    QFETCH(QString, expected);
    FakeMac mac;
    QVERIFY(mac.writeBundle(bundlePath, std::nullopt));
    if (!plist.isEmpty())
        QVERIFY(mac.writeFile(bundlePath + "/Contents/Info.plist", plist));
    MacBackend engine({}, {}, MacBackend::Delivery::synchronous, mac.host());
    const std::optional<QString> identifier = engine.directAppBundleID(bundlePath);
    QCOMPARE(identifier.value_or(QStringLiteral("<none>")), expected);
    QVERIFY(mac.calls().isEmpty());
}

QTEST_GUILESS_MAIN(VerifierTest)
#include "tst_verifier.moc"
