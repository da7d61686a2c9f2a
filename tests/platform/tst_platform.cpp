#include "platform/AppRuntime.h"
#include "platform/ChildProcess.h"
#include "platform/FileLock.h"
#include "platform/FileSystem.h"
#include "platform/Host.h"
#include "platform/MappedFile.h"
#include "platform/PropertyList.h"
#include "platform/TextLines.h"
#include "platform/TildePath.h"
#include "platform/Utf8.h"
#include "support/FakeMac.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QPoint>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QtTest>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray readFixture(const QString& name)
{
    QFile file(qEnvironmentVariable("TAVRIN_SOURCE_DIR") + QStringLiteral("/tests/fixtures/plist/") + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QByteArray bigEndian(quint64 value, int width)
{
    QByteArray bytes;
    for (int shift = (width - 1) * 8; shift >= 0; shift -= 8)
        bytes.append(static_cast<char>(shift >= 64 ? 0 : (value >> shift) & 0xFF));
    return bytes;
}

// Builds a binary property list from encoded objects (references one byte
// wide); the trailer fields can be overridden to make it hostile.
struct BinaryList {
    QList<QByteArray> objects;
    quint64 top = 0;
    int offsetSize = 2;
    int refSize = 1;
    std::optional<quint64> countOverride;
    std::optional<quint64> tableOffsetOverride;
    QList<quint64> offsetOverrides; // replaces the computed offsets when not empty

    QByteArray build() const
    {
        QByteArray bytes("bplist00");
        QList<quint64> offsets;
        for (const QByteArray& object : objects) {
            offsets.append(static_cast<quint64>(bytes.size()));
            bytes.append(object);
        }
        if (!offsetOverrides.isEmpty())
            offsets = offsetOverrides;
        const quint64 tableOffset = static_cast<quint64>(bytes.size());
        for (quint64 offset : offsets)
            bytes.append(bigEndian(offset, offsetSize));
        bytes.append(QByteArray(6, '\0'));
        bytes.append(static_cast<char>(offsetSize));
        bytes.append(static_cast<char>(refSize));
        bytes.append(bigEndian(countOverride.value_or(static_cast<quint64>(offsets.size())), 8));
        bytes.append(bigEndian(top, 8));
        bytes.append(bigEndian(tableOffsetOverride.value_or(tableOffset), 8));
        return bytes;
    }
};

QByteArray ascii(const char* text)
{
    const QByteArray body(text);
    return QByteArray(1, static_cast<char>(0x50 | body.size())) + body;
}

QByteArray array(std::initializer_list<int> refs)
{
    QByteArray bytes(1, static_cast<char>(0xA0 | static_cast<int>(refs.size())));
    for (int ref : refs)
        bytes.append(static_cast<char>(ref));
    return bytes;
}

QByteArray dictionary(std::initializer_list<std::pair<int, int>> entries)
{
    QByteArray bytes(1, static_cast<char>(0xD0 | static_cast<int>(entries.size())));
    for (const auto& entry : entries)
        bytes.append(static_cast<char>(entry.first));
    for (const auto& entry : entries)
        bytes.append(static_cast<char>(entry.second));
    return bytes;
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

} // namespace

class PlatformTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();

    void textLines_data();
    void textLines();
    void tildeExpansion_data();
    void tildeExpansion();
    void utf8_data();
    void utf8();

    void propertyListForms();
    void propertyListScalars_data();
    void propertyListScalars();
    void propertyListMalformed_data();
    void propertyListMalformed();
    void propertyListSharedReferencesStayCheap();
    void propertyListSurvivesMutations();
    void propertyListWriterRoundTrip_data();
    void propertyListWriterRoundTrip();
    void propertyListWriterForm();
    void propertyListWriterRefuses_data();
    void propertyListWriterRefuses();

    void runtimeFolders_data();
    void runtimeFolders();
    void runtimeFoldersFollowChanges();
    void versionLabel_data();
    void versionLabel();

    void hostMapping_data();
    void hostMapping();
    void hostRootFromEnvironment_data();
    void hostRootFromEnvironment();
    void hostFactsFromFakeRoot();
    void hostVersion_data();
    void hostVersion();
    void hostArchitectureName_data();
    void hostArchitectureName();
    void hostsFile_data();
    void hostsFile();
    void hostFixedFacts();

    void mappedFile_data();
    void mappedFile();

    void createFolders();
    void removeItem_data();
    void removeItem();
    void replaceFile_data();
    void replaceFile();
    void renameNoReplace_data();
    void renameNoReplace();
    void fileLock();
    void childProcessStatus_data();
    void childProcessStatus();
    void childProcessStartFailure();

private:
    QTemporaryDir m_home;
};

void PlatformTest::initTestCase()
{
    // The home folder is computed once per process: fix it before first use.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
}

// ------------------------------------------------------------------ lines

void PlatformTest::textLines_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("no break") << "abc" << QStringList{"abc"};
    QTest::newRow("LF, empty line dropped") << "a\n\nb\n" << QStringList{"a", "b"};
    QTest::newRow("CRLF once") << "a\r\nb\r\n" << QStringList{"a", "b"};
    QTest::newRow("CR alone") << "a\rb" << QStringList{"a", "b"};
    QTest::newRow("VT and FF") << "a\vb\fc" << QStringList{"a", "b", "c"};
    QTest::newRow("NEL, LS, PS") << QString::fromUtf8("a\u0085b\u2028c\u2029d") << QStringList{"a", "b", "c", "d"};
    QTest::newRow("blanks kept") << "  a b \n\t" << QStringList{"  a b ", "\t"};
    QTest::newRow("only breaks") << "\n\r\n\v" << QStringList{};
}

void PlatformTest::textLines()
{
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QCOMPARE(TextLines::split(text), lines);
}

void PlatformTest::tildeExpansion_data()
{
    const QString home = m_home.path();
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expanded");
    QTest::newRow("lone tilde") << "~" << home;
    QTest::newRow("tilde slash") << "~/tmp/c" << home + "/tmp/c";
    QTest::newRow("named user") << "~root/x" << "/root/x";
    QTest::newRow("unknown user") << "~no-such-user-here/x" << "~no-such-user-here/x";
    QTest::newRow("tilde later") << "a/~/b" << "a/~/b";
    QTest::newRow("absolute") << "/var/tmp" << "/var/tmp";
    QTest::newRow("empty") << "" << "";
}

