#include "CloudTestClient.h"
#include "CloudTestFolders.h"

#include "catalog/Catalog.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QtTest>

using Response = LoopbackHttpsServer::Response;

// The catalog sync against the loopback server, its cache file and the two
// cache readers.
namespace {

const QString anonKey = QStringLiteral("anon-key-catalog-7d1e");
const QString tablePath = QStringLiteral("/rest/v1/app_catalog");
const QByteArray previousCache = "{\n    \"items\": [],\n    \"synced_at\": \"2024-05-01T08:00:00.000Z\"\n}\n";

QList<QJsonObject> objects(const QByteArray& jsonArray)
{
    QList<QJsonObject> rows;
    for (const QJsonValue row : QJsonDocument::fromJson(jsonArray).array())
        rows.append(row.toObject());
    return rows;
}

} // namespace

class CatalogSyncTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void syncWritesTheCache_data();
    void syncWritesTheCache();
    void refusedAnswersKeepTheCache_data();
    void refusedAnswersKeepTheCache();
    void transportFailureKeepsTheCache();
    void readers_data();
    void readers();

private:
    std::unique_ptr<LoopbackHttpsServer> m_server;
    std::unique_ptr<CloudTestFolders> m_folders;
};

void CatalogSyncTest::init()
{
    m_server = std::make_unique<LoopbackHttpsServer>();
    m_folders = std::make_unique<CloudTestFolders>();
}

void CatalogSyncTest::cleanup()
{
    m_server.reset();
    m_folders.reset();
}

void CatalogSyncTest::syncWritesTheCache_data()
{
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("firstIds"); // of the overlaid catalog

    QTest::newRow("empty") << QByteArray("[]") << "Đã đồng bộ 0 app từ Supabase." << QStringList();
    QTest::newRow("hide and reorder")
        << QByteArray(R"([{"sort_order": 2, "item_id": "gimp", "is_active": true, "packages": ["gimp"],
                           "updated_at": "2024-06-01T10:00:00Z"},
                          {"item_id": "vlc", "is_active": false, "sort_order": null, "name": "VLC"},
                          {"item_id": "inkscape", "sort_order": 1, "description": "Vẽ vector"}])")
        << "Đã đồng bộ 3 app từ Supabase." << QStringList{"inkscape", "gimp"};
}

void CatalogSyncTest::syncWritesTheCache()
{
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, firstIds);
    m_server->respond(tablePath, Response::json(200, answer));

    const QDateTime before = QDateTime::currentDateTimeUtc();
    QCOMPARE(makeTestClient(*m_server, anonKey)->syncCatalog(), (CloudResult{true, message}));
    const QDateTime after = QDateTime::currentDateTimeUtc();

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("GET"));
    QCOMPARE(requests.first().path, tablePath);
    const QList<QPair<QString, QString>> query{
        {"select", "item_id,name,group_key,kind,packages,description,is_active,sort_order,updated_at"},
        {"order", "sort_order.asc"},
    };
    QCOMPARE(requests.first().query, query);
    QVERIFY(requests.first().body.isEmpty());

    // Pretty-printed, keys sorted at every level, the rows as answered.
    const QByteArray text = CloudTestFolders::read(SupabaseClient::cacheFilePath("supabase-catalog.json"));
    const QJsonObject cache = QJsonDocument::fromJson(text).object();
    QCOMPARE(cache.keys(), (QStringList{"items", "synced_at"}));
    QVERIFY(text.indexOf("\"items\"") < text.indexOf("\"synced_at\""));
    QVERIFY(text.count('\n') > 3);
    QCOMPARE(cache.value("items").toArray(), QJsonDocument::fromJson(answer).array());
    if (!firstIds.isEmpty())
        QVERIFY(text.indexOf("\"item_id\": \"gimp\"") < text.indexOf("\"sort_order\": 2"));
    const QString syncedAt = cache.value("synced_at").toString();
    QVERIFY2(QRegularExpression(R"(^\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}Z$)").match(syncedAt).hasMatch(),
             qPrintable(syncedAt));
    const QDateTime stamp = QDateTime::fromString(syncedAt, Qt::ISODateWithMs);
    QVERIFY(before <= stamp && stamp <= after);

    // What the window's catalog is built from at the next start.
    QCOMPARE(SupabaseClient::cachedCatalogRows(), objects(answer));
    const QList<AppItem> overlaid = Catalog::applyingCloudOverlay(SupabaseClient::cachedCatalogRows(), Catalog::items());
    for (qsizetype i = 0; i < firstIds.size(); ++i)
        QCOMPARE(overlaid.at(i).id, firstIds.at(i));
    QCOMPARE(std::any_of(overlaid.begin(), overlaid.end(), [](const AppItem& item) { return item.id == "vlc"; }),
             firstIds.isEmpty());
}

