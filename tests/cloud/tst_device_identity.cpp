#include "CloudTestFolders.h"

#include "cloud/SupabaseClient.h"

#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

// The device's private identifier file, its salted hash and the description
// of the Mac. No backend is needed: the identity works without configuration.
namespace {

const QString storedID = QStringLiteral("0F8E5C2A-3B1D-4E6F-9A7B-C8D9E0F1A2B3");
// SHA-256 of "tavrin-office-kit:mac-hardware:" followed by the identifier.
const QString storedHash = QStringLiteral("78448fed61436192917f7b9c9dd6a71796eeec034202fb402e61615d701aadfe");
const QRegularExpression uuidText(QStringLiteral("^[0-9A-F]{8}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{4}-[0-9A-F]{12}$"));
const QRegularExpression hashText(QStringLiteral("^[0-9a-f]{64}$"));

Host fixedHost(std::optional<QString> name)
{
    Host host;
    host.setLocalizedHostName(std::move(name));
    host.setMacOSVersion(QVersionNumber(14, 5));
    host.setArchitecture(QStringLiteral("arm64"));
    return host;
}

SupabaseClient client(const Host& host = fixedHost(QStringLiteral("Máy Lan")))
{
    return SupabaseClient(std::nullopt, {}, SupabaseClient::defaultTimeout, QSslConfiguration::defaultConfiguration(),
                          host);
}

mode_t permissions(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

} // namespace

class DeviceIdentityTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void freshIdentity();
    void storedIdentity_data();
    void storedIdentity();
    void unusableFileIsReplaced_data();
    void unusableFileIsReplaced();
    void fallbackIdentity_data();
    void fallbackIdentity();
    void deviceDescription_data();
    void deviceDescription();
};

void DeviceIdentityTest::freshIdentity()
{
    CloudTestFolders folders;
    const QString support = folders.root() + "/deep/er/support";
    qputenv(AppRuntime::configDirVariable, support.toUtf8());

    const QString id = client().currentDeviceID();
    QVERIFY2(uuidText.match(id).hasMatch(), qPrintable(id));
    const QString file = support + "/device-id";
    QCOMPARE(SupabaseClient::deviceIDFilePath(), file);
    QCOMPARE(CloudTestFolders::read(file), (id + "\n").toUtf8());
    QCOMPARE(permissions(file), mode_t(0600));
    QCOMPARE(CloudTestFolders::entries(support), QStringList{"device-id"});

    QCOMPARE(client().currentDeviceID(), id);
    const QString hash = client().currentDeviceHash();
    QVERIFY2(hashText.match(hash).hasMatch(), qPrintable(hash));
    QCOMPARE(hash, SupabaseClient::deviceHash(id));
}

void DeviceIdentityTest::storedIdentity_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<mode_t>("mode"); // before the read; owner-only after it
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("hash");

    QTest::newRow("as written") << (storedID + "\n").toUtf8() << mode_t(0600) << storedID << storedHash;
    QTest::newRow("blanks and line breaks around")
        << ("  \t" + storedID + " \r\n\n").toUtf8() << mode_t(0600) << storedID << storedHash;
    QTest::newRow("written by someone else, readable by all")
        << QByteArray("my-mac-01") << mode_t(0644) << "my-mac-01"
        << "682050a13f7134b5ec341feace1d09f5d1b8d83a3e0016554a35c9b4a525e85d";
}

void DeviceIdentityTest::storedIdentity()
{
    QFETCH(QByteArray, content);
    QFETCH(mode_t, mode);
    QFETCH(QString, id);
    QFETCH(QString, hash);
    CloudTestFolders folders;
    const QString file = SupabaseClient::deviceIDFilePath();
    CloudTestFolders::write(file, content);
    QCOMPARE(::chmod(QFile::encodeName(file).constData(), mode), 0);

    QCOMPARE(client().currentDeviceID(), id);
    QCOMPARE(client().currentDeviceHash(), hash);
    QCOMPARE(CloudTestFolders::read(file), content);
    QCOMPARE(permissions(file), mode_t(0600));
}

void DeviceIdentityTest::unusableFileIsReplaced_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("blanks only") << QByteArray(" \n\t\r\n");
    QTest::newRow("not UTF-8") << QByteArray("\xff\xfe\x41");
}

