#include "FakeAuditFileSystem.h"
#include "ReceiptFactory.h"

#include "audit/InternetDateTime.h"
#include "audit/MacAppStoreReceiptInspector.h"
#include "audit/ReceiptDER.h"
#include "audit/ReceiptTrustAnchors.h"

#include <QCryptographicHash>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(MacAppStoreReceiptStatus)

namespace QTest {
template <>
char* toString(const MacAppStoreReceiptStatus& status)
{
    return qstrdup(status.toString().toUtf8().constData());
}
} // namespace QTest

using namespace ReceiptFactory;
using Status = MacAppStoreReceiptStatus;

namespace {

const QString appId = QStringLiteral("com.example.Ledger");

const QString notCms = QStringLiteral("The receipt is not a valid CMS message.");
const QString noBundleId = QStringLiteral("The signed receipt does not contain a readable bundle identifier.");
const QString mismatch = QStringLiteral("The signed receipt bundle identifier does not match this application.");
const QString badSignature = QStringLiteral("The receipt CMS signature failed integrity verification.");
const QString noPolicy = QStringLiteral("macOS could not create the Mac App Store receipt trust policy.");
const QString badDate = QStringLiteral("The signed receipt creation date could not be decoded for historical certificate evaluation.");
const QString untrusted = QStringLiteral("The historical Apple signer chain could not be re-established at the embedded receipt creation date.");

QByteArray tampered(QByteArray receipt)
{
    const qsizetype at = receipt.indexOf("tamper-target");
    Q_ASSERT(at >= 0);
    receipt[at + 12] = 'u';
    return receipt;
}

} // namespace

class ReceiptTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void derNode_data();
    void derNode();
    void stringAttribute_data();
    void stringAttribute();
    void internetDateTime_data();
    void internetDateTime();
    void inspectBytes_data();
    void inspectBytes();
    void inspectFile_data();
    void inspectFile();
    void compiledAnchorsAreApplesRoots();
    void anchorsFromBrokenPemAreEmpty();

private:
    std::unique_ptr<Pki> m_pki;
    std::unique_ptr<Pki> m_otherPki;
    std::unique_ptr<Pki> m_shortLivedLeafPki;
    std::unique_ptr<Pki> m_unmarkedLeafPki;
};

void ReceiptTest::initTestCase()
{
    m_pki = std::make_unique<Pki>();
    m_otherPki = std::make_unique<Pki>();
    PkiOptions shortLived;
    shortLived.leafNotBefore = QDateTime(QDate(2019, 1, 1), QTime(0, 0), QTimeZone::utc());
    shortLived.leafNotAfter = QDateTime(QDate(2020, 1, 1), QTime(0, 0), QTimeZone::utc());
    m_shortLivedLeafPki = std::make_unique<Pki>(shortLived);
    PkiOptions unmarked;
    unmarked.leafHasReceiptMarker = false;
    m_unmarkedLeafPki = std::make_unique<Pki>(unmarked);
}

void ReceiptTest::derNode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<qint64>("offset");
    QTest::addColumn<bool>("found");
    QTest::addColumn<int>("tag");
    QTest::addColumn<qint64>("contentStart");
    QTest::addColumn<qint64>("contentEnd");

    const auto hex = [](const char* text) { return QByteArray::fromHex(text); };
    QTest::newRow("empty content") << hex("0400") << qint64(0) << true << 0x04 << qint64(2) << qint64(2);
    QTest::newRow("short form") << hex("0c03616263") << qint64(0) << true << 0x0c << qint64(2) << qint64(5);
    QTest::newRow("element at an offset") << hex("3003040100") << qint64(2) << true << 0x04 << qint64(4) << qint64(5);
    QTest::newRow("0x81: one length byte") << hex("048103616263") << qint64(0) << true << 0x04 << qint64(3) << qint64(6);
    QTest::newRow("0x82: two length bytes") << hex("04820003616263") << qint64(0) << true << 0x04 << qint64(4) << qint64(7);
    QTest::newRow("0x83: three length bytes") << hex("0483000003616263") << qint64(0) << true << 0x04 << qint64(5) << qint64(8);
    QTest::newRow("0x84: four length bytes") << hex("048400000003616263") << qint64(0) << true << 0x04 << qint64(6) << qint64(9);
    QTest::newRow("non-minimal length accepted") << hex("048100") << qint64(0) << true << 0x04 << qint64(3) << qint64(3);
    QTest::newRow("0x80: indefinite form") << hex("0480616263") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("0x85: five length bytes") << hex("04850000000003616263") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("0xff length octet") << hex("04ff00") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("content longer than buffer") << hex("04036162") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("four-gigabyte length") << hex("0484ffffffff00") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("length bytes cut off") << hex("048200") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("lone tag byte") << hex("04") << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("empty buffer") << QByteArray() << qint64(0) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("offset on the last byte") << hex("0400") << qint64(1) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("negative offset") << hex("0400") << qint64(-1) << false << 0 << qint64(0) << qint64(0);
    QTest::newRow("largest offset") << hex("0400") << std::numeric_limits<qint64>::max() << false << 0 << qint64(0) << qint64(0);
}

