#include "CatalogEntry.h"
#include "catalog/Catalog.h"

#include <QJsonDocument>
#include <QThread>
#include <QUrl>
#include <QtTest>

#include <limits>

namespace {

QList<QJsonObject> rowsFrom(const char* json)
{
    QList<QJsonObject> rows;
    const QJsonArray array = QJsonDocument::fromJson(QByteArray(json)).array();
    for (const QJsonValue& value : array)
        rows.append(value.toObject());
    return rows;
}

QStringList idsOf(const QList<AppItem>& items)
{
    QStringList ids;
    for (const AppItem& item : items)
        ids.append(item.id);
    return ids;
}

} // namespace

class CatalogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void structure();
    void kindSpecificData();
    void directEntries();
    void exactTexts();
    void groups();
    void builtOnceAcrossThreads();
    void overlay_data();
    void overlay();
    void overlayClampsHugeOrders();
    void overlayKeepsRepeatedIds();
    void policies_data();
    void policies();
    void deduplication();
};

void CatalogTest::structure()
{
    const QList<AppItem>& items = Catalog::items();
    QCOMPARE(items.size(), 28);
    const QStringList ids = idsOf(items);
    QCOMPARE(QSet<QString>(ids.begin(), ids.end()).size(), 28);
    QCOMPARE(ids.first(), QStringLiteral("libreoffice"));
    QCOMPARE(ids.last(), QStringLiteral("rclone"));

    QMap<QString, int> groupCounts;
    QMap<QString, int> kindCounts;
    QStringList extraGrouped;
    for (const AppItem& item : items) {
        ++groupCounts[item.group];
        ++kindCounts[EnumText::toString(item.kind)];
        if (!item.extraGroups.isEmpty())
            extraGrouped << item.id + "->" + item.extraGroups.join(",");
    }
    QCOMPARE(groupCounts, (QMap<QString, int>{{"devivu", 9}, {"microsoft", 3}, {"printer", 2}, {"meeting", 5}, {"media", 9}}));
    QCOMPARE(kindCounts, (QMap<QString, int>{{"cask", 11}, {"builtin", 4}, {"shortcut", 4}, {"direct", 3},
                                              {"formula", 2}, {"blocked", 2}, {"bundle", 1}, {"mime", 1}}));
    QCOMPARE(extraGrouped, (QStringList{"pdfarranger->printer", "xournalpp->printer"}));
    QCOMPARE(Catalog::standardGroups(), (QSet<QString>{"devivu", "microsoft", "printer"}));

    QStringList withMinimum;
    for (const AppItem& item : items)
        if (item.minimumMacOSMajor)
            withMinimum << item.id + "=" + QString::number(*item.minimumMacOSMajor);
    QCOMPARE(withMinimum, QStringList{"remmina=14"});
}

void CatalogTest::kindSpecificData()
{
    QStringList prefixed;
    QStringList builtinReady;
    for (const AppItem& item : Catalog::items()) {
        QCOMPARE(item.shortcut.has_value(), item.kind == AppKind::shortcut);
        QCOMPARE(item.directInstaller.has_value(), item.kind == AppKind::direct);
        for (const QString& package : item.packages)
            if (package.startsWith("formula:") || package.startsWith("cask:")) {
                prefixed << item.id;
                break;
            }
        if (item.builtinReady)
            builtinReady << item.id;
        if (item.kind == AppKind::shortcut) {
            QVERIFY(item.shortcut->fileName.endsWith(".webloc"));
            QCOMPARE(QUrl(item.shortcut->url).scheme(), QStringLiteral("https"));
        }
    }
    QCOMPARE(prefixed, QStringList{"archive-tools"});
    QCOMPARE(builtinReady, (QStringList{"ibus-unikey", "flameshot", "printer-drivers", "gnome-disks"}));
    for (const char* id : {"ibus-unikey", "flameshot", "printer-drivers"}) {
        QVERIFY(catalogEntry(id).appPaths.isEmpty());
        QVERIFY(catalogEntry(id).commands.isEmpty());
    }
    QCOMPARE(catalogEntry("archive-tools").packages, (QStringList{"formula:p7zip", "cask:keka"}));
    QCOMPARE(catalogEntry("archive-tools").commands, (QStringList{"zip", "unzip", "7z"}));
    QCOMPARE(catalogEntry("thunderbird").appPaths,
             (QStringList{"/Applications/Thunderbird.app", "~/Applications/Thunderbird.app"}));
    QCOMPARE(catalogEntry("devivu-fonts").packages.size(), 8);
    QCOMPARE(catalogEntry("microsoft-365").shortcut->fileName, QStringLiteral("Microsoft 365.webloc"));
}