void DeviceIdentityTest::unusableFileIsReplaced()
{
    QFETCH(QByteArray, content);
    CloudTestFolders folders;
    const QString file = SupabaseClient::deviceIDFilePath();
    CloudTestFolders::write(file, content);
    QVERIFY(QFile::setPermissions(file, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther));

    const QString id = client().currentDeviceID();
    QVERIFY2(uuidText.match(id).hasMatch(), qPrintable(id));
    QCOMPARE(CloudTestFolders::read(file), (id + "\n").toUtf8());
    QCOMPARE(permissions(file), mode_t(0600));
    QCOMPARE(client().currentDeviceID(), id);
}

void DeviceIdentityTest::fallbackIdentity_data()
{
    QTest::addColumn<QString>("failure");
    QTest::addColumn<std::optional<QString>>("hostName");
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("hash");

    const std::optional<QString> named = QStringLiteral("Máy Lan");
    const QString namedHash = "fd8050e7ff662b1eeee0486d105591c98ac1555887d68eeebb9010f3574df1da";
    QTest::newRow("folder below a file") << "below a file" << named << "Máy Lan|lan" << namedHash;
    QTest::newRow("folder below a file, no computer name")
        << "below a file" << std::optional<QString>() << "|lan"
        << "be24878acd8e3c7b9fc37ad1596794c1cc257ca9fbe9630bf44d834b5937290a";
    QTest::newRow("identifier file is a folder") << "file is a folder" << named << "Máy Lan|lan" << namedHash;
}

void DeviceIdentityTest::fallbackIdentity()
{
    QFETCH(QString, failure);
    QFETCH(std::optional<QString>, hostName);
    QFETCH(QString, id);
    QFETCH(QString, hash);
    CloudTestFolders folders;
    const QByteArray user = qgetenv("USER");
    qputenv("USER", "lan");
    if (failure == "below a file")
        CloudTestFolders::blockFolder(AppRuntime::configDirVariable, folders.root() + "/plain");
    else
        CloudTestFolders::write(SupabaseClient::deviceIDFilePath() + "/kept", "inside");

    const SupabaseClient subject = client(fixedHost(hostName));
    const QString result = subject.currentDeviceID();
    const QString resultHash = subject.currentDeviceHash();
    qputenv("USER", user);
    QCOMPARE(result, id);
    QCOMPARE(resultHash, hash);
    if (failure == "below a file") {
        QVERIFY(!QFileInfo::exists(SupabaseClient::deviceIDFilePath()));
    } else {
        // Nothing replaced the folder and no temporary file was left behind.
        QCOMPARE(CloudTestFolders::read(SupabaseClient::deviceIDFilePath() + "/kept"), QByteArray("inside"));
        QCOMPARE(CloudTestFolders::entries(folders.support()), QStringList{"device-id"});
    }
}

void DeviceIdentityTest::deviceDescription_data()
{
    QTest::addColumn<Host>("host");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("architecture");

    QTest::newRow("named") << fixedHost(QStringLiteral("Máy Lan")) << "Máy Lan" << "14.5.0" << "arm64";
    QTest::newRow("no computer name") << fixedHost(std::nullopt) << "unknown" << "14.5.0" << "arm64";
    // The facts the engine reads from a Mac: the fake Mac's SystemVersion.plist says 14.5.
    Host fake(qEnvironmentVariable("TAVRIN_SOURCE_DIR") + "/tests/fixtures/mac-root");
    fake.setLocalizedHostName(QStringLiteral("fake"));
    fake.setArchitecture(QStringLiteral("x86_64"));
    QTest::newRow("fake Mac") << fake << "fake" << "14.5.0" << "x86_64";
    Host old = fixedHost(QStringLiteral("old"));
    old.setMacOSVersion(QVersionNumber(12));
    QTest::newRow("major only") << old << "old" << "12.0.0" << "arm64";
}

void DeviceIdentityTest::deviceDescription()
{
    QFETCH(Host, host);
    QFETCH(QString, label);
    QFETCH(QString, version);
    QFETCH(QString, architecture);
    CloudTestFolders folders;
    CloudTestFolders::write(SupabaseClient::deviceIDFilePath(), storedID.toUtf8());

    const QMap<QString, QString> expected{
        {"device_hash", storedHash},
        {"device_label", label},
        {"ubuntu_version", "macOS " + version},
        {"platform", "macos"},
        {"macos_version", version},
        {"architecture", architecture},
        {"app_version", AppRuntime::appVersion()},
    };
    QCOMPARE(client(host).currentDeviceInfo(), expected);
}

QTEST_GUILESS_MAIN(DeviceIdentityTest)
#include "tst_device_identity.moc"
