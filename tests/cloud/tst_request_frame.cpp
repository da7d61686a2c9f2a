#include "cloud/SupabaseClient.h"
#include "cloud/SupabaseRequestFrame.h"
#include "support/LoopbackHttpsServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTcpServer>
#include <QtTest>

#include <memory>
#include <thread>

using Response = LoopbackHttpsServer::Response;
using namespace std::chrono_literals;

namespace {

const QString anonKey = QStringLiteral("anon-key-5e3cbd0a9f");

QList<QPair<QByteArray, QByteArray>> frameHeaders(const LoopbackHttpsServer::Request& request)
{
    static const QList<QByteArray> names{"apikey", "authorization", "accept", "content-type"};
    QList<QPair<QByteArray, QByteArray>> headers;
    for (const auto& header : request.headers) {
        if (names.contains(header.first.toLower()))
            headers.append(header);
    }
    return headers;
}

} // namespace

class RequestFrameTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void headersAndBody_data();
    void headersAndBody();
    void responses_data();
    void responses();
    void redirectIsNotFollowed_data();
    void redirectIsNotFollowed();
    void refusedEndpointsAreNeverContacted_data();
    void refusedEndpointsAreNeverContacted();
    void notConfiguredSendsNothing();
    void nonFinitePayloadIsRefused();
    void untrustedCertificateSendsNoRequest();
    void closedPortFails();
    void silentServerTimesOut();
    void hangingAnswerTimesOut();
    void answerCutShortFails();
    void parallelCallsFromThreads();

private:
    SupabaseRequestFrame frame(std::chrono::milliseconds timeout = 20s) const
    {
        return SupabaseRequestFrame(SupabaseClient::makeConfig(m_server->baseUrl(), anonKey, {}), timeout,
                                    m_server->clientConfiguration());
    }
    QString url(const QString& path) const { return m_server->baseUrl() + path; }

    std::unique_ptr<LoopbackHttpsServer> m_server;
};

void RequestFrameTest::init()
{
    m_server = std::make_unique<LoopbackHttpsServer>();
}

void RequestFrameTest::cleanup()
{
    m_server.reset();
}

void RequestFrameTest::headersAndBody_data()
{
    QTest::addColumn<QString>("method");
    QTest::addColumn<bool>("withPayload");
    QTest::newRow("GET") << "GET" << false;
    QTest::newRow("POST with payload") << "POST" << true;
    QTest::newRow("POST without payload") << "POST" << false;
}

void RequestFrameTest::headersAndBody()
{
    QFETCH(QString, method);
    QFETCH(bool, withPayload);
    const QJsonObject payload{{"device_hash", "ab12"}, {"count", 3}, {"name", "Bảng tính"}};
    m_server->respond("/functions/v1/echo", Response::json(200, R"({"ok":true})"));

    const auto result = frame().requestJSON(url("/functions/v1/echo"), method,
                                            withPayload ? std::optional(payload) : std::nullopt);
    QVERIFY(result.ok);
    QCOMPARE(result.body, QJsonValue(QJsonObject{{"ok", true}}));

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    const auto& request = requests.first();
    QCOMPARE(request.method, method.toLatin1());
    QCOMPARE(request.path, QStringLiteral("/functions/v1/echo"));
    QList<QPair<QByteArray, QByteArray>> expected{
        {"apikey", anonKey.toUtf8()},
        {"Authorization", "Bearer " + anonKey.toUtf8()},
        {"Accept", "application/json"},
    };
    if (withPayload)
        expected.append(qMakePair(QByteArray("Content-Type"), QByteArray("application/json")));
    QCOMPARE(frameHeaders(request), expected);
    if (withPayload) {
        QCOMPARE(QJsonDocument::fromJson(request.body).object(), payload);
        QVERIFY(!request.body.contains('\n'));
    } else {
        QVERIFY(request.body.isEmpty());
    }
}