void PlatformTest::tildeExpansion()
{
    QFETCH(QString, path);
    QFETCH(QString, expanded);
    QCOMPARE(TildePath::expand(path), expanded);
}

void PlatformTest::utf8_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("incompleteTail");
    QTest::newRow("ascii") << QByteArray("abc") << true << 0;
    QTest::newRow("two-byte") << QByteArray("\xC3\xA9") << true << 0;
    QTest::newRow("four-byte") << QByteArray("\xF0\x9F\x98\x80") << true << 0;
    QTest::newRow("cut after lead") << QByteArray("ab\xC3") << false << 1;
    QTest::newRow("cut three-byte") << QByteArray("a\xE1\xBB") << false << 2;
    QTest::newRow("cut four-byte") << QByteArray("\xF0\x9F\x98") << false << 3;
    QTest::newRow("complete then cut") << QByteArray("\xC3\xA9\xE1") << false << 1;
    QTest::newRow("latin-1") << QByteArray("caf\xE9 ok") << false << 0;
    QTest::newRow("latin-1 at end") << QByteArray("caf\xE9") << false << 1;
    QTest::newRow("overlong") << QByteArray("\xC0\xAF") << false << 0;
    QTest::newRow("surrogate") << QByteArray("\xED\xA0\x80") << false << 0;
    QTest::newRow("beyond U+10FFFF") << QByteArray("\xF4\x90\x80\x80") << false << 0;
    QTest::newRow("lone continuation") << QByteArray("a\x80") << false << 0;
    QTest::newRow("bad second byte at end") << QByteArray("a\xE0\x80") << false << 0;
}

void PlatformTest::utf8()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, valid);
    QFETCH(int, incompleteTail);
    QCOMPARE(Utf8::isValid(bytes), valid);
    QCOMPARE(Utf8::decode(bytes).has_value(), valid);
    QCOMPARE(Utf8::incompleteTail(bytes), incompleteTail);
}

// --------------------------------------------------------- property lists

namespace {

// The value held by the two sample files of tests/fixtures/plist.
QVariantMap sampleListValue()
{
    QVariantMap inner;
    inner.insert("inner", QVariantList{QStringLiteral("deep")});
    QVariantMap expected;
    expected.insert("Big", QVariant::fromValue(qint64(1) << 40));
    expected.insert("Blob", QByteArray("\x00\x01\xFEplist", 8));
    expected.insert("CFBundleIdentifier", QStringLiteral("vn.tavrin.sample"));
    expected.insert("Count", QVariant::fromValue(qint64(42)));
    expected.insert("Disabled", false);
    expected.insert("Empty", QVariantMap());
    expected.insert("Enabled", true);
    expected.insert("Huge", QVariant::fromValue(std::numeric_limits<quint64>::max()));
    expected.insert("List", QVariantList{QStringLiteral("a"), QStringLiteral("a"), QVariant::fromValue(qint64(1)), inner});
    expected.insert("Name", QStringLiteral("Tiếng Việt — ứng dụng"));
    expected.insert("Negative", QVariant::fromValue(qint64(-7)));
    expected.insert("Nothing", QVariantList());
    expected.insert("Ratio", 0.25);
    expected.insert("When", QDateTime(QDate(2024, 5, 17), QTime(8, 30, 15), QTimeZone::utc()));
    return expected;
}

} // namespace

void PlatformTest::propertyListForms()
{
    const QVariantMap expected = sampleListValue();
    for (const char* name : {"sample.bplist", "sample.xml.plist"}) {
        const QByteArray bytes = readFixture(QString::fromLatin1(name));
        QVERIFY2(!bytes.isEmpty(), name);
        const std::optional<QVariant> parsed = PropertyList::parse(bytes);
        QVERIFY2(parsed.has_value(), name);
        const QVariantMap map = parsed->toMap();
        QCOMPARE(map.keys(), expected.keys());
        for (auto it = expected.cbegin(); it != expected.cend(); ++it) {
            QCOMPARE(map.value(it.key()).typeId(), it.value().typeId());
            QCOMPARE(map.value(it.key()), it.value());
        }
    }
}

void PlatformTest::propertyListWriterRoundTrip_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("every kind of value") << QVariant(sampleListValue());
    QTest::newRow("address with ampersands") << QVariant(QVariantMap{
        {"URL", QStringLiteral("https://example.com/a?b=1&c=2&amp;d=<3>")}});
    QTest::newRow("markup-like text") << QVariant(QStringLiteral("</string><key>x</key> \"q\" 'a' ]]> &#13;"));
    QTest::newRow("line breaks and tab") << QVariant(QStringLiteral("a\r\nb\rc\td\n"));
    QTest::newRow("leading and trailing blanks") << QVariant(QStringLiteral("  x  "));
    QTest::newRow("empty text") << QVariant(QString());
    QTest::newRow("characters beyond the basic plane") << QVariant(QStringLiteral("Tiếng Việt 😀 𝄞"));
    QTest::newRow("keys that need escaping") << QVariant(QVariantMap{{"a&b<c>", true}});
    QTest::newRow("nested at the depth limit") << [] {
        QVariant value = QStringLiteral("leaf");
        for (int depth = 0; depth < PropertyList::maximumDepth; ++depth)
            value = QVariantList{value};
        return value;
    }();
}

void PlatformTest::propertyListWriterRoundTrip()
{
    QFETCH(QVariant, value);
    const std::optional<QByteArray> bytes = PropertyList::toXml(value);
    QVERIFY(bytes.has_value());
    const std::optional<QVariant> parsed = PropertyList::parse(*bytes);
    QVERIFY2(parsed.has_value(), bytes->constData());
    QCOMPARE(*parsed, value);
}

void PlatformTest::propertyListWriterForm()
{
    const std::optional<QByteArray> bytes =
        PropertyList::toXml(QVariantMap{{"URL", QStringLiteral("https://x.example/?a=1&b=<2>")}});
    QVERIFY(bytes.has_value());
    QCOMPARE(*bytes, QByteArray("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                                "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                                "<plist version=\"1.0\">\n"
                                "<dict>\n"
                                "\t<key>URL</key>\n"
                                "\t<string>https://x.example/?a=1&amp;b=&lt;2&gt;</string>\n"
                                "</dict>\n"
                                "</plist>\n"));
}

