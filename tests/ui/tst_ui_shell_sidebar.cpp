// The sidebar and the settings sheet on the real view model over its fakes:
// the language picker and its live switch, how the sheet closes, the group
// buttons at mouse-down, the release gate in front of the audit entry, the
// presets and the report, the disabled presets and the summary card.

#include "CatalogEntry.h"
#include "TestApplication.h"
#include "WindowFixture.h"
#include "catalog/Catalog.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"
#include "ui/shell/SettingsView.h"
#include "ui/shell/SheetHost.h"
#include "ui/shell/SidebarHeaderView.h"
#include "ui/shell/SidebarView.h"
#include "ui/shell/SystemSummaryCard.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLayout>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;
using Operation = FakeEngine::Operation;

namespace {

const QString languageKey = QString::fromUtf8(AppLanguage::defaultsKey);

// Settings in memory that count the writes of the language.
class CountingSettings final : public SettingsStore {
public:
    std::optional<QString> text(const QString& key) const override { return m_values.text(key); }
    std::optional<QByteArray> bytes(const QString& key) const override { return m_values.bytes(key); }
    void setText(const QString& key, const QString& value) override
    {
        if (key == languageKey)
            ++languageWrites;
        m_values.setText(key, value);
    }
    void setBytes(const QString& key, const QByteArray& value) override { m_values.setBytes(key, value); }
    void remove(const QString& key) override { m_values.remove(key); }

    int languageWrites = 0;

private:
    MemorySettings m_values;
};

SettingsView* openSettings(WindowFixture& fixture)
{
    QTest::mouseClick(fixture.find<StyledButton>(QStringLiteral("settings-button")), Qt::LeftButton);
    return qobject_cast<SettingsView*>(fixture.window->sheetHost()->dialog());
}

// Picks a row of the picker as the user does: opens its menu and clicks the
// row.
void pick(QComboBox* picker, int row)
{
    picker->showPopup();
    QAbstractItemView* rows = picker->view();
    QVERIFY(QTest::qWaitForWindowExposed(rows->window()));
    const QRect box = rows->visualRect(picker->model()->index(row, 0));
    QTest::mouseClick(rows->viewport(), Qt::LeftButton, {}, box.center());
}

void requireUpdate(ViewModelHarness& harness)
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Update required");
    harness.cloud->setReleasePolicy(policy);
}

} // namespace

class UiShellSidebarTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void pickerListsTheFiveLanguages();
    void pickingKoreanStoresAndRetitles();
    void changeElsewhereMovesThePicker();
    void settingsCloses_data();
    void settingsCloses();
    void sidebarTitles();
    void groupsSelectAtMouseDownOncePerClick();
    void refusingReleaseStopsGatedActions();
    void sheetButtonsOpenWithoutTheGate();
    void presetsDisabledWhileInstalling();
    void presetButtonsInstall();
    void summaryCardFollowsTheAuditGroup();
};

void UiShellSidebarTest::pickerListsTheFiveLanguages()
{
    WindowFixture fixture;
    SettingsView* settings = openSettings(fixture);
    QVERIFY(settings);
    QCOMPARE(fixture.model().activeSheet(), Sheet::settings());
    QComboBox* picker = settings->findChild<QComboBox*>(QStringLiteral("settings-language-picker"));
    QVERIFY(picker);
    QStringList rows;
    for (int row = 0; row < picker->count(); ++row)
        rows.append(picker->itemText(row));
    QCOMPARE(rows, (QStringList{QStringLiteral("🇺🇸 English"), QStringLiteral("🇻🇳 Tiếng Việt"),
                                QStringLiteral("🇰🇷 한국어"), QStringLiteral("🇯🇵 日本語"),
                                QStringLiteral("🇨🇳 中文")}));
    QCOMPARE(picker->currentIndex(), 0);
    QVERIFY(picker->width() <= 260);
    QCOMPARE(settings->width(), 520);
}

