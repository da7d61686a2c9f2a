// The view model's audit: the deferred scan of the audit workspace, the scan's
// progress and end, the audit counters, and the report snapshot saved and
// restored between runs.

#include "TestApplication.h"
#include "TestFiles.h"
#include "ViewModelHarness.h"
#include "app/AuditProgressThrottle.h"
#include "app/ReportSnapshot.h"
#include "platform/AppRuntime.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSignalSpy>
#include <QtTest>

using Operation = FakeEngine::Operation;
using State = AppLicenseEvidenceState;
using Toast = DevivuKitViewModel::ToastMessage;

namespace {

const QString scanStartLine =
    QStringLiteral("[09:08:07] Bắt đầu kiểm kê macOS: app bundle, Homebrew, pkg receipt và chữ ký số.");
const QString legacyKey = QString::fromUtf8(ReportSnapshot::legacyDefaultsKey);

CatalogGroup group(const QString& id)
{
    return CatalogGroup{id, id, QString()};
}

QList<InstalledMacApplication> applications(int count)
{
    QList<InstalledMacApplication> found;
    for (int index = 0; index < count; ++index)
        found.append(testApplication(QStringLiteral("App%1").arg(index)));
    return found;
}

ReportSnapshot snapshot(const QString& text, int count, const QDateTime& createdAt)
{
    return ReportSnapshot{text, applications(count), createdAt};
}

} // namespace

class ViewModelAuditTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void throttle_data();
    void throttle();
    void scanProgressAndEnd_data();
    void scanProgressAndEnd();
    void leavingBeforeTheNextTurnStartsNoScan();
    void openingTwiceRunsOneScan_data();
    void openingTwiceRunsOneScan();
    void countersReadTheLicenceEvidence();
    void snapshotIsOwnerOnly_data();
    void snapshotIsOwnerOnly();
    void snapshotThatCannotBeSavedIsLogged();
    void loadedAtStartUp_data();
    void loadedAtStartUp();
    void loadedSnapshotStaysUntilTheScanEnds_data();
    void loadedSnapshotStaysUntilTheScanEnds();
};

void ViewModelAuditTest::throttle_data()
{
    QTest::addColumn<int>("total");
    QTest::addColumn<int>("step"); // the reports that pass: 0, every step-th, and the last

    QTest::newRow("79: every one") << 79 << 1;
    QTest::newRow("80: every second") << 80 << 2;
    QTest::newRow("400: every tenth") << 400 << 10;
    QTest::newRow("nothing found") << 0 << 1;
}

void ViewModelAuditTest::throttle()
{
    QFETCH(int, total);
    QFETCH(int, step);

    AuditProgressThrottle throttle;
    QList<int> posted;
    for (int completed = 0; completed <= total; ++completed)
        if (throttle.shouldPost(completed, total))
            posted.append(completed);

    QList<int> expected;
    for (int completed = 0; completed <= total; completed += step)
        expected.append(completed);
    if (expected.constLast() != total)
        expected.append(total);
    QCOMPARE(posted, expected);
    // A fresh scan starts counting again.
    AuditProgressThrottle next;
    QVERIFY(next.shouldPost(0, total));
}

void ViewModelAuditTest::scanProgressAndEnd_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QStringList>("percents"); // auditProgressText as each progress report lands

    QTest::newRow("three") << 3 << QStringList{"0%", "33%", "67%", "100%"};
    QTest::newRow("eight") << 8 << QStringList{"0%", "13%", "25%", "38%", "50%", "63%", "75%", "88%", "100%"};
    QTest::newRow("none") << 0 << QStringList{"0%"};
}