void PlatformTest::propertyListWriterRefuses_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::newRow("control character") << QVariant(QStringLiteral("a\u0001b"));
    QTest::newRow("NUL") << QVariant(QString(QChar(0)));
    QTest::newRow("lone high surrogate") << QVariant(QString(QChar(0xD800)));
    QTest::newRow("lone low surrogate in a key") << QVariant(QVariantMap{{QString(QChar(0xDC00)), 1}});
    QTest::newRow("non-character U+FFFE") << QVariant(QString(QChar(0xFFFE)));
    QTest::newRow("not a number") << QVariant(std::nan(""));
    QTest::newRow("infinity in a list") << QVariant(QVariantList{1, std::numeric_limits<double>::infinity()});
    QTest::newRow("invalid date") << QVariant(QDateTime());
    QTest::newRow("null value") << QVariant();
    QTest::newRow("unsupported type") << QVariant(QPoint(1, 2));
    QTest::newRow("nested too deep") << [] {
        QVariant value = true;
        for (int depth = 0; depth <= PropertyList::maximumDepth; ++depth)
            value = QVariantList{value};
        return value;
    }();
}

void PlatformTest::propertyListWriterRefuses()
{
    QFETCH(QVariant, value);
    QVERIFY(!PropertyList::toXml(value).has_value());
}

void PlatformTest::propertyListScalars_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QVariant>("value");
    const QByteArray head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    QTest::newRow("bare string without plist element") << QByteArray("<string>x &amp; y</string>") << QVariant(QStringLiteral("x & y"));
    QTest::newRow("CDATA string") << head + "<string><![CDATA[<a>]]></string></plist>" << QVariant(QStringLiteral("<a>"));
    QTest::newRow("negative integer") << head + "<integer> -9223372036854775808 </integer></plist>"
                                      << QVariant::fromValue(std::numeric_limits<qint64>::min());
    QTest::newRow("hex integer") << head + "<integer>0x1F</integer></plist>" << QVariant::fromValue(qint64(31));
    QTest::newRow("real exponent") << head + "<real>1.5e3</real></plist>" << QVariant(1500.0);
    QTest::newRow("date with offset") << head + "<date>2024-01-02T03:04:05+02:00</date></plist>"
                                      << QVariant(QDateTime(QDate(2024, 1, 2), QTime(1, 4, 5), QTimeZone::utc()));
    QTest::newRow("data with line breaks") << head + "<data>\n aGVs\n bG8=\n</data></plist>" << QVariant(QByteArray("hello"));
    QTest::newRow("comments around") << head + "<!-- c --><dict><!-- d --><key>k</key><!-- e --><true/></dict></plist><!-- f -->"
                                     << QVariant(QVariantMap{{"k", true}});
    QTest::newRow("repeated key keeps last") << head + "<dict><key>k</key><integer>1</integer><key>k</key><integer>2</integer></dict></plist>"
                                             << QVariant(QVariantMap{{"k", QVariant::fromValue(qint64(2))}});

    BinaryList uid;
    uid.objects = {QByteArray("\x81\x01\x02", 3)};
    QTest::newRow("binary UID") << uid.build() << QVariant(QVariantMap{{"CF$UID", QVariant::fromValue(qint64(258))}});
    BinaryList utf16;
    utf16.objects = {QByteArray("\x62\x00\x56\x1E\xC7", 5)};
    QTest::newRow("binary UTF-16 string") << utf16.build() << QVariant(QStringLiteral("Vệ"));
    BinaryList extended;
    extended.objects = {QByteArray("\x5F\x10\x11", 3) + QByteArray(17, 'x')};
    QTest::newRow("binary extended length") << extended.build() << QVariant(QString(17, QLatin1Char('x')));
    BinaryList set;
    set.objects = {QByteArray("\xC1\x01", 2), QByteArray("\x09", 1)};
    QTest::newRow("binary set as list") << set.build() << QVariant(QVariantList{true});
}

void PlatformTest::propertyListScalars()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QVariant, value);
    const std::optional<QVariant> parsed = PropertyList::parse(bytes);
    QVERIFY(parsed.has_value());
    QCOMPARE(parsed->typeId(), value.typeId());
    QCOMPARE(*parsed, value);
}

