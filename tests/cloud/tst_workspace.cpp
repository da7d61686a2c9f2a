#include "CloudTestClient.h"
#include "CloudTestFolders.h"

#include "audit/MacReportPDF.h"
#include "catalog/Catalog.h"

#include <QBuffer>
#include <QImage>
#include <QJsonArray>
#include <QtTest>

using Response = LoopbackHttpsServer::Response;

// The technician workspace (sync, branding, shared profiles) and the business
// device configuration against the loopback server, with the cache files
// they leave for the PDF report's header and the catalog's policy filter.
namespace {

const QString anonKey = QStringLiteral("anon-key-workspace-91b0");
const QString workspacePath = QStringLiteral("/functions/v1/manage-technician-workspace");
const QString businessPath = QStringLiteral("/functions/v1/business-device-config");
const QString storedID = QStringLiteral("0F8E5C2A-3B1D-4E6F-9A7B-C8D9E0F1A2B3");
const QString storedHash = QStringLiteral("78448fed61436192917f7b9c9dd6a71796eeec034202fb402e61615d701aadfe");
const QByteArray previousCache = "{\n    \"previous\": true\n}\n";
const QByteArray workspaceAnswer = R"({"workspace": {"id": "w-1", "display_name": "Tiệm Sửa Lan", "logo_data_url": null},
                                       "profiles": [{"name": "Văn phòng", "item_ids": ["word"]}, {"name": "Kế toán"}],
                                       "role": "owner"})";
const QString workspaceMessage = QStringLiteral("Đã đồng bộ Tiệm Sửa Lan: 2 profile dùng chung.");

QJsonObject object(const QByteArray& json)
{
    return QJsonDocument::fromJson(json).object();
}

// The body the client sends: the listed keys and the device credential.
QJsonObject withCredential(QJsonObject body)
{
    body.insert("device_hash", storedHash);
    return body;
}

QString workspaceFile()
{
    return SupabaseClient::cacheFilePath("technician-workspace.json");
}

QString policyFile()
{
    return SupabaseClient::cacheFilePath("business-policy.json");
}

QString pngDataURL(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(QColor(37, 99, 235));
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return "data:image/png;base64," + QString::fromLatin1(buffer.data().toBase64());
}

} // namespace

class WorkspaceTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void syncCachesTheWholeAnswer_data();
    void syncCachesTheWholeAnswer();
    void syncRefusalsKeepTheCache_data();
    void syncRefusalsKeepTheCache();
    void profileItemIDs_data();
    void profileItemIDs();
    void brandingThenSync_data();
    void brandingThenSync();
    void saveFailures_data();
    void saveFailures();
    void reportHeaderReadsTheCache_data();
    void reportHeaderReadsTheCache();
    void businessPoliciesReachTheCatalog_data();
    void businessPoliciesReachTheCatalog();
    void businessRefusalsKeepTheCache_data();
    void businessRefusalsKeepTheCache();

private:
    std::unique_ptr<LoopbackHttpsServer> m_server;
    std::unique_ptr<CloudTestFolders> m_folders;
};

void WorkspaceTest::init()
{
    m_server = std::make_unique<LoopbackHttpsServer>();
    m_folders = std::make_unique<CloudTestFolders>();
    CloudTestFolders::write(SupabaseClient::deviceIDFilePath(), (storedID + "\n").toUtf8());
}

void WorkspaceTest::cleanup()
{
    m_server.reset();
    m_folders.reset();
}

// ------------------------------------------------------------ workspace sync

void WorkspaceTest::syncCachesTheWholeAnswer_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    QTest::newRow("name and profiles") << Response::json(200, workspaceAnswer) << workspaceMessage;
    QTest::newRow("no workspace") << Response::json(200, R"({"profiles": [{}]})")
                                  << "Đã đồng bộ Tavrin workspace: 1 profile dùng chung.";
    QTest::newRow("workspace not an object") << Response::json(200, R"({"workspace": "Lan"})")
                                             << "Đã đồng bộ Tavrin workspace: 0 profile dùng chung.";
    QTest::newRow("empty name") << Response::json(200, R"({"workspace": {"display_name": ""}, "profiles": []})")
                                << "Đã đồng bộ : 0 profile dùng chung.";
    QTest::newRow("null name") << Response::json(200, R"({"workspace": {"display_name": null}})")
                               << "Đã đồng bộ Tavrin workspace: 0 profile dùng chung.";
    QTest::newRow("numeric name") << Response::json(200, R"({"workspace": {"display_name": 7}})")
                                  << "Đã đồng bộ 7: 0 profile dùng chung.";
    QTest::newRow("profiles not all objects")
        << Response::json(200, R"({"workspace": {"display_name": "Lan"}, "profiles": [{}, "x"]})")
        << "Đã đồng bộ Lan: 0 profile dùng chung.";
    QTest::newRow("empty body") << Response::text(200, {}, {}) << "Đã đồng bộ Tavrin workspace: 0 profile dùng chung.";
}