void RequestFrameTest::responses_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QByteArray>("contentType");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QJsonValue>("expectedBody");
    QTest::addColumn<QString>("errorText");

    const QByteArray json = "application/json";
    QTest::newRow("204 empty") << 204 << QByteArray() << QByteArray() << true << QJsonValue(QJsonObject()) << "";
    QTest::newRow("200 empty") << 200 << QByteArray() << json << true << QJsonValue(QJsonObject()) << "";
    QTest::newRow("200 text") << 200 << QByteArray("plain words") << QByteArray("text/plain") << true
                              << QJsonValue("plain words") << "";
    QTest::newRow("200 array") << 200 << QByteArray(R"([1,"a"])") << json << true
                               << QJsonValue(QJsonArray{1, "a"}) << "";
    QTest::newRow("200 bare number is text") << 200 << QByteArray("5") << json << true << QJsonValue("5") << "";
    QTest::newRow("500 empty") << 500 << QByteArray() << json << false << QJsonValue(QJsonObject())
                               << "unknown_error";
    QTest::newRow("502 invalid bytes") << 502 << QByteArray("<html>\xff\xfe gateway") << QByteArray("text/html")
                                       << false << QJsonValue("HTTP 502") << "HTTP 502";
    QTest::newRow("502 cut UTF-8 sequence") << 502 << QByteArray("Bad \xe1\xba") << QByteArray("text/plain") << false
                                            << QJsonValue("HTTP 502") << "HTTP 502";
    QTest::newRow("503 html page") << 503 << QByteArray("<h1>Lỗi</h1>") << QByteArray("text/html") << false
                                   << QJsonValue("<h1>Lỗi</h1>") << "<h1>Lỗi</h1>";
    const QJsonObject notConfigured{{"error", "server_not_configured"}, {"detail", "x"}};
    QTest::newRow("401 server_not_configured")
        << 401 << QJsonDocument(notConfigured).toJson() << json << false << QJsonValue(notConfigured)
        << "Supabase function chưa cấu hình server secrets. Chi tiết: x";
    QTest::newRow("400 numeric code") << 400 << QByteArray(R"({"error":42})") << json << false
                                      << QJsonValue(QJsonObject{{"error", 42}}) << "42";
    QTest::newRow("400 empty detail") << 400 << QByteArray(R"({"detail":""})") << json << false
                                      << QJsonValue(QJsonObject{{"detail", ""}}) << "unknown_error";
    QTest::newRow("404 code and detail") << 404 << QByteArray(R"({"error":"not_found","detail":"no row"})") << json
                                         << false
                                         << QJsonValue(QJsonObject{{"error", "not_found"}, {"detail", "no row"}})
                                         << "not_found Chi tiết: no row";
    QTest::newRow("409 array body") << 409 << QByteArray(R"(["a",1])") << json << false
                                    << QJsonValue(QJsonArray{"a", 1}) << R"(["a",1])";
}

void RequestFrameTest::responses()
{
    QFETCH(int, status);
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, contentType);
    QFETCH(bool, ok);
    QFETCH(QJsonValue, expectedBody);
    QFETCH(QString, errorText);
    m_server->respond("/rest/v1/table", Response::text(status, body, contentType));

    const SupabaseRequestFrame client = frame();
    const auto result = client.requestJSON(url("/rest/v1/table"), "GET");
    QCOMPARE(result.ok, ok);
    QCOMPARE(result.body, expectedBody);
    if (!ok)
        QCOMPARE(client.responseErrorText(result.body), errorText);
    QCOMPARE(m_server->requests().size(), 1);
}

void RequestFrameTest::redirectIsNotFollowed_data()
{
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("target");
    QTest::newRow("307 same host") << 307 << "https://127.0.0.1:%1/functions/v1/elsewhere";
    QTest::newRow("302 other host") << 302 << "https://localhost:%1/functions/v1/elsewhere";
    QTest::newRow("308 plain http") << 308 << "http://127.0.0.1:%1/functions/v1/elsewhere";
}

void RequestFrameTest::redirectIsNotFollowed()
{
    QFETCH(int, status);
    QFETCH(QString, target);
    m_server->respond("/functions/v1/start",
                      Response::redirect(status, target.arg(m_server->port()).toUtf8()));
    m_server->respond("/functions/v1/elsewhere", Response::json(200, R"({"followed":true})"));

    const auto result = frame().requestJSON(url("/functions/v1/start"), "POST", QJsonObject{{"a", 1}});
    QVERIFY(!result.ok);
    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    QCOMPARE(requests.first().path, QStringLiteral("/functions/v1/start"));
}

void RequestFrameTest::refusedEndpointsAreNeverContacted_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::newRow("other host") << "https://localhost:%1/functions/v1/x";
    QTest::newRow("plain http") << "http://127.0.0.1:%1/functions/v1/x";
    QTest::newRow("user info") << "https://user:pw@127.0.0.1:%1/functions/v1/x";
    QTest::newRow("does not parse") << "https://127.0.0.1:%1/functions v1/x";
    QTest::newRow("relative") << "/functions/v1/x?port=%1";
}

void RequestFrameTest::refusedEndpointsAreNeverContacted()
{
    QFETCH(QString, endpoint);
    const auto result = frame().requestJSON(endpoint.arg(m_server->port()), "GET");
    QVERIFY(!result.ok);
    QCOMPARE(result.body.toString(),
             QStringLiteral("Endpoint Supabase phải dùng HTTPS và cùng host với project đã cấu hình."));
    QCOMPARE(m_server->handshakesStarted(), 0);
    QVERIFY(m_server->requests().isEmpty());
}

