#include "cloud/CloudJson.h"
#include "cloud/CloudUrl.h"
#include "cloud/ReleasePolicy.h"
#include "cloud/SupabaseClient.h"
#include "cloud/SupabaseEndpointPolicy.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QtTest>

namespace {

// An absent result is written as this marker in the tables.
const QString refused = QStringLiteral("<refused>");

QString orRefused(const std::optional<QString>& value)
{
    return value.value_or(refused);
}

QJsonObject object(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}

} // namespace

class CloudPolicyTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void normalizedBaseURL_data();
    void normalizedBaseURL();
    void functionsURL_data();
    void functionsURL();
    void allows_data();
    void allows();
    void makeConfig_data();
    void makeConfig();
    void booleanReader_data();
    void booleanReader();
    void stringReader_data();
    void stringReader();
    void parseJSON_data();
    void parseJSON();
    void releasePolicyFromJson_data();
    void releasePolicyFromJson();
    void urlWithQuery_data();
    void urlWithQuery();
};

void CloudPolicyTest::normalizedBaseURL_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "https://abc.supabase.co" << "https://abc.supabase.co";
    QTest::newRow("blanks and every trailing slash") << "  https://abc.supabase.co///\n\t"
                                                     << "https://abc.supabase.co";
    QTest::newRow("leading slashes") << "//https://abc.supabase.co" << "https://abc.supabase.co";
    QTest::newRow("letter case kept") << "HTTPS://Abc.Supabase.co" << "HTTPS://Abc.Supabase.co";
    QTest::newRow("path kept") << "https://abc.supabase.co/base/path/" << "https://abc.supabase.co/base/path";
    QTest::newRow("port") << "https://127.0.0.1:8443" << "https://127.0.0.1:8443";
    QTest::newRow("plain http") << "http://abc.supabase.co" << refused;
    QTest::newRow("no scheme") << "abc.supabase.co" << refused;
    QTest::newRow("other scheme") << "ftp://abc.supabase.co" << refused;
    QTest::newRow("user") << "https://user@abc.supabase.co" << refused;
    QTest::newRow("user and password") << "https://user:pw@abc.supabase.co" << refused;
    QTest::newRow("empty user") << "https://@abc.supabase.co" << refused;
    QTest::newRow("query") << "https://abc.supabase.co?x=1" << refused;
    QTest::newRow("empty query") << "https://abc.supabase.co/?" << refused;
    QTest::newRow("fragment") << "https://abc.supabase.co#top" << refused;
    QTest::newRow("no host") << "https:///path" << refused;
    QTest::newRow("scheme only") << "https://" << refused;
    QTest::newRow("blank") << " \n " << refused;
    QTest::newRow("blank inside host") << "https://abc supabase.co" << refused;
}

void CloudPolicyTest::normalizedBaseURL()
{
    QFETCH(QString, value);
    QFETCH(QString, expected);
    QCOMPARE(orRefused(SupabaseEndpointPolicy::normalizedHTTPSBaseURL(value)), expected);
}

void CloudPolicyTest::functionsURL_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<QString>("custom");
    QTest::addColumn<QString>("expected");
    QTest::newRow("default") << "https://abc.supabase.co/" << "" << "https://abc.supabase.co/functions/v1";
    QTest::newRow("blank custom is default") << "https://abc.supabase.co" << " / \n"
                                             << "https://abc.supabase.co/functions/v1";
    QTest::newRow("default after a path") << "https://h.example/api/" << ""
                                          << "https://h.example/api/functions/v1";
    QTest::newRow("custom on same host, other case")
        << "https://abc.supabase.co" << "https://ABC.supabase.co/fn/" << "https://ABC.supabase.co/fn";
    QTest::newRow("custom with other port") << "https://abc.supabase.co" << "https://abc.supabase.co:9000/f"
                                            << "https://abc.supabase.co:9000/f";
    QTest::newRow("custom on other host") << "https://abc.supabase.co" << "https://evil.example/fn" << refused;
    QTest::newRow("custom on a longer host") << "https://abc.supabase.co" << "https://xabc.supabase.co" << refused;
    QTest::newRow("custom over http") << "https://abc.supabase.co" << "http://abc.supabase.co/fn" << refused;
    QTest::newRow("custom with query") << "https://abc.supabase.co" << "https://abc.supabase.co/fn?a" << refused;
    QTest::newRow("refused base") << "http://abc.supabase.co" << "" << refused;
}