void WorkspaceTest::syncCachesTheWholeAnswer()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    CloudTestFolders::write(workspaceFile(), previousCache);
    m_server->respond(workspacePath, response);

    QCOMPARE(makeTestClient(*m_server, anonKey)->syncTechnicianWorkspace(), (CloudResult{true, message}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("POST"));
    QCOMPARE(jsonBody(requests.first()), withCredential({{"action", "get"}}));
    const QByteArray text = CloudTestFolders::read(workspaceFile());
    QCOMPARE(QJsonDocument::fromJson(text).object(), object(response.body));
    QVERIFY(text.count('\n') > 1);
    QCOMPARE(CloudTestFolders::entries(m_folders->cache()), QStringList{"technician-workspace.json"});
}

void WorkspaceTest::syncRefusalsKeepTheCache_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    const QString prefix = "Không đồng bộ được workspace: ";
    QTest::newRow("array") << Response::json(200, R"([{"display_name": "Lan"}])")
                           << prefix + R"([{"display_name":"Lan"}])";
    QTest::newRow("plain text") << Response::text(200, "ok") << prefix + "ok";
    QTest::newRow("not a member") << Response::json(403, R"({"error": "not_workspace_member"})")
                                  << prefix + "not_workspace_member";
    QTest::newRow("500 without body") << Response::text(500, {}, {}) << prefix + "unknown_error";
}

void WorkspaceTest::syncRefusalsKeepTheCache()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    CloudTestFolders::write(workspaceFile(), previousCache);
    m_server->respond(workspacePath, response);

    QCOMPARE(makeTestClient(*m_server, anonKey)->syncTechnicianWorkspace(), (CloudResult{false, message}));
    QCOMPARE(CloudTestFolders::read(workspaceFile()), previousCache);
}

// ------------------------------------------------- shared profiles, branding

void WorkspaceTest::profileItemIDs_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("ids");

    QTest::newRow("split, trimmed, lower-cased, repeats kept")
        << " Văn phòng \n" << "Word,, Excel ,word" << QStringList{"word", "excel", "word"};
    QTest::newRow("blank pieces only") << "Trống" << " ,\n,\t, " << QStringList();
    QTest::newRow("one id") << "Một" << "LibreOffice" << QStringList{"libreoffice"};
    QTest::newRow("order kept") << "Ba" << "vlc,\u00a0GIMP\u00a0,onlyoffice,vlc"
                                << QStringList{"vlc", "gimp", "onlyoffice", "vlc"};
}

