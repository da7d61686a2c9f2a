// The audit workspace end to end: the real window, view model and engine on a
// copy of the fake Mac that starts with no applications. Entering the
// workspace from the sidebar scans and ends in the empty state with a summary
// of zeros; after four bundles are written (validly signed, ad hoc, unsigned
// and with a broken seal), the empty state's scan button finds them as four
// rows in name order with their signature pills, and a row's Details opens
// the sheet of its record.

#include "FakeMacWindow.h"
#include "ui/audit/AuditApplicationDetailView.h"
#include "ui/audit/AuditApplicationList.h"
#include "ui/audit/AuditApplicationRow.h"
#include "ui/audit/AuditDetailField.h"
#include "ui/audit/AuditEmptyStateView.h"
#include "ui/audit/AuditHeaderView.h"
#include "ui/audit/AuditWorkspaceView.h"
#include "ui/kit/AuditEvidencePill.h"
#include "ui/kit/Pill.h"
#include "ui/kit/TextBlock.h"

#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;

class UiEndToEndAuditTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void emptyThenFourBundles();
};

void UiEndToEndAuditTest::emptyThenFourBundles()
{
    FakeMacWindow app;
    QVERIFY2(app.mac.isValid(), qPrintable(app.mac.error()));
    DevivuKitViewModel& model = app.model();
    const AppStrings texts;

    // ---- The sidebar's audit entry; the scan starts once the workspace is
    // drawn (the next turn) and finds nothing.
    app.press(QStringLiteral("sidebar-audit"));
    QCOMPARE(model.selectedGroupID(), QStringLiteral("audit"));
    auto* workspace = app.window().findChild<AuditWorkspaceView*>();
    QVERIFY(workspace);
    QVERIFY(workspace->isVisible());
    app.harness().scheduler->advance(0);
    QTRY_VERIFY_WITH_TIMEOUT(model.hasReportSnapshot() && !model.isReportRefreshing(),
                             FakeMacWindow::engineWaitMilliseconds);
    QVERIFY(app.settle());
    QVERIFY(model.reportApplications().isEmpty());
    QVERIFY(workspace->emptyState()->isVisible());
    QVERIFY(!workspace->applicationList()->isVisible());
    TextBlock* summary = workspace->header()->summaryText();
    QVERIFY(summary->isVisible());
    QCOMPARE(summary->text(), texts.auditSummary(0, 0, 0, 0));
    QCOMPARE(summary->color(), Design::success);

    // ---- Four bundles, named so that their order holds in any locale.
    QVERIFY(app.mac.writeBundle(QStringLiteral("/Applications/Alder.app"), QStringLiteral("org.example.alder"),
                                FakeMac::signedBy(QStringLiteral("org.example.alder"), QStringLiteral("ALDER12345"))));
    QVERIFY(app.mac.writeBundle(QStringLiteral("/Applications/Birch.app"), QStringLiteral("org.example.birch"),
                                "identifier=org.example.birch\nsignature=adhoc\n"));
    QVERIFY(app.mac.writeBundle(QStringLiteral("/Applications/Cedar.app"), QStringLiteral("org.example.cedar")));
    QVERIFY(app.mac.writeBundle(QStringLiteral("/Applications/Dogwood.app"), QStringLiteral("org.example.dogwood"),
                                FakeMac::signedBy(QStringLiteral("org.example.dogwood"), QStringLiteral("DOGWD12345"))
                                    .append("signature=broken\n")));

    StyledButton* headerScan = app.find<StyledButton>(QStringLiteral("audit-scan"));
    QVERIFY(headerScan);
    QVERIFY(headerScan->isEnabled());
    app.press(QStringLiteral("audit-empty-scan"));
    // The header's button is disabled at once, while the engine scans.
    QVERIFY(model.isReportRefreshing());
    QVERIFY(!headerScan->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(!model.isReportRefreshing(), FakeMacWindow::engineWaitMilliseconds);
    QVERIFY(app.settle());
    QVERIFY(headerScan->isEnabled());

    // ---- Four rows in name order, each with its signature pill in its
    // state's colours and the source pill.
    AuditApplicationList* list = workspace->applicationList();
    QVERIFY(list->isVisible());
    QVERIFY(!workspace->emptyState()->isVisible());
    QCOMPARE(list->count(), 4);
    const struct {
        QString name;
        QString signature;
        AuditEvidenceState state;
    } expected[] = {
        {"Alder", "Valid", AuditEvidenceState::verified},
        {"Birch", "Internal signature", AuditEvidenceState::local},
        {"Cedar", "No signature", AuditEvidenceState::review},
        {"Dogwood", "Invalid", AuditEvidenceState::review},
    };
    for (int index = 0; index < 4; ++index) {
        AuditApplicationRow* row = list->scrollToRow(index);
        QVERIFY(row);
        QCOMPARE(row->application().name, expected[index].name);
        const auto* signature = row->findChild<AuditEvidencePill*>(QStringLiteral("signature"));
        QVERIFY(signature);
        QCOMPARE(signature->text(), "Digital signature - App signature: " + expected[index].signature);
        QCOMPARE(signature->colors(), AuditEvidencePill::colorsFor(expected[index].state));
        const auto* source = row->findChild<Pill*>(QStringLiteral("source"));
        QVERIFY(source);
        QCOMPARE(source->text(), QStringLiteral("/APPLICATIONS"));
    }
    QCOMPARE(summary->text(), texts.auditSummary(4, model.auditKeyPresentCount(), model.auditKeyNotRequiredCount(),
                                                 model.auditKeyNotDetectedCount()));

    // ---- Details on the signed one opens its sheet with the team.
    AuditApplicationRow* first = list->scrollToRow(0);
    QTest::mouseClick(first->findChild<StyledButton*>(QStringLiteral("audit-row-0-details")), Qt::LeftButton);
    QVERIFY(model.activeSheet());
    QCOMPARE(model.activeSheet()->kind, Sheet::Kind::auditDetail);
    WindowFixture::deliver();
    auto* sheet = app.sheet<AuditApplicationDetailView>();
    QVERIFY(sheet);
    QCOMPARE(sheet->application().identifier, QStringLiteral("org.example.alder"));
    QStringList values;
    for (const AuditDetailField* field : sheet->findChildren<AuditDetailField*>())
        if (field->cell().title == QLatin1String("Team ID"))
            values.append(field->cell().value);
    QCOMPARE(values, QStringList{QStringLiteral("ALDER12345")});
}

QTEST_MAIN(UiEndToEndAuditTest)
#include "tst_ui_e2e_audit.moc"