void RequestFrameTest::notConfiguredSendsNothing()
{
    const SupabaseRequestFrame unconfigured(std::nullopt, 20s, m_server->clientConfiguration());
    const auto result = unconfigured.requestJSON(url("/functions/v1/x"), "POST", QJsonObject{{"a", 1}});
    QVERIFY(!result.ok);
    QCOMPARE(result.body.toString(), QStringLiteral("Chưa cấu hình Supabase."));
    QCOMPARE(m_server->handshakesStarted(), 0);
}

void RequestFrameTest::nonFinitePayloadIsRefused()
{
    const QJsonObject payload{{"nested", QJsonArray{1, std::numeric_limits<double>::infinity()}}};
    const auto result = frame().requestJSON(url("/functions/v1/x"), "POST", payload);
    QVERIFY(!result.ok);
    QVERIFY(result.body.toString().startsWith(QStringLiteral("Payload JSON không hợp lệ: ")));
    QCOMPARE(m_server->handshakesStarted(), 0);
}

void RequestFrameTest::untrustedCertificateSendsNoRequest()
{
    // The system's authorities do not know the test authority.
    const SupabaseRequestFrame systemTrust(SupabaseClient::makeConfig(m_server->baseUrl(), anonKey, {}), 20s,
                                           QSslConfiguration::defaultConfiguration());
    const auto result = systemTrust.requestJSON(url("/functions/v1/x"), "POST", QJsonObject{{"a", 1}});
    QVERIFY(!result.ok);
    QVERIFY(!result.body.toString().isEmpty());
    QVERIFY(!result.body.toString().contains(anonKey));
    QVERIFY(m_server->handshakesStarted() >= 1);
    QVERIFY(m_server->requests().isEmpty());
}

void RequestFrameTest::closedPortFails()
{
    const QString endpoint = url("/functions/v1/x");
    const SupabaseRequestFrame client = frame();
    m_server->stop();
    const auto result = client.requestJSON(endpoint, "GET");
    QVERIFY(!result.ok);
    QVERIFY(result.body.isString());
    QVERIFY(!result.body.toString().isEmpty());
}

void RequestFrameTest::silentServerTimesOut()
{
    // Accepts the connection but never speaks TLS.
    QTcpServer silent;
    QVERIFY(silent.listen(QHostAddress::LocalHost, 0));
    const QString base = QStringLiteral("https://127.0.0.1:%1").arg(silent.serverPort());
    const SupabaseRequestFrame client(SupabaseClient::makeConfig(base, anonKey, {}), 300ms,
                                      m_server->clientConfiguration());
    const auto result = client.requestJSON(base + "/functions/v1/x", "GET");
    QVERIFY(!result.ok);
    QCOMPARE(result.body.toString(), QStringLiteral("Hết thời gian chờ phản hồi từ Supabase."));
}

void RequestFrameTest::hangingAnswerTimesOut()
{
    m_server->respond("/functions/v1/slow", Response::hanging());
    const auto result = frame(1000ms).requestJSON(url("/functions/v1/slow"), "POST", QJsonObject{{"a", 1}});
    QVERIFY(!result.ok);
    QCOMPARE(result.body.toString(), QStringLiteral("Hết thời gian chờ phản hồi từ Supabase."));
    QCOMPARE(m_server->requests().size(), 1);
}

void RequestFrameTest::answerCutShortFails()
{
    m_server->respond("/rest/v1/table", Response::cutShort(200, R"([{"item_id":"a"}])"));
    const auto result = frame().requestJSON(url("/rest/v1/table"), "GET");
    QVERIFY(!result.ok);
    QVERIFY(result.body.isString());
    QVERIFY(!result.body.toString().isEmpty());
}

void RequestFrameTest::parallelCallsFromThreads()
{
    m_server->respond("/rest/v1/items", Response::json(200, R"([{"item_id":"x"}])"));
    const SupabaseRequestFrame client = frame();
    constexpr int count = 6;
    std::array<bool, count> ok{};
    std::vector<std::thread> threads;
    for (int i = 0; i < count; ++i) {
        threads.emplace_back([&client, &ok, i, this] {
            const auto result = client.requestJSON(url("/rest/v1/items?n=%1").arg(i), "GET");
            ok[i] = result.ok && result.body.isArray();
        });
    }
    for (auto& thread : threads)
        thread.join();
    for (bool each : ok)
        QVERIFY(each);
    QCOMPARE(m_server->requests().size(), count);
}

QTEST_GUILESS_MAIN(RequestFrameTest)
#include "tst_request_frame.moc"
