// The view model's cloud actions: progress texts, the shared finish, the
// catalog rebuilt after a catalog sync or a Business configuration, the shared
// profile's default ids and the upload's order.

#include "ViewModelHarness.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QtTest>

using Operation = FakeCloud::Operation;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const QString catalogSync = QStringLiteral("sync");
const QString upload = QStringLiteral("upload");
const QString workspace = QStringLiteral("workspace");
const QString branding = QStringLiteral("branding");
const QString sharedProfile = QStringLiteral("profile");
const QString business = QStringLiteral("business");

Operation operation(const QString& action)
{
    if (action == catalogSync)
        return Operation::syncCatalog;
    if (action == upload)
        return Operation::uploadReport;
    if (action == workspace)
        return Operation::syncTechnicianWorkspace;
    if (action == branding)
        return Operation::updateTechnicianBranding;
    if (action == sharedProfile)
        return Operation::saveTechnicianProfile;
    return Operation::businessDeviceConfig;
}

void run(DevivuKitViewModel& model, const QString& action)
{
    if (action == catalogSync)
        model.syncCatalog();
    else if (action == upload)
        model.uploadReport();
    else if (action == workspace)
        model.syncTechnicianWorkspace();
    else if (action == branding)
        model.updateTechnicianBranding(QStringLiteral("Tiệm A"), std::nullopt);
    else if (action == sharedProfile)
        model.saveTechnicianProfile(QStringLiteral("Văn phòng"), QStringLiteral("vlc"));
    else
        model.businessDeviceConfig(QStringLiteral("fetch"), QString(), QString());
}

QJsonObject hidingRow(const QString& id)
{
    return QJsonObject{{QStringLiteral("item_id"), id}, {QStringLiteral("is_active"), false}};
}

QJsonObject disablingPolicy(const QString& id)
{
    return QJsonObject{{QStringLiteral("policy"),
                        QJsonObject{{QStringLiteral("disabled_item_ids"), QJsonArray{id}}}}};
}

QStringList withoutStamps(const QStringList& lines)
{
    QStringList found;
    for (const QString& line : lines)
        found.append(line.mid(11));
    return found;
}

} // namespace

class ViewModelCloudTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void progressAndFinish_data();
    void progressAndFinish();
    void rebuildHidesAnEntry_data();
    void rebuildHidesAnEntry();
    void failureKeepsCatalogAndStatuses_data();
    void failureKeepsCatalogAndStatuses();
    void sharedProfileIds_data();
    void sharedProfileIds();
    void argumentsGoUnchanged();
    void uploadReadsTheStatusesFirst();
};

void ViewModelCloudTest::progressAndFinish_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("inStatusLine");

    for (const QString code : {QStringLiteral("en"), QStringLiteral("vi"), QStringLiteral("ko")}) {
        const AppStrings texts(*AppLanguage::fromCode(code));
        const bool vi = code == QLatin1String("vi");
        const auto row = [&](const QString& action) -> QTestData& {
            return QTest::newRow(qPrintable(action + QLatin1Char(' ') + code)) << action << code;
        };
        row(catalogSync) << texts.syncingCatalog() + QStringLiteral("...") << true;
        row(upload) << texts.uploadingReport() + QStringLiteral("...") << true;
        row(workspace) << (vi ? QStringLiteral("Đang đồng bộ workspace cửa hàng…")
                              : QStringLiteral("Syncing repair-shop workspace…"))
                       << false;
        row(branding) << (vi ? QStringLiteral("Đang lưu tên và logo cửa hàng…")
                             : QStringLiteral("Saving repair-shop branding…"))
                      << false;
        row(sharedProfile) << (vi ? QStringLiteral("Đang lưu profile dùng chung…")
                                  : QStringLiteral("Saving shared setup profile…"))
                           << false;
        row(business) << (vi ? QStringLiteral("Đang tải cấu hình Business…")
                             : QStringLiteral("Loading Business configuration…"))
                      << false;
    }
}

