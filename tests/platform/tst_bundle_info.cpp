#include "platform/BundleInfo.h"
#include "platform/MappedFile.h"
#include "platform/StringsFile.h"
#include "support/PlistBytes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

Q_DECLARE_METATYPE(std::optional<QVariantMap>)

namespace {

bool writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

QByteArray utf16(const QString& text, bool bigEndian, bool mark)
{
    QByteArray bytes;
    if (mark)
        bytes += bigEndian ? QByteArray("\xFE\xFF", 2) : QByteArray("\xFF\xFE", 2);
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes += bigEndian ? QByteArray{1, high} + low : QByteArray{1, low} + high;
    }
    return bytes;
}

} // namespace

class BundleInfoTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stringsTables_data();
    void stringsTables();
    void localizationChoice_data();
    void localizationChoice();
    void localizedValuesOverride();
    void bundlesThatCannotBeRead();
    void oversizedFilesAreNotRead_data();
    void oversizedFilesAreNotRead();
};

void BundleInfoTest::stringsTables_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<std::optional<QVariantMap>>("table");

    const QString text = QStringLiteral("/* Localized versions of Info.plist keys */\n"
                                        "CFBundleDisplayName = \"Bảng tính\";\n"
                                        "// a comment to the line end\n"
                                        "\"NSHumanReadableCopyright\" = \"© 2024 Cedar \\\"Labs\\\"\\nAll rights\";\n");
    const QVariantMap expected{{QStringLiteral("CFBundleDisplayName"), QStringLiteral("Bảng tính")},
                               {QStringLiteral("NSHumanReadableCopyright"),
                                QStringLiteral("© 2024 Cedar \"Labs\"\nAll rights")}};
    QTest::newRow("text, UTF-8") << text.toUtf8() << std::optional(expected);
    QTest::newRow("text, UTF-8 with a byte-order mark") << QByteArray("\xEF\xBB\xBF") + text.toUtf8()
                                                        << std::optional(expected);
    QTest::newRow("text, UTF-16LE with a mark") << utf16(text, false, true) << std::optional(expected);
    QTest::newRow("text, UTF-16BE without a mark") << utf16(text, true, false) << std::optional(expected);
    QTest::newRow("XML property list")
        << PlistBytes::xml({{"CFBundleDisplayName", "Bảng tính"}})
        << std::optional(QVariantMap{{QStringLiteral("CFBundleDisplayName"), QStringLiteral("Bảng tính")}});
    QTest::newRow("binary property list")
        << PlistBytes::binary({{"CFBundleName", "Ledger"}})
        << std::optional(QVariantMap{{QStringLiteral("CFBundleName"), QStringLiteral("Ledger")}});
    QTest::newRow("escapes: unicode and octal")
        << QByteArray("k = \"\\U00e9\\101\\t\";") << std::optional(QVariantMap{{"k", QStringLiteral("éA\t")}});
    QTest::newRow("a key alone stands for itself") << QByteArray("\"Done\";")
                                                   << std::optional(QVariantMap{{"Done", "Done"}});
    QTest::newRow("empty") << QByteArray() << std::optional(QVariantMap{});

    const std::optional<QVariantMap> none;
    QTest::newRow("string never closed") << QByteArray("k = \"value;") << none;
    QTest::newRow("no semicolon") << QByteArray("k = \"v\"") << none;
    QTest::newRow("comment never closed") << QByteArray("/* k = \"v\";") << none;
    QTest::newRow("no value after =") << QByteArray("k = ;") << none;
    QTest::newRow("odd UTF-16 length") << QByteArray("\xFF\xFEk\0=", 5) << none;
    QTest::newRow("invalid UTF-8") << QByteArray("k = \"\xC3\x28\";") << none;
    QTest::newRow("property list that is an array") << QByteArray("<plist><array/></plist>") << none;
    QTest::newRow("bad hex escape") << QByteArray("k = \"\\Uzz00\";") << none;
}

void BundleInfoTest::stringsTables()
{
    QFETCH(QByteArray, bytes);
    QFETCH(std::optional<QVariantMap>, table);
    QCOMPARE(StringsFile::parse(bytes), table);
}

void BundleInfoTest::localizationChoice_data()
{
    QTest::addColumn<QStringList>("available");
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("region");
    QTest::addColumn<QString>("chosen");

    QTest::newRow("first preferred language served") << QStringList{"en", "ja", "vi"} << QStringList{"vi-VN", "en"}
                                                     << "en" << "vi";
    QTest::newRow("second preferred language") << QStringList{"en", "ja"} << QStringList{"ko-KR", "ja-JP"} << "en"
                                               << "ja";
    QTest::newRow("old English folder names") << QStringList{"English", "French"} << QStringList{"en-US"} << ""
                                              << "English";
    QTest::newRow("script kept before the region is dropped")
        << QStringList{"zh-Hans", "zh-Hant"} << QStringList{"zh-Hant-TW"} << "" << "zh-Hant";
    QTest::newRow("underscore and letter case") << QStringList{"pt", "pt_BR"} << QStringList{"PT-br"} << ""
                                                << "pt_BR";
    QTest::newRow("development region") << QStringList{"de", "fr"} << QStringList{"ko"} << "fr" << "fr";
    QTest::newRow("nothing fits") << QStringList{"de"} << QStringList{"C"} << "en" << "";
}

void BundleInfoTest::localizationChoice()
{
    QFETCH(QStringList, available);
    QFETCH(QStringList, preferred);
    QFETCH(QString, region);
    QFETCH(QString, chosen);
    QCOMPARE(BundleInfo::preferredLocalization(available, preferred, region), chosen);
}