void ReceiptTest::derNode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(qint64, offset);
    QFETCH(bool, found);
    const std::optional<ReceiptDER::Node> node = ReceiptDER::node(bytes, offset);
    QCOMPARE(node.has_value(), found);
    if (!found)
        return;
    QFETCH(int, tag);
    QFETCH(qint64, contentStart);
    QFETCH(qint64, contentEnd);
    QCOMPARE(node->tag, quint8(tag));
    QCOMPARE(node->contentStart, contentStart);
    QCOMPARE(node->contentEnd, contentEnd);
    QCOMPARE(node->next, contentEnd);
}

void ReceiptTest::stringAttribute_data()
{
    QTest::addColumn<QByteArray>("payload");
    QTest::addColumn<qint64>("type");
    QTest::addColumn<int>("expectedTag");
    QTest::addColumn<QString>("expected"); // null: no result

    const QByteArray id = utf8String(appId);
    const auto sequence = [](const QByteArray& content) { return element(0x30, content); };
    const QString none;

    QTest::newRow("bundle identifier") << receiptPayload(appId, "2024-03-01T10:00:00Z") << qint64(2) << 0x0c << appId;
    QTest::newRow("creation date") << receiptPayload(appId, "2024-03-01T10:00:00Z") << qint64(12) << 0x16
                                   << QStringLiteral("2024-03-01T10:00:00Z");
    QTest::newRow("missing type") << payload({{2, id}}) << qint64(12) << 0x16 << none;
    QTest::newRow("not a SET") << element(0x30, sequence(integer(2) + integer(1) + element(0x04, id))) << qint64(2)
                               << 0x0c << none;
    QTest::newRow("empty SET") << element(0x31, {}) << qint64(2) << 0x0c << none;
    QTest::newRow("non-SEQUENCE before the attribute")
        << element(0x31, integer(5) + sequence(integer(2) + integer(1) + element(0x04, id))) << qint64(2) << 0x0c << none;
    QTest::newRow("malformed SEQUENCE skipped")
        << element(0x31, sequence(element(0x04, id) + integer(1) + integer(2))
                             + sequence(integer(2) + integer(1) + element(0x04, id)))
        << qint64(2) << 0x0c << appId;
    QTest::newRow("OCTET STRING past its SEQUENCE skipped")
        << element(0x31, sequence(integer(2) + integer(1) + QByteArray::fromHex("0402"))
                             + sequence(integer(2) + integer(1) + element(0x04, id)))
        << qint64(2) << 0x0c << appId;
    QTest::newRow("element past the SET's end")
        << QByteArray::fromHex("3102") + sequence(integer(2) + integer(1) + element(0x04, id)) << qint64(2) << 0x0c << none;
    QTest::newRow("IA5String where UTF8String expected, later one ignored")
        << payload({{2, ia5String(appId.toUtf8())}, {2, id}}) << qint64(2) << 0x0c << none;
    QTest::newRow("string does not fill the OCTET STRING") << payload({{2, id + QByteArray(1, '\0')}, {2, id}})
                                                           << qint64(2) << 0x0c << none;
    QTest::newRow("first of two attributes decides")
        << payload({{2, utf8String(QStringLiteral("first"))}, {2, utf8String(QStringLiteral("second"))}}) << qint64(2)
        << 0x0c << QStringLiteral("first");
    QTest::newRow("invalid UTF-8") << payload({{2, element(0x0c, QByteArray::fromHex("c328"))}}) << qint64(2) << 0x0c
                                   << none;
    QTest::newRow("non-ASCII UTF-8") << payload({{2, utf8String(QStringLiteral("vn.bảnquyền"))}}) << qint64(2) << 0x0c
                                     << QStringLiteral("vn.bảnquyền");
    QTest::newRow("type of nine bytes keeps the last eight")
        << element(0x31, sequence(element(0x02, QByteArray::fromHex("010000000000000002")) + integer(1)
                                  + element(0x04, id)))
        << qint64(2) << 0x0c << appId;
    QTest::newRow("empty INTEGER is type 0")
        << element(0x31, sequence(element(0x02, {}) + integer(1) + element(0x04, id))) << qint64(0) << 0x0c << appId;
    QTest::newRow("truncated payload") << receiptPayload(appId, "2024-03-01T10:00:00Z").left(20) << qint64(2) << 0x0c
                                       << none;
}

