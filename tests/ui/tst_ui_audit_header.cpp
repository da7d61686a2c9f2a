// The audit header and the empty state on the view model over its fakes: the
// header's state table, the summary's colour, the progress text that wraps in
// its width, the copy button and the texts of the five languages.

#include "TestApplication.h"
#include "ViewModelHarness.h"
#include "ui/audit/AuditEmptyStateView.h"
#include "ui/audit/AuditHeaderView.h"
#include "ui/kit/CircularProgressIndicator.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"

#include <QtTest>

#include <memory>

Q_DECLARE_METATYPE(QList<InstalledMacApplication>)

using Operation = FakeEngine::Operation;

namespace {

enum class Phase { idle, snapshot, scanning };

std::unique_ptr<AuditHeaderView> shownHeader(DevivuKitViewModel& model, int width = 900)
{
    auto header = std::make_unique<AuditHeaderView>(model);
    header->resize(width, header->heightForWidth(width) > 0 ? header->heightForWidth(width)
                                                            : header->sizeHint().height());
    header->show();
    if (!QTest::qWaitForWindowExposed(header.get()))
        return nullptr;
    QCoreApplication::processEvents();
    return header;
}

void useLanguage(ViewModelHarness& harness, const QString& code)
{
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), code);
}

// Puts the model in a phase: no scan yet, a finished scan of the
// applications, or a scan held open after an earlier one.
std::shared_ptr<Gate> enter(ViewModelHarness& harness, Phase phase,
                            const QList<InstalledMacApplication>& applications)
{
    DevivuKitViewModel& model = *harness.model();
    if (phase == Phase::idle)
        return nullptr;
    harness.engine->setApplications(applications);
    model.scanReportInventory();
    if (!harness.settle())
        return nullptr;
    if (phase == Phase::snapshot)
        return nullptr;
    std::shared_ptr<Gate> gate = harness.engine->hold(Operation::installedAdditionalApplications);
    model.scanReportInventory();
    gate->waitArrived();
    return gate;
}

} // namespace

class UiAuditHeaderTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void stateTable_data();
    void stateTable();
    void summaryColour_data();
    void summaryColour();
    void progressTextWrapsInItsWidth_data();
    void progressTextWrapsInItsWidth();
    void longReportPathIsCutBeforeTheSummary();
    void copyButtonCopiesTheReportPath();
    void textsFollowTheLanguage_data();
    void textsFollowTheLanguage();
};

void UiAuditHeaderTest::stateTable_data()
{
    QTest::addColumn<int>("phase");
    QTest::addColumn<bool>("scanEnabled");
    QTest::addColumn<int>("progressWidth");
    QTest::addColumn<bool>("spinner");
    QTest::addColumn<bool>("summary");

    QTest::newRow("idle, no snapshot") << int(Phase::idle) << true << 44 << false << false;
    QTest::newRow("idle, snapshot present") << int(Phase::snapshot) << true << 44 << false << true;
    QTest::newRow("scanning") << int(Phase::scanning) << false << 190 << true << false;
}

void UiAuditHeaderTest::stateTable()
{
    QFETCH(int, phase);
    QFETCH(bool, scanEnabled);
    QFETCH(int, progressWidth);
    QFETCH(bool, spinner);
    QFETCH(bool, summary);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> held = enter(harness, Phase(phase), {testApplication(QStringLiteral("Alpha"))});
    const auto header = shownHeader(model);
    QVERIFY(header);
    const bool scanning = Phase(phase) == Phase::scanning;
    QCOMPARE(model.isReportRefreshing(), scanning);

    QCOMPARE(header->scanButton()->isEnabled(), scanEnabled);
    QCOMPARE(header->progressBar()->value(), model.auditProgress());
    QCOMPARE(header->progressText()->text(),
             scanning ? model.auditProgressDetailText() : model.auditProgressText());
    QCOMPARE(header->progressText()->width(), progressWidth);
    QCOMPARE(header->spinner()->isVisible(), spinner);
    QCOMPARE(header->scanDetailText()->isVisible(), spinner);
    if (spinner)
        QCOMPARE(header->scanDetailText()->text(), AppStrings().auditPreparing());
    QCOMPARE(header->summaryText()->isVisible(), summary);
    // The report's path is there in every state.
    QVERIFY(header->reportPathText()->isVisible());
    QCOMPARE(header->reportPathText()->text(), QStringLiteral("Report: ") + model.reportPath());

    if (held) {
        // The end of the scan brings the idle layout back.
        held->release();
        QVERIFY(harness.settle());
        QVERIFY(header->scanButton()->isEnabled());
        QCOMPARE(header->progressText()->text(), QStringLiteral("100%"));
        QCOMPARE(header->progressText()->width(), 44);
        QVERIFY(!header->spinner()->isVisible());
        QVERIFY(header->summaryText()->isVisible());
    }
}