void UiShellSidebarTest::pickingKoreanStoresAndRetitles()
{
    WindowFixture fixture;
    SettingsView* settings = openSettings(fixture);
    QSignalSpy languages(&fixture.model(), &DevivuKitViewModel::languageChanged);

    pick(settings->picker(), 2);
    QCOMPARE(languages.count(), 1);
    QCOMPARE(fixture.model().language(), AppLanguage(AppLanguage::korean));
    QCOMPARE(fixture.harness.settings->text(languageKey), QStringLiteral("ko"));

    // The sheet stays open, in Korean, re-fitted to its texts.
    const AppStrings korean(AppLanguage::korean);
    QCOMPARE(fixture.window->sheetHost()->dialog(), settings);
    QVERIFY(settings->isVisible());
    QCOMPARE(settings->titleText()->text(), korean.text(AppI18nKey::settings));
    QCOMPARE(settings->doneButton()->text(), korean.text(AppI18nKey::close));
    QCOMPARE(settings->width(), 520);
    QCOMPARE(settings->height(), settings->layout()->totalHeightForWidth(520));

    // And so is the sidebar.
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("settings-button"))->title(),
             korean.text(AppI18nKey::settings));
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-installStandard"))->title(),
             korean.text(AppI18nKey::installStandard));
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-group-all"))->title(),
             korean.text(AppI18nKey::overview));
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-audit"))->title(), QStringLiteral("macOS 인벤토리"));
    QCOMPARE(fixture.window->sidebar()->header()->subtitleText()->text(), korean.text(AppI18nKey::appSubtitle));
}

void UiShellSidebarTest::changeElsewhereMovesThePicker()
{
    std::shared_ptr<CountingSettings> store;
    WindowFixture fixture({}, [&](DevivuKitViewModel::Dependencies& dependencies) {
        store = std::make_shared<CountingSettings>();
        dependencies.settings = store;
    });
    SettingsView* settings = openSettings(fixture);
    QSignalSpy activated(settings->picker(), &QComboBox::activated);

    fixture.model().setLanguage(AppLanguage::japanese);
    QCOMPARE(settings->picker()->currentIndex(), 3);
    QCOMPARE(activated.count(), 0);
    QCOMPARE(store->languageWrites, 1);
    QCOMPARE(settings->titleText()->text(), AppStrings(AppLanguage::japanese).text(AppI18nKey::settings));

    // The same language again moves nothing either.
    fixture.model().setLanguage(AppLanguage::japanese);
    QCOMPARE(settings->picker()->currentIndex(), 3);
    QCOMPARE(store->languageWrites, 2);
}

void UiShellSidebarTest::settingsCloses_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("closes");
    QTest::newRow("Return") << "return" << true;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("Done") << "settings-done-button" << true;
    QTest::newRow("close mark") << "settings-close-button" << true;
    QTest::newRow("title bar") << "title bar" << true;
}

void UiShellSidebarTest::settingsCloses()
{
    QFETCH(QString, how);
    QFETCH(bool, closes);

    WindowFixture fixture;
    QPointer<SettingsView> settings = openSettings(fixture);
    QVERIFY(settings);
    QCOMPARE(settings->doneButton()->isDefault(), true);
    QCOMPARE(settings->closeMark()->shortcut(), QKeySequence());

    if (how == QLatin1String("return"))
        QTest::keyClick(settings->picker(), Qt::Key_Return);
    else if (how == QLatin1String("escape"))
        QTest::keyClick(settings, Qt::Key_Escape);
    else if (how == QLatin1String("title bar"))
        settings->close();
    else
        QTest::mouseClick(settings->findChild<QAbstractButton*>(how), Qt::LeftButton);

    if (closes) {
        QCOMPARE(fixture.model().activeSheet(), std::nullopt);
        QVERIFY(!settings || !settings->isVisible());
        fixture.settle();
        QVERIFY(!settings);
    } else {
        QCOMPARE(fixture.model().activeSheet(), Sheet::settings());
        QVERIFY(settings->isVisible());
    }
}