void CatalogSyncTest::refusedAnswersKeepTheCache_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    const QString shape = "Catalog trả về không đúng định dạng.";
    QTest::newRow("object") << Response::json(200, R"({"items": []})") << shape;
    QTest::newRow("a number among objects") << Response::json(200, R"([{"item_id": "vlc"}, 1])") << shape;
    QTest::newRow("plain text") << Response::text(200, "ok") << shape;
    QTest::newRow("204 without body") << Response::text(204, {}, {}) << shape;
    QTest::newRow("PostgREST error")
        << Response::json(404, R"({"error": "relation_missing", "detail": "app_catalog"})")
        << "Không đồng bộ được catalog: relation_missing Chi tiết: app_catalog";
    QTest::newRow("server secrets") << Response::json(401, R"({"error": "server_not_configured"})")
                                    << "Không đồng bộ được catalog: Supabase function chưa cấu hình server secrets.";
    QTest::newRow("500 without body") << Response::text(500, {}, {}) << "Không đồng bộ được catalog: unknown_error";
    QTest::newRow("502 not text") << Response::text(502, "\xff\xfe", "text/html")
                                  << "Không đồng bộ được catalog: HTTP 502";
    QTest::newRow("redirect not followed") << Response::redirect(307, "https://localhost/rest/v1/app_catalog")
                                           << "Không đồng bộ được catalog: unknown_error";
}

void CatalogSyncTest::refusedAnswersKeepTheCache()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    const QString cacheFile = SupabaseClient::cacheFilePath("supabase-catalog.json");
    CloudTestFolders::write(cacheFile, previousCache);
    m_server->respond(tablePath, response);

    QCOMPARE(makeTestClient(*m_server, anonKey)->syncCatalog(), (CloudResult{false, message}));
    QCOMPARE(m_server->requests().size(), 1);
    QCOMPARE(CloudTestFolders::read(cacheFile), previousCache);
    QCOMPARE(CloudTestFolders::entries(m_folders->cache()), QStringList{"supabase-catalog.json"});
}

void CatalogSyncTest::transportFailureKeepsTheCache()
{
    const QString cacheFile = SupabaseClient::cacheFilePath("supabase-catalog.json");
    CloudTestFolders::write(cacheFile, previousCache);
    const auto client = makeTestClient(*m_server, anonKey);
    m_server->stop();

    const CloudResult result = client->syncCatalog();
    QVERIFY(!result.ok);
    const QString prefix = "Không đồng bộ được catalog: ";
    QVERIFY2(result.message.startsWith(prefix) && result.message.size() > prefix.size(), qPrintable(result.message));
    QCOMPARE(CloudTestFolders::read(cacheFile), previousCache);
}

void CatalogSyncTest::readers_data()
{
    QTest::addColumn<QString>("fileName");
    QTest::addColumn<QByteArray>("content"); // empty: no file
    QTest::addColumn<QByteArray>("rows");

    const QString catalog = "supabase-catalog.json";
    const QString business = "business-policy.json";
    QTest::newRow("catalog: no file") << catalog << QByteArray() << QByteArray("[]");
    QTest::newRow("catalog: plain text") << catalog << QByteArray("items") << QByteArray("[]");
    QTest::newRow("catalog: top-level array") << catalog << QByteArray(R"([{"item_id": "vlc"}])") << QByteArray("[]");
    QTest::newRow("catalog: items an object") << catalog << QByteArray(R"({"items": {"item_id": "vlc"}})")
                                              << QByteArray("[]");
    QTest::newRow("catalog: a string among rows")
        << catalog << QByteArray(R"({"items": [{"item_id": "vlc"}, "gimp"]})") << QByteArray("[]");
    QTest::newRow("catalog: policies are not items")
        << catalog << QByteArray(R"({"policies": [{"policy": {}}]})") << QByteArray("[]");
    QTest::newRow("catalog: rows") << catalog
                                   << QByteArray(R"({"items": [{"item_id": "vlc", "is_active": false}, {}],
                                                     "synced_at": "2024-05-01T08:00:00.000Z"})")
                                   << QByteArray(R"([{"item_id": "vlc", "is_active": false}, {}])");
    QTest::newRow("business: no policies") << business << QByteArray(R"({"organization": {"name": "Tavrin"}})")
                                           << QByteArray("[]");
    QTest::newRow("business: policies null") << business << QByteArray(R"({"policies": null})") << QByteArray("[]");
    QTest::newRow("business: rows")
        << business << QByteArray(R"({"policies": [{"policy": {"disabled_item_ids": ["vlc"]}}], "extra": 1})")
        << QByteArray(R"([{"policy": {"disabled_item_ids": ["vlc"]}}])");
}

void CatalogSyncTest::readers()
{
    QFETCH(QString, fileName);
    QFETCH(QByteArray, content);
    QFETCH(QByteArray, rows);
    if (!content.isEmpty())
        CloudTestFolders::write(m_folders->cache() + "/" + fileName, content);

    const QList<QJsonObject> read = fileName == "supabase-catalog.json" ? SupabaseClient::cachedCatalogRows()
                                                                         : SupabaseClient::cachedBusinessPolicyRows();
    QCOMPARE(read, objects(rows));
    // The other reader never reads this file.
    const QList<QJsonObject> other = fileName == "supabase-catalog.json" ? SupabaseClient::cachedBusinessPolicyRows()
                                                                          : SupabaseClient::cachedCatalogRows();
    QVERIFY(other.isEmpty());
}

QTEST_GUILESS_MAIN(CatalogSyncTest)
#include "tst_catalog_sync.moc"