void PlatformTest::propertyListMalformed_data()
{
    QTest::addColumn<QByteArray>("bytes");
    const QByteArray head = "<?xml version=\"1.0\"?><plist version=\"1.0\">";
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("not XML") << QByteArray("hello world");
    QTest::newRow("unclosed") << head + "<dict><key>a</key><string>b</string>";
    QTest::newRow("key without value") << head + "<dict><key>a</key></dict></plist>";
    QTest::newRow("value without key") << head + "<dict><string>a</string></dict></plist>";
    QTest::newRow("unknown element") << head + "<thing/></plist>";
    QTest::newRow("element in string") << head + "<string>a<b/></string></plist>";
    QTest::newRow("two top values") << head + "<true/><false/></plist>";
    QTest::newRow("text after document") << head + "<true/></plist>trailing";
    QTest::newRow("bad integer") << head + "<integer>12a</integer></plist>";
    QTest::newRow("integer overflow") << head + "<integer>-9223372036854775809</integer></plist>";
    QTest::newRow("bad date") << head + "<date>yesterday</date></plist>";
    QTest::newRow("bad base64") << head + "<data>@@@@</data></plist>";
    QTest::newRow("undeclared entity") << head + "<string>&nope;</string></plist>";
    QTest::newRow("entity expansion bomb")
        << QByteArray("<?xml version=\"1.0\"?><!DOCTYPE plist [<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\"><!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\"><!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">]>"
                      "<plist><string>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</string></plist>");
    QTest::newRow("XML nested too deep") << head + QByteArray(PropertyList::maximumDepth + 2, 'x').replace("x", "<array>")
            + QByteArray(PropertyList::maximumDepth + 2, 'x').replace("x", "</array>") + "</plist>";

    QTest::newRow("binary header only") << QByteArray("bplist00");
    QTest::newRow("unknown binary version") << QByteArray("bplist01") + QByteArray(40, '\0');
    BinaryList good;
    good.objects = {array({1}), ascii("a")};
    const QByteArray goodBytes = good.build();
    QTest::newRow("binary truncated") << goodBytes.left(goodBytes.size() - 1);
    BinaryList list = good;
    list.top = 2;
    QTest::newRow("top beyond count") << list.build();
    list = good;
    list.countOverride = 0;
    QTest::newRow("no objects") << list.build();
    list = good;
    list.countOverride = quint64(1) << 62;
    QTest::newRow("huge object count") << list.build();
    list = good;
    list.tableOffsetOverride = quint64(-1);
    QTest::newRow("table offset past end") << list.build();
    list = good;
    list.tableOffsetOverride = 3;
    QTest::newRow("table offset in header") << list.build();
    list = good;
    list.offsetSize = 0;
    QTest::newRow("offset size 0") << list.build();
    list = good;
    list.offsetSize = 9;
    QTest::newRow("offset size 9") << list.build();
    list = good;
    list.offsetOverrides = {8, 0xFFFF};
    QTest::newRow("object offset past table") << list.build();
    list = good;
    list.offsetOverrides = {8, 2};
    QTest::newRow("object offset in header") << list.build();
    list = good;
    list.objects = {array({5})};
    QTest::newRow("reference beyond count") << list.build();
    list = good;
    list.objects = {array({0})};
    QTest::newRow("array holding itself") << list.build();
    list = good;
    list.objects = {array({1}), array({0})};
    QTest::newRow("two-step cycle") << list.build();
    list = good;
    list.objects = {QByteArray("\xAF\x13\x7F\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10), ascii("a")};
    QTest::newRow("array count beyond file") << list.build();
    list = good;
    list.objects = {QByteArray("\x5F\x13\xFF\xFF\xFF\xFF\xFF\xFF\xFF\xFF", 10)};
    QTest::newRow("string length wraps") << list.build();
    list = good;
    list.objects = {QByteArray("\x6F\x13\x80\x00\x00\x00\x00\x00\x00\x01", 10)};
    QTest::newRow("UTF-16 length overflows") << list.build();
    list = good;
    list.objects = {QByteArray("\x5F\x20\x01", 3)};
    QTest::newRow("length object not an integer") << list.build();
    list = good;
    list.objects = {QByteArray("\x58\x61\x62", 3)};
    QTest::newRow("string past objects") << list.build();
    list = good;
    list.objects = {dictionary({{1, 1}}), QByteArray("\x10\x01", 2)};
    QTest::newRow("integer key") << list.build();
    list = good;
    list.objects = {QByteArray("\x00", 1)};
    QTest::newRow("null marker") << list.build();
    list = good;
    list.objects = {QByteArray("\x15", 1) + QByteArray(32, '\0')};
    QTest::newRow("integer of 32 bytes") << list.build();
    list = good;
    list.objects = {QByteArray("\x14\x00\x00\x00\x00\x00\x00\x00\x01", 9) + QByteArray(8, '\0')};
    QTest::newRow("integer beyond 64 bits") << list.build();
    list = good;
    list.objects = {QByteArray("\x33\x7F\xF0\x00\x00\x00\x00\x00\x00", 9)};
    QTest::newRow("infinite date") << list.build();
    list = good;
    list.objects = {QByteArray("\x88", 1) + QByteArray(9, '\x01')};
    QTest::newRow("UID of 9 bytes") << list.build();
    list = good;
    list.objects = {QByteArray("\xE0", 1)};
    QTest::newRow("unknown marker") << list.build();

    // Nesting deeper than allowed, each array holding the next.
    BinaryList deep;
    deep.offsetSize = 4;
    deep.refSize = 2;
    const int levels = PropertyList::maximumDepth + 5;
    for (int level = 0; level < levels; ++level) {
        QByteArray object("\xA1", 1);
        object.append(bigEndian(static_cast<quint64>(level + 1), 2));
        deep.objects.append(object);
    }
    deep.objects.append(QByteArray("\x09", 1));
    QTest::newRow("binary nested too deep") << deep.build();
}

void PlatformTest::propertyListMalformed()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!PropertyList::parse(bytes).has_value());
}

void PlatformTest::propertyListSharedReferencesStayCheap()
{
    // Each array holds the next one twice: expanded, 2^60 leaves; shared, 61
    // objects. The reader must answer without expanding.
    BinaryList list;
    const int levels = 60;
    for (int level = 0; level < levels; ++level)
        list.objects.append(array({level + 1, level + 1}));
    list.objects.append(ascii("leaf"));
    const std::optional<QVariant> parsed = PropertyList::parse(list.build());
    QVERIFY(parsed.has_value());
    QVariant walk = *parsed;
    for (int level = 0; level < levels; ++level) {
        QCOMPARE(walk.toList().size(), 2);
        walk = walk.toList().first();
    }
    QCOMPARE(walk.toString(), QStringLiteral("leaf"));
}

void PlatformTest::propertyListSurvivesMutations()
{
    // Every byte of both samples replaced by several values, and every
    // truncation: none may crash, whatever the answer.
    for (const char* name : {"sample.bplist", "sample.xml.plist"}) {
        const QByteArray original = readFixture(QString::fromLatin1(name));
        QVERIFY(!original.isEmpty());
        for (qsizetype index = 0; index < original.size(); ++index) {
            for (unsigned char value : {0x00, 0x01, 0x0F, 0x10, 0x7F, 0x80, 0xAF, 0xDF, 0xFF}) {
                QByteArray mutated = original;
                mutated[index] = static_cast<char>(value);
                PropertyList::parse(mutated);
            }
            PropertyList::parse(original.left(index));
        }
    }
}

// -------------------------------------------------------------- runtime