void CloudPolicyTest::functionsURL()
{
    QFETCH(QString, base);
    QFETCH(QString, custom);
    QFETCH(QString, expected);
    QCOMPARE(orRefused(SupabaseEndpointPolicy::functionsURL(base, custom)), expected);
}

void CloudPolicyTest::allows_data()
{
    QTest::addColumn<QString>("endpoint");
    QTest::addColumn<QString>("base");
    QTest::addColumn<bool>("allowed");
    const QString base = QStringLiteral("https://abc.supabase.co");
    QTest::newRow("same host") << "https://abc.supabase.co/rest/v1/t?select=*" << base << true;
    QTest::newRow("other port, path and case") << "HTTPS://ABC.Supabase.CO:8443/other" << base << true;
    QTest::newRow("base with path") << "https://abc.supabase.co/x" << "https://abc.supabase.co/api" << true;
    QTest::newRow("plain http") << "http://abc.supabase.co/x" << base << false;
    QTest::newRow("user") << "https://user@abc.supabase.co/x" << base << false;
    QTest::newRow("user and password") << "https://user:pw@abc.supabase.co/x" << base << false;
    QTest::newRow("longer name ending in host") << "https://xabc.supabase.co/x" << base << false;
    QTest::newRow("sub-host") << "https://sub.abc.supabase.co/x" << base << false;
    QTest::newRow("host as prefix") << "https://abc.supabase.co.evil.example/x" << base << false;
    QTest::newRow("no host") << "https:///x" << base << false;
    QTest::newRow("base does not parse") << "https://abc.supabase.co/x" << "not a url" << false;
}

void CloudPolicyTest::allows()
{
    QFETCH(QString, endpoint);
    QFETCH(QString, base);
    QFETCH(bool, allowed);
    QCOMPARE(SupabaseEndpointPolicy::allows(QUrl(endpoint), base), allowed);
}

void CloudPolicyTest::makeConfig_data()
{
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("functions");
    QTest::addColumn<QString>("expectedUrl");
    QTest::addColumn<QString>("expectedKey");
    QTest::addColumn<QString>("expectedFunctions");
    QTest::newRow("trimmed") << " https://abc.supabase.co/ " << "\n key \t" << ""
                             << "https://abc.supabase.co" << "key" << "https://abc.supabase.co/functions/v1";
    QTest::newRow("custom functions") << "https://abc.supabase.co" << "key" << "https://Abc.supabase.co/edge/"
                                      << "https://abc.supabase.co" << "key" << "https://Abc.supabase.co/edge";
    QTest::newRow("functions on other host refuses all")
        << "https://abc.supabase.co" << "key" << "https://other.example" << refused << "" << "";
    QTest::newRow("blank key") << "https://abc.supabase.co" << "  " << "" << refused << "" << "";
    QTest::newRow("project placeholder") << "https://YOUR_PROJECT.supabase.co" << "key" << "" << refused << "" << "";
    QTest::newRow("placeholder in lower case passes") << "https://your_project.supabase.co" << "key" << ""
                                                      << "https://your_project.supabase.co" << "key"
                                                      << "https://your_project.supabase.co/functions/v1";
    QTest::newRow("key placeholder") << "https://abc.supabase.co" << "paste-YOUR_SUPABASE_ANON_KEY" << ""
                                     << refused << "" << "";
    QTest::newRow("http base") << "http://abc.supabase.co" << "key" << "" << refused << "" << "";
}