void UiShellSidebarTest::sidebarTitles()
{
    WindowFixture fixture;
    SidebarView* sidebar = fixture.window->sidebar();
    QCOMPARE(sidebar->width(), 280);
    const AppStrings english;
    QStringList titles;
    for (const CatalogGroup& group : Catalog::groups()) {
        StyledButton* button = fixture.find<StyledButton>(QStringLiteral("sidebar-group-") + group.id);
        QVERIFY2(button, qPrintable(group.id));
        QCOMPARE(button->property("symbolName").toString(), group.symbol);
        titles.append(button->title());
    }
    QCOMPARE(titles, (QStringList{english.text(AppI18nKey::overview), english.groupLabel(QStringLiteral("devivu")),
                                  english.groupLabel(QStringLiteral("microsoft")),
                                  english.groupLabel(QStringLiteral("printer")), QStringLiteral("Meeting & Chat"),
                                  english.groupLabel(QStringLiteral("media"))}));
    // An "&" is shown, not made a shortcut.
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-group-meeting"))->text(),
             QStringLiteral("Meeting && Chat"));
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-audit"))->title(), QStringLiteral("macOS inventory"));

    const QList<std::pair<QString, QString>> actions{
        {QStringLiteral("sidebar-installStandard"), QStringLiteral("checkmark.seal")},
        {QStringLiteral("sidebar-installFull"), QStringLiteral("arrow.down.to.line")},
        {QStringLiteral("sidebar-systemCheck"), QStringLiteral("info.circle")},
        {QStringLiteral("sidebar-openReport"), QStringLiteral("doc.text")},
        {QStringLiteral("sidebar-cloudTools"), QStringLiteral("key")},
    };
    int previousBottom = -1;
    for (const auto& [name, symbol] : actions) {
        StyledButton* button = fixture.find<StyledButton>(name);
        QVERIFY2(button, qPrintable(name));
        QCOMPARE(button->symbol(), symbol);
        QVERIFY(button->y() > previousBottom);
        previousBottom = button->geometry().bottom();
    }
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-installStandard"))->height(), 38);
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-cloudTools"))->height(), 34);
    QCOMPARE(fixture.find<StyledButton>(QStringLiteral("sidebar-cloudTools"))->title(), QStringLiteral("Cloud tools"));

    // The summary card and the settings entry stay at the bottom of a low
    // window; the upper part scrolls.
    fixture.window->resize(1120, 760);
    QApplication::processEvents();
    StyledButton* settings = fixture.find<StyledButton>(QStringLiteral("settings-button"));
    QCOMPARE(settings->mapTo(sidebar, QPoint(0, settings->height())).y() + 18, sidebar->height());
    QVERIFY(sidebar->summaryCard()->isVisible());
}

void UiShellSidebarTest::groupsSelectAtMouseDownOncePerClick()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    QSignalSpy selections(&model, &DevivuKitViewModel::selectedGroupIDChanged);
    StyledButton* microsoft = fixture.find<StyledButton>(QStringLiteral("sidebar-group-microsoft"));

    QTest::mousePress(microsoft, Qt::LeftButton);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("microsoft"));
    QCOMPARE(selections.count(), 1);
    QCOMPARE(microsoft->buttonStyle().fill, Design::sidebarSelected);
    // Released outside the button: the switch stays.
    QTest::mouseRelease(microsoft, Qt::LeftButton, {}, QPoint(-40, -40));
    QCOMPARE(model.selectedGroupID(), QStringLiteral("microsoft"));

    // A click on the selected group changes nothing; another group, once.
    QTest::mouseClick(microsoft, Qt::LeftButton);
    QCOMPARE(selections.count(), 1);
    QTest::mouseClick(fixture.find<StyledButton>(QStringLiteral("sidebar-group-media")), Qt::LeftButton);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("media"));
    QCOMPARE(selections.count(), 2);
    QCOMPARE(microsoft->buttonStyle().fill, QColor(Qt::transparent));
}

void UiShellSidebarTest::refusingReleaseStopsGatedActions()
{
    WindowFixture fixture(requireUpdate);
    DevivuKitViewModel& model = fixture.model();
    QVERIFY(model.updateRequired());
    model.setActiveSheet(std::nullopt);

    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-audit")), Qt::LeftButton);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("all"));
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->kind, DevivuKitViewModel::ToastMessage::Kind::warning);

    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-openReport")), Qt::LeftButton);
    QCOMPARE(model.activeSheet(), std::nullopt);

    for (const QString& name : {QStringLiteral("sidebar-installStandard"), QStringLiteral("sidebar-installFull")}) {
        StyledButton* preset = fixture.find<StyledButton>(name);
        QVERIFY(!preset->isEnabled());
        QCOMPARE(preset->buttonStyle().disabledOpacity, 0.55);
        QTest::mousePress(preset, Qt::LeftButton);
        preset->click();
    }
    fixture.settle();
    QVERIFY(fixture.harness.engine->calls(Operation::install).isEmpty());
    QVERIFY(!model.isInstalling());
}

void UiShellSidebarTest::sheetButtonsOpenWithoutTheGate()
{
    WindowFixture fixture(requireUpdate);
    DevivuKitViewModel& model = fixture.model();
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-systemCheck")), Qt::LeftButton);
    QCOMPARE(model.activeSheet(), Sheet::systemChecks());
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-cloudTools")), Qt::LeftButton);
    QCOMPARE(model.activeSheet(), Sheet::cloudTools());
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("settings-button")), Qt::LeftButton);
    QCOMPARE(model.activeSheet(), Sheet::settings());
    // Groups are not gated either.
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-group-printer")), Qt::LeftButton);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("printer"));
}