void PlatformTest::runtimeFolders_data()
{
    const QString home = m_home.path();
    const QString cwd = QDir::currentPath();
    QTest::addColumn<QByteArray>("variable");
    QTest::addColumn<std::optional<QByteArray>>("value");
    QTest::addColumn<QString>("appSupport");
    QTest::addColumn<QString>("cache");
    QTest::addColumn<QString>("logFile");
    const QString support = home + "/Library/Application Support/Tavrin Devivu Kit";
    const QString cache = home + "/Library/Caches/tavrin-office-kit";
    const QString log = home + "/Library/Logs/tavrin-office-kit.log";
    const std::optional<QByteArray> unset;
    QTest::newRow("all unset") << QByteArray("TAVRIN_MAC_CACHE_DIR") << unset << support << cache << log;
    QTest::newRow("empty") << QByteArray("TAVRIN_MAC_CACHE_DIR") << std::optional<QByteArray>("") << support << cache << log;
    QTest::newRow("blanks and breaks") << QByteArray("TAVRIN_MAC_LOG_DIR") << std::optional<QByteArray>(" \t\n\r ")
                                       << support << cache << log;
    QTest::newRow("tilde") << QByteArray("TAVRIN_MAC_CACHE_DIR") << std::optional<QByteArray>("~/tmp/c") << support
                           << home + "/tmp/c" << log;
    QTest::newRow("log folder") << QByteArray("TAVRIN_MAC_LOG_DIR") << std::optional<QByteArray>("/var/tmp/x") << support
                                << cache << "/var/tmp/x/tavrin-office-kit.log";
    QTest::newRow("trailing slash") << QByteArray("TAVRIN_MAC_LOG_DIR") << std::optional<QByteArray>("/var/tmp/x/")
                                    << support << cache << "/var/tmp/x/tavrin-office-kit.log";
    QTest::newRow("blank kept, relative") << QByteArray("TAVRIN_MAC_CONFIG_DIR") << std::optional<QByteArray>(" /x")
                                          << cwd + "/ /x" << cache << log;
    QTest::newRow("relative") << QByteArray("TAVRIN_MAC_CONFIG_DIR") << std::optional<QByteArray>("conf")
                              << cwd + "/conf" << cache << log;
}

void PlatformTest::runtimeFolders()
{
    QFETCH(QByteArray, variable);
    QFETCH(std::optional<QByteArray>, value);
    QFETCH(QString, appSupport);
    QFETCH(QString, cache);
    QFETCH(QString, logFile);
    for (const char* name : {AppRuntime::configDirVariable, AppRuntime::cacheDirVariable, AppRuntime::logDirVariable})
        qunsetenv(name);
    if (value)
        qputenv(variable.constData(), *value);
    QCOMPARE(AppRuntime::appSupportDir(), appSupport);
    QCOMPARE(AppRuntime::cacheDir(), cache);
    QCOMPARE(AppRuntime::logFile(), logFile);
    qunsetenv(variable.constData());
}

void PlatformTest::runtimeFoldersFollowChanges()
{
    qputenv(AppRuntime::cacheDirVariable, "/first");
    QCOMPARE(AppRuntime::cacheDir(), QStringLiteral("/first"));
    qputenv(AppRuntime::cacheDirVariable, "/second");
    QCOMPARE(AppRuntime::cacheDir(), QStringLiteral("/second"));
    qputenv("HOME", "/somewhere/else");
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qunsetenv(AppRuntime::cacheDirVariable);
    QCOMPARE(AppRuntime::envURL("TAVRIN_NOT_SET_ANYWHERE", QStringLiteral("/fallback")), QStringLiteral("/fallback"));
}

void PlatformTest::versionLabel_data()
{
    QTest::addColumn<QVariantMap>("info");
    QTest::addColumn<QString>("label");
    const QString shortKey = "CFBundleShortVersionString";
    const QString buildKey = "CFBundleVersion";
    QTest::newRow("both") << QVariantMap{{shortKey, "1.4.2"}, {buildKey, "57"}} << "1.4.2 (57)";
    QTest::newRow("short trimmed, no build") << QVariantMap{{shortKey, " 2.0\n"}} << "2.0";
    QTest::newRow("blank build") << QVariantMap{{shortKey, "2.0"}, {buildKey, "  "}} << "2.0";
    QTest::newRow("only build") << QVariantMap{{buildKey, "57"}} << "dev";
    QTest::newRow("number instead of text") << QVariantMap{{shortKey, QVariant::fromValue(qint64(3))}, {buildKey, "57"}} << "dev";
    QTest::newRow("empty dictionary") << QVariantMap() << "dev";
}

void PlatformTest::versionLabel()
{
    QFETCH(QVariantMap, info);
    QFETCH(QString, label);
    QCOMPARE(AppRuntime::versionLabel(info), label);
}

// ----------------------------------------------------------------- host

void PlatformTest::hostMapping_data()
{
    const QString home = m_home.path();
    QTest::addColumn<QString>("root");
    QTest::addColumn<QString>("macPath");
    QTest::addColumn<QString>("localPath");
    QTest::newRow("no root") << "/" << "/usr/bin/open" << "/usr/bin/open";
    QTest::newRow("tool") << "/tmp/mac" << "/usr/bin/open" << "/tmp/mac/usr/bin/open";
    QTest::newRow("root itself") << "/tmp/mac" << "/" << "/tmp/mac";
    QTest::newRow("root given with slash") << "/tmp/mac/" << "/Applications" << "/tmp/mac/Applications";
    QTest::newRow("home folder") << "/tmp/mac" << home + "/Applications/X.app" << home + "/Applications/X.app";
    QTest::newRow("relative") << "/tmp/mac" << "bin/tool" << "bin/tool";
    QTest::newRow("cache folder moved out of the home folder")
        << "/tmp/mac" << "/var/tmp/kit-cache/downloads/X.dmg" << "/var/tmp/kit-cache/downloads/X.dmg";
    QTest::newRow("shortcut folder moved out of the home folder")
        << "/tmp/mac" << "/srv/links/X.webloc" << "/srv/links/X.webloc";
    QTest::newRow("neighbour of a moved folder") << "/tmp/mac" << "/var/tmp/kit-cache2/x" << "/tmp/mac/var/tmp/kit-cache2/x";
}

void PlatformTest::hostMapping()
{
    QFETCH(QString, root);
    QFETCH(QString, macPath);
    QFETCH(QString, localPath);
    qputenv(AppRuntime::cacheDirVariable, "/var/tmp/kit-cache");
    qputenv(AppRuntime::shortcutDirVariable, "/srv/links/");
    const Host host(root);
    const QString mapped = host.map(macPath);
    const QString unmapped = host.unmap(localPath);
    qunsetenv(AppRuntime::cacheDirVariable);
    qunsetenv(AppRuntime::shortcutDirVariable);
    QCOMPARE(mapped, localPath);
    QCOMPARE(unmapped, macPath);
    // A neighbour of the root that merely shares its spelling is not inside it.
    QCOMPARE(host.unmap(QStringLiteral("/tmp/macintosh/System")), QStringLiteral("/tmp/macintosh/System"));
}