void ViewModelAuditTest::scanProgressAndEnd()
{
    QFETCH(int, count);
    QFETCH(QStringList, percents);

    ViewModelHarness harness;
    harness.limitCatalog({QStringLiteral("vlc"), QStringLiteral("gimp")});
    DevivuKitViewModel& model = harness.startSettled();
    harness.engine->setApplications(applications(count));
    harness.engine->setReport(QStringLiteral("Phần mềm cài thêm:\n"));
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    const AppStrings texts;

    QStringList seen;
    QStringList details;
    connect(&model, &DevivuKitViewModel::auditProgressChanged, &model, [&] {
        seen.append(model.auditProgressText());
        details.append(model.auditProgressDetailText());
    });
    QStringList actions;
    connect(&model, &DevivuKitViewModel::currentActionChanged, &model,
            [&] { actions.append(model.currentAction()); });
    QSignalSpy refreshing(&model, &DevivuKitViewModel::isReportRefreshingChanged);

    model.scanReportInventory();
    QVERIFY(model.isReportRefreshing());
    QCOMPARE(model.auditProgressDetailText(), texts.auditPreparing());
    QCOMPARE(model.logLines().constLast(), scanStartLine);
    QVERIFY(harness.settle());

    // Every report landed before the end (a later one would be ignored).
    QStringList expectedDetails;
    for (int completed = 0; completed <= count; ++completed)
        expectedDetails.append(texts.auditScanProgress(completed, count, percents.at(completed).chopped(1).toInt()));
    QStringList expectedSeen = percents;
    if (count == 0) {
        // The end moves an empty scan to 100%.
        expectedSeen.append(QStringLiteral("100%"));
        expectedDetails.append(texts.auditScanProgress(0, 0, 100));
    }
    QCOMPARE(seen, expectedSeen);
    QCOMPARE(details, expectedDetails);
    QCOMPARE(refreshing.size(), 2);
    QVERIFY(!model.isReportRefreshing());
    QCOMPARE(model.auditProgress(), 1.0);
    QCOMPARE(actions.mid(actions.size() - 2),
             (QStringList{texts.auditUpdatingCatalog(2), texts.auditComplete(count)}));

    QCOMPARE(model.reportApplications(), applications(count));
    QCOMPARE(model.reportText(), QStringLiteral("Phần mềm cài thêm:\n"));
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QCOMPARE(model.progressText(), QStringLiteral("50%"));
    QVERIFY(model.hasReportSnapshot());
    QVERIFY(model.toast());
    QCOMPARE(model.toast()->text, texts.auditComplete(count));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    // The writer runs the checks itself, in the model's language.
    QCOMPARE(harness.engine->arguments(Operation::writeReport), QStringList{QStringLiteral("en")});
    QVERIFY(harness.engine->noCallOn(QThread::currentThread()));
}

void ViewModelAuditTest::leavingBeforeTheNextTurnStartsNoScan()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const qsizetype lines = model.logLines().size();

    model.openAuditWorkspace();
    QCOMPARE(model.selectedGroupID(), QStringLiteral("audit"));
    QCOMPARE(model.currentAction(), AppStrings().auditPreparing());
    QVERIFY(!model.isReportRefreshing());
    // Leaving cancels the waiting scan, also when the sidebar goes back to
    // the workspace before the next turn.
    model.selectGroup(group(QStringLiteral("media")));
    model.selectGroup(group(QStringLiteral("audit")));
    harness.scheduler->advance(0);
    QVERIFY(harness.settle());

    QVERIFY(harness.engine->calls(Operation::installedAdditionalApplications).isEmpty());
    QCOMPARE(model.logLines().size(), lines);
    QVERIFY(!model.isReportRefreshing());

    // Coming back schedules a new scan, which starts on the next turn.
    model.openAuditWorkspace();
    harness.scheduler->advance(0);
    QVERIFY(model.isReportRefreshing());
    QVERIFY(harness.settle());
    QCOMPARE(harness.engine->calls(Operation::installedAdditionalApplications).size(), 1);
}

void ViewModelAuditTest::openingTwiceRunsOneScan_data()
{
    QTest::addColumn<bool>("secondWhileScanning"); // else both before the next turn
    QTest::newRow("both before the next turn") << false;
    QTest::newRow("second while the scan runs") << true;
}