void ReceiptTest::stringAttribute()
{
    QFETCH(QByteArray, payload);
    QFETCH(qint64, type);
    QFETCH(int, expectedTag);
    QFETCH(QString, expected);
    const std::optional<QString> value = ReceiptDER::stringAttribute(type, quint8(expectedTag), payload);
    QCOMPARE(value.has_value(), !expected.isNull());
    if (value)
        QCOMPARE(*value, expected);
}

void ReceiptTest::internetDateTime_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QDateTime>("expected"); // invalid: no result

    const auto utc = [](int y, int mo, int d, int h, int mi, int s, int ms = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms), QTimeZone::utc());
    };
    QTest::newRow("Z") << "2024-03-01T10:20:30Z" << utc(2024, 3, 1, 10, 20, 30);
    QTest::newRow("fractional seconds") << "2024-03-01T10:20:30.25Z" << utc(2024, 3, 1, 10, 20, 30, 250);
    QTest::newRow("long fraction") << "2024-03-01T10:20:30.123456Z" << utc(2024, 3, 1, 10, 20, 30, 123);
    QTest::newRow("positive offset") << "2024-03-01T17:20:30+07:00" << utc(2024, 3, 1, 10, 20, 30);
    QTest::newRow("negative offset across midnight") << "2024-02-29T23:00:00-02:30" << utc(2024, 3, 1, 1, 30, 0);
    QTest::newRow("no zone") << "2024-03-01T10:20:30" << QDateTime();
    QTest::newRow("space instead of T") << "2024-03-01 10:20:30Z" << QDateTime();
    QTest::newRow("date only") << "2024-03-01" << QDateTime();
    QTest::newRow("no seconds") << "2024-03-01T10:20Z" << QDateTime();
    QTest::newRow("February 30") << "2024-02-30T10:20:30Z" << QDateTime();
    QTest::newRow("hour 24") << "2024-03-01T24:00:00Z" << QDateTime();
    QTest::newRow("offset minutes 60") << "2024-03-01T10:20:30+01:60" << QDateTime();
    QTest::newRow("empty fraction") << "2024-03-01T10:20:30.Z" << QDateTime();
    QTest::newRow("trailing text") << "2024-03-01T10:20:30Z junk" << QDateTime();
    QTest::newRow("non-ASCII digits") << "٢٠٢٤-03-01T10:20:30Z" << QDateTime();
}

void ReceiptTest::internetDateTime()
{
    QFETCH(QString, text);
    QFETCH(QDateTime, expected);
    const std::optional<QDateTime> parsed = InternetDateTime::parse(text);
    QCOMPARE(parsed.has_value(), expected.isValid());
    if (parsed)
        QCOMPARE(*parsed, expected);
}