void WorkspaceTest::profileItemIDs()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QStringList, ids);
    m_server->respondOnce(workspacePath, Response::json(200, R"({"profile": {"id": "p-9"}})"));
    m_server->respond(workspacePath, Response::json(200, workspaceAnswer));

    QCOMPARE(makeTestClient(*m_server, anonKey)->saveTechnicianProfile(name, text),
             (CloudResult{true, workspaceMessage}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    const QJsonObject save{{"action", "save_profile"}, {"name", name.trimmed()}, {"item_ids", QJsonArray::fromStringList(ids)}};
    QCOMPARE(jsonBody(requests.at(0)), withCredential(save));
    QCOMPARE(jsonBody(requests.at(1)), withCredential({{"action", "get"}}));
    QCOMPARE(QJsonDocument::fromJson(CloudTestFolders::read(workspaceFile())).object(), object(workspaceAnswer));
}

void WorkspaceTest::brandingThenSync_data()
{
    QTest::addColumn<std::optional<QString>>("logo");
    QTest::newRow("with a logo") << std::optional<QString>("data:image/png;base64,iVBORw0KGgo=");
    QTest::newRow("without a logo") << std::optional<QString>();
}

void WorkspaceTest::brandingThenSync()
{
    QFETCH(std::optional<QString>, logo);
    m_server->respondOnce(workspacePath, Response::json(200, R"({"workspace": {"display_name": "Tiệm Sửa Lan"}})"));
    m_server->respond(workspacePath, Response::json(200, workspaceAnswer));

    QCOMPARE(makeTestClient(*m_server, anonKey)->updateTechnicianBranding("  Tiệm Sửa Lan\n", logo),
             (CloudResult{true, workspaceMessage}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 2);
    const QJsonObject branding{{"action", "update_branding"},
                               {"display_name", "Tiệm Sửa Lan"},
                               {"logo_data_url", logo ? QJsonValue(*logo) : QJsonValue(QJsonValue::Null)}};
    QCOMPARE(jsonBody(requests.at(0)), withCredential(branding));
    QVERIFY(jsonBody(requests.at(0)).contains("logo_data_url"));
    QCOMPARE(jsonBody(requests.at(1)), withCredential({{"action", "get"}}));
}

void WorkspaceTest::saveFailures_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<Response>("saveAnswer");
    QTest::addColumn<int>("requestCount");
    QTest::addColumn<QString>("message");

    QTest::newRow("branding refused")
        << "branding" << Response::json(400, R"({"error": "invalid_logo", "detail": "PNG hoặc JPEG"})") << 1
        << "Không lưu được branding: invalid_logo Chi tiết: PNG hoặc JPEG";
    QTest::newRow("profile refused") << "profile" << Response::json(422, R"({"error": "unknown_item_ids"})") << 1
                                     << "Không lưu được profile: unknown_item_ids";
    // The save went through; the message is the failed re-sync's.
    QTest::newRow("branding stored, re-sync fails")
        << "branding" << Response::json(200, R"({"ok": true})") << 2
        << "Không đồng bộ được workspace: Supabase function chưa cấu hình server secrets.";
    QTest::newRow("profile stored, re-sync fails")
        << "profile" << Response::json(200, R"({"ok": true})") << 2
        << "Không đồng bộ được workspace: Supabase function chưa cấu hình server secrets.";
}

void WorkspaceTest::saveFailures()
{
    QFETCH(QString, operation);
    QFETCH(Response, saveAnswer);
    QFETCH(int, requestCount);
    QFETCH(QString, message);
    CloudTestFolders::write(workspaceFile(), previousCache);
    m_server->respondOnce(workspacePath, saveAnswer);
    m_server->respond(workspacePath, Response::json(500, R"({"error": "server_not_configured"})"));

    const auto client = makeTestClient(*m_server, anonKey);
    const CloudResult result = operation == "branding" ? client->updateTechnicianBranding("Lan", std::nullopt)
                                                       : client->saveTechnicianProfile("Lan", "word");
    QCOMPARE(result, (CloudResult{false, message}));
    QCOMPARE(m_server->requests().size(), requestCount);
    QCOMPARE(CloudTestFolders::read(workspaceFile()), previousCache);
}

// The PDF report's page header reads exactly what the sync leaves behind.
void WorkspaceTest::reportHeaderReadsTheCache_data()
{
    QTest::addColumn<std::optional<QString>>("logo");
    QTest::addColumn<QSize>("logoSize"); // empty: no logo

    QTest::newRow("with a logo") << std::optional(pngDataURL(200, 100)) << QSize(200, 100);
    QTest::newRow("without a logo") << std::optional<QString>() << QSize();
}

void WorkspaceTest::reportHeaderReadsTheCache()
{
    QFETCH(std::optional<QString>, logo);
    QFETCH(QSize, logoSize);
    QJsonObject workspace{{"display_name", "  Tiệm Sửa Lan "}};
    workspace.insert("logo_data_url", logo ? QJsonValue(*logo) : QJsonValue(QJsonValue::Null));
    const QJsonObject answer{{"workspace", workspace}, {"profiles", QJsonArray{QJsonObject{{"name", "Văn phòng"}}}}};
    m_server->respondOnce(workspacePath, Response::json(200, R"({"ok": true})"));
    m_server->respond(workspacePath, Response::json(200, QJsonDocument(answer).toJson()));

    QCOMPARE(makeTestClient(*m_server, anonKey)->updateTechnicianBranding("Tiệm Sửa Lan", logo),
             (CloudResult{true, "Đã đồng bộ   Tiệm Sửa Lan : 1 profile dùng chung."}));

    QCOMPARE(QString::fromLatin1(MacReportPDF::workspaceCacheFileName),
             QString::fromLatin1(SupabaseClient::workspaceCacheFileName));
    const MacReportPDF::Branding branding = MacReportPDF::loadWorkspaceBranding();
    QCOMPARE(branding.name, QStringLiteral("Tiệm Sửa Lan"));
    QCOMPARE(branding.logo.isNull(), logoSize.isEmpty());
    if (!logoSize.isEmpty())
        QCOMPARE(branding.logo.size(), logoSize);
}

// --------------------------------------------------- business configuration

void WorkspaceTest::businessPoliciesReachTheCatalog_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("department");
    QTest::addColumn<QString>("assetCode");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("removed");

    QTest::newRow("fetch")
        << "fetch" << "" << ""
        << QByteArray(R"({"organization": {"name": "Công ty An", "id": "org-1"},
                          "policies": [{"policy": {"disabled_item_ids": ["vlc"]}},
                                       {"policy": {"disabled_item_ids": ["gimp"]}}],
                          "device": {"department": "Kế toán"}})")
        << "Đã áp 2 policy từ Công ty An." << QStringList{"vlc", "gimp"};
    QTest::newRow("update, no organisation")
        << "update" << " Kế toán \n" << "\tTS-0042 "
        << QByteArray(R"({"policies": [{"policy": {}}, {"policy": {"disabled_item_ids": ["vlc"]}}, {}]})")
        << "Đã áp 3 policy từ Business organization." << QStringList{"vlc"};
    QTest::newRow("policies not an array") << "fetch" << "" << "" << QByteArray(R"({"policies": {"policy": {}}})")
                                           << "Đã áp 0 policy từ Business organization." << QStringList();
}

