#include "PictureScenes.h"

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "audit/ReportFixtures.h"
#include "catalog/Catalog.h"
#include "cloud/ReleasePolicy.h"
#include "model/SystemCheckTexts.h"
#include "ui/cloud/CloudManagementPanel.h"
#include "ui/cloud/CloudToolsView.h"
#include "ui/kit/StyledButton.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/RemoveConfirmation.h"
#include "ui/shell/SettingsView.h"
#include "ui/shell/SheetFactory.h"
#include "ui/shell/SheetHost.h"
#include "ui/shell/WindowSizing.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMessageBox>

#include <algorithm>

namespace {

using Sheet = DevivuKitViewModel::Sheet;
using Operation = FakeEngine::Operation;

const QString installingID = QStringLiteral("libreoffice");
const QString auditGroupID = QStringLiteral("audit");

// A Mac that is not ready (Homebrew missing), with a few entries installed
// and three applications for the audit.
void seedMac(ViewModelHarness& harness)
{
    harness.engine->setSystemChecks({
        SystemCheck::make(QString::fromUtf8(SystemCheckTexts::macOSCompatibilityName), SystemCheck::Level::ok,
                          QStringLiteral("macOS 14.5")),
        SystemCheck::make(QString::fromUtf8(SystemCheckTexts::homebrewName), SystemCheck::Level::warn,
                          QStringLiteral("Chưa tìm thấy brew. Cài từ https://brew.sh")),
    });
    for (const QString& id : {QStringLiteral("vlc"), QStringLiteral("gimp"), QStringLiteral("telegram")})
        harness.engine->setStatus(id, InstallStatus::installed);
    harness.engine->setApplications(ReportFixtures::sampleApplications().mid(0, 12));
}

// The seeded Mac, whose every application is one of the audit's samples.
void seedSampleMac(ViewModelHarness& harness)
{
    seedMac(harness);
    harness.engine->setApplications(ReportFixtures::sampleApplications());
}

// A release policy that allows nothing until the program is updated.
ReleasePolicy requiredUpdate()
{
    ReleasePolicy policy;
    policy.updateRequired = true;
    policy.title = QStringLiteral("Tavrin Devivu Kit 3.0");
    policy.latestVersion = QStringLiteral("3.0");
    policy.downloadURL = QStringLiteral("https://github.com/tavrin/devivu-kit/releases/latest");
    return policy;
}

// The window at 1600 by 1000, then at its minimum size.
void shootBothSizes(PictureStage& stage, const QString& state = {})
{
    stage.shootWindow(QSize(1600, 1000), QStringLiteral("1600x1000"), state);
    stage.shootWindow(WindowSizing::minimumContentSize, QStringLiteral("min"), state);
}

// Starts an install of the entry that reports its first progress and then
// waits at the engine; returns once the window shows it.
std::shared_ptr<Gate> installHeld(PictureStage& stage, const QString& id)
{
    const std::shared_ptr<Gate> held = stage.harness().engine->hold(Operation::install, id);
    stage.harness().engine->setInstallProgress(id, {{QStringLiteral("brew install --cask ") + id, 0.4}});
    stage.model().install(catalogEntry(id));
    held->waitArrived();
    stage.deliver();
    return held;
}

void selectGroup(PictureStage& stage, const QString& id)
{
    for (const CatalogGroup& group : Catalog::groups()) {
        if (group.id == id)
            stage.model().selectGroup(group);
    }
    if (id == auditGroupID)
        stage.model().selectGroup(CatalogGroup{id, {}, {}});
    stage.deliver();
}

// The catalog entry whose texts are the longest: the detail sheet's worst case.
AppItem longestEntry()
{
    const auto length = [](const AppItem& item) {
        return item.macName.size() + item.description.size() + item.replacementNote.size()
            + item.packages.join(QStringLiteral(", ")).size() + item.groups().join(QStringLiteral(", ")).size();
    };
    const QList<AppItem>& items = Catalog::items();
    return *std::max_element(items.cbegin(), items.cend(),
                             [&](const AppItem& a, const AppItem& b) { return length(a) < length(b); });
}

// A full check run over the sample applications: the report's snapshot. The
// run ends by opening the report sheet, which the scene may keep or close.
void takeSnapshot(PictureStage& stage)
{
    stage.model().refreshChecks(false);
    stage.settle();
}

// ---- The catalog column

// An install running (held at the engine): its banner, its row's progress,
// the log drawer open, and a toast.
void windowScene(PictureStage& stage)
{
    stage.open(seedMac);
    const std::shared_ptr<Gate> held = installHeld(stage, installingID);
    stage.model().setShowLogDrawer(true);
    stage.model().copyLogPath();
    shootBothSizes(stage);
}

// Every group at 1600 by 1000 with no operation running; all entries also at
// the minimum size.
void windowGroupsScene(PictureStage& stage)
{
    stage.open(seedMac);
    for (const CatalogGroup& group : Catalog::groups()) {
        selectGroup(stage, group.id);
        stage.shootWindow(QSize(1600, 1000), QStringLiteral("1600x1000"), QStringLiteral("group-") + group.id);
    }
    selectGroup(stage, QStringLiteral("all"));
    stage.shootWindow(WindowSizing::minimumContentSize, QStringLiteral("min"), QStringLiteral("group-all"));
}

// The first entries failed, working, blocked and installed.
void windowRowsScene(PictureStage& stage)
{
    const QList<AppItem>& items = Catalog::items();
    stage.open([&](ViewModelHarness& harness) {
        seedMac(harness);
        const QList<InstallStatus> statuses{InstallStatus::failed, InstallStatus::working, InstallStatus::blocked,
                                            InstallStatus::installed};
        for (int index = 0; index < statuses.size(); ++index)
            harness.engine->setStatus(items.at(index).id, statuses.at(index));
    });
    shootBothSizes(stage, QStringLiteral("rows"));
}

// An update required after an install: its banner above the operation's.
// The release policy is held at start-up until the install has begun (an
// update required first would refuse it).
void windowUpdateScene(PictureStage& stage)
{
    std::shared_ptr<Gate> policy;
    stage.open(
        [&](ViewModelHarness& harness) {
            seedMac(harness);
            harness.cloud->setReleasePolicy(requiredUpdate());
            policy = harness.cloud->hold(FakeCloud::Operation::releasePolicy);
        },
        [&](MainWindow& window) {
            window.viewModel().install(catalogEntry(installingID));
            policy->release();
        });
    shootBothSizes(stage, QStringLiteral("update"));
}

// ---- The audit workspace

void windowAuditEmptyScene(PictureStage& stage)
{
    stage.open(seedMac);
    selectGroup(stage, auditGroupID);
    shootBothSizes(stage, QStringLiteral("audit-empty"));
}

// The workspace's own scan, held at the engine's inventory.
void windowAuditScanningScene(PictureStage& stage)
{
    stage.open(seedMac);
    const std::shared_ptr<Gate> scan = stage.harness().engine->hold(Operation::installedAdditionalApplications);
    stage.model().openAuditWorkspace();
    stage.harness().scheduler->advance(0);
    scan->waitArrived();
    stage.deliver();
    shootBothSizes(stage, QStringLiteral("audit-scanning"));
}

// The sample applications listed, an update required and the log drawer open.
void windowAuditScene(PictureStage& stage)
{
    stage.open([](ViewModelHarness& harness) {
        seedSampleMac(harness);
        harness.cloud->setReleasePolicy(requiredUpdate());
    });
    takeSnapshot(stage);
    stage.model().setActiveSheet(std::nullopt);
    selectGroup(stage, auditGroupID);
    stage.model().setShowLogDrawer(true);
    stage.settle();
    shootBothSizes(stage, QStringLiteral("audit"));
}

// ---- The sheets

// The settings sheet, then its language menu open (the five flags).
void settingsScene(PictureStage& stage)
{
    stage.open();
    stage.shootSheet(Sheet::settings(), QStringLiteral("settings"), QSize(520, 0));
    auto* settings = qobject_cast<SettingsView*>(stage.window().sheetHost()->dialog());
    settings->picker()->showPopup();
    stage.shoot(stage.sheetName(QStringLiteral("settings"), QStringLiteral("languages")),
                settings->picker()->view()->window(), QSize());
    settings->picker()->hidePopup();
}

void itemDetailScene(PictureStage& stage)
{
    stage.open(seedMac);
    stage.shootSheet(Sheet::itemDetail(longestEntry()), QStringLiteral("item-detail"), QSize(640, 400));
}

// A record with evidence signals and long texts, then one without evidence.
void auditDetailScene(PictureStage& stage)
{
    const QList<InstalledMacApplication> applications = ReportFixtures::sampleApplications();
    const auto named = [&](const QString& name) {
        return *std::find_if(applications.cbegin(), applications.cend(),
                             [&](const InstalledMacApplication& application) { return application.name == name; });
    };
    stage.open();
    stage.shootSheet(Sheet::auditDetail(named(QStringLiteral("CAD Office 2024"))), QStringLiteral("audit-detail"),
                     QSize(760, 620));
    stage.shootSheet(Sheet::auditDetail(named(QStringLiteral("Quick Notes"))), QStringLiteral("audit-detail"),
                     QSize(760, 620), QStringLiteral("no-evidence"));
}

// The sheet over the rows of the start-up check, its own run held at the
// engine (a run that ended would close it and open the report).
void systemChecksScene(PictureStage& stage)
{
    stage.open(seedMac);
    const std::shared_ptr<Gate> run = stage.harness().engine->hold(Operation::systemChecks);
    stage.shootSheet(Sheet::systemChecks(), QStringLiteral("system-checks"), SheetFactory::systemChecksSize);
}

// Before any snapshot, then its first scan held at the engine's inventory.
void reportWithoutSnapshotScene(PictureStage& stage)
{
    stage.open(seedSampleMac);
    stage.shootSheet(Sheet::report(), QStringLiteral("report"), SheetFactory::reportSize, QStringLiteral("empty"));
    const std::shared_ptr<Gate> scan = stage.harness().engine->hold(Operation::installedAdditionalApplications);
    stage.model().scanReportInventory();
    scan->waitArrived();
    stage.shootSheet(Sheet::report(), QStringLiteral("report"), SheetFactory::reportSize,
                     QStringLiteral("scanning"));
}

// The sample applications with the sample profile, then with notes taller
// than their editor.
void reportScene(PictureStage& stage)
{
    stage.open(seedSampleMac);
    takeSnapshot(stage);
    MacReportProfile profile = ReportFixtures::sampleProfile(stage.language().code() == QLatin1String("vi"));
    stage.model().setReportProfile(profile);
    stage.shootSheet(Sheet::report(), QStringLiteral("report"), SheetFactory::reportSize);
    QStringList notes;
    for (int line = 1; line <= 14; ++line)
        notes.append(QStringLiteral("%1. ").arg(line) + profile.notes.section(u'\n', 0, 0));
    profile.notes = notes.join(u'\n');
    stage.model().setReportProfile(profile);
    stage.shootSheet(Sheet::report(), QStringLiteral("report"), SheetFactory::reportSize,
                     QStringLiteral("long-notes"));
}

// Collapsed with no result, then expanded under a long result.
void cloudToolsScene(PictureStage& stage)
{
    stage.open();
    stage.shootSheet(Sheet::cloudTools(), QStringLiteral("cloud-tools"), SheetFactory::cloudToolsSize);
    stage.model().setActiveSheet(std::nullopt);
    QStringList lines{QStringLiteral("Technician workspace synced: 3 branding records, 2 shared profiles.")};
    for (int line = 1; line <= 8; ++line)
        lines.append(QStringLiteral("Profile %1: vlc, gimp, libreoffice, telegram, zoom, slack, keepassxc, "
                                    "thunderbird, inkscape, skim (10 entries, updated 2026-12-0%1)")
                         .arg(line));
    stage.harness().cloud->setResult(FakeCloud::Operation::syncTechnicianWorkspace, {true, lines.join(u'\n')});
    stage.model().syncTechnicianWorkspace();
    stage.settle();
    stage.model().setActiveSheet(Sheet::cloudTools());
    stage.deliver();
    if (auto* sheet = qobject_cast<CloudToolsView*>(stage.window().sheetHost()->dialog()))
        sheet->panel()->expandButton()->click();
    stage.shootSheet(Sheet::cloudTools(), QStringLiteral("cloud-tools"), SheetFactory::cloudToolsSize,
                     QStringLiteral("expanded"));
}

// The question before removing an entry whose name has an "&".
void removeConfirmationScene(PictureStage& stage)
{
    stage.open(seedMac);
    stage.model().setPendingUninstall(catalogEntry(QStringLiteral("flameshot")));
    stage.deliver();
    stage.shoot(stage.sheetName(QStringLiteral("remove-confirmation")), stage.window().removeConfirmation()->box(),
                QSize());
}

} // namespace