void CatalogTest::directEntries()
{
    const QMap<QString, QString> teams{{"thunderbird", "43AQ936H96"}, {"telegram", "C67CF9S4VU"}, {"slack", "BQR82RBBHL"}};
    for (const AppItem& item : Catalog::items()) {
        if (item.kind != AppKind::direct)
            continue;
        const DirectInstallerSpec& installer = *item.directInstaller;
        const QUrl url(installer.url, QUrl::StrictMode);
        QVERIFY2(url.isValid(), qPrintable(installer.url));
        QCOMPARE(url.scheme(), QStringLiteral("https"));
        QVERIFY2(installer.allowedDownloadHosts.contains(url.host()), qPrintable(item.id));
        QCOMPARE(installer.allowedDownloadHosts.size(), 2);
        for (const QString& host : installer.allowedDownloadHosts)
            QCOMPARE(host, host.toLower());
        QCOMPARE(installer.expectedTeamID.size(), 10);
        QCOMPARE(installer.expectedTeamID, teams.value(item.id));
        QCOMPARE(installer.installerType, DirectInstallerSpec::InstallerType::dmg);
        QVERIFY(!installer.expectedBundleID.contains('"'));
    }
    QCOMPARE(QUrl(catalogEntry("thunderbird").directInstaller->url).query(),
             QStringLiteral("product=thunderbird-latest-ssl&os=osx&lang=en-US"));
    QCOMPARE(QUrl(catalogEntry("telegram").directInstaller->url).path(), QStringLiteral("/dl/desktop/mac"));
    QCOMPARE(QUrl(catalogEntry("slack").directInstaller->url).path(), QStringLiteral("/ssb/download-osx-universal"));
    QCOMPARE(catalogEntry("slack").directInstaller->expectedBundleID, QStringLiteral("com.tinyspeck.slackmacgap"));
}

void CatalogTest::exactTexts()
{
    QCOMPARE(catalogEntry("libreoffice").replacementNote,
             QStringLiteral("Map `libreoffice`, `libreoffice-l10n-vi`, `hunspell-vi` sang LibreDevivu cask, language "
                            "pack `vi` và extension Vietnamese dictionaries của LibreDevivu."));
    QCOMPARE(catalogEntry("deja-dup").macName, QStringLiteral("Backup tool (không hỗ trợ)"));
    QCOMPARE(catalogEntry("rclone").macName, QStringLiteral("rclone (không hỗ trợ)"));
    QCOMPARE(catalogEntry("archive-tools").linuxName, QStringLiteral("Công cụ nén/giải nén"));
    QCOMPARE(catalogEntry("printer-drivers").macName, QStringLiteral("Printers & Scanners"));
    QCOMPARE(catalogEntry("remmina").description, QStringLiteral("Remote desktop/RDP client cho macOS 14 trở lên."));
    QCOMPARE(catalogEntry("ibus-unikey").replacementNote,
             QStringLiteral("OpenKey đã bị Homebrew deprecate; dùng Vietnamese input source tích hợp của macOS để "
                            "tránh phụ thuộc cask sắp bị vô hiệu hóa."));
    // Stored as NFC.
    for (const AppItem& item : Catalog::items()) {
        QCOMPARE(item.description, item.description.normalized(QString::NormalizationForm_C));
        QCOMPARE(item.replacementNote, item.replacementNote.normalized(QString::NormalizationForm_C));
        QCOMPARE(item.linuxName, item.linuxName.normalized(QString::NormalizationForm_C));
    }
}

void CatalogTest::groups()
{
    const QList<CatalogGroup>& groups = Catalog::groups();
    QCOMPARE(groups.size(), 6);
    QCOMPARE(groups[0], (CatalogGroup{"all", "Tất cả", "square.grid.2x2"}));
    QCOMPARE(groups[4], (CatalogGroup{"meeting", "Meeting & Chat", "bubble.left.and.bubble.right"}));
    QStringList ids;
    for (const CatalogGroup& group : groups)
        ids << group.id;
    QCOMPARE(ids, (QStringList{"all", "devivu", "microsoft", "printer", "meeting", "media"}));
}

void CatalogTest::builtOnceAcrossThreads()
{
    QList<const QList<AppItem>*> seen(8, nullptr);
    QList<QThread*> threads;
    for (int i = 0; i < seen.size(); ++i)
        threads << QThread::create([&seen, i] { seen[i] = &Catalog::items(); });
    for (QThread* thread : threads)
        thread->start();
    for (QThread* thread : threads) {
        thread->wait();
        delete thread;
    }
    for (const auto* pointer : seen)
        QCOMPARE(pointer, &Catalog::items());
}