void WorkspaceTest::businessPoliciesReachTheCatalog()
{
    QFETCH(QString, action);
    QFETCH(QString, department);
    QFETCH(QString, assetCode);
    QFETCH(QByteArray, answer);
    QFETCH(QString, message);
    QFETCH(QStringList, removed);
    m_server->respond(businessPath, Response::json(200, answer));

    QCOMPARE(makeTestClient(*m_server, anonKey)->businessDeviceConfig(action, department, assetCode),
             (CloudResult{true, message}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("POST"));
    QCOMPARE(jsonBody(requests.first()),
             withCredential({{"action", action}, {"department", department.trimmed()}, {"asset_code", assetCode.trimmed()}}));
    QCOMPARE(QJsonDocument::fromJson(CloudTestFolders::read(policyFile())).object(), object(answer));

    const QList<AppItem> filtered =
        Catalog::applyingBusinessPolicies(SupabaseClient::cachedBusinessPolicyRows(), Catalog::items());
    QCOMPARE(filtered.size(), Catalog::items().size() - removed.size());
    for (const AppItem& item : filtered)
        QVERIFY2(!removed.contains(item.id), qPrintable(item.id));
}

void WorkspaceTest::businessRefusalsKeepTheCache_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    const QString prefix = "Không tải được cấu hình Business: ";
    QTest::newRow("array") << Response::json(200, R"([{"policy": {}}])") << prefix + R"([{"policy":{}}])";
    QTest::newRow("unknown device") << Response::json(404, R"({"error": "device_not_enrolled", "detail": ""})")
                                    << prefix + "device_not_enrolled";
    QTest::newRow("502 not text") << Response::text(502, "\xc3\x28", "text/html") << prefix + "HTTP 502";
}

void WorkspaceTest::businessRefusalsKeepTheCache()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    CloudTestFolders::write(policyFile(), previousCache);
    m_server->respond(businessPath, response);

    QCOMPARE(makeTestClient(*m_server, anonKey)->businessDeviceConfig("fetch", "", ""), (CloudResult{false, message}));
    QCOMPARE(CloudTestFolders::read(policyFile()), previousCache);
}

QTEST_MAIN(WorkspaceTest)
#include "tst_workspace.moc"
