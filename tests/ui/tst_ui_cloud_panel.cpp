// The cloud management panel on the view model over its fakes: what each of
// its seven buttons sends, exactly as typed, and its two disabled rules.

#include "CloudSheetTesting.h"
#include "ViewModelHarness.h"
#include "catalog/Catalog.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace CloudSheetTesting;
using Operation = FakeCloud::Operation;
using Fields = QMap<QString, QString>;

Q_DECLARE_METATYPE(Operation)

namespace {

QList<FakeCloud::Call> actionCalls(const FakeCloud& cloud)
{
    QList<FakeCloud::Call> calls = cloud.calls();
    calls.removeIf([](const FakeCloud::Call& call) { return call.operation == Operation::releasePolicy; });
    return calls;
}

// The ids the view model sends for a blank id text: the working catalog's
// entries of the standard groups, in catalog order.
QString standardIDs(const DevivuKitViewModel& model)
{
    QStringList ids;
    for (const AppItem& item : model.catalogItems()) {
        const QStringList groups = item.groups();
        if (std::any_of(groups.cbegin(), groups.cend(),
                        [](const QString& group) { return Catalog::standardGroups().contains(group); }))
            ids.append(item.id);
    }
    return ids.join(u',');
}

// Every field filled, with blanks around most texts.
const Fields filled{
    {"cloud-branding-name", "  Shop  "},
    {"cloud-profile-name", " Văn phòng "},
    {"cloud-profile-ids", " Word,, excel ,"},
    {"cloud-department", " Kế toán "},
    {"cloud-asset-code", "TS-0042  "},
};

Fields with(Fields fields, const QString& name, const QString& text)
{
    fields.insert(name, text);
    return fields;
}

} // namespace

class UiCloudPanelTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void arguments_data();
    void arguments();
    void enablement_data();
    void enablement();
    void disabledButtonsSendNothing();
};

void UiCloudPanelTest::arguments_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<Fields>("fields");
    QTest::addColumn<Operation>("operation");
    // "<standard ids>" stands for the view model's default list.
    QTest::addColumn<QStringList>("arguments");

    QTest::newRow("Sync catalog") << "cloud-sync-catalog" << filled << Operation::syncCatalog << QStringList();
    QTest::newRow("Upload report") << "cloud-upload-report" << filled << Operation::uploadReport
                                   << QStringList{"vlc"};
    QTest::newRow("Sync workspace") << "cloud-sync-workspace" << filled << Operation::syncTechnicianWorkspace
                                    << QStringList();
    QTest::newRow("Save branding: untrimmed, no logo")
        << "cloud-save-branding" << filled << Operation::updateTechnicianBranding
        << QStringList{"  Shop  ", "<none>"};
    QTest::newRow("Save shared profile: as typed")
        << "cloud-save-profile" << filled << Operation::saveTechnicianProfile
        << QStringList{" Văn phòng ", " Word,, excel ,"};
    QTest::newRow("Save shared profile: empty ids")
        << "cloud-save-profile" << with(filled, "cloud-profile-ids", "") << Operation::saveTechnicianProfile
        << QStringList{" Văn phòng ", "<standard ids>"};
    QTest::newRow("Fetch configuration: fields not sent")
        << "cloud-fetch-config" << filled << Operation::businessDeviceConfig << QStringList{"fetch", "", ""};
    QTest::newRow("Save device fields: as typed")
        << "cloud-save-device" << filled << Operation::businessDeviceConfig
        << QStringList{"update", " Kế toán ", "TS-0042  "};
    QTest::newRow("Save device fields: empty fields")
        << "cloud-save-device" << with(with(filled, "cloud-department", ""), "cloud-asset-code", "")
        << Operation::businessDeviceConfig << QStringList{"update", "", ""};
}