void BundleInfoTest::localizedValuesOverride()
{
    QTemporaryDir folder;
    const QString bundle = folder.filePath(QStringLiteral("Sheets.app"));
    QVERIFY(writeFile(bundle + QStringLiteral("/Contents/Info.plist"),
                      PlistBytes::binary({{"CFBundleIdentifier", "vn.example.sheets"},
                                          {"CFBundleName", "Sheets"},
                                          {"CFBundleDisplayName", "Sheets"},
                                          {"CFBundleDevelopmentRegion", "en"},
                                          {"NSHumanReadableCopyright", "© Example"}})));
    QVERIFY(writeFile(bundle + QStringLiteral("/Contents/Resources/vi.lproj/InfoPlist.strings"),
                      QStringLiteral("CFBundleDisplayName = \"Bảng tính\";\nCFBundleIdentifier = \"x\";").toUtf8()));
    QVERIFY(writeFile(bundle + QStringLiteral("/Contents/Resources/en.lproj/InfoPlist.strings"), "\"unused\";"));

    const std::optional<BundleInfo> vietnamese = BundleInfo::read(bundle, {QStringLiteral("vi-VN")});
    QVERIFY(vietnamese);
    QCOMPARE(vietnamese->localization(), QStringLiteral("vi"));
    QCOMPARE(vietnamese->string(QStringLiteral("CFBundleDisplayName")), QStringLiteral("Bảng tính"));
    QCOMPARE(vietnamese->rawString(QStringLiteral("CFBundleDisplayName")), QStringLiteral("Sheets"));
    QCOMPARE(vietnamese->string(QStringLiteral("NSHumanReadableCopyright")), QStringLiteral("© Example"));
    // The identifier is never localised.
    QCOMPARE(vietnamese->identifier(), QStringLiteral("vn.example.sheets"));

    const std::optional<BundleInfo> korean = BundleInfo::read(bundle, {QStringLiteral("ko")});
    QVERIFY(korean);
    QCOMPARE(korean->localization(), QStringLiteral("en")); // the development region
    QCOMPARE(korean->string(QStringLiteral("CFBundleDisplayName")), QStringLiteral("Sheets"));

    // A flat bundle keeps Info.plist at its top.
    const QString flat = folder.filePath(QStringLiteral("Flat.app"));
    QVERIFY(writeFile(flat + QStringLiteral("/Info.plist"), PlistBytes::xml({{"CFBundleIdentifier", "vn.flat"}})));
    QCOMPARE(BundleInfo::read(flat, {})->identifier(), QStringLiteral("vn.flat"));
}

void BundleInfoTest::bundlesThatCannotBeRead()
{
    QTemporaryDir folder;
    QVERIFY(writeFile(folder.filePath(QStringLiteral("File.app")), "not a folder"));
    QVERIFY(!BundleInfo::read(folder.filePath(QStringLiteral("File.app"))));
    QVERIFY(!BundleInfo::read(folder.filePath(QStringLiteral("Missing.app"))));

    // A folder with a broken information list reads as one without values.
    const QString broken = folder.filePath(QStringLiteral("Broken.app"));
    QVERIFY(writeFile(broken + QStringLiteral("/Contents/Info.plist"), "bplist00\xFF\xFF"));
    const std::optional<BundleInfo> info = BundleInfo::read(broken);
    QVERIFY(info);
    QVERIFY(!info->identifier());
    QVERIFY(!info->value(QStringLiteral("CFBundleName")).isValid());
}

void BundleInfoTest::oversizedFilesAreNotRead_data()
{
    QTest::addColumn<qint64>("infoSize");
    QTest::addColumn<qint64>("tableSize");
    QTest::addColumn<bool>("infoRead");
    QTest::addColumn<bool>("tableRead");
    const qint64 infoCap = MappedFile::maximumSize;
    const qint64 tableCap = StringsFile::maximumSize;
    QTest::newRow("both at their cap") << infoCap << tableCap << true << true;
    QTest::newRow("information list over the cap") << infoCap + 1 << tableCap << false << true;
    QTest::newRow("strings table over its cap") << infoCap << tableCap + 1 << true << false;
}

void BundleInfoTest::oversizedFilesAreNotRead()
{
    QFETCH(qint64, infoSize);
    QFETCH(qint64, tableSize);
    QFETCH(bool, infoRead);
    QFETCH(bool, tableRead);

    // Sparse files that are valid lists whatever their size.
    QTemporaryDir folder;
    const QString bundle = folder.filePath(QStringLiteral("Huge.app"));
    QVERIFY(QDir().mkpath(bundle + QStringLiteral("/Contents/Resources/vi.lproj")));
    QVERIFY(PlistBytes::writeSparseBinary(bundle + QStringLiteral("/Contents/Info.plist"),
                                          {{"CFBundleIdentifier", "vn.example.huge"}, {"CFBundleName", "Huge"}},
                                          infoSize));
    QVERIFY(PlistBytes::writeSparseBinary(bundle + QStringLiteral("/Contents/Resources/vi.lproj/InfoPlist.strings"),
                                          {{"CFBundleName", "Lớn"}}, tableSize));

    const std::optional<BundleInfo> info = BundleInfo::read(bundle, {QStringLiteral("vi")});
    QVERIFY(info);
    QCOMPARE(info->identifier(), infoRead ? std::optional(QStringLiteral("vn.example.huge")) : std::nullopt);
    QCOMPARE(info->string(QStringLiteral("CFBundleName")),
             tableRead ? std::optional(QStringLiteral("Lớn"))
                       : infoRead ? std::optional(QStringLiteral("Huge")) : std::nullopt);
}

QTEST_GUILESS_MAIN(BundleInfoTest)
#include "tst_bundle_info.moc"
