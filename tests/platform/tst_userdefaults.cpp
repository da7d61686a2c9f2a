#include "platform/UserDefaults.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What a later run reads: the file copied to a path no store has opened yet,
// so nothing is served from memory.
UserDefaults reopened(const UserDefaults& defaults, const QTemporaryDir& dir, const QString& name)
{
    const QString copy = dir.filePath(name);
    if (!QFile::copy(defaults.location(), copy))
        qFatal("cannot copy %s", qPrintable(defaults.location()));
    return UserDefaults(copy);
}

} // namespace

class UserDefaultsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void textAndDataKeepTheirTypes_data();
    void textAndDataKeepTheirTypes();
    void removeAndOverwrite();
    void unwritableStoreReportsFailure();
};

void UserDefaultsTest::textAndDataKeepTheirTypes_data()
{
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<bool>("isText");
    QTest::newRow("code") << QVariant(QString("vi")) << true;
    QTest::newRow("empty text") << QVariant(QString("")) << true;
    QTest::newRow("awkward text") << QVariant(QString(" Tiếng Việt = \"x\"; [a]\n\\ @ByteArray(x) ")) << true;
    QTest::newRow("looks like a list") << QVariant(QString("a, b")) << true;
    QTest::newRow("json data") << QVariant(QByteArray(R"({"inspectorName":"Lan","notes":"a\nb"})")) << false;
    QTest::newRow("binary data") << QVariant(QByteArray("\0\xff\x01=\n@", 6)) << false;
    QTest::newRow("empty data") << QVariant(QByteArray()) << false;
}

void UserDefaultsTest::textAndDataKeepTheirTypes()
{
    QFETCH(QVariant, value);
    QFETCH(bool, isText);
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("defaults.ini"));
    QVERIFY(!defaults.contains("tavrin.key"));
    QVERIFY(!defaults.string("tavrin.key") && !defaults.data("tavrin.key"));
    QVERIFY(isText ? defaults.setString("tavrin.key", value.toString())
                   : defaults.setData("tavrin.key", value.toByteArray()));

    const auto check = [&](const UserDefaults& store) {
        QVERIFY(store.contains("tavrin.key"));
        if (isText) {
            QCOMPARE(store.string("tavrin.key"), std::optional<QString>(value.toString()));
            QVERIFY(!store.data("tavrin.key"));
        } else {
            QCOMPARE(store.data("tavrin.key"), std::optional<QByteArray>(value.toByteArray()));
            QVERIFY(!store.string("tavrin.key"));
        }
    };
    check(defaults);
    check(reopened(defaults, dir, "later.ini"));
}

void UserDefaultsTest::removeAndOverwrite()
{
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("defaults.ini"));
    QVERIFY(defaults.setString("tavrin.uiLanguage", "ja"));
    QVERIFY(defaults.setData("tavrin.mac.report-profile", "{}"));
    QVERIFY(defaults.setData("tavrin.uiLanguage", "ko"));
    QVERIFY(!defaults.string("tavrin.uiLanguage"));
    QVERIFY(defaults.remove("tavrin.uiLanguage"));
    QVERIFY(defaults.remove("tavrin.never-set"));

    const UserDefaults later = reopened(defaults, dir, "later.ini");
    QVERIFY(!later.contains("tavrin.uiLanguage"));
    QVERIFY(!later.value("tavrin.uiLanguage").isValid());
    QCOMPARE(later.data("tavrin.mac.report-profile"), std::optional<QByteArray>("{}"));
}

void UserDefaultsTest::unwritableStoreReportsFailure()
{
    QTemporaryDir dir;
    QFile plain(dir.filePath("plain"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    UserDefaults defaults(dir.filePath("plain/defaults.ini"));
    QVERIFY(!defaults.setString("tavrin.uiLanguage", "vi"));
    QVERIFY(!QFile::exists(dir.filePath("plain/defaults.ini")));
}

QTEST_GUILESS_MAIN(UserDefaultsTest)
#include "tst_userdefaults.moc"