void UiAuditHeaderTest::summaryColour_data()
{
    QTest::addColumn<QList<InstalledMacApplication>>("applications");
    QTest::addColumn<QList<int>>("counts"); // total, key present, not required, not detected
    QTest::addColumn<QColor>("colour");

    using State = AppLicenseEvidenceState;
    const QList<InstalledMacApplication> allFound{testApplication(QStringLiteral("Alpha"), State::verifiedReceipt),
                                                  testApplication(QStringLiteral("Beta"), State::accountBased)};
    QList<InstalledMacApplication> oneMissing = allFound;
    oneMissing.append(testApplication(QStringLiteral("Gamma")));
    QTest::newRow("none not detected") << allFound << QList<int>{2, 1, 1, 0} << Design::success;
    QTest::newRow("one without evidence") << oneMissing << QList<int>{3, 1, 1, 1} << Design::warning;
    QTest::newRow("nothing found") << QList<InstalledMacApplication>() << QList<int>{0, 0, 0, 0} << Design::success;
}

void UiAuditHeaderTest::summaryColour()
{
    QFETCH(QList<InstalledMacApplication>, applications);
    QFETCH(QList<int>, counts);
    QFETCH(QColor, colour);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    enter(harness, Phase::snapshot, applications);
    const auto header = shownHeader(model);
    QVERIFY(header);

    TextBlock* summary = header->summaryText();
    QVERIFY(summary->isVisible());
    QCOMPARE(summary->text(), AppStrings().auditSummary(counts[0], counts[1], counts[2], counts[3]));
    QCOMPARE(summary->color(), colour);
    QCOMPARE(summary->maximumLines(), 1);
}

void UiAuditHeaderTest::progressTextWrapsInItsWidth_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<bool>("scanning");
    for (const char* code : {"en", "vi", "ko", "ja", "zh"}) {
        QTest::addRow("%s scanning", code) << QString::fromLatin1(code) << true;
        QTest::addRow("%s idle", code) << QString::fromLatin1(code) << false;
    }
}

void UiAuditHeaderTest::progressTextWrapsInItsWidth()
{
    QFETCH(QString, code);
    QFETCH(bool, scanning);

    ViewModelHarness harness;
    useLanguage(harness, code);
    DevivuKitViewModel& model = harness.startSettled();
    const std::shared_ptr<Gate> held = enter(harness, scanning ? Phase::scanning : Phase::snapshot,
                                             {testApplication(QStringLiteral("Alpha"))});
    // The narrowest column the window allows.
    const auto header = shownHeader(model, 800);
    QVERIFY(header);

    TextBlock* progress = header->progressText();
    const int width = scanning ? AuditHeaderView::scanningProgressWidth : AuditHeaderView::idleProgressWidth;
    QCOMPARE(progress->width(), width);
    const TextBlock::Layout layout = progress->layout(width);
    QVERIFY(!layout.truncated);
    QCOMPARE(layout.scale, 1.0);
    QStringList shown;
    for (const TextBlock::Line& line : layout.lines) {
        QVERIFY2(line.rect.left() >= 0 && line.rect.right() <= width + 0.01, qPrintable(line.text));
        shown.append(line.text);
    }
    QCOMPARE(shown.join(QString()).remove(u' '), progress->text().remove(u' '));
    // Every line fits in the height the row gives it.
    QVERIFY(progress->height() >= progress->heightForWidth(width));
    QVERIFY(header->geometry().contains(QRect(progress->mapTo(header.get(), QPoint(0, 0)), progress->size())));
    if (code == QLatin1String("vi") && scanning)
        QVERIFY(layout.lines.size() >= 2);
}