void ViewModelAuditTest::openingTwiceRunsOneScan()
{
    QFETCH(bool, secondWhileScanning);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> scan = harness.engine->hold(Operation::installedAdditionalApplications);

    model.openAuditWorkspace();
    if (secondWhileScanning) {
        harness.scheduler->advance(0);
        QVERIFY(scan->waitArrived());
        model.openAuditWorkspace();
        harness.scheduler->advance(0);
        model.scanReportInventory();
    } else {
        model.openAuditWorkspace();
        harness.scheduler->advance(0);
    }
    QVERIFY(harness.releaseAndSettle());

    QCOMPARE(harness.engine->calls(Operation::installedAdditionalApplications).size(), 1);
    QCOMPARE(model.logLines().count(scanStartLine), 1);
    QVERIFY(!model.isReportRefreshing());
}

void ViewModelAuditTest::countersReadTheLicenceEvidence()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QList<InstalledMacApplication> found;
    const QList<State> states{
        State::verifiedReceipt,      State::receiptIntegrityVerified, State::acquisitionReceipt,
        State::licenseArtifact,      State::accountBased,             State::freeOrOpenSource,
        State::installationEvidence, State::needsEntitlementReview,   State::accessRestricted,
        State::noEvidence,           State::explicitUnlicensed,
    };
    for (State state : states)
        found.append(testApplication(EnumText::toString(state), state));
    // Without evidence, whatever its signature says.
    found.append(testApplication(QStringLiteral("Unsigned")));
    found.last().signatureStatus = QStringLiteral("unsigned");
    found.append(testApplication(QStringLiteral("Valid")));
    harness.engine->setApplications(found);

    QCOMPARE(model.auditKeyPresentCount() + model.auditKeyNotRequiredCount() + model.auditKeyNotDetectedCount(), 0);
    model.scanReportInventory();
    QVERIFY(harness.settle());

    QCOMPARE(model.auditKeyPresentCount(), 4);
    QCOMPARE(model.auditKeyNotRequiredCount(), 2);
    QCOMPARE(model.auditKeyNotDetectedCount(), 7);
    QCOMPARE(model.logLines().constLast(),
             QStringLiteral("[09:08:07] Hoàn tất kiểm kê macOS: 13 phần mềm, 4 mục có key/receipt, 2 mục không cần "
                            "key, 7 mục không phát hiện key."));
}

void ViewModelAuditTest::snapshotIsOwnerOnly_data()
{
    QTest::addColumn<std::optional<int>>("folderMode"); // of an existing Reports folder; none: missing
    QTest::newRow("no folder yet") << std::optional<int>();
    QTest::newRow("shared folder") << std::optional<int>(0755);
}

void ViewModelAuditTest::snapshotIsOwnerOnly()
{
    QFETCH(std::optional<int>, folderMode);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const QString folder = ReportSnapshot::folder();
    if (folderMode) {
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(::chmod(QFile::encodeName(folder).constData(), static_cast<mode_t>(*folderMode)) == 0);
    }
    // The text report elsewhere, so only the snapshot makes the folder.
    harness.engine->setReport(QStringLiteral("báo cáo"), harness.environment.root() + QStringLiteral("/report.txt"));
    harness.engine->setApplications(applications(2));
    harness.clock->set(QDateTime(QDate(2024, 7, 8), QTime(13, 14, 15, 250)));
    harness.settings->setBytes(legacyKey, "{}");

    model.scanReportInventory();
    QVERIFY(harness.settle());

    QCOMPARE(TestFiles::permissions(folder), mode_t(0700));
    QCOMPARE(TestFiles::permissions(ReportSnapshot::filePath()), mode_t(0600));
    const QByteArray bytes = TestFiles::read(ReportSnapshot::filePath());
    QVERIFY2(!bytes.contains('\n') && !bytes.contains(": "), bytes.constData());
    const QJsonObject object = QJsonDocument::fromJson(bytes).object();
    QCOMPARE(object.keys(), (QStringList{"applications", "createdAt", "text"}));
    QCOMPARE(object.value(QStringLiteral("text")).toString(), QStringLiteral("báo cáo"));
    QCOMPARE(object.value(QStringLiteral("createdAt")).toDouble(),
             harness.clock->now().toMSecsSinceEpoch() / 1000.0 - 978307200.0);
    QCOMPARE(InstalledMacApplication::listFromJson(object.value(QStringLiteral("applications"))),
             std::optional<QList<InstalledMacApplication>>(applications(2)));
    QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(harness.clock->now()));
    // A complete save retires the legacy copy.
    QVERIFY(!harness.settings->contains(legacyKey));
}