void CloudPolicyTest::makeConfig()
{
    QFETCH(QString, url);
    QFETCH(QString, key);
    QFETCH(QString, functions);
    QFETCH(QString, expectedUrl);
    QFETCH(QString, expectedKey);
    QFETCH(QString, expectedFunctions);
    const std::optional<SupabaseConfig> config = SupabaseClient::makeConfig(url, key, functions);
    QCOMPARE(config ? config->url() : refused, expectedUrl);
    if (config) {
        QCOMPARE(config->anonKey(), expectedKey);
        QCOMPARE(config->functionsURL(), expectedFunctions);
    }
}

void CloudPolicyTest::booleanReader_data()
{
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<bool>("expected");
    QTest::newRow("absent") << QJsonValue(QJsonValue::Undefined) << false;
    QTest::newRow("null") << QJsonValue(QJsonValue::Null) << false;
    QTest::newRow("true") << QJsonValue(true) << true;
    QTest::newRow("false") << QJsonValue(false) << false;
    QTest::newRow("zero") << QJsonValue(0) << false;
    QTest::newRow("half") << QJsonValue(0.5) << true;
    QTest::newRow("minus two") << QJsonValue(-2) << true;
    QTest::newRow("YES") << QJsonValue("YES") << true;
    QTest::newRow("True") << QJsonValue("True") << true;
    QTest::newRow("text 1") << QJsonValue("1") << true;
    QTest::newRow("text 0") << QJsonValue("0") << false;
    QTest::newRow("on") << QJsonValue("on") << false;
    QTest::newRow(" yes with blank") << QJsonValue(" yes") << false;
    QTest::newRow("array") << QJsonValue(QJsonArray{true}) << false;
}

void CloudPolicyTest::booleanReader()
{
    QFETCH(QJsonValue, value);
    QFETCH(bool, expected);
    QCOMPARE(CloudJson::boolean(value), expected);
}

void CloudPolicyTest::stringReader_data()
{
    QTest::addColumn<QJsonValue>("value");
    QTest::addColumn<QString>("expected");
    QTest::newRow("absent") << QJsonValue(QJsonValue::Undefined) << "fallback";
    QTest::newRow("null") << QJsonValue(QJsonValue::Null) << "fallback";
    QTest::newRow("empty text kept") << QJsonValue("") << "";
    QTest::newRow("text") << QJsonValue("Bản 2") << "Bản 2";
    QTest::newRow("whole number") << QJsonValue(5) << "5";
    QTest::newRow("fraction") << QJsonValue(1.25) << "1.25";
    QTest::newRow("negative") << QJsonValue(-3) << "-3";
    QTest::newRow("Boolean") << QJsonValue(true) << "true";
    QTest::newRow("array") << QJsonValue(QJsonArray{1, "a"}) << R"([1,"a"])";
    QTest::newRow("object") << QJsonValue(QJsonObject{{"k", 1}}) << R"({"k":1})";
}

void CloudPolicyTest::stringReader()
{
    QFETCH(QJsonValue, value);
    QFETCH(QString, expected);
    QCOMPARE(CloudJson::string(value, QStringLiteral("fallback")), expected);
}

void CloudPolicyTest::parseJSON_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QJsonValue>("expected");
    QTest::newRow("empty") << QByteArray() << QJsonValue(QJsonObject());
    QTest::newRow("object") << QByteArray(R"({"a":1})") << QJsonValue(QJsonObject{{"a", 1}});
    QTest::newRow("array") << QByteArray("[]") << QJsonValue(QJsonArray());
    QTest::newRow("bare string is text") << QByteArray(R"("x")") << QJsonValue(R"("x")");
    QTest::newRow("text") << QByteArray("Bad Gateway") << QJsonValue("Bad Gateway");
    QTest::newRow("UTF-8 text") << QByteArray("Lỗi máy chủ") << QJsonValue("Lỗi máy chủ");
    QTest::newRow("invalid bytes") << QByteArray("\xff\xfe") << QJsonValue(QJsonValue::Undefined);
    QTest::newRow("invalid bytes in JSON") << QByteArray("{\"a\":\"\xc3\"}") << QJsonValue(QJsonValue::Undefined);
    QTest::newRow("overlong encoding") << QByteArray("\xc0\xaf") << QJsonValue(QJsonValue::Undefined);
}