void UiAuditHeaderTest::longReportPathIsCutBeforeTheSummary()
{
    ViewModelHarness harness;
    const QString path = harness.environment.root() + QStringLiteral("/Báo cáo kiểm kê ") + QString(150, u'x')
                         + QStringLiteral(".txt");
    qputenv("TAVRIN_MAC_REPORT_FILE", path.toUtf8());
    DevivuKitViewModel& model = harness.startSettled();
    QCOMPARE(model.reportPath(), path);
    enter(harness, Phase::snapshot, {testApplication(QStringLiteral("Alpha"))});
    const auto header = shownHeader(model, 800);
    QVERIFY(header);

    // The path is cut on its one line; the summary keeps its whole text,
    // at least 12 (and the row's spacing) after it.
    TextBlock* shownPath = header->reportPathText();
    const TextBlock::Layout pathLayout = shownPath->layout(shownPath->width());
    QCOMPARE(pathLayout.lines.size(), 1);
    QVERIFY(pathLayout.truncated);
    TextBlock* summary = header->summaryText();
    QVERIFY(!summary->layout(summary->width()).truncated);
    QVERIFY(summary->x() - shownPath->geometry().right() - 1 >= 12);
    QCOMPARE(summary->geometry().right(), header->width() - 1);
}

void UiAuditHeaderTest::copyButtonCopiesTheReportPath()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const auto header = shownHeader(model);
    QVERIFY(header);
    StyledButton* copy = header->findChild<StyledButton*>(QStringLiteral("audit-copy-report-path"));
    QVERIFY(copy);
    // The tooltip names the log path; the button copies the report's.
    QCOMPARE(copy->toolTip(), AppStrings().text(AppI18nKey::copyLogPathHelp));
    QCOMPARE(copy->symbol(), QStringLiteral("doc.on.doc"));
    QCOMPARE(copy->size(), QSize(24, 24));
    QVERIFY(model.reportPath() != model.logPath());

    QTest::mouseClick(copy, Qt::LeftButton);

    QCOMPARE(harness.desktop->copiedTexts(), QStringList{model.reportPath()});
    QVERIFY(harness.engine->calls(Operation::installedAdditionalApplications).isEmpty());
}

void UiAuditHeaderTest::textsFollowTheLanguage_data()
{
    QTest::addColumn<QString>("code");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("scan");
    QTest::addColumn<QString>("reportWord");

    QTest::newRow("en") << "en" << "macOS inventory" << "Scan Mac" << "Report";
    QTest::newRow("vi") << "vi" << "Kiểm kê macOS" << "Quét máy" << "Report";
    QTest::newRow("ko") << "ko" << "macOS 인벤토리" << "Mac 스캔" << "보고서";
    QTest::newRow("ja") << "ja" << "macOSインベントリ" << "Macをスキャン" << "レポート";
    QTest::newRow("zh") << "zh" << "macOS 盘点" << "扫描 Mac" << "报告";
}

void UiAuditHeaderTest::textsFollowTheLanguage()
{
    QFETCH(QString, code);
    QFETCH(QString, title);
    QFETCH(QString, scan);
    QFETCH(QString, reportWord);

    // Built in English, then switched: the texts follow the language.
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    AuditHeaderView header(model);
    AuditEmptyStateView empty(model);
    model.setLanguage(*AppLanguage::fromCode(code));
    const AppStrings strings(model.language());

    QCOMPARE(header.findChild<TextBlock*>(QStringLiteral("audit-title"))->text(), title);
    QCOMPARE(header.findChild<TextBlock*>(QStringLiteral("audit-subtitle"))->text(), strings.auditSubtitle());
    QCOMPARE(header.scanButton()->title(), scan);
    QCOMPARE(header.scanButton()->symbol(), QStringLiteral("magnifyingglass"));
    QCOMPARE(header.reportPathText()->text(), reportWord + QStringLiteral(": ") + model.reportPath());
    QCOMPARE(header.copyButton()->toolTip(), strings.text(AppI18nKey::copyLogPathHelp));

    QCOMPARE(empty.scanButton()->title(), scan);
    QCOMPARE(empty.scanButton()->symbol(), QStringLiteral("magnifyingglass"));
    QCOMPARE(empty.titleText()->text(), strings.auditNoDataTitle());
    QCOMPARE(empty.detailText()->text(), strings.auditNoDataDetail());
}

QTEST_MAIN(UiAuditHeaderTest)
#include "tst_ui_audit_header.moc"