void UiCloudPanelTest::arguments()
{
    QFETCH(QString, button);
    QFETCH(Fields, fields);
    QFETCH(Operation, operation);
    QFETCH(QStringList, arguments);

    ViewModelHarness harness;
    harness.engine->setStatusSnapshot({{{"item_id", "vlc"}, {"status", "installed"}}});
    harness.cloud->setResult(operation, {true, QStringLiteral("Xong.")});
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    for (auto field = fields.cbegin(); field != fields.cend(); ++field)
        opened.type(field.key(), field.value());
    arguments.replaceInStrings(QStringLiteral("<standard ids>"), standardIDs(model));

    QTest::mouseClick(opened.button(button), Qt::LeftButton);
    QVERIFY(harness.settle());

    const QList<FakeCloud::Call> calls = actionCalls(*harness.cloud);
    QCOMPARE(calls.size(), 1);
    QCOMPARE(calls.constFirst().operation, operation);
    QCOMPARE(calls.constFirst().arguments, arguments);
    QCOMPARE(model.cloudOutput(), QStringLiteral("Xong."));
    // No field is cleared, the panel stays open.
    for (auto field = fields.cbegin(); field != fields.cend(); ++field)
        QCOMPARE(opened.field(field.key())->text(), field.value());
    QVERIFY(opened.sheet->panel()->isExpanded());
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::cloudTools()));
}

void UiCloudPanelTest::enablement_data()
{
    QTest::addColumn<QString>("branding");
    QTest::addColumn<QString>("profileName");
    QTest::addColumn<QString>("profileIDs");
    QTest::addColumn<bool>("saveBranding");
    QTest::addColumn<bool>("saveProfile");

    QTest::newRow("empty") << "" << "" << "" << false << false;
    QTest::newRow("spaces") << "   " << " " << "word" << false << false;
    QTest::newRow("line breaks") << "\n" << "\r\n\n" << "word" << false << false;
    QTest::newRow("spaces, tabs and line breaks") << " \n\t " << "\t\n " << "" << false << false;
    QTest::newRow("no-break and ideographic spaces") << "\u00a0" << "\u3000" << "" << false << false;
    QTest::newRow("surrounding spaces") << "  Shop  " << " Lan " << "" << true << true;
    QTest::newRow("one character") << "x" << "y" << " " << true << true;
    QTest::newRow("name between line breaks") << "\nShop\n" << "\nLan" << "" << true << true;
}

void UiCloudPanelTest::enablement()
{
    QFETCH(QString, branding);
    QFETCH(QString, profileName);
    QFETCH(QString, profileIDs);
    QFETCH(bool, saveBranding);
    QFETCH(bool, saveProfile);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    QVERIFY(!opened.button("cloud-save-branding")->isEnabled());
    QVERIFY(!opened.button("cloud-save-profile")->isEnabled());

    // As pasted: line breaks stay in the field.
    opened.field("cloud-branding-name")->insert(branding);
    opened.field("cloud-profile-name")->insert(profileName);
    opened.field("cloud-profile-ids")->insert(profileIDs);
    QCOMPARE(opened.field("cloud-branding-name")->text(), branding);
    QCOMPARE(opened.field("cloud-profile-name")->text(), profileName);

    QCOMPARE(opened.button("cloud-save-branding")->isEnabled(), saveBranding);
    QCOMPARE(opened.button("cloud-save-profile")->isEnabled(), saveProfile);
    for (const QString& name : panelButtonNames) {
        if (name != QLatin1String("cloud-save-branding") && name != QLatin1String("cloud-save-profile"))
            QVERIFY2(opened.button(name)->isEnabled(), qPrintable(name));
    }
}

void UiCloudPanelTest::disabledButtonsSendNothing()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    opened.type("cloud-branding-name", "   ");
    opened.type("cloud-profile-ids", "word");
    const QString output = model.cloudOutput();

    QTest::mouseClick(opened.button("cloud-save-branding"), Qt::LeftButton);
    QTest::mouseClick(opened.button("cloud-save-profile"), Qt::LeftButton);
    QVERIFY(harness.settle());

    QVERIFY(actionCalls(*harness.cloud).isEmpty());
    QCOMPARE(model.cloudOutput(), output);
}

QTEST_MAIN(UiCloudPanelTest)
#include "tst_ui_cloud_panel.moc"