void ViewModelCloudTest::progressAndFinish()
{
    QFETCH(QString, action);
    QFETCH(QString, code);
    QFETCH(QString, output);
    QFETCH(bool, inStatusLine);

    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
    harness.cloud->setResult(operation(action), {true, QStringLiteral("Đã xong.")});
    DevivuKitViewModel& model = harness.startSettled();
    const QString before = model.currentAction();
    const std::shared_ptr<Gate> request = harness.cloud->hold(operation(action));

    run(model, action);
    QVERIFY(request->waitArrived());
    QCOMPARE(model.cloudOutput(), output);
    QCOMPARE(model.currentAction(), inStatusLine ? output.chopped(3) : before);
    QVERIFY(!model.showOperationProgress());
    QVERIFY(harness.releaseAndSettle());

    const AppStrings texts(*AppLanguage::fromCode(code));
    QCOMPARE(model.cloudOutput(), QStringLiteral("Đã xong."));
    QVERIFY(withoutStamps(model.logLines()).contains(QStringLiteral("Đã xong.")));
    QCOMPARE(model.toast()->text, QStringLiteral("Đã xong."));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    // A rebuilt catalog starts a status refresh, whose line comes last.
    if (action == catalogSync || action == business)
        QCOMPARE(model.currentAction(), texts.statusRefreshed());
    else
        QCOMPARE(model.currentAction(), texts.cloudActionFinished());
    QCOMPARE(harness.cloud->calls(operation(action)).size(), 1);
    QVERIFY(harness.cloud->calls(operation(action)).constFirst().thread != QThread::currentThread());
}

void ViewModelCloudTest::rebuildHidesAnEntry_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("catalog sync") << catalogSync;
    QTest::newRow("Business configuration") << business;
}

void ViewModelCloudTest::rebuildHidesAnEntry()
{
    QFETCH(QString, action);

    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    harness.engine->setStatus(QStringLiteral("gimp"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::installed);
    harness.cloud->setResult(operation(action), {true, QStringLiteral("Đã đồng bộ.")});
    // The cache files as the request leaves them.
    if (action == catalogSync)
        harness.cloud->setCachedCatalogRows({hidingRow(QStringLiteral("vlc"))});
    else
        harness.cloud->setCachedBusinessPolicyRows({disablingPolicy(QStringLiteral("vlc"))});
    const std::shared_ptr<Gate> refresh = harness.engine->hold(FakeEngine::Operation::statuses);

    run(model, action);
    QTRY_COMPARE_WITH_TIMEOUT(model.cloudOutput(), QStringLiteral("Đã đồng bộ."), ViewModelHarness::waitMilliseconds);
    QVERIFY(refresh->waitArrived());

    // Gone and re-seeded while the refresh is still held.
    QCOMPARE(model.catalogItems().size(), 27);
    QVERIFY(!ViewModelHarness::ids(model.catalogItems()).contains(QStringLiteral("vlc")));
    QVERIFY(!model.statuses().contains(QStringLiteral("vlc")));
    QCOMPARE(model.statuses().value(QStringLiteral("gimp")), InstallStatus::missing);
    QCOMPARE(model.statuses().value(QStringLiteral("deja-dup")), InstallStatus::blocked);
    QCOMPARE(model.currentAction(), AppStrings().cloudActionFinished());
    const QStringList lines = withoutStamps(model.logLines());
    QCOMPARE(lines.mid(lines.size() - 2), (QStringList{QStringLiteral("Bắt đầu refresh trạng thái native backend."),
                                                       QStringLiteral("Đã đồng bộ.")}));

    refresh->release();
    QTRY_COMPARE_WITH_TIMEOUT(model.statuses().value(QStringLiteral("gimp")), InstallStatus::installed,
                              ViewModelHarness::waitMilliseconds);
    QVERIFY(!harness.engine->arguments(FakeEngine::Operation::statuses).constLast().contains(QStringLiteral("vlc")));
}

void ViewModelCloudTest::failureKeepsCatalogAndStatuses_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("catalog sync") << catalogSync;
    QTest::newRow("Business configuration") << business;
    QTest::newRow("workspace") << workspace;
}

void ViewModelCloudTest::failureKeepsCatalogAndStatuses()
{
    QFETCH(QString, action);

    ViewModelHarness harness;
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    const QList<AppItem> catalog = model.catalogItems();
    const QHash<QString, InstallStatus> statuses = model.statuses();
    const int statusReads = harness.engine->calls(FakeEngine::Operation::statuses).size();
    harness.cloud->setCachedCatalogRows({hidingRow(QStringLiteral("vlc"))});
    harness.cloud->setCachedBusinessPolicyRows({disablingPolicy(QStringLiteral("gimp"))});
    harness.cloud->setResult(operation(action), {false, QStringLiteral("Supabase trả lỗi HTTP 500.")});

    run(model, action);
    QVERIFY(harness.settle());

    QCOMPARE(model.catalogItems(), catalog);
    QCOMPARE(model.statuses(), statuses);
    QCOMPARE(harness.engine->calls(FakeEngine::Operation::statuses).size(), statusReads);
    // The client's message, three times.
    QCOMPARE(model.cloudOutput(), QStringLiteral("Supabase trả lỗi HTTP 500."));
    QCOMPARE(model.logLines().constLast(), QStringLiteral("[09:08:07] Supabase trả lỗi HTTP 500."));
    QCOMPARE(model.toast()->text, QStringLiteral("Supabase trả lỗi HTTP 500."));
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
    QCOMPARE(model.currentAction(), AppStrings().cloudActionFailed());
}