namespace PictureScenes {

const QList<PictureScene>& scenes()
{
    static const QList<PictureScene> list{
        {QStringLiteral("window"), windowScene},
        {QStringLiteral("window-groups"), windowGroupsScene},
        {QStringLiteral("window-rows"), windowRowsScene},
        {QStringLiteral("window-update"), windowUpdateScene},
        {QStringLiteral("window-audit-empty"), windowAuditEmptyScene},
        {QStringLiteral("window-audit-scanning"), windowAuditScanningScene},
        {QStringLiteral("window-audit"), windowAuditScene},
        {QStringLiteral("settings"), settingsScene},
        {QStringLiteral("item-detail"), itemDetailScene},
        {QStringLiteral("audit-detail"), auditDetailScene},
        {QStringLiteral("system-checks"), systemChecksScene},
        {QStringLiteral("report-without-snapshot"), reportWithoutSnapshotScene},
        {QStringLiteral("report"), reportScene},
        {QStringLiteral("cloud-tools"), cloudToolsScene},
        {QStringLiteral("remove-confirmation"), removeConfirmationScene},
    };
    return list;
}

void runAll(const PictureStage::ShotHandler& handler)
{
    for (AppLanguage language : AppLanguage::supported()) {
        for (const PictureScene& scene : scenes()) {
            PictureStage stage(language, handler);
            scene.run(stage);
        }
    }
}

} // namespace PictureScenes