void CloudPolicyTest::parseJSON()
{
    QFETCH(QByteArray, data);
    QFETCH(QJsonValue, expected);
    QCOMPARE(CloudJson::parseJSON(data), expected);
}

void CloudPolicyTest::releasePolicyFromJson_data()
{
    QTest::addColumn<QJsonObject>("data");
    QTest::addColumn<ReleasePolicy>("expected");
    const QString defaultMessage = QStringLiteral("Install the latest Tavrin Devivu Kit build to receive fixes.");

    QTest::newRow("empty") << QJsonObject()
                           << ReleasePolicy{false, false, "Update available", defaultMessage, "", "", ""};
    QTest::newRow("required without title") << object(R"({"update_required": true})")
                                            << ReleasePolicy{true, false, "Update required", defaultMessage, "", "", ""};
    QTest::newRow("loose flags") << object(R"({"update_required": "1", "update_available": "no"})")
                                 << ReleasePolicy{true, false, "Update required", defaultMessage, "", "", ""};
    QTest::newRow("nulls take defaults")
        << object(R"({"update_available": null, "title": null, "message": null, "download_url": null})")
        << ReleasePolicy{false, false, "Update available", defaultMessage, "", "", ""};
    QTest::newRow("every field")
        << object(R"({"update_required": false, "update_available": 1, "title": "Bản mới", "message": "",
                      "download_url": "https://releases.tavrin.vn/kit.dmg", "latest_version": 2.5,
                      "min_supported_version": "1.0", "extra": [1]})")
        << ReleasePolicy{false, true, "Bản mới", "", "https://releases.tavrin.vn/kit.dmg", "2.5", "1.0"};
}

void CloudPolicyTest::releasePolicyFromJson()
{
    QFETCH(QJsonObject, data);
    QFETCH(ReleasePolicy, expected);
    QCOMPARE(ReleasePolicy::fromJson(data), expected);
}

void CloudPolicyTest::urlWithQuery_data()
{
    QTest::addColumn<QString>("base");
    QTest::addColumn<CloudUrl::QueryItems>("items");
    QTest::addColumn<QString>("expected");
    QTest::newRow("order kept")
        << "https://h.example/functions/v1/release-policy"
        << CloudUrl::QueryItems{{"product", "x"}, {"build", ""}, {"a", "b"}}
        << "https://h.example/functions/v1/release-policy?product=x&build=&a=b";
    QTest::newRow("blank and parentheses") << "https://h.example/f" << CloudUrl::QueryItems{{"v", "1.4.2 (57)"}}
                                           << "https://h.example/f?v=1.4.2%20%2857%29";
    QTest::newRow("delimiters and plus") << "https://h.example/f" << CloudUrl::QueryItems{{"v", "a+b&c=d#e"}}
                                         << "https://h.example/f?v=a%2Bb%26c%3Dd%23e";
    QTest::newRow("commas and UTF-8") << "https://h.example/f" << CloudUrl::QueryItems{{"select", "a,b"}, {"t", "Việt"}}
                                      << "https://h.example/f?select=a%2Cb&t=Vi%E1%BB%87t";
    QTest::newRow("base does not parse") << "https://h example/f" << CloudUrl::QueryItems{{"a", "b"}} << refused;
    QTest::newRow("base with query") << "https://h.example/f?x=1" << CloudUrl::QueryItems{{"a", "b"}} << refused;
}

void CloudPolicyTest::urlWithQuery()
{
    QFETCH(QString, base);
    QFETCH(CloudUrl::QueryItems, items);
    QFETCH(QString, expected);
    QCOMPARE(orRefused(CloudUrl::withQuery(base, items)), expected);
}

QTEST_GUILESS_MAIN(CloudPolicyTest)
#include "tst_cloud_policy.moc"