void ReceiptTest::inspectBytes_data()
{
    QTest::addColumn<QByteArray>("receipt");
    QTest::addColumn<QByteArray>("anchorsPem");
    QTest::addColumn<bool>("appleAnchors");
    QTest::addColumn<Status>("expected");

    const QByteArray date = "2024-03-01T10:20:30Z";
    const QByteArray signedReceipt = m_pki->sign(receiptPayload(appId, date));
    const QByteArray ownRoot = m_pki->rootPem();
    const auto row = [&](const char* name, const QByteArray& receipt, const Status& expected,
                         const QByteArray& anchors) { QTest::newRow(name) << receipt << anchors << false << expected; };

    row("verified", signedReceipt, Status::verified(appId), ownRoot);
    row("verified, signed without attributes",
        m_pki->sign(receiptPayload(appId, date), Pki::Signing::withoutAttributes), Status::verified(appId), ownRoot);
    row("verified, date with fraction and offset",
        m_pki->sign(receiptPayload(appId, "2024-03-01T17:20:30.5+07:00")), Status::verified(appId), ownRoot);
    row("expired leaf, valid at creation date",
        m_shortLivedLeafPki->sign(receiptPayload(appId, "2019-06-01T00:00:00Z")), Status::verified(appId),
        m_shortLivedLeafPki->rootPem());
    row("creation date after leaf validity",
        m_shortLivedLeafPki->sign(receiptPayload(appId, "2021-06-01T00:00:00Z")),
        Status::integrityVerified(appId, untrusted), m_shortLivedLeafPki->rootPem());
    row("chain ends at another root", signedReceipt, Status::integrityVerified(appId, untrusted), m_otherPki->rootPem());
    row("leaf without the receipt-signing marker", m_unmarkedLeafPki->sign(receiptPayload(appId, date)),
        Status::integrityVerified(appId, untrusted), m_unmarkedLeafPki->rootPem());
    row("intermediate not in the message", m_pki->sign(receiptPayload(appId, date), Pki::Signing::leafOnly),
        Status::integrityVerified(appId, untrusted), ownRoot);
    row("no creation date", m_pki->sign(receiptPayload(appId, {})), Status::integrityVerified(appId, badDate), ownRoot);
    row("creation date without zone", m_pki->sign(receiptPayload(appId, "2024-03-01T10:20:30")),
        Status::integrityVerified(appId, badDate), ownRoot);
    row("no anchors, intact signature", signedReceipt, Status::integrityVerified(appId, noPolicy), QByteArray());
    row("no anchors, tampered payload", tampered(signedReceipt), Status::invalid(badSignature), QByteArray());
    row("tampered payload", tampered(signedReceipt), Status::invalid(badSignature), ownRoot);
    row("identifier differs in case", m_pki->sign(receiptPayload(appId.toLower(), date)), Status::invalid(mismatch),
        ownRoot);
    row("another application", m_pki->sign(receiptPayload(QStringLiteral("com.example.Other"), date)),
        Status::invalid(mismatch), ownRoot);
    row("payload without bundle identifier", m_pki->sign(payload({{12, ia5String(date)}})), Status::invalid(noBundleId),
        ownRoot);
    row("payload not a SET", m_pki->sign(element(0x30, {})), Status::invalid(noBundleId), ownRoot);
    row("detached payload", m_pki->sign(receiptPayload(appId, date), Pki::Signing::detached),
        Status::invalid(QStringLiteral("The signed receipt payload is missing.")), ownRoot);
    row("truncated message", signedReceipt.left(signedReceipt.size() / 2), Status::invalid(notCms), ownRoot);
    row("bytes after the message", signedReceipt + QByteArray(4, '\0'), Status::invalid(notCms), ownRoot);
    row("random bytes", QByteArray::fromHex("8f3a01c4e2775b09d1aa6c3e58f0b2947d16e0c3"), Status::invalid(notCms), ownRoot);
    row("payload DER alone", receiptPayload(appId, date), Status::invalid(notCms), ownRoot);
    row("empty", QByteArray(), Status::invalid(QStringLiteral("The Mac App Store receipt is empty.")), ownRoot);

    // Apple's roots never vouch for a chain made elsewhere.
    QTest::newRow("compiled anchors, foreign chain")
        << signedReceipt << QByteArray() << true << Status::integrityVerified(appId, untrusted);
}

