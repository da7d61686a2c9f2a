// The footer and the log drawer on the view model over its fakes: the log
// toggle, the status line, and how the drawer follows the log.

#include "CatalogEntry.h"
#include "FontWidths.h"
#include "ViewModelHarness.h"
#include "ui/catalog/FooterView.h"
#include "ui/kit/Design.h"
#include "ui/kit/LogDrawerView.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QScrollBar>
#include <QVBoxLayout>
#include <QtTest>

namespace {

// The drawer in a tall column, as the catalog column shows it.
struct DrawerPage {
    explicit DrawerPage(DevivuKitViewModel& model)
    {
        auto* column = new QVBoxLayout(&page);
        drawer = new LogDrawerView(model);
        column->addWidget(drawer);
        column->addStretch(1);
        page.resize(700, 600);
        page.show();
    }

    QWidget page;
    LogDrawerView* drawer = nullptr;
};

} // namespace

class UiCatalogLogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void toggleTwice();
    void statusLineFollowsCurrentAction();
    void newLineBringsTheViewBack();
    void keepsTheNewest500PieceByPiece();
    void shortLogStays130High();
};

void UiCatalogLogTest::toggleTwice()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    QVERIFY(!model.showLogDrawer());
    FooterView footer(model);
    footer.resize(900, footer.sizeHint().height());
    footer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&footer));
    auto* toggle = footer.findChild<StyledButton*>(QStringLiteral("footer-log-toggle"));
    QVERIFY(toggle);
    QCOMPARE(toggle->title(), QStringLiteral("Show detailed log  ›"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(model.showLogDrawer());
    QCOMPARE(toggle->title(), QStringLiteral("Hide detailed log  ˅"));

    QTest::mouseClick(toggle, Qt::LeftButton);
    QVERIFY(!model.showLogDrawer());
    QCOMPARE(toggle->title(), QStringLiteral("Show detailed log  ›"));

    // Set elsewhere (an operation begins), the label follows.
    model.setShowLogDrawer(true);
    QCOMPARE(toggle->title(), QStringLiteral("Hide detailed log  ˅"));
}

void UiCatalogLogTest::statusLineFollowsCurrentAction()
{
    const QString longAction = QStringLiteral("Đang tải ") + QStringLiteral("libreoffice-language-pack ").repeated(12);
    ViewModelHarness harness;
    harness.engine->setInstallProgress(QStringLiteral("vlc"), {InstallProgressUpdate{longAction, 0.5}});
    const std::shared_ptr<Gate> gate = harness.engine->hold(FakeEngine::Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.startSettled();
    FooterView footer(model);
    footer.resize(900, footer.sizeHint().height());
    footer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&footer));
    QCOMPARE(footer.statusText()->text(), QStringLiteral("Status: ") + model.currentAction());

    model.performPrimaryAction(catalogEntry(QStringLiteral("vlc")));
    QTRY_COMPARE_WITH_TIMEOUT(footer.statusText()->text(), QStringLiteral("Status: ") + longAction,
                              ViewModelHarness::waitMilliseconds);
    // One line, cut at its end, left of the toggle.
    TextBlock* status = footer.statusText();
    const TextBlock::Layout shown = status->layout(status->width());
    QCOMPARE(shown.lines.size(), 1);
    QVERIFY(shown.lines.constFirst().text.endsWith(QChar(0x2026)));
    QVERIFY(status->mapTo(&footer, QPoint(status->width(), 0)).x() <= footer.logToggle()->x());
    QCOMPARE(footer.logToggle()->width(), footer.logToggle()->sizeHint().width());
}

void UiCatalogLogTest::newLineBringsTheViewBack()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    for (int i = 0; i < 60; ++i)
        model.appendLog(QStringLiteral("==> Downloading part %1").arg(i));
    DrawerPage page(model);
    QVERIFY(QTest::qWaitForWindowExposed(&page.page));
    QScrollBar* bar = page.drawer->verticalScrollBar();
    // Shown, the drawer starts at the newest line.
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // The user scrolls back; the next line brings the view to the bottom.
    bar->setValue(0);
    model.appendLog(QStringLiteral("==> Pouring vlc--3.0.21.arm64_sonoma.bottle.tar.gz"));
    QCOMPARE(page.drawer->lines().constLast(), model.logLines().constLast());
    QVERIFY(bar->maximum() > 0);
    QCOMPARE(bar->value(), bar->maximum());

    // A line too long for the drawer wraps; the view still ends at it.
    bar->setValue(bar->maximum() / 2);
    model.appendLog(QStringLiteral("x").repeated(400));
    QCOMPARE(bar->value(), bar->maximum());

    // The drawer is monospaced.
    QVERIFY(drawsEvenAdvances(Design::font(12, QFont::Normal, Design::FontDesign::monospaced)));
}

void UiCatalogLogTest::keepsTheNewest500PieceByPiece()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    DrawerPage page(model);
    QVERIFY(QTest::qWaitForWindowExposed(&page.page));
    QCOMPARE(page.drawer->objectName(), QStringLiteral("log-drawer"));

    const int before = page.drawer->linesLaidOut();
    for (int i = 1; i <= 501; ++i)
        model.appendLog(QStringLiteral("line %1").arg(i));

    const QStringList shown = page.drawer->lines();
    QCOMPARE(shown.size(), 500);
    QCOMPARE(shown, model.logLines());
    QCOMPARE(shown.constFirst(), QStringLiteral("[09:08:07] line 2"));
    QCOMPARE(shown.constLast(), QStringLiteral("[09:08:07] line 501"));
    // Each new line was laid out once; nothing was laid out again.
    QCOMPARE(page.drawer->linesLaidOut() - before, 501);
    QScrollBar* bar = page.drawer->verticalScrollBar();
    QCOMPARE(bar->value(), bar->maximum());

    // Past the cap, a new line still costs one layout.
    model.appendLog(QStringLiteral("line 502"));
    QCOMPARE(page.drawer->linesLaidOut() - before, 502);
    QCOMPARE(page.drawer->lines().constFirst(), QStringLiteral("[09:08:07] line 3"));
    QCOMPARE(page.drawer->height(), LogDrawerView::fixedHeight);
}

void UiCatalogLogTest::shortLogStays130High()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    DrawerPage page(model);
    QVERIFY(QTest::qWaitForWindowExposed(&page.page));
    // The start-up lines fit: the panel keeps its height and does not scroll.
    QCOMPARE(page.drawer->lines(), model.logLines());
    QCOMPARE(page.drawer->height(), 130);
    QCOMPARE(page.drawer->verticalScrollBar()->maximum(), 0);
    page.page.resize(700, 900);
    QCOMPARE(page.drawer->height(), 130);
}

QTEST_MAIN(UiCatalogLogTest)
#include "tst_ui_catalog_log.moc"
