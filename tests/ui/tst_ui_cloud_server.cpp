// The cloud tools sheet against the loopback HTTPS server: the view model's
// cloud is the program's own adapter over a client of the server. Each
// button's request reaches its endpoint and the box shows the server's
// message, with a success toast or, for a refusal, a warning toast; while an
// update is required nothing is sent.

#include "CloudSheetTesting.h"
#include "ViewModelHarness.h"
#include "app/SupabaseCloud.h"
#include "cloud/CloudTestClient.h"
#include "support/LoopbackHttpsServer.h"
#include "ui/kit/FilledBox.h"
#include "ui/kit/SelectableText.h"

#include <QJsonArray>
#include <QtTest>

using namespace CloudSheetTesting;
using Response = LoopbackHttpsServer::Response;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const QString anonKey = QStringLiteral("anon-key-cloud-sheet-7d21");
const QString catalogPath = QStringLiteral("/rest/v1/app_catalog");
const QString uploadPath = QStringLiteral("/functions/v1/upload-install-report");
const QString workspacePath = QStringLiteral("/functions/v1/manage-technician-workspace");
const QString businessPath = QStringLiteral("/functions/v1/business-device-config");
const QString policyPath = QStringLiteral("/functions/v1/release-policy");

const QByteArray workspaceAnswer = R"({"workspace": {"display_name": "Tiệm Sửa Lan"},
                                       "profiles": [{"name": "Văn phòng"}, {"name": "Kế toán"}]})";
const QString workspaceMessage = QStringLiteral("Đã đồng bộ Tiệm Sửa Lan: 2 profile dùng chung.");

// A request as "METHOD path", then the body's telling fields as key=value.
QString describe(const LoopbackHttpsServer::Request& request)
{
    QStringList parts{QString::fromLatin1(request.method), request.path};
    const QJsonObject body = jsonBody(request);
    for (const char* key : {"action", "display_name", "logo_data_url", "name", "item_ids", "department", "asset_code"}) {
        if (!body.contains(QLatin1String(key)))
            continue;
        const QJsonValue value = body.value(QLatin1String(key));
        QStringList texts;
        for (const QJsonValue& item : value.isArray() ? value.toArray() : QJsonArray{value})
            texts.append(item.isNull() ? QStringLiteral("null") : item.toVariant().toString());
        parts.append(QLatin1String(key) + u'=' + texts.join(u','));
    }
    return parts.join(u' ');
}

// A view model whose cloud talks to the server, after its start-up (which
// asks the server for the release policy) settled.
DevivuKitViewModel& startOnServer(ViewModelHarness& harness, const LoopbackHttpsServer& server)
{
    DevivuKitViewModel::Dependencies dependencies = harness.dependencies();
    dependencies.cloud =
        SupabaseCloud::factory(SupabaseClient::makeConfig(server.baseUrl(), anonKey, QString()),
                               std::chrono::seconds(20), server.clientConfiguration(), testHost());
    DevivuKitViewModel& model = harness.start(dependencies);
    if (!harness.settle())
        qWarning("the start-up did not settle");
    return model;
}

} // namespace

class UiCloudServerTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void buttonsReachTheServer_data();
    void buttonsReachTheServer();
    void updateRequiredSendsNothing();
};