void UiShellSidebarTest::presetsDisabledWhileInstalling()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    const std::shared_ptr<Gate> held = fixture.harness.engine->hold(Operation::install);
    model.install(catalogEntry(QStringLiteral("vlc")));
    QVERIFY(held->waitArrived());
    QVERIFY(model.isInstalling());

    for (const QString& name : {QStringLiteral("sidebar-installStandard"), QStringLiteral("sidebar-installFull")})
        QVERIFY2(!fixture.find<StyledButton>(name)->isEnabled(), qPrintable(name));
    for (const QString& name : {QStringLiteral("sidebar-systemCheck"), QStringLiteral("sidebar-openReport"),
                                QStringLiteral("sidebar-cloudTools")})
        QVERIFY2(fixture.find<StyledButton>(name)->isEnabled(), qPrintable(name));
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-installFull")), Qt::LeftButton);

    held->release();
    fixture.settle();
    QVERIFY(!model.isInstalling());
    QVERIFY(fixture.find<StyledButton>(QStringLiteral("sidebar-installStandard"))->isEnabled());
    QCOMPARE(fixture.harness.engine->arguments(Operation::install), QStringList{QStringLiteral("vlc")});
}

void UiShellSidebarTest::presetButtonsInstall()
{
    WindowFixture fixture([](ViewModelHarness& harness) {
        harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("libreoffice"), QStringLiteral("telegram")});
    });
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-installStandard")), Qt::LeftButton);
    fixture.settle();
    QCOMPARE(fixture.harness.engine->arguments(Operation::install), QStringList{QStringLiteral("libreoffice")});

    QTest::keyClick(fixture.find<StyledButton>(QStringLiteral("sidebar-installFull")), Qt::Key_Space);
    fixture.settle();
    QCOMPARE(fixture.harness.engine->arguments(Operation::install),
             (QStringList{QStringLiteral("libreoffice"), QStringLiteral("libreoffice"), QStringLiteral("telegram"),
                          QStringLiteral("vlc")}));

    // The report button opens the report sheet.
    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-openReport")), Qt::LeftButton);
    QCOMPARE(fixture.model().activeSheet(), Sheet::report());
}

void UiShellSidebarTest::summaryCardFollowsTheAuditGroup()
{
    WindowFixture fixture([](ViewModelHarness& harness) {
        harness.engine->setApplications({testApplication(QStringLiteral("Keynote")),
                                         testApplication(QStringLiteral("Numbers")),
                                         testApplication(QStringLiteral("Pages"))});
    });
    DevivuKitViewModel& model = fixture.model();
    SystemSummaryCard* card = fixture.window->sidebar()->summaryCard();
    const AppStrings english;
    QCOMPARE(card->titleText()->text(), english.systemTitle(model.coreReadinessLevel()));
    QCOMPARE(card->detailText()->text(), model.coreReadinessDetail());
    QVERIFY(card->versionText()->text().startsWith(english.text(AppI18nKey::version) + QStringLiteral(": ")));

    StyledButton* audit = fixture.find<StyledButton>(QStringLiteral("sidebar-audit"));
    QTest::mousePress(audit, Qt::LeftButton);
    QCOMPARE(model.selectedGroupID(), QStringLiteral("audit"));
    QCOMPARE(audit->buttonStyle().fill, Design::sidebarSelected);
    QCOMPARE(card->titleText()->text(), english.auditSidebarSummaryTitle());
    QCOMPARE(card->detailText()->text(), english.auditSidebarSummaryDetail(0));

    // The deferred scan runs on the next turn and finds three applications.
    fixture.harness.scheduler->advance(0);
    fixture.settle();
    QCOMPARE(model.reportApplications().size(), 3);
    QCOMPARE(card->detailText()->text(), english.auditSidebarSummaryDetail(3));

    model.setLanguage(AppLanguage::vietnamese);
    const AppStrings vietnamese(AppLanguage::vietnamese);
    QCOMPARE(card->titleText()->text(), vietnamese.auditSidebarSummaryTitle());
    QCOMPARE(audit->title(), QStringLiteral("Kiểm kê macOS"));

    QTest::mousePress(fixture.find<StyledButton>(QStringLiteral("sidebar-group-all")), Qt::LeftButton);
    QCOMPARE(card->titleText()->text(), vietnamese.systemTitle(model.coreReadinessLevel()));
    QCOMPARE(card->detailText()->text(), model.coreReadinessDetail());
    QCOMPARE(audit->buttonStyle().fill, QColor(Qt::transparent));
}

QTEST_MAIN(UiShellSidebarTest)
#include "tst_ui_shell_sidebar.moc"
