#include "CloudTestClient.h"
#include "CloudTestFolders.h"

#include <QJsonArray>
#include <QtTest>

using Response = LoopbackHttpsServer::Response;
using Rows = QList<QMap<QString, QString>>;

// The install report upload against the loopback server.
namespace {

const QString anonKey = QStringLiteral("anon-key-upload-42c9");
const QString uploadPath = QStringLiteral("/functions/v1/upload-install-report");
const QString storedID = QStringLiteral("0F8E5C2A-3B1D-4E6F-9A7B-C8D9E0F1A2B3");
const QString storedHash = QStringLiteral("78448fed61436192917f7b9c9dd6a71796eeec034202fb402e61615d701aadfe");

QMap<QString, QString> row(const QString& id, const QString& status)
{
    QMap<QString, QString> row{{"item_id", id}, {"name", id.toUpper()}, {"group_key", "devivu"}, {"kind", "cask"}};
    if (!status.isNull())
        row.insert("status", status);
    return row;
}

} // namespace

class ReportUploadTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void body_data();
    void body();
    void runID_data();
    void runID();
    void failures_data();
    void failures();

private:
    std::unique_ptr<LoopbackHttpsServer> m_server;
    std::unique_ptr<CloudTestFolders> m_folders;
};

void ReportUploadTest::init()
{
    m_server = std::make_unique<LoopbackHttpsServer>();
    m_folders = std::make_unique<CloudTestFolders>();
    CloudTestFolders::write(SupabaseClient::deviceIDFilePath(), (storedID + "\n").toUtf8());
}

void ReportUploadTest::cleanup()
{
    m_server.reset();
    m_folders.reset();
}

void ReportUploadTest::body_data()
{
    QTest::addColumn<Rows>("rows");
    QTest::addColumn<int>("installed");

    QTest::newRow("empty") << Rows() << 0;
    QTest::newRow("exact-case status")
        << Rows{row("libreoffice", "installed"), row("vlc", "Installed"), row("gimp", "missing"),
                row("zoom", QString()), row("skim", "installed "), row("evince", "installed")}
        << 2;
}

void ReportUploadTest::body()
{
    QFETCH(Rows, rows);
    QFETCH(int, installed);
    m_server->respond(uploadPath, Response::json(200, R"({"run_id": "run-7"})"));

    QCOMPARE(makeTestClient(*m_server, anonKey)->uploadReport(rows),
             (CloudResult{true, "Đã upload report: run-7"}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().method, QByteArray("POST"));
    QCOMPARE(requests.first().path, uploadPath);
    const QJsonObject body = jsonBody(requests.first());
    QCOMPARE(body.keys(), (QStringList{"app_version", "device", "device_hash", "items", "summary"}));
    QCOMPARE(body.value("device_hash"), QJsonValue(storedHash));
    QCOMPARE(body.value("app_version"), QJsonValue(AppRuntime::appVersion()));
    const QJsonObject device{
        {"device_hash", storedHash},
        {"device_label", "Máy Lan"},
        {"ubuntu_version", "macOS 14.5.1"},
        {"platform", "macos"},
        {"macos_version", "14.5.1"},
        {"architecture", "arm64"},
        {"app_version", AppRuntime::appVersion()},
    };
    QCOMPARE(body.value("device").toObject(), device);
    // Whole numbers on the wire, not "2.0" or text.
    QVERIFY(requests.first().body.contains(QStringLiteral("\"installed\":%1,").arg(installed).toUtf8()));
    QCOMPARE(body.value("summary").toObject(),
             (QJsonObject{{"installed", installed}, {"total", int(rows.size())}}));
    QJsonArray items;
    for (const auto& item : rows) {
        QJsonObject object;
        for (auto entry = item.begin(); entry != item.end(); ++entry)
            object.insert(entry.key(), entry.value());
        items.append(object);
    }
    QCOMPARE(body.value("items").toArray(), items);
    // The raw identifier never leaves the machine.
    QVERIFY(!requests.first().body.contains(storedID.toUtf8()));
}

void ReportUploadTest::runID_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message");

    QTest::newRow("text") << Response::json(201, R"({"run_id": "c0ffee", "stored": true})")
                          << "Đã upload report: c0ffee";
    QTest::newRow("number") << Response::json(200, R"({"run_id": 1042})") << "Đã upload report: 1042";
    QTest::newRow("empty") << Response::json(200, R"({"run_id": ""})") << "Đã upload report.";
    QTest::newRow("null") << Response::json(200, R"({"run_id": null})") << "Đã upload report.";
    QTest::newRow("absent") << Response::json(200, R"({"ok": true})") << "Đã upload report.";
    QTest::newRow("array answer") << Response::json(200, R"([{"run_id": "x"}])") << "Đã upload report.";
    QTest::newRow("text answer") << Response::text(200, "stored") << "Đã upload report.";
    QTest::newRow("204 without body") << Response::text(204, {}, {}) << "Đã upload report.";
}

void ReportUploadTest::runID()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    m_server->respond(uploadPath, response);
    QCOMPARE(makeTestClient(*m_server, anonKey)->uploadReport({row("vlc", "installed")}),
             (CloudResult{true, message}));
}

void ReportUploadTest::failures_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<QString>("message"); // after the prefix; empty: any text

    QTest::newRow("server secrets")
        << Response::json(401, R"({"error": "server_not_configured", "detail": "SERVICE_ROLE_KEY"})")
        << "Supabase function chưa cấu hình server secrets. Chi tiết: SERVICE_ROLE_KEY";
    QTest::newRow("unknown device") << Response::json(403, R"({"error": "device_not_registered"})")
                                    << "device_not_registered";
    QTest::newRow("500 without body") << Response::text(500, {}, {}) << "unknown_error";
    QTest::newRow("html page") << Response::text(502, "<h1>Bad gateway</h1>", "text/html") << "<h1>Bad gateway</h1>";
    QTest::newRow("closed port") << Response() << "";
}

void ReportUploadTest::failures()
{
    QFETCH(Response, response);
    QFETCH(QString, message);
    m_server->respond(uploadPath, response);
    const auto client = makeTestClient(*m_server, anonKey);
    if (message.isEmpty())
        m_server->stop();

    const CloudResult result = client->uploadReport({row("vlc", "installed")});
    const QString prefix = "Upload report thất bại: ";
    QVERIFY(!result.ok);
    if (message.isEmpty())
        QVERIFY2(result.message.startsWith(prefix) && result.message.size() > prefix.size(), qPrintable(result.message));
    else
        QCOMPARE(result.message, prefix + message);
    QVERIFY(!result.message.contains(anonKey));
}

QTEST_GUILESS_MAIN(ReportUploadTest)
#include "tst_report_upload.moc"