void ViewModelAuditTest::snapshotThatCannotBeSavedIsLogged()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    // The Reports folder cannot be made below an ordinary file.
    QVERIFY(TestFiles::write(harness.environment.root() + QStringLiteral("/file"), "x"));
    qputenv(AppRuntime::configDirVariable, QFile::encodeName(harness.environment.root() + QStringLiteral("/file")));
    harness.engine->setReport(QStringLiteral("báo cáo"), harness.environment.root() + QStringLiteral("/report.txt"));
    harness.settings->setBytes(legacyKey, "{}");

    model.scanReportInventory();
    QVERIFY(harness.settle());

    const QString failure = QStringLiteral("[09:08:07] Không lưu được report snapshot an toàn: ")
                            + harness.environment.root() + QStringLiteral("/file/Reports: Not a directory");
    QVERIFY2(model.logLines().contains(failure), qPrintable(model.logLines().join('\n')));
    // The scan's result stands; only the file is missing.
    QVERIFY(model.hasReportSnapshot());
    QCOMPARE(model.reportText(), QStringLiteral("báo cáo"));
    QCOMPARE(model.toast()->kind, Toast::Kind::success);
    QVERIFY(harness.settings->contains(legacyKey));
}

void ViewModelAuditTest::loadedAtStartUp_data()
{
    QTest::addColumn<QByteArray>("file");   // empty: no file
    QTest::addColumn<QByteArray>("legacy"); // empty: no key
    QTest::addColumn<QString>("loaded");    // the text shown; empty: nothing loaded

    const QDateTime fileDate(QDate(2024, 1, 2), QTime(3, 4, 5, 500));
    const QDateTime legacyDate(QDate(2023, 11, 12), QTime(8, 0, 0));
    const QByteArray file = snapshot(QStringLiteral("từ tệp"), 2, fileDate).toJson();
    const QByteArray legacy = snapshot(QStringLiteral("từ defaults"), 3, legacyDate).toJson();

    QTest::newRow("legacy only") << QByteArray() << legacy << "từ defaults";
    QTest::newRow("file and legacy") << file << legacy << "từ tệp";
    QTest::newRow("file only") << file << QByteArray() << "từ tệp";
    QTest::newRow("undecodable file, valid legacy") << QByteArray("{\"text\":\"x\"}") << legacy << QString();
    QTest::newRow("invalid legacy only") << QByteArray() << QByteArray("[1,2]") << QString();
    QTest::newRow("neither") << QByteArray() << QByteArray() << QString();
}