void CatalogTest::overlay_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("head"); // expected leading ids
    QTest::addColumn<QStringList>("gone"); // ids that must be absent

    QTest::newRow("no rows") << QByteArray("[]") << QStringList{"libreoffice", "ibus-unikey"} << QStringList{};
    QTest::newRow("inactive") << QByteArray(R"([{"item_id":"vlc","is_active":false}])")
                              << QStringList{"libreoffice"} << QStringList{"vlc"};
    QTest::newRow("inactive as 0") << QByteArray(R"([{"item_id":"vlc","is_active":0}])")
                                   << QStringList{"libreoffice"} << QStringList{"vlc"};
    QTest::newRow("is_active 2 is not a boolean") << QByteArray(R"([{"item_id":"vlc","is_active":2,"sort_order":0}])")
                                                  << QStringList{"vlc", "libreoffice"} << QStringList{};
    QTest::newRow("orders") << QByteArray(R"([{"item_id":"gimp","sort_order":2},{"item_id":"vlc","sort_order":1}])")
                            << QStringList{"vlc", "gimp", "libreoffice", "ibus-unikey"} << QStringList{};
    QTest::newRow("later row drops order")
        << QByteArray(R"([{"item_id":"vlc","sort_order":5},{"item_id":"vlc","is_active":true}])")
        << QStringList{"libreoffice"} << QStringList{};
    QTest::newRow("string order ignored") << QByteArray(R"([{"item_id":"vlc","sort_order":"3"}])")
                                          << QStringList{"libreoffice"} << QStringList{};
    QTest::newRow("fraction truncated") << QByteArray(R"([{"item_id":"vlc","sort_order":2.9},{"item_id":"gimp","sort_order":2.1},{"item_id":"slack","sort_order":3}])")
                                        << QStringList{"vlc", "gimp", "slack", "libreoffice"} << QStringList{};
    QTest::newRow("negative before positive") << QByteArray(R"([{"item_id":"vlc","sort_order":1},{"item_id":"gimp","sort_order":-4}])")
                                              << QStringList{"gimp", "vlc", "libreoffice"} << QStringList{};
    QTest::newRow("boolean order counts as 1") << QByteArray(R"([{"item_id":"vlc","sort_order":true},{"item_id":"gimp","sort_order":2}])")
                                               << QStringList{"vlc", "gimp"} << QStringList{};
    QTest::newRow("unknown id and numeric id") << QByteArray(R"([{"item_id":"nope","is_active":false},{"item_id":7,"is_active":false},{}])")
                                               << QStringList{"libreoffice"} << QStringList{};
    QTest::newRow("equal orders keep catalog order")
        << QByteArray(R"([{"item_id":"vlc","sort_order":1},{"item_id":"thunderbird","sort_order":1}])")
        << QStringList{"thunderbird", "vlc", "libreoffice"} << QStringList{};
}

void CatalogTest::overlay()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, head);
    QFETCH(QStringList, gone);

    const QList<AppItem> result = Catalog::applyingCloudOverlay(rowsFrom(rows.constData()), Catalog::items());
    const QStringList ids = idsOf(result);
    QCOMPARE(ids.mid(0, head.size()), head);
    QCOMPARE(ids.size(), 28 - gone.size());
    for (const QString& id : gone)
        QVERIFY(!ids.contains(id));

    // Entries without an order keep their relative catalog order.
    QStringList rest;
    for (const QString& id : idsOf(Catalog::items()))
        if (ids.contains(id) && !head.contains(id))
            rest << id;
    QCOMPARE(ids.mid(ids.size() - rest.size()), rest);
}

void CatalogTest::overlayClampsHugeOrders()
{
    const auto rows = rowsFrom(R"([{"item_id":"vlc","sort_order":1e300},{"item_id":"gimp","sort_order":-1e300},)"
                               R"({"item_id":"slack","sort_order":9.3e18},{"item_id":"telegram","sort_order":0}])");
    const QStringList ids = idsOf(Catalog::applyingCloudOverlay(rows, Catalog::items()));
    // -1e300 clamps to the lowest order, 9.3e18 and 1e300 both clamp to the highest (catalog order then).
    QCOMPARE(ids.mid(0, 4), (QStringList{"gimp", "telegram", "slack", "vlc"}));
    QCOMPARE(ids.size(), 28);
}