void UiCloudServerTest::buttonsReachTheServer_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QList<Response>>("answers");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<QString>("message");

    const QString get = "POST " + workspacePath + " action=get";
    const QString branding = "POST " + workspacePath + " action=update_branding display_name=Shop logo_data_url=null";
    const QString profile = "POST " + workspacePath + " action=save_profile name=Văn phòng item_ids=word,vlc";
    const QString fetch = "POST " + businessPath + " action=fetch department= asset_code=";
    const QString update = "POST " + businessPath + " action=update department=Kế toán asset_code=TS-0042";

    QTest::newRow("Sync catalog") << "cloud-sync-catalog" << catalogPath
                                  << QList{Response::json(200, R"([{"item_id": "gimp", "is_active": false}])")}
                                  << QStringList{"GET " + catalogPath} << true << "Đã đồng bộ 1 app từ Supabase.";
    QTest::newRow("Sync catalog refused")
        << "cloud-sync-catalog" << catalogPath
        << QList{Response::json(404, R"({"error": "relation_missing", "detail": "app_catalog"})")}
        << QStringList{"GET " + catalogPath} << false
        << "Không đồng bộ được catalog: relation_missing Chi tiết: app_catalog";
    QTest::newRow("Upload report") << "cloud-upload-report" << uploadPath
                                   << QList{Response::json(200, R"({"run_id": "run-7"})")}
                                   << QStringList{"POST " + uploadPath} << true << "Đã upload report: run-7";
    QTest::newRow("Upload report refused")
        << "cloud-upload-report" << uploadPath << QList{Response::json(403, R"({"error": "device_not_registered"})")}
        << QStringList{"POST " + uploadPath} << false << "Upload report thất bại: device_not_registered";
    QTest::newRow("Sync workspace") << "cloud-sync-workspace" << workspacePath
                                    << QList{Response::json(200, workspaceAnswer)} << QStringList{get} << true
                                    << workspaceMessage;
    QTest::newRow("Sync workspace refused")
        << "cloud-sync-workspace" << workspacePath
        << QList{Response::json(403, R"({"error": "not_workspace_member"})")} << QStringList{get} << false
        << "Không đồng bộ được workspace: not_workspace_member";
    QTest::newRow("Save branding, then the workspace sync")
        << "cloud-save-branding" << workspacePath
        << QList{Response::json(200, R"({"workspace": {"display_name": "Shop"}})"), Response::json(200, workspaceAnswer)}
        << QStringList{branding, get} << true << workspaceMessage;
    QTest::newRow("Save branding refused")
        << "cloud-save-branding" << workspacePath
        << QList{Response::json(400, R"({"error": "invalid_logo", "detail": "PNG hoặc JPEG"})")}
        << QStringList{branding} << false << "Không lưu được branding: invalid_logo Chi tiết: PNG hoặc JPEG";
    QTest::newRow("Save shared profile, then the workspace sync")
        << "cloud-save-profile" << workspacePath
        << QList{Response::json(200, R"({"profile": {"id": "p-9"}})"), Response::json(200, workspaceAnswer)}
        << QStringList{profile, get} << true << workspaceMessage;
    QTest::newRow("Save shared profile refused")
        << "cloud-save-profile" << workspacePath << QList{Response::json(422, R"({"error": "unknown_item_ids"})")}
        << QStringList{profile} << false << "Không lưu được profile: unknown_item_ids";
    QTest::newRow("Fetch configuration")
        << "cloud-fetch-config" << businessPath
        << QList{Response::json(200, R"({"organization": {"name": "Công ty An"},
                                         "policies": [{"policy": {"disabled_item_ids": ["vlc"]}}]})")}
        << QStringList{fetch} << true << "Đã áp 1 policy từ Công ty An.";
    QTest::newRow("Fetch configuration refused")
        << "cloud-fetch-config" << businessPath << QList{Response::json(404, R"({"error": "device_not_enrolled"})")}
        << QStringList{fetch} << false << "Không tải được cấu hình Business: device_not_enrolled";
    QTest::newRow("Save device fields") << "cloud-save-device" << businessPath
                                        << QList{Response::json(200, R"({"policies": []})")} << QStringList{update}
                                        << true << "Đã áp 0 policy từ Business organization.";
    QTest::newRow("Save device fields refused")
        << "cloud-save-device" << businessPath << QList{Response::json(403, R"({"error": "not_allowed"})")}
        << QStringList{update} << false << "Không tải được cấu hình Business: not_allowed";
}

void UiCloudServerTest::buttonsReachTheServer()
{
    QFETCH(QString, button);
    QFETCH(QString, path);
    QFETCH(QList<Response>, answers);
    QFETCH(QStringList, requests);
    QFETCH(bool, ok);
    QFETCH(QString, message);

    ViewModelHarness harness;
    harness.engine->setStatusSnapshot({{{"item_id", "vlc"}, {"status", "installed"}}});
    LoopbackHttpsServer server;
    for (const Response& answer : std::as_const(answers))
        server.respondOnce(path, answer);
    DevivuKitViewModel& model = startOnServer(harness, server);
    const qsizetype startUp = server.requests().size();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    opened.type("cloud-branding-name", "  Shop  ");
    opened.type("cloud-profile-name", "Văn phòng");
    opened.type("cloud-profile-ids", "word,vlc");
    opened.type("cloud-department", " Kế toán ");
    opened.type("cloud-asset-code", "TS-0042 ");

    QTest::mouseClick(opened.button(button), Qt::LeftButton);
    // The progress text shows at once.
    QVERIFY(opened.sheet->outputBox()->isVisible());
    QVERIFY(harness.settle());

    QStringList sent;
    const auto all = server.requests();
    for (qsizetype i = startUp; i < all.size(); ++i)
        sent.append(describe(all.at(i)));
    QCOMPARE(sent, requests);
    QCOMPARE(model.cloudOutput(), message);
    QVERIFY(opened.sheet->outputBox()->isVisible());
    QCOMPARE(opened.sheet->outputText()->text(), message);
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, message);
    QCOMPARE(model.toast()->kind, ok ? Toast::Kind::success : Toast::Kind::warning);
}

void UiCloudServerTest::updateRequiredSendsNothing()
{
    ViewModelHarness harness;
    LoopbackHttpsServer server;
    server.respond(policyPath, Response::json(200, R"({"update_required": true, "message": "Cập nhật lên bản 3.0",
                                                        "latest_version": "3.0"})"));
    server.respond(catalogPath, Response::json(200, "[]"));
    DevivuKitViewModel& model = startOnServer(harness, server);
    QVERIFY(model.updateRequired());
    const int handshakes = server.handshakesStarted();
    const qsizetype requests = server.requests().size();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());

    QTest::mouseClick(opened.button("cloud-sync-catalog"), Qt::LeftButton);
    QVERIFY(harness.settle());

    QCOMPARE(server.handshakesStarted(), handshakes);
    QCOMPARE(server.requests().size(), requests);
    QCOMPARE(model.cloudOutput(), QStringLiteral("Cập nhật lên bản 3.0"));
    QCOMPARE(model.cloudOutput(), model.updateMessage());
    QVERIFY(opened.sheet->outputBox()->isVisible());
    QCOMPARE(opened.sheet->outputText()->text(), model.updateMessage());
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->kind, Toast::Kind::warning);
}

QTEST_MAIN(UiCloudServerTest)
#include "tst_ui_cloud_server.moc"
