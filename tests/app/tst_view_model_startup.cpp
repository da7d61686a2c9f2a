// The view model's start-up: its first state, the start lines, the stored
// language, the working catalog from the cached cloud rows and the paths.

#include "ViewModelHarness.h"
#include "catalog/Catalog.h"
#include "platform/AppRuntime.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;

namespace {

QJsonObject overlayRow(const QString& id, const QJsonValue& active, const QJsonValue& order)
{
    QJsonObject row{{QStringLiteral("item_id"), id}};
    if (!active.isUndefined())
        row.insert(QStringLiteral("is_active"), active);
    if (!order.isUndefined())
        row.insert(QStringLiteral("sort_order"), order);
    return row;
}

QJsonObject disablingPolicy(const QStringList& ids)
{
    return QJsonObject{{QStringLiteral("policy"),
                        QJsonObject{{QStringLiteral("disabled_item_ids"), QJsonArray::fromStringList(ids)}}}};
}

} // namespace

class ViewModelStartupTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void startsWithThreeLinesAndItsFirstState();
    void storedLanguage_data();
    void storedLanguage();
    void cachedRows_data();
    void cachedRows();
    void paths_data();
    void paths();
    void sheetsAndToasts();
};

void ViewModelStartupTest::startsWithThreeLinesAndItsFirstState()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.start();
    const AppStrings english(AppLanguage::english);

    // Before any background result is in: the start lines, the refresh's
    // status line and the seeded catalog.
    QCOMPARE(model.logLines(), (QStringList{
                                   QStringLiteral("[09:08:07] Khởi động UI native SwiftUI/AppKit."),
                                   QStringLiteral("[09:08:07] Catalog Linux đã map sang macOS: 28 mục."),
                                   QStringLiteral("[09:08:07] Bắt đầu refresh trạng thái native backend."),
                               }));
    QCOMPARE(model.currentAction(), english.checkingInstalledStatus());
    QCOMPARE(model.catalogItems(), Catalog::items());
    QCOMPARE(model.selectedGroupID(), QStringLiteral("all"));
    QCOMPARE(model.operationSummaryText(), english.operationSummary(0, 0));
    QCOMPARE(model.cloudOutput(), QStringLiteral("No device data yet."));
    QCOMPARE(model.coreReadinessLabel(), QStringLiteral("CHECK"));
    QCOMPARE(model.coreReadinessLevel(), SystemCheck::Level::warn);
    QCOMPARE(model.coreReadinessDetail(), english.text(AppI18nKey::checkingCore));
    QCOMPARE(model.auditProgressDetailText(), QStringLiteral("Preparing macOS inventory"));
    QCOMPARE(model.reportProfile(), MacReportProfile());
    QCOMPARE(model.operationProgressText(), QStringLiteral("0%"));
    QVERIFY(!model.showOperationProgress());
    QVERIFY(!model.isInstalling());
    QVERIFY(!model.toast());
    QVERIFY(!model.updateRequired());

    QVERIFY(harness.settle());
    QVERIFY(
        model.logLines().contains(QStringLiteral("[09:08:07] Release policy không khả dụng; app tiếp tục fail-open.")));
    QCOMPARE(harness.cloud->calls(FakeCloud::Operation::releasePolicy).size(), 1);
    QCOMPARE(harness.engine->calls(FakeEngine::Operation::statuses).size(), 1);
    // Every engine and cloud call ran off the GUI thread.
    QVERIFY(harness.engine->noCallOn(QThread::currentThread()));
    for (const FakeCloud::Call& call : harness.cloud->calls())
        QVERIFY(call.thread != QThread::currentThread());
    QVERIFY(!model.toast());
}

void ViewModelStartupTest::storedLanguage_data()
{
    QTest::addColumn<std::optional<QString>>("stored");
    QTest::addColumn<AppLanguage>("language");

    QTest::newRow("vi") << std::optional<QString>(QStringLiteral("vi")) << AppLanguage(AppLanguage::vietnamese);
    QTest::newRow("ja") << std::optional<QString>(QStringLiteral("ja")) << AppLanguage(AppLanguage::japanese);
    QTest::newRow("unknown code") << std::optional<QString>(QStringLiteral("VI")) << AppLanguage(AppLanguage::english);
    QTest::newRow("nothing stored") << std::optional<QString>() << AppLanguage(AppLanguage::english);
}

void ViewModelStartupTest::storedLanguage()
{
    QFETCH(std::optional<QString>, stored);
    QFETCH(AppLanguage, language);

    ViewModelHarness harness;
    if (stored)
        harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), *stored);
    DevivuKitViewModel& model = harness.start();

    const AppStrings texts(language);
    QCOMPARE(model.language(), language);
    QCOMPARE(model.currentAction(), texts.checkingInstalledStatus());
    QCOMPARE(model.operationSummaryText(), texts.operationSummary(0, 0));
    QCOMPARE(model.cloudOutput(), texts.text(AppI18nKey::noDeviceData));
    QCOMPARE(model.coreReadinessDetail(), texts.text(AppI18nKey::checkingCore));
    QCOMPARE(model.auditProgressDetailText(), QStringLiteral("Preparing macOS inventory"));
    if (language != AppLanguage::english)
        QVERIFY(model.cloudOutput() != AppStrings(AppLanguage::english).text(AppI18nKey::noDeviceData));
}