void CatalogTest::overlayKeepsRepeatedIds()
{
    QList<AppItem> items = Catalog::items().mid(0, 3);
    items.append(items[0]);
    const auto result = Catalog::applyingCloudOverlay(rowsFrom(R"([{"item_id":"devivu-fonts","sort_order":1}])"), items);
    QCOMPARE(idsOf(result), (QStringList{"devivu-fonts", "libreoffice", "ibus-unikey", "libreoffice"}));
    const auto hidden = Catalog::applyingCloudOverlay(rowsFrom(R"([{"item_id":"libreoffice","is_active":false}])"), items);
    QCOMPARE(idsOf(hidden), (QStringList{"ibus-unikey", "devivu-fonts"}));
}

void CatalogTest::policies_data()
{
    QTest::addColumn<QByteArray>("rows");
    QTest::addColumn<QStringList>("kept"); // empty means "all 28"
    QTest::addColumn<int>("count");

    QTest::newRow("no rows") << QByteArray("[]") << QStringList{} << 28;
    QTest::newRow("two disabled rows")
        << QByteArray(R"([{"policy":{"disabled_item_ids":["vlc"]}},{"policy":{"disabled_item_ids":["gimp"]}}])")
        << QStringList{} << 26;
    QTest::newRow("allow-lists intersect")
        << QByteArray(R"([{"policy":{"allowed_item_ids":["vlc","gimp"]}},{"policy":{"allowed_item_ids":["gimp","inkscape"]}}])")
        << QStringList{"gimp"} << 1;
    QTest::newRow("empty allow-list") << QByteArray(R"([{"policy":{"allowed_item_ids":[]}}])") << QStringList{} << 0;
    QTest::newRow("allowed and disabled")
        << QByteArray(R"([{"policy":{"allowed_item_ids":["vlc","gimp"],"disabled_item_ids":["vlc"]}}])")
        << QStringList{"gimp"} << 1;
    QTest::newRow("non-string element ignores the array")
        << QByteArray(R"([{"policy":{"disabled_item_ids":["vlc",3],"allowed_item_ids":["gimp",null]}}])")
        << QStringList{} << 28;
    QTest::newRow("policy not an object")
        << QByteArray(R"([{"policy":["vlc"]},{"disabled_item_ids":["vlc"]},{}])") << QStringList{} << 28;
    QTest::newRow("allowed keeps catalog order")
        << QByteArray(R"([{"policy":{"allowed_item_ids":["vlc","libreoffice","vlc"]}}])")
        << QStringList{"libreoffice", "vlc"} << 2;
}

void CatalogTest::policies()
{
    QFETCH(QByteArray, rows);
    QFETCH(QStringList, kept);
    QFETCH(int, count);
    const QStringList ids = idsOf(Catalog::applyingBusinessPolicies(rowsFrom(rows.constData()), Catalog::items()));
    QCOMPARE(ids.size(), count);
    if (!kept.isEmpty())
        QCOMPARE(ids, kept);
    if (count == 28)
        QCOMPARE(ids, idsOf(Catalog::items()));
}

void CatalogTest::deduplication()
{
    const QStringList all = idsOf(Catalog::items());
    QStringList expected = all;
    expected.removeAll("xournalpp");
    QCOMPARE(idsOf(Catalog::uniqueInstallItems(Catalog::items())), expected);

    // Packages are joined with NUL, so ["a","b"] and ["a\0b"]-style tokens stay apart from ["ab"].
    AppItem one;
    one.id = "one";
    one.kind = AppKind::formula;
    one.packages = {"a", "b"};
    AppItem two = one;
    two.id = "two";
    two.packages = {"ab"};
    AppItem three = one;
    three.id = "three";
    QCOMPARE(idsOf(Catalog::uniqueInstallItems({one, two, three})), (QStringList{"one", "two"}));
    QCOMPARE(Catalog::installKey(one), QStringLiteral("formula:a") + QChar(u'\0') + QStringLiteral("b"));

    AppItem shortcutA;
    shortcutA.id = "a";
    shortcutA.kind = AppKind::shortcut;
    shortcutA.shortcut = ShortcutSpec{"Same.webloc", "A", "https://a.example/"};
    AppItem shortcutB = shortcutA;
    shortcutB.id = "b";
    shortcutB.shortcut = ShortcutSpec{"Same.webloc", "B", "https://b.example/"};
    QCOMPARE(idsOf(Catalog::uniqueInstallItems({shortcutA, shortcutB})), QStringList{"a"});
}

QTEST_GUILESS_MAIN(CatalogTest)
#include "tst_catalog.moc"
