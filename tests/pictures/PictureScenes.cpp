#include "PictureScenes.h"

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "audit/ReportFixtures.h"
#include "model/SystemCheckTexts.h"
#include "ui/MainWindow.h"
#include "ui/RemoveConfirmation.h"
#include "ui/SettingsView.h"
#include "ui/SheetHost.h"
#include "ui/SheetFactory.h"
#include "ui/WindowSizing.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QMessageBox>

namespace {

using Sheet = DevivuKitViewModel::Sheet;
using Operation = FakeEngine::Operation;

const QString installingID = QStringLiteral("libreoffice");

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

// The window with an install running (held at the engine) and a toast.
void windowScene(PictureStage& stage)
{
    std::shared_ptr<Gate> held;
    stage.open([&](ViewModelHarness& harness) {
        seedMac(harness);
        held = harness.engine->hold(Operation::install, installingID);
        harness.engine->setInstallProgress(installingID, {{QStringLiteral("brew install --cask libreoffice"), 0.4}});
    });
    DevivuKitViewModel& model = stage.model();
    model.install(catalogEntry(installingID));
    held->waitArrived();
    stage.deliver();
    model.copyLogPath();
    stage.shootWindow(QSize(1600, 1000), QStringLiteral("1600x1000"));
    stage.shootWindow(WindowSizing::minimumContentSize, QStringLiteral("min"));
}

// The window on the audit group after a scan: the summary card sums it up.
void windowAuditScene(PictureStage& stage)
{
    stage.open(seedMac);
    stage.model().openAuditWorkspace();
    stage.harness().scheduler->advance(0);
    stage.settle();
    stage.shootWindow(QSize(1600, 1000), QStringLiteral("1600x1000"), QStringLiteral("audit"));
}

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
    stage.shootSheet(Sheet::itemDetail(catalogEntry(QStringLiteral("vlc"))), QStringLiteral("item-detail"),
                     QSize(640, 400));
}

void auditDetailScene(PictureStage& stage)
{
    stage.open();
    stage.shootSheet(Sheet::auditDetail(ReportFixtures::sampleApplications().value(1)),
                     QStringLiteral("audit-detail"), QSize(760, 620));
}

// The sheet over the rows of the start-up check, its own run held at the
// engine (a run that ended would close it and open the report).
void systemChecksScene(PictureStage& stage)
{
    stage.open(seedMac);
    const std::shared_ptr<Gate> run = stage.harness().engine->hold(Operation::systemChecks);
    stage.shootSheet(Sheet::systemChecks(), QStringLiteral("system-checks"), SheetFactory::systemChecksSize);
}

void reportScene(PictureStage& stage)
{
    stage.open(seedMac);
    stage.shootSheet(Sheet::report(), QStringLiteral("report"), SheetFactory::reportSize);
}

void cloudToolsScene(PictureStage& stage)
{
    stage.open();
    stage.shootSheet(Sheet::cloudTools(), QStringLiteral("cloud-tools"), SheetFactory::cloudToolsSize);
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
        {QStringLiteral("window-audit"), windowAuditScene},
        {QStringLiteral("settings"), settingsScene},
        {QStringLiteral("item-detail"), itemDetailScene},
        {QStringLiteral("audit-detail"), auditDetailScene},
        {QStringLiteral("system-checks"), systemChecksScene},
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