void PlatformTest::hostRootFromEnvironment_data()
{
    QTest::addColumn<std::optional<QByteArray>>("value");
    QTest::addColumn<QString>("root");
    QTest::newRow("unset") << std::optional<QByteArray>() << "/";
    QTest::newRow("blank") << std::optional<QByteArray>("  \n") << "/";
#if defined(Q_OS_DARWIN)
    QTest::newRow("ignored on a Mac") << std::optional<QByteArray>("/tmp/mac") << "/";
#else
    QTest::newRow("folder") << std::optional<QByteArray>("/tmp/mac/") << "/tmp/mac";
    QTest::newRow("tilde") << std::optional<QByteArray>("~/mac") << m_home.path() + "/mac";
#endif
}

void PlatformTest::hostRootFromEnvironment()
{
    QFETCH(std::optional<QByteArray>, value);
    QFETCH(QString, root);
    if (value)
        qputenv(Host::rootVariable, *value);
    else
        qunsetenv(Host::rootVariable);
    QCOMPARE(Host::fromEnvironment().root(), root);
    qunsetenv(Host::rootVariable);
}

void PlatformTest::hostFactsFromFakeRoot()
{
    FakeMac mac;
    QVERIFY2(mac.isValid(), qPrintable(mac.error()));
    const Host host = mac.host();
    QCOMPARE(host.macOSVersion(), QVersionNumber(14, 5, 0));
    QVERIFY(host.freeBytes().has_value());
    QVERIFY(host.resolves(QStringLiteral("FAKE-MAC.example.test")));
    QVERIFY(!host.resolves(QStringLiteral("no-such-name.invalid")));
    QVERIFY(!Host(mac.path("/no/such/folder")).freeBytes().has_value());

    QVERIFY(mac.setProductVersion(QStringLiteral("12.7.4")));
    QCOMPARE(host.macOSVersion(), QVersionNumber(12, 7, 4));
    QVERIFY(mac.setProductVersion(QString()));
    QCOMPARE(host.macOSVersion(), QVersionNumber(0, 0, 0));
}

void PlatformTest::hostVersion_data()
{
    QTest::addColumn<QByteArray>("plist");
    QTest::addColumn<QVersionNumber>("version");
    const auto wrap = [](const QByteArray& body) {
        return "<plist version=\"1.0\"><dict>" + body + "</dict></plist>";
    };
    QTest::newRow("two parts") << wrap("<key>ProductVersion</key><string>13.6</string>") << QVersionNumber(13, 6, 0);
    QTest::newRow("three parts") << wrap("<key>ProductVersion</key><string>11.7.10</string>") << QVersionNumber(11, 7, 10);
    QTest::newRow("missing key") << wrap("<key>ProductName</key><string>macOS</string>") << QVersionNumber(0, 0, 0);
    QTest::newRow("not text") << wrap("<key>ProductVersion</key><integer>14</integer>") << QVersionNumber(0, 0, 0);
    QTest::newRow("not a version") << wrap("<key>ProductVersion</key><string>Sonoma</string>") << QVersionNumber(0, 0, 0);
    QTest::newRow("not a plist") << QByteArray("garbage") << QVersionNumber(0, 0, 0);
}

void PlatformTest::hostVersion()
{
    QFETCH(QByteArray, plist);
    QFETCH(QVersionNumber, version);
    QCOMPARE(Host::versionFromSystemVersionPlist(plist), version);
}

void PlatformTest::hostArchitectureName_data()
{
    QTest::addColumn<QString>("machine");
    QTest::addColumn<QString>("name");
    QTest::newRow("aarch64") << "aarch64" << "arm64";
    QTest::newRow("arm64") << "arm64" << "arm64";
    QTest::newRow("x86_64") << "x86_64" << "x86_64";
    QTest::newRow("other") << "riscv64" << "riscv64";
    QTest::newRow("unknown") << "" << "";
}

void PlatformTest::hostArchitectureName()
{
    QFETCH(QString, machine);
    QFETCH(QString, name);
    QCOMPARE(Host::architectureName(machine), name);
}

void PlatformTest::hostsFile_data()
{
    QTest::addColumn<QByteArray>("hosts");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("named");
    const QByteArray hosts = "# comment naming commented.test\n127.0.0.1\tlocalhost\n"
                             "10.0.0.1 first.test  second.test # trailing.test\n\n  ::1 six.test\n";
    QTest::newRow("first name") << hosts << "first.test" << true;
    QTest::newRow("second name") << hosts << "second.test" << true;
    QTest::newRow("letter case") << hosts << "SIX.test" << true;
    QTest::newRow("in a comment") << hosts << "commented.test" << false;
    QTest::newRow("trailing comment") << hosts << "trailing.test" << false;
    QTest::newRow("an address") << hosts << "10.0.0.1" << false;
    QTest::newRow("empty name") << hosts << "" << false;
}

void PlatformTest::hostsFile()
{
    QFETCH(QByteArray, hosts);
    QFETCH(QString, name);
    QFETCH(bool, named);
    QCOMPARE(Host::hostsFileNames(hosts, name), named);
}

void PlatformTest::hostFixedFacts()
{
    Host host(QStringLiteral("/nonexistent-root"));
    host.setMacOSVersion(QVersionNumber(13));
    host.setArchitecture(QString());
    host.setFreeBytes(std::nullopt);
    host.setEffectiveUserId(0);
    host.setResolver([](const QString& name) { return name == QLatin1String("up.test"); });
    QCOMPARE(host.macOSVersion(), QVersionNumber(13, 0, 0));
    QCOMPARE(host.macOSVersionText(), QStringLiteral("13.0.0"));
    QCOMPARE(host.architecture(), QString());
    host.setLocalizedHostName(std::nullopt);
    QCOMPARE(host.localizedHostName(), std::nullopt);
    QVERIFY(!host.freeBytes().has_value());
    QCOMPARE(host.effectiveUserId(), 0u);
    QVERIFY(host.resolves(QStringLiteral("up.test")));
    QVERIFY(!host.resolves(QStringLiteral("localhost")));
    const Host copy = host;
    QCOMPARE(copy.effectiveUserId(), 0u);
}

// ---------------------------------------------------- folders and children

