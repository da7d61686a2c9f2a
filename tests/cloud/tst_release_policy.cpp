#include "cloud/SupabaseClient.h"
#include "platform/AppRuntime.h"
#include "support/LoopbackHttpsServer.h"

#include <QtTest>

#include <memory>

using Response = LoopbackHttpsServer::Response;
using namespace std::chrono_literals;

namespace {

const QString anonKey = QStringLiteral("eyJhbGciOiJIUzI1NiJ9.release-key");
const QString policyPath = QStringLiteral("/functions/v1/release-policy");
const QString defaultMessage = QStringLiteral("Install the latest Tavrin Devivu Kit build to receive fixes.");

} // namespace

class ReleasePolicyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void notConfiguredSendsNothing();
    void requestPathAndQuery();
    void customFunctionsURL();
    void answers_data();
    void answers();
    void transportFailures_data();
    void transportFailures();

private:
    std::unique_ptr<SupabaseClient> client(const QString& functionsURL = {},
                                           std::chrono::milliseconds timeout = 20s,
                                           std::optional<QSslConfiguration> tls = std::nullopt)
    {
        return std::make_unique<SupabaseClient>(
            SupabaseClient::makeConfig(m_server->baseUrl(), anonKey, functionsURL),
            [this](const QString& line) { m_log.append(line); }, timeout,
            tls.value_or(m_server->clientConfiguration()));
    }

    std::unique_ptr<LoopbackHttpsServer> m_server;
    QStringList m_log;
};

void ReleasePolicyTest::init()
{
    m_server = std::make_unique<LoopbackHttpsServer>();
    m_log.clear();
}

void ReleasePolicyTest::cleanup()
{
    for (const QString& line : std::as_const(m_log))
        QVERIFY2(!line.contains(anonKey), qPrintable(line));
    m_server.reset();
}

void ReleasePolicyTest::notConfiguredSendsNothing()
{
    SupabaseClient unconfigured(std::nullopt, [this](const QString& line) { m_log.append(line); });
    QCOMPARE(unconfigured.releasePolicy(), std::nullopt);
    QCOMPARE(m_log, QStringList{"Bỏ qua release policy vì chưa cấu hình Supabase."});
    QCOMPARE(m_server->handshakesStarted(), 0);
}

void ReleasePolicyTest::requestPathAndQuery()
{
    m_server->respond(policyPath, Response::json(200, "{}"));
    QVERIFY(client()->releasePolicy().has_value());

    const auto requests = m_server->requests();
    QCOMPARE(requests.size(), 1);
    const auto& request = requests.first();
    QCOMPARE(request.method, QByteArray("GET"));
    QCOMPARE(request.path, policyPath);
    const QString appVersion = AppRuntime::appVersion();
    const QString shortVersion = AppRuntime::bundleString(QStringLiteral("CFBundleShortVersionString"));
    const QList<QPair<QString, QString>> expected{
        {"product", "zaz_uvoved_udo"},
        {"platform", "macos"},
        {"channel", "stable"},
        {"current_version", shortVersion.isEmpty() ? appVersion : shortVersion},
        {"build", AppRuntime::bundleString(QStringLiteral("CFBundleVersion"))},
        {"app_version", appVersion},
    };
    QCOMPARE(request.query, expected);
    QVERIFY(!appVersion.isEmpty());
    QCOMPARE(request.header("apikey"), anonKey.toUtf8());
    QVERIFY(m_log.isEmpty());
}

void ReleasePolicyTest::customFunctionsURL()
{
    m_server->respond("/edge/release-policy", Response::json(200, R"({"update_available": true})"));
    const auto policy = client(m_server->baseUrl() + "/edge/")->releasePolicy();
    QVERIFY(policy.has_value());
    QVERIFY(policy->updateAvailable);
    QCOMPARE(m_server->requests().value(0).path, QStringLiteral("/edge/release-policy"));
}

