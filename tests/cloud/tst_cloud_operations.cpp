#include "CloudTestClient.h"
#include "CloudTestFolders.h"

#include "platform/FileSystem.h"

#include <QtTest>

#include <functional>

using Response = LoopbackHttpsServer::Response;

// What every cloud action shares: without configuration nothing is sent and
// no file is touched; a cache that cannot be written is reported with the
// action's own prefix and leaves the cache folder as it was.
namespace {

const QString anonKey = QStringLiteral("anon-key-operations-3f6a");

using Operation = std::function<CloudResult(const SupabaseClient&)>;

struct Action {
    Operation run;
    QString path; // of the answer the test scripts
    QByteArray answer;
};

QMap<QString, Action> actions()
{
    const QString functions = QStringLiteral("/functions/v1/");
    const QString workspace = functions + "manage-technician-workspace";
    return {
        {"catalog", {[](const SupabaseClient& c) { return c.syncCatalog(); }, "/rest/v1/app_catalog", "[]"}},
        {"upload",
         {[](const SupabaseClient& c) { return c.uploadReport({{{"item_id", "vlc"}, {"status", "installed"}}}); },
          functions + "upload-install-report", R"({"run_id": "r"})"}},
        {"workspace", {[](const SupabaseClient& c) { return c.syncTechnicianWorkspace(); }, workspace, "{}"}},
        {"branding",
         {[](const SupabaseClient& c) { return c.updateTechnicianBranding("Lan", std::nullopt); }, workspace, "{}"}},
        {"profile", {[](const SupabaseClient& c) { return c.saveTechnicianProfile("Lan", "word"); }, workspace, "{}"}},
        {"business",
         {[](const SupabaseClient& c) { return c.businessDeviceConfig("fetch", "", ""); },
          functions + "business-device-config", "{}"}},
    };
}

} // namespace

class CloudOperationsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void notConfiguredTouchesNothing_data();
    void notConfiguredTouchesNothing();
    void cacheWriteFailures_data();
    void cacheWriteFailures();
};

void CloudOperationsTest::notConfiguredTouchesNothing_data()
{
    QTest::addColumn<QString>("action");
    for (const QString& name : actions().keys())
        QTest::newRow(qPrintable(name)) << name;
}

void CloudOperationsTest::notConfiguredTouchesNothing()
{
    QFETCH(QString, action);
    CloudTestFolders folders;
    LoopbackHttpsServer server;
    const SupabaseClient client(std::nullopt, {}, SupabaseClient::defaultTimeout, server.clientConfiguration());

    QCOMPARE(actions().value(action).run(client), (CloudResult{false, "Chưa cấu hình Supabase URL/anon key."}));
    QCOMPARE(server.handshakesStarted(), 0);
    QVERIFY(!QFileInfo::exists(folders.support()));
    QVERIFY(!QFileInfo::exists(folders.cache()));
}

void CloudOperationsTest::cacheWriteFailures_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("failure");
    QTest::addColumn<QString>("message");

    const QList<std::tuple<QString, QString, QString>> cached{
        {"catalog", "supabase-catalog.json", "Không ghi được cache catalog: "},
        {"workspace", "technician-workspace.json", "Không lưu được workspace: "},
        {"branding", "technician-workspace.json", "Không lưu được workspace: "},
        {"profile", "technician-workspace.json", "Không lưu được workspace: "},
        {"business", "business-policy.json", "Không lưu được policy Business: "},
    };
    for (const auto& [action, file, prefix] : cached) {
        QTest::addRow("%s: cache folder below a file", qPrintable(action))
            << action << "below a file" << prefix + FileSystem::errorText(ENOTDIR);
        QTest::addRow("%s: cache file is a folder", qPrintable(action))
            << action << file << prefix + FileSystem::errorText(EISDIR);
    }
}

void CloudOperationsTest::cacheWriteFailures()
{
    QFETCH(QString, action);
    QFETCH(QString, failure);
    QFETCH(QString, message);
    CloudTestFolders folders;
    LoopbackHttpsServer server;
    const Action subject = actions().value(action);
    server.respond(subject.path, Response::json(200, subject.answer));
    if (failure == "below a file")
        CloudTestFolders::blockFolder(AppRuntime::cacheDirVariable, folders.root() + "/plain");
    else
        CloudTestFolders::write(folders.cache() + "/" + failure + "/kept", "inside");

    QCOMPARE(subject.run(*makeTestClient(server, anonKey)), (CloudResult{false, message}));
    QVERIFY(!server.requests().isEmpty());
    if (failure != "below a file") {
        QCOMPARE(CloudTestFolders::entries(folders.cache()), QStringList{failure});
        QCOMPARE(CloudTestFolders::read(folders.cache() + "/" + failure + "/kept"), QByteArray("inside"));
    }
}

QTEST_GUILESS_MAIN(CloudOperationsTest)
#include "tst_cloud_operations.moc"
