#include "cloud/SupabaseClient.h"
#include "platform/AppRuntime.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

// Loading the backend configuration from the environment and the
// supabase.json places. The test owns the process environment: HOME, the
// application-support folder and the working folder point into a temporary tree.
namespace {

const QString refused = QStringLiteral("<refused>");
const QByteArray goodFile = R"({"supabase_url": "https://file.supabase.co", "anon_key": "file-key"})";

using Environment = QList<QPair<QByteArray, QByteArray>>;

} // namespace

class CloudConfigTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void candidatesInOrder();
    void loadConfig_data();
    void loadConfig();

private:
    QString supportFile() const { return m_root.filePath("support/supabase.json"); }
    QString homeFile() const { return m_root.filePath("home/.config/tavrin-office-kit/supabase.json"); }
    QString workingFile() const { return m_root.filePath("work/config/supabase.json"); }
    static void write(const QString& path, const QByteArray& content);

    QTemporaryDir m_root;
};

void CloudConfigTest::initTestCase()
{
    QVERIFY(m_root.isValid());
    // Before anything reads the home folder, which is kept once read.
    qputenv("HOME", m_root.filePath("home").toUtf8());
    qputenv(AppRuntime::configDirVariable, m_root.filePath("support").toUtf8());
    QVERIFY(QDir().mkpath(m_root.filePath("work/cwd")));
    QVERIFY(QDir::setCurrent(m_root.filePath("work/cwd")));
}

void CloudConfigTest::cleanup()
{
    for (const char* name : {"TAVRIN_SUPABASE_URL", "TAVRIN_SUPABASE_ANON_KEY", "TAVRIN_SUPABASE_FUNCTIONS_URL"})
        qunsetenv(name);
    for (const QString& path : {supportFile(), homeFile(), workingFile()})
        QFile::remove(path);
}

void CloudConfigTest::write(const QString& path, const QByteArray& content)
{
    QVERIFY(QDir().mkpath(QFileInfo(path).absolutePath()));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QCOMPARE(file.write(content), content.size());
}

void CloudConfigTest::candidatesInOrder()
{
    const QStringList candidates = SupabaseClient::configFileCandidates();
    QCOMPARE(candidates.size(), 3); // no application bundle here
    QCOMPARE(QFileInfo(candidates.at(0)).absoluteFilePath(), supportFile());
    QCOMPARE(QFileInfo(candidates.at(1)).absoluteFilePath(), homeFile());
    QCOMPARE(candidates.at(2), m_root.filePath("work/cwd") + "/../config/supabase.json");
}