void ReleasePolicyTest::answers_data()
{
    QTest::addColumn<Response>("response");
    QTest::addColumn<std::optional<ReleasePolicy>>("expected");
    QTest::addColumn<QString>("logLine");

    const ReleasePolicy defaults{false, false, "Update available", defaultMessage, "", "", ""};
    QTest::newRow("empty object") << Response::json(200, "{}") << std::optional(defaults) << "";
    QTest::newRow("204 without body") << Response::text(204, {}, {}) << std::optional(defaults) << "";
    QTest::newRow("forced update")
        << Response::json(200, R"({"update_required": "yes", "message": "Cập nhật ngay",
                                   "download_url": "https://releases.tavrin.vn/kit.dmg",
                                   "latest_version": 3, "min_supported_version": "2.0"})")
        << std::optional(ReleasePolicy{true, false, "Update required", "Cập nhật ngay",
                                       "https://releases.tavrin.vn/kit.dmg", "3", "2.0"})
        << "";
    QTest::newRow("404 not_found") << Response::json(404, R"({"error": "not_found"})")
                                   << std::optional<ReleasePolicy>() << "Không đọc được release policy: not_found";
    QTest::newRow("500 with detail")
        << Response::json(500, R"({"error": "server_not_configured", "detail": "thiếu secret"})")
        << std::optional<ReleasePolicy>()
        << "Không đọc được release policy: Supabase function chưa cấu hình server secrets. Chi tiết: thiếu secret";
    QTest::newRow("502 not text") << Response::text(502, "\xff\xfe", "text/html") << std::optional<ReleasePolicy>()
                                  << "Không đọc được release policy: HTTP 502";
    QTest::newRow("401 echoing the key")
        << Response::json(401, (R"({"error": "invalid key )" + anonKey + R"("})").toUtf8())
        << std::optional<ReleasePolicy>() << "Không đọc được release policy: invalid key [anon key]";
    QTest::newRow("307 not followed") << Response::redirect(307, "https://localhost/functions/v1/release-policy")
                                      << std::optional<ReleasePolicy>()
                                      << "Không đọc được release policy: unknown_error";
    QTest::newRow("array") << Response::json(200, "[1]") << std::optional<ReleasePolicy>()
                           << "Release policy trả về dữ liệu không hợp lệ.";
    QTest::newRow("text") << Response::text(200, "ok") << std::optional<ReleasePolicy>()
                          << "Release policy trả về dữ liệu không hợp lệ.";
}

void ReleasePolicyTest::answers()
{
    QFETCH(Response, response);
    QFETCH(std::optional<ReleasePolicy>, expected);
    QFETCH(QString, logLine);
    m_server->respond(policyPath, response);

    QCOMPARE(client()->releasePolicy(), expected);
    QCOMPARE(m_log, logLine.isEmpty() ? QStringList() : QStringList{logLine});
    QCOMPARE(m_server->requests().size(), 1);
}

void ReleasePolicyTest::transportFailures_data()
{
    QTest::addColumn<QString>("failure");
    QTest::newRow("time-out") << "hang";
    QTest::newRow("untrusted certificate") << "untrusted";
    QTest::newRow("closed port") << "closed";
}

void ReleasePolicyTest::transportFailures()
{
    QFETCH(QString, failure);
    m_server->respond(policyPath, Response::hanging());
    std::unique_ptr<SupabaseClient> subject =
        failure == "untrusted" ? client({}, 20s, QSslConfiguration::defaultConfiguration()) : client({}, 1000ms);
    if (failure == "closed")
        m_server->stop();

    QCOMPARE(subject->releasePolicy(), std::nullopt);
    QCOMPARE(m_log.size(), 1);
    QVERIFY2(m_log.first().startsWith("Không đọc được release policy: "), qPrintable(m_log.first()));
    QVERIFY(m_log.first().size() > QStringLiteral("Không đọc được release policy: ").size());
    QCOMPARE(m_server->requests().size(), failure == "hang" ? 1 : 0);
}

QTEST_GUILESS_MAIN(ReleasePolicyTest)
#include "tst_release_policy.moc"