void PlatformTest::mappedFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<qint64>("size");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("read");
    const qint64 cap = MappedFile::maximumSize;
    QTest::newRow("small file") << "file" << qint64(5) << cap << true;
    QTest::newRow("empty file") << "file" << qint64(0) << cap << true;
    QTest::newRow("exactly the cap") << "file" << cap << cap << true;
    QTest::newRow("one byte over the cap") << "file" << cap + 1 << cap << false;
    QTest::newRow("over a smaller limit") << "file" << qint64(65) << qint64(64) << false;
    QTest::newRow("huge file") << "file" << qint64(3) * 1024 * 1024 * 1024 << cap << false;
    QTest::newRow("link to a file") << "link" << qint64(5) << cap << true;
    QTest::newRow("missing") << "missing" << qint64(0) << cap << false;
    QTest::newRow("folder") << "folder" << qint64(0) << cap << false;
    QTest::newRow("named pipe") << "fifo" << qint64(0) << cap << false;
    QTest::newRow("link to a device") << "device" << qint64(0) << cap << false;
}

void PlatformTest::mappedFile()
{
    QFETCH(QString, kind);
    QFETCH(qint64, size);
    QFETCH(qint64, limit);
    QFETCH(bool, read);

    QTemporaryDir folder;
    const QString target = folder.filePath(QStringLiteral("target"));
    const QString path = kind == QLatin1String("link") || kind == QLatin1String("device")
        ? folder.filePath(QStringLiteral("link"))
        : target;
    const QByteArray head("bytes");
    if (kind == QLatin1String("file") || kind == QLatin1String("link")) {
        // Sparse: only the head is written, the rest is a hole.
        QFile file(target);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QCOMPARE(file.write(head.left(size)), qMin(size, head.size()));
        QVERIFY(file.resize(size));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkdir(target));
    } else if (kind == QLatin1String("fifo")) {
        // Opening it would wait for a writer for ever.
        QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
    }
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(target, path));
    if (kind == QLatin1String("device"))
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), path));

    std::optional<MappedFile> file = MappedFile::open(path, limit);
    QCOMPARE(file.has_value(), read);
    if (!file)
        return;
    QCOMPARE(file->bytes().size(), size);
    QCOMPARE(file->bytes().left(head.size()), head.left(size));
    if (size > head.size())
        QCOMPARE(file->bytes().back(), '\0');
    // Not copied: a view of the mapping (an empty file cannot be mapped).
    if (size > 0)
        QVERIFY(!file->bytes().isDetached());

    // The bytes live as long as the object, moved or not.
    MappedFile moved = std::move(*file);
    file.reset();
    QCOMPARE(moved.bytes().left(head.size()), head.left(size));
}

void PlatformTest::createFolders()
{
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString existing = base.path() + "/existing";
    QVERIFY(QDir().mkdir(existing));
    QVERIFY(QFile::setPermissions(existing, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                                                | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther));
    QString error;
    QVERIFY(FileSystem::createFolders(existing + "/a/b", 0700, &error));
    QCOMPARE(modeOf(existing), mode_t(0755));
    QCOMPARE(modeOf(existing + "/a"), mode_t(0700));
    QCOMPARE(modeOf(existing + "/a/b"), mode_t(0700));
    QVERIFY(FileSystem::createFolders(existing + "/a/b", 0700, &error));

    QFile plain(base.path() + "/plain");
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    QVERIFY(!FileSystem::createFolders(plain.fileName() + "/below", 0700, &error));
    QCOMPARE(error, FileSystem::errorText(ENOTDIR));
}

void PlatformTest::removeItem_data()
{
    // Every case works in a folder holding: tree/ (a/b/file, a/.hidden, a
    // link to the outside folder, a link to the outside file), file, and
    // outside/ with keep and outside/file that must survive every removal.
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("removed");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("remaining");
    const QStringList outside{"outside/keep", "outside/file"};
    QTest::newRow("folder tree with links inside") << "tree" << true << "" << outside + QStringList{"file"};
    QTest::newRow("ordinary file") << "file" << true << "" << outside + QStringList{"tree/a/b/file"};
    QTest::newRow("link to a folder, not its target") << "tree/a/folder-link" << true << ""
                                                      << outside + QStringList{"tree/a/b/file", "file"};
    QTest::newRow("missing") << "nothing" << false << FileSystem::errorText(ENOENT)
                             << outside + QStringList{"tree/a/b/file", "file"};
    QTest::newRow("below an ordinary file") << "file/x" << false << FileSystem::errorText(ENOTDIR)
                                            << outside + QStringList{"tree/a/b/file", "file"};
    QTest::newRow("parent reference") << "tree/a/.." << false << FileSystem::errorText(EINVAL)
                                      << outside + QStringList{"tree/a/b/file", "file"};
}

void PlatformTest::removeItem()
{
    QFETCH(QString, target);
    QFETCH(bool, removed);
    QFETCH(QString, error);
    QFETCH(QStringList, remaining);
    QTemporaryDir folder;
    QVERIFY(folder.isValid());
    const QString base = folder.path() + QLatin1Char('/');
    QVERIFY(QDir().mkpath(base + "tree/a/b") && QDir().mkpath(base + "outside/keep"));
    for (const char* name : {"tree/a/b/file", "tree/a/.hidden", "file", "outside/file"}) {
        QFile file(base + name);
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    }
    QVERIFY(QFile::link(base + "outside", base + "tree/a/folder-link"));
    QVERIFY(QFile::link(base + "outside/file", base + "tree/a/file-link"));

    QString reason;
    QCOMPARE(FileSystem::removeItem(base + target, &reason), removed);
    QCOMPARE(reason, error);
    if (removed)
        QVERIFY(!QFileInfo(base + target).exists() && !QFileInfo(base + target).isSymLink());
    for (const QString& name : remaining)
        QVERIFY2(QFileInfo::exists(base + name), qPrintable(name));
}

void PlatformTest::replaceFile_data()
{
    QTest::addColumn<QString>("target"); // below the test's folder
    QTest::addColumn<mode_t>("mode");
    QTest::addColumn<int>("errorNumber"); // 0: replaced

    QTest::newRow("new file, owner-only") << "new.json" << mode_t(0600) << 0;
    QTest::newRow("existing file replaced") << "old.json" << mode_t(0644) << 0;
    QTest::newRow("folder below a file") << "plain/new.json" << mode_t(0600) << ENOTDIR;
    QTest::newRow("target is a folder") << "folder" << mode_t(0600) << EISDIR;
}