void CloudConfigTest::loadConfig_data()
{
    QTest::addColumn<Environment>("environment");
    QTest::addColumn<QByteArray>("support");
    QTest::addColumn<QByteArray>("home");
    QTest::addColumn<QByteArray>("working");
    QTest::addColumn<QString>("url");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("functions");

    const Environment envBackend{{"TAVRIN_SUPABASE_URL", " https://env.supabase.co/ "},
                                 {"TAVRIN_SUPABASE_ANON_KEY", " env-key\n"}};
    const QByteArray none;
    QTest::newRow("environment over files") << envBackend << goodFile << goodFile << goodFile
                                            << "https://env.supabase.co" << "env-key"
                                            << "https://env.supabase.co/functions/v1";
    QTest::newRow("environment functions URL")
        << Environment{envBackend.at(0), envBackend.at(1),
                       {"TAVRIN_SUPABASE_FUNCTIONS_URL", "https://ENV.supabase.co/edge"}}
        << none << none << none << "https://env.supabase.co" << "env-key" << "https://ENV.supabase.co/edge";
    QTest::newRow("refused environment stops the search")
        << Environment{{"TAVRIN_SUPABASE_URL", "http://env.supabase.co"}, envBackend.at(1)} << goodFile << goodFile
        << goodFile << refused << "" << "";
    QTest::newRow("environment functions on other host")
        << Environment{envBackend.at(0), envBackend.at(1), {"TAVRIN_SUPABASE_FUNCTIONS_URL", "https://x.example"}}
        << goodFile << none << none << refused << "" << "";
    QTest::newRow("only the URL in the environment")
        << Environment{envBackend.at(0), {"TAVRIN_SUPABASE_ANON_KEY", "  "}} << goodFile << none << none
        << "https://file.supabase.co" << "file-key" << "https://file.supabase.co/functions/v1";
    QTest::newRow("only the functions URL in the environment")
        << Environment{{"TAVRIN_SUPABASE_FUNCTIONS_URL", "https://file.supabase.co/edge"}} << goodFile << none << none
        << "https://file.supabase.co" << "file-key" << "https://file.supabase.co/functions/v1";

    QTest::newRow("support folder first")
        << Environment{} << QByteArray(R"({"url": "https://one.supabase.co", "anon_key": "k1"})")
        << QByteArray(R"({"url": "https://two.supabase.co", "anon_key": "k2"})") << goodFile
        << "https://one.supabase.co" << "k1" << "https://one.supabase.co/functions/v1";
    QTest::newRow("home folder second")
        << Environment{} << none << QByteArray(R"({"url": "https://two.supabase.co", "anon_key": "k2"})") << goodFile
        << "https://two.supabase.co" << "k2" << "https://two.supabase.co/functions/v1";
    QTest::newRow("working folder last") << Environment{} << none << none << goodFile << "https://file.supabase.co"
                                         << "file-key" << "https://file.supabase.co/functions/v1";
    QTest::newRow("nothing anywhere") << Environment{} << none << none << none << refused << "" << "";

    QTest::newRow("empty supabase_url falls to url")
        << Environment{}
        << QByteArray(R"({"supabase_url": "", "url": "https://alias.supabase.co", "supabase_anon_key": "k"})")
        << none << none << "https://alias.supabase.co" << "k" << "https://alias.supabase.co/functions/v1";
    QTest::newRow("empty anon_key falls to supabase_anon_key")
        << Environment{}
        << QByteArray(R"({"supabase_url": "https://a.supabase.co", "anon_key": "", "supabase_anon_key": "k2",
                         "functions_url": "https://a.supabase.co/fn/", "other": 1})")
        << none << none << "https://a.supabase.co" << "k2" << "https://a.supabase.co/fn";
    QTest::newRow("supabase_url wins over url")
        << Environment{}
        << QByteArray(R"({"supabase_url": "https://first.supabase.co", "url": "https://second.supabase.co",
                         "anon_key": "k"})")
        << none << none << "https://first.supabase.co" << "k" << "https://first.supabase.co/functions/v1";

    QTest::newRow("project placeholder skipped")
        << Environment{} << QByteArray(R"({"url": "https://YOUR_PROJECT.supabase.co", "anon_key": "k"})") << goodFile
        << none << "https://file.supabase.co" << "file-key" << "https://file.supabase.co/functions/v1";
    QTest::newRow("key placeholder skipped")
        << Environment{} << QByteArray(R"({"url": "https://a.supabase.co", "anon_key": "YOUR_SUPABASE_ANON_KEY"})")
        << none << goodFile << "https://file.supabase.co" << "file-key" << "https://file.supabase.co/functions/v1";
    QTest::newRow("invalid JSON and array skipped") << Environment{} << QByteArray("{ not json") << QByteArray("[1]")
                                                    << goodFile << "https://file.supabase.co" << "file-key"
                                                    << "https://file.supabase.co/functions/v1";
    QTest::newRow("functions on other host skips the file")
        << Environment{}
        << QByteArray(R"({"url": "https://a.supabase.co", "anon_key": "k", "functions_url": "https://b.example"})")
        << goodFile << none << "https://file.supabase.co" << "file-key" << "https://file.supabase.co/functions/v1";
    QTest::newRow("number as URL refused") << Environment{} << QByteArray(R"({"url": 5, "anon_key": "k"})") << none
                                           << none << refused << "" << "";
}

void CloudConfigTest::loadConfig()
{
    QFETCH(Environment, environment);
    QFETCH(QByteArray, support);
    QFETCH(QByteArray, home);
    QFETCH(QByteArray, working);
    QFETCH(QString, url);
    QFETCH(QString, key);
    QFETCH(QString, functions);

    for (const auto& [name, value] : environment)
        qputenv(name.constData(), value);
    const QList<QPair<QString, QByteArray>> files{{supportFile(), support}, {homeFile(), home}, {workingFile(), working}};
    for (const auto& [path, content] : files) {
        if (!content.isEmpty())
            write(path, content);
    }

    const std::optional<SupabaseConfig> config = SupabaseClient::loadConfig();
    QCOMPARE(config ? config->url() : refused, url);
    if (config) {
        QCOMPARE(config->anonKey(), key);
        QCOMPARE(config->functionsURL(), functions);
    }
}

QTEST_GUILESS_MAIN(CloudConfigTest)
#include "tst_cloud_config.moc"