void ReceiptTest::inspectBytes()
{
    QFETCH(QByteArray, receipt);
    QFETCH(QByteArray, anchorsPem);
    QFETCH(bool, appleAnchors);
    QFETCH(Status, expected);
    const ReceiptTrustAnchors anchors =
        appleAnchors ? ReceiptTrustAnchors::apple() : ReceiptTrustAnchors::fromPem(anchorsPem);
    QCOMPARE(MacAppStoreReceiptInspector::inspectBytes(receipt, appId, anchors), expected);
}

void ReceiptTest::inspectFile_data()
{
    QTest::addColumn<QString>("fileState");
    QTest::addColumn<Status>("expected");
    QTest::newRow("verified") << "signed" << Status::verified(appId);
    QTest::newRow("absent") << "absent" << Status::absent();
    QTest::newRow("empty file") << "empty" << Status::invalid(QStringLiteral("The Mac App Store receipt is empty."));
    QTest::newRow("unreadable")
        << "unreadable"
        << Status::inaccessible(QStringLiteral("The Mac App Store receipt exists but cannot be read with the current permissions."));
    QTest::newRow("read fails")
        << "read fails"
        << Status::inaccessible(QStringLiteral("The Mac App Store receipt could not be read with the current permissions."));
    // A valid receipt followed by a hole up to 3 GB: refused without being read.
    QTest::newRow("oversized")
        << "oversized"
        << Status::inaccessible(QStringLiteral("The Mac App Store receipt could not be read with the current permissions."));
}

void ReceiptTest::inspectFile()
{
    QFETCH(QString, fileState);
    QFETCH(Status, expected);

    QTemporaryDir home;
    const QString bundle = home.filePath(QStringLiteral("Applications/Ledger.app"));
    const QString path = MacAppStoreReceiptInspector::receiptPath(bundle);
    QCOMPARE(path, bundle + QStringLiteral("/Contents/_MASReceipt/receipt"));
    QVERIFY(QDir().mkpath(QFileInfo(path).path()));
    if (fileState != QLatin1String("absent")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        if (fileState != QLatin1String("empty"))
            file.write(m_pki->sign(receiptPayload(appId, "2024-03-01T10:20:30Z")));
        if (fileState == QLatin1String("oversized"))
            QVERIFY(file.resize(qint64(3) * 1024 * 1024 * 1024));
    }
    FakeAuditFileSystem fileSystem;
    if (fileState == QLatin1String("unreadable"))
        fileSystem.unreadable.insert(path);
    if (fileState == QLatin1String("read fails"))
        fileSystem.failingReads.insert(path);

    const ReceiptTrustAnchors anchors = ReceiptTrustAnchors::fromPem(m_pki->rootPem());
    QCOMPARE(MacAppStoreReceiptInspector::inspect(path, appId, fileSystem, anchors), expected);
}

void ReceiptTest::compiledAnchorsAreApplesRoots()
{
    const QList<QByteArray> certificates = ReceiptTrustAnchors::apple().certificates();
    QStringList fingerprints;
    for (const QByteArray& der : certificates)
        fingerprints << QString::fromLatin1(QCryptographicHash::hash(der, QCryptographicHash::Sha256).toHex(':').toUpper());
    QCOMPARE(fingerprints,
             (QStringList{
                 "B0:B1:73:0E:CB:C7:FF:45:05:14:2C:49:F1:29:5E:6E:DA:6B:CA:ED:7E:2C:68:C5:BE:91:B5:A1:10:01:F0:24",
                 "63:34:3A:BF:B8:9A:6A:03:EB:B5:7E:9B:3F:5F:A7:BE:7C:4F:5C:75:6F:30:17:B3:A8:C4:88:C3:65:3E:91:79",
             }));
}

void ReceiptTest::anchorsFromBrokenPemAreEmpty()
{
    const QByteArray good = m_pki->rootPem();
    QVERIFY(!ReceiptTrustAnchors::fromPem(good).isEmpty());
    QByteArray corrupted = m_otherPki->rootPem();
    corrupted[40] = '*';
    QVERIFY(ReceiptTrustAnchors::fromPem(good + corrupted).isEmpty());
    QVERIFY(ReceiptTrustAnchors::fromPem("not a certificate").isEmpty());
}

QTEST_GUILESS_MAIN(ReceiptTest)
#include "tst_receipt.moc"