void PlatformTest::replaceFile()
{
    QFETCH(QString, target);
    QFETCH(mode_t, mode);
    QFETCH(int, errorNumber);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const auto write = [&](const QString& name, const QByteArray& bytes) {
        QFile file(base.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    };
    write("old.json", "old content");
    write("plain", "plain");
    QVERIFY(QDir(base.path()).mkpath("folder/inside"));
    const QStringList before = QDir(base.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);

    const mode_t previousMask = ::umask(0);
    QString error;
    const bool replaced = FileSystem::replaceFile(base.filePath(target), "new content\n", mode, &error);
    ::umask(previousMask);

    QCOMPARE(replaced, errorNumber == 0);
    QFile result(base.filePath(target));
    if (replaced) {
        QVERIFY(result.open(QIODevice::ReadOnly));
        QCOMPARE(result.readAll(), QByteArray("new content\n"));
        QCOMPARE(modeOf(result.fileName()), mode);
    } else {
        QCOMPARE(error, FileSystem::errorText(errorNumber));
        QVERIFY(QFileInfo(base.filePath("folder/inside")).isDir());
    }
    // Nothing else appeared: no temporary file is left behind.
    QStringList expected = before;
    if (replaced && !expected.contains(target))
        expected.append(target);
    expected.sort();
    QStringList after = QDir(base.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    after.sort();
    QCOMPARE(after, expected);
}

void PlatformTest::renameNoReplace_data()
{
    // Each case renames the folder "copy.app" (holding "marker") in a folder
    // that also holds "file", "empty/" and "dangling" (a link to nothing).
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("errorNumber"); // 0: renamed
    QTest::newRow("nothing there") << "Ledger.app" << 0;
    QTest::newRow("a file") << "file" << EEXIST;
    QTest::newRow("an empty folder") << "empty" << EEXIST;
    QTest::newRow("a link to nothing") << "dangling" << EEXIST;
    QTest::newRow("missing folder") << "missing/Ledger.app" << ENOENT;
}

void PlatformTest::renameNoReplace()
{
    QFETCH(QString, target);
    QFETCH(int, errorNumber);
    QTemporaryDir base;
    QVERIFY(base.isValid());
    QVERIFY(QDir(base.path()).mkpath("copy.app") && QDir(base.path()).mkpath("empty"));
    for (const char* name : {"copy.app/marker", "file"}) {
        QFile file(base.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write("x") == 1);
    }
    QVERIFY(QFile::link(base.filePath("nowhere"), base.filePath("dangling")));

    QString error;
    QCOMPARE(FileSystem::renameNoReplace(base.filePath("copy.app"), base.filePath(target), &error), errorNumber == 0);
    if (errorNumber == 0) {
        QVERIFY(!QFileInfo::exists(base.filePath("copy.app")));
        QVERIFY(QFileInfo(base.filePath(target + "/marker")).isFile());
        return;
    }
    QCOMPARE(error, FileSystem::errorText(errorNumber));
    QVERIFY(QFileInfo(base.filePath("copy.app/marker")).isFile());
    QVERIFY(QFileInfo(base.filePath("file")).isFile());
    QVERIFY(QDir(base.filePath("empty")).isEmpty());
    QVERIFY(QFileInfo(base.filePath("dangling")).isSymLink());
}

void PlatformTest::fileLock()
{
    QTemporaryDir base;
    QVERIFY(base.isValid());
    const QString path = base.filePath("entry.lock");

    FileLock first;
    QCOMPARE(first.lock(path, false), FileLock::Outcome::locked);
    QCOMPARE(modeOf(path), mode_t(0600));
    // A second holder in the same process is refused as another process
    // would be: each lock opens the file anew.
    FileLock second;
    QCOMPARE(second.lock(path, false), FileLock::Outcome::busy);
    QVERIFY(!second.isLocked());
    // Moving the lock keeps it held; the moved-from object holds nothing.
    FileLock moved = std::move(first);
    QVERIFY(moved.isLocked() && !first.isLocked());
    QCOMPARE(second.lock(path, false), FileLock::Outcome::busy);
    moved.unlock();
    QCOMPARE(second.lock(path, true), FileLock::Outcome::locked);
    QVERIFY(QFileInfo::exists(path)); // the file stays for the next holder

    QString error;
    FileLock failing;
    QCOMPARE(failing.lock(base.filePath("missing/entry.lock"), false, &error), FileLock::Outcome::failed);
    QCOMPARE(error, FileSystem::errorText(ENOENT));
    QVERIFY(QFile::link(path, base.filePath("link.lock")));
    QCOMPARE(failing.lock(base.filePath("link.lock"), false, &error), FileLock::Outcome::failed);
    QCOMPARE(error, FileSystem::errorText(ELOOP));
}

void PlatformTest::childProcessStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::newRow("exit 0") << QStringList{"-c", "exit 0"} << 0;
    QTest::newRow("exit 3") << QStringList{"-c", "exit 3"} << 3;
    QTest::newRow("killed") << QStringList{"-c", "kill -KILL $$"} << 128 + SIGKILL;
    QTest::newRow("terminated") << QStringList{"-c", "kill -TERM $$"} << 128 + SIGTERM;
}

void PlatformTest::childProcessStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    ChildProcess::Request request;
    request.executable = QStringLiteral("/bin/sh");
    request.arguments = arguments;
    request.environment = QProcessEnvironment::systemEnvironment();
    const ChildProcess::Outcome outcome = ChildProcess::run(request);
    QVERIFY(outcome.started);
    QCOMPARE(outcome.exitStatus, status);
}

void PlatformTest::childProcessStartFailure()
{
    QTemporaryDir base;
    const QString script = base.path() + "/no-interpreter";
    QFile file(script);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("\x7F" "ELF not really");
    file.close();
    QVERIFY(file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    ChildProcess::Request request;
    request.executable = script;
    request.environment = QProcessEnvironment::systemEnvironment();
    request.output = ChildProcess::Output::combined;
    QByteArray output;
    ChildProcess::Outcome outcome = ChildProcess::capture(request, output);
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.exitStatus, 127);
    QCOMPARE(outcome.error, FileSystem::errorText(ENOEXEC));

    request.executable = QStringLiteral("/bin/sh");
    request.arguments = {"-c", "pwd"};
    request.workingDirectory = script + "/below";
    outcome = ChildProcess::capture(request, output);
    QVERIFY(!outcome.started);
    QCOMPARE(outcome.error, FileSystem::errorText(ENOTDIR));
}

QTEST_GUILESS_MAIN(PlatformTest)
#include "tst_platform.moc"