void ViewModelStartupTest::cachedRows_data()
{
    QTest::addColumn<QList<QJsonObject>>("catalogRows");
    QTest::addColumn<QList<QJsonObject>>("policyRows");
    QTest::addColumn<QStringList>("first");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<int>("count");

    const QStringList compiledFirst{QStringLiteral("libreoffice"), QStringLiteral("ibus-unikey")};
    const QList<QJsonObject> overlay{
        overlayRow(QStringLiteral("vlc"), false, QJsonValue::Undefined),
        overlayRow(QStringLiteral("gimp"), QJsonValue::Undefined, 1),
        overlayRow(QStringLiteral("keepassxc"), true, 0),
        overlayRow(QStringLiteral("unknown-entry"), false, 0),
    };

    QTest::newRow("no cache files") << QList<QJsonObject>() << QList<QJsonObject>() << compiledFirst << QStringList()
                                    << 28;
    QTest::newRow("overlay hides and sorts")
        << overlay << QList<QJsonObject>()
        << QStringList{QStringLiteral("keepassxc"), QStringLiteral("gimp"), QStringLiteral("libreoffice")}
        << QStringList{QStringLiteral("vlc")} << 27;
    QTest::newRow("then a policy disables")
        << overlay << QList<QJsonObject>{disablingPolicy({QStringLiteral("keepassxc"), QStringLiteral("ibus-unikey")})}
        << QStringList{QStringLiteral("gimp"), QStringLiteral("libreoffice"), QStringLiteral("devivu-fonts")}
        << QStringList{QStringLiteral("vlc"), QStringLiteral("keepassxc"), QStringLiteral("ibus-unikey")} << 25;
}

void ViewModelStartupTest::cachedRows()
{
    QFETCH(QList<QJsonObject>, catalogRows);
    QFETCH(QList<QJsonObject>, policyRows);
    QFETCH(QStringList, first);
    QFETCH(QStringList, absent);
    QFETCH(int, count);

    ViewModelHarness harness;
    harness.cloud->setCachedCatalogRows(catalogRows);
    harness.cloud->setCachedBusinessPolicyRows(policyRows);
    harness.engine->hold(FakeEngine::Operation::statuses);
    DevivuKitViewModel& model = harness.start();

    const QStringList catalog = ViewModelHarness::ids(model.catalogItems());
    QCOMPARE(catalog.size(), count);
    QCOMPARE(catalog.mid(0, first.size()), first);
    for (const QString& id : absent)
        QVERIFY2(!catalog.contains(id), qPrintable(id));
    QCOMPARE(model.logLines().value(1), QStringLiteral("[09:08:07] Catalog Linux đã map sang macOS: ")
                                            + QString::number(count) + QStringLiteral(" mục."));
    // Statuses are seeded for the working catalog only.
    QStringList seeded = model.statuses().keys();
    seeded.sort();
    QStringList sorted = catalog;
    sorted.sort();
    QCOMPARE(seeded, sorted);
}

void ViewModelStartupTest::paths_data()
{
    QTest::addColumn<std::optional<QByteArray>>("variable");
    QTest::addColumn<QString>("expected"); // "<support>" and "<home>" stand for the folders

    QTest::newRow("unset") << std::optional<QByteArray>()
                           << QStringLiteral("<support>/Reports/tavrin-office-kit-report.txt");
    QTest::newRow("blank") << std::optional<QByteArray>(" \n\t")
                           << QStringLiteral("<support>/Reports/tavrin-office-kit-report.txt");
    QTest::newRow("tilde") << std::optional<QByteArray>("~/r.txt") << QStringLiteral("<home>/r.txt");
}

void ViewModelStartupTest::paths()
{
    QFETCH(std::optional<QByteArray>, variable);
    QFETCH(QString, expected);

    ViewModelHarness harness;
    if (variable)
        qputenv(AppRuntime::reportFileVariable, *variable);
    DevivuKitViewModel& model = harness.start();

    QCOMPARE(AppRuntime::homeDirectory(), ViewModelTestEnvironment::home());
    expected.replace(QStringLiteral("<support>"), harness.environment.configFolder());
    expected.replace(QStringLiteral("<home>"), ViewModelTestEnvironment::home());
    QCOMPARE(model.reportPath(), expected);
    QCOMPARE(model.logPath(), harness.environment.logFolder() + QStringLiteral("/tavrin-office-kit.log"));
}

void ViewModelStartupTest::sheetsAndToasts()
{
    InstalledMacApplication fromFolder;
    fromFolder.identifier = QStringLiteral("org.example.viewer");
    fromFolder.source = QStringLiteral("Applications");
    InstalledMacApplication fromHomebrew = fromFolder;
    fromHomebrew.source = QStringLiteral("Homebrew");

    QCOMPARE(Sheet::itemDetail(Catalog::items().value(0)).id(), QStringLiteral("item-libreoffice"));
    QCOMPARE(Sheet::auditDetail(fromFolder).id(), QStringLiteral("audit-org.example.viewer-Applications"));
    QCOMPARE(Sheet::auditDetail(fromHomebrew).id(), QStringLiteral("audit-org.example.viewer-Homebrew"));
    const QStringList plain{Sheet::settings().id(), Sheet::systemChecks().id(), Sheet::report().id(),
                            Sheet::cloudTools().id()};
    QCOMPARE(plain, (QStringList{QStringLiteral("settings"), QStringLiteral("system-checks"), QStringLiteral("report"),
                                 QStringLiteral("cloud-tools")}));

    using Toast = DevivuKitViewModel::ToastMessage;
    const Toast first{QUuid::createUuid(), QStringLiteral("Copied"), Toast::Kind::success};
    Toast second = first;
    QCOMPARE(second, first);
    second.id = QUuid::createUuid();
    QVERIFY(second != first);
}

QTEST_MAIN(ViewModelStartupTest)
#include "tst_view_model_startup.moc"