void ViewModelAuditTest::loadedAtStartUp()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArray, legacy);
    QFETCH(QString, loaded);

    ViewModelHarness harness;
    if (!file.isEmpty())
        QVERIFY(TestFiles::write(ReportSnapshot::filePath(), file));
    if (!legacy.isEmpty())
        harness.settings->setBytes(legacyKey, legacy);
    DevivuKitViewModel& model = harness.start();

    // Loading writes no log line and leaves the status line alone.
    QCOMPARE(model.logLines().size(), 3);
    QCOMPARE(model.currentAction(), AppStrings().checkingInstalledStatus());
    if (loaded.isEmpty()) {
        QVERIFY(!model.hasReportSnapshot());
        QVERIFY(model.reportText().isEmpty());
        QCOMPARE(model.auditProgressText(), QStringLiteral("0%"));
        QCOMPARE(TestFiles::read(ReportSnapshot::filePath()), file);
        QCOMPARE(harness.settings->contains(legacyKey), !legacy.isEmpty());
        return;
    }
    const bool fromFile = !file.isEmpty();
    const ReportSnapshot source = *ReportSnapshot::fromJson(fromFile ? file : legacy);
    QCOMPARE(model.reportText(), loaded);
    QCOMPARE(model.reportApplications(), source.applications);
    QVERIFY(model.hasReportSnapshot());
    QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(source.createdAt));
    QCOMPARE(model.auditProgressText(), QStringLiteral("100%"));
    QCOMPARE(model.auditProgressDetailText(), AppStrings().auditComplete(source.applications.size()));
    if (fromFile) {
        // The file is used as it is; a legacy copy beside it stays.
        QCOMPARE(TestFiles::read(ReportSnapshot::filePath()), file);
        QCOMPARE(harness.settings->contains(legacyKey), !legacy.isEmpty());
    } else {
        // Moved into the file, stamped with the time of loading.
        const std::optional<ReportSnapshot> moved = ReportSnapshot::fromJson(TestFiles::read(ReportSnapshot::filePath()));
        QVERIFY(moved);
        QCOMPARE(moved->text, loaded);
        QCOMPARE(moved->createdAt, harness.clock->now());
        QCOMPARE(TestFiles::permissions(ReportSnapshot::filePath()), mode_t(0600));
        QVERIFY(!harness.settings->contains(legacyKey));
    }
}

void ViewModelAuditTest::loadedSnapshotStaysUntilTheScanEnds_data()
{
    QTest::addColumn<bool>("fails");
    QTest::newRow("scan succeeds") << false;
    QTest::newRow("report fails") << true;
}

void ViewModelAuditTest::loadedSnapshotStaysUntilTheScanEnds()
{
    QFETCH(bool, fails);

    ViewModelHarness harness;
    const ReportSnapshot saved = snapshot(QStringLiteral("hôm qua"), 2, QDateTime(QDate(2024, 1, 2), QTime(3, 4, 5)));
    QVERIFY(TestFiles::write(ReportSnapshot::filePath(), saved.toJson()));
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    DevivuKitViewModel& model = harness.startSettled();
    harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::missing);
    harness.engine->setApplications(applications(5));
    harness.engine->setReport(QStringLiteral("hôm nay"));
    if (fails)
        harness.engine->setReportError(QStringLiteral("Không ghi được report."));
    const std::shared_ptr<Gate> write = harness.engine->hold(Operation::writeReport);

    model.openAuditWorkspace();
    harness.scheduler->advance(0);
    QVERIFY(write->waitArrived());
    QCOMPARE(model.reportText(), QStringLiteral("hôm qua"));
    QCOMPARE(model.reportApplications(), saved.applications);
    QVERIFY(harness.releaseAndSettle());

    QVERIFY(!model.isReportRefreshing());
    QVERIFY(model.hasReportSnapshot());
    if (fails) {
        QCOMPARE(model.reportText(), QStringLiteral("hôm qua"));
        QCOMPARE(model.reportSnapshotDate(), std::optional<QDateTime>(saved.createdAt));
        QCOMPARE(TestFiles::read(ReportSnapshot::filePath()), saved.toJson());
        // The statuses read by the failed scan are not applied.
        QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
        QCOMPARE(model.currentAction(), QStringLiteral("Không ghi được report."));
        QCOMPARE(model.toast()->text, QStringLiteral("Không ghi được report."));
        QCOMPARE(model.toast()->kind, Toast::Kind::failure);
        QCOMPARE(model.auditProgressText(), QStringLiteral("0%"));
        QCOMPARE(model.auditProgressDetailText(), AppStrings().auditPreparing());
    } else {
        QCOMPARE(model.reportText(), QStringLiteral("hôm nay"));
        QCOMPARE(model.reportApplications().size(), 5);
        QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::missing);
        QCOMPARE(ReportSnapshot::fromJson(TestFiles::read(ReportSnapshot::filePath()))->text, QStringLiteral("hôm nay"));
    }
}

QTEST_MAIN(ViewModelAuditTest)
#include "tst_view_model_audit.moc"