void ViewModelCloudTest::sharedProfileIds_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("sent");

    const QString standard = QStringLiteral("libreoffice,pdfarranger,onlyoffice-mime,scanner-tools");
    QTest::newRow("nothing typed") << "" << standard;
    QTest::newRow("only blanks and line breaks") << " \n\t \r\n" << standard;
    QTest::newRow("typed, sent as typed") << " vlc, gimp \n" << " vlc, gimp \n";
    QTest::newRow("a non-standard entry") << "telegram" << "telegram";
}

void ViewModelCloudTest::sharedProfileIds()
{
    QFETCH(QString, typed);
    QFETCH(QString, sent);

    ViewModelHarness harness;
    // Standard groups by their own group or an extra one, in catalog order;
    // kinds and duplicates of an install target are not looked at.
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("libreoffice"), QStringLiteral("telegram"),
                          QStringLiteral("pdfarranger"), QStringLiteral("onlyoffice-mime"),
                          QStringLiteral("scanner-tools")});
    DevivuKitViewModel& model = harness.startSettled();

    model.saveTechnicianProfile(QStringLiteral(" Văn phòng "), typed);
    QVERIFY(harness.settle());

    const QList<FakeCloud::Call> calls = harness.cloud->calls(Operation::saveTechnicianProfile);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.constFirst().arguments, (QStringList{QStringLiteral(" Văn phòng "), sent}));
}

void ViewModelCloudTest::argumentsGoUnchanged()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();

    model.updateTechnicianBranding(QStringLiteral(" Tiệm A "), std::nullopt);
    model.updateTechnicianBranding(QStringLiteral("Tiệm B"), QStringLiteral("data:image/png;base64,iVBO"));
    model.businessDeviceConfig(QStringLiteral("update"), QStringLiteral(" Kế toán "), QStringLiteral("MAC-01 "));
    QVERIFY(harness.settle());

    QList<QStringList> sent;
    for (const FakeCloud::Call& call : harness.cloud->calls())
        if (call.operation != Operation::releasePolicy)
            sent.append(call.arguments);
    std::sort(sent.begin(), sent.end());
    QCOMPARE(sent, (QList<QStringList>{
                       {QStringLiteral(" Tiệm A "), QStringLiteral("<none>")},
                       {QStringLiteral("Tiệm B"), QStringLiteral("data:image/png;base64,iVBO")},
                       {QStringLiteral("update"), QStringLiteral(" Kế toán "), QStringLiteral("MAC-01 ")},
                   }));
}

void ViewModelCloudTest::uploadReadsTheStatusesFirst()
{
    ViewModelHarness harness;
    harness.engine->setStatusSnapshot({
        {{QStringLiteral("item_id"), QStringLiteral("vlc")}, {QStringLiteral("status"), QStringLiteral("installed")}},
        {{QStringLiteral("item_id"), QStringLiteral("gimp")}, {QStringLiteral("status"), QStringLiteral("missing")}},
    });
    harness.cloud->setLogLines(Operation::uploadReport,
                               {QStringLiteral("Đang gửi 2 mục."), QStringLiteral("Máy chủ đã nhận.")});
    harness.cloud->setResult(Operation::uploadReport, {true, QStringLiteral("Đã upload report.")});
    DevivuKitViewModel& model = harness.startSettled();
    const qsizetype lines = model.logLines().size();

    model.uploadReport();
    QVERIFY(harness.settle());

    const QList<FakeEngine::Call> snapshots = harness.engine->calls(FakeEngine::Operation::installStatusSnapshot);
    const QList<FakeCloud::Call> uploads = harness.cloud->calls(Operation::uploadReport);
    QCOMPARE(snapshots.size(), 1);
    QCOMPARE(uploads.size(), 1);
    QCOMPARE(uploads.constFirst().arguments, (QStringList{QStringLiteral("vlc"), QStringLiteral("gimp")}));
    // One background task: the snapshot, then the request.
    QCOMPARE(snapshots.constFirst().thread, uploads.constFirst().thread);
    QVERIFY(uploads.constFirst().thread != QThread::currentThread());
    // The client's lines in the order it wrote them, then the finish's own.
    QCOMPARE(withoutStamps(model.logLines().mid(lines)),
             (QStringList{QStringLiteral("Supabase: Đang gửi 2 mục."), QStringLiteral("Supabase: Máy chủ đã nhận."),
                          QStringLiteral("Đã upload report.")}));
    QCOMPARE(model.currentAction(), AppStrings().cloudActionFinished());
}

QTEST_MAIN(ViewModelCloudTest)
#include "tst_view_model_cloud.moc"
