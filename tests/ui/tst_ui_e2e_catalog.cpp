// The catalog column end to end: the real window, view model and engine on a
// copy of the fake Mac, whose Homebrew puts /Applications/VLC.app in place
// when it installs the cask. A press on the entry's primary button installs
// it through brew; the same row turns installed, the open log drawer shows
// what brew printed while it ran, and a success toast says so.

#include "CatalogEntry.h"
#include "FakeMacWindow.h"
#include "ui/catalog/AppItemRow.h"
#include "ui/catalog/ContentView.h"
#include "ui/kit/LogDrawerView.h"
#include "ui/kit/StatusPill.h"
#include "ui/shell/ToastPresenter.h"
#include "ui/shell/ToastView.h"

#include <QFileInfo>
#include <QScrollArea>
#include <QtTest>

using Toast = DevivuKitViewModel::ToastMessage;

namespace {

// The arguments of every brew install, in order.
QList<QStringList> brewInstalls(const FakeMac& mac)
{
    QList<QStringList> installs;
    for (const QStringList& call : mac.calls(QStringLiteral("/opt/homebrew/bin/brew")))
        if (call.value(1) == QLatin1String("install"))
            installs.append(call.mid(1));
    return installs;
}

} // namespace

class UiEndToEndCatalogTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void installFromTheRow();
};

void UiEndToEndCatalogTest::installFromTheRow()
{
    FakeMacWindow::Setup setup;
    setup.mac = [](FakeMac& mac) {
        QVERIFY(mac.setState(QStringLiteral("brew-artifacts"), "vlc /Applications/VLC.app\n"));
    };
    FakeMacWindow app(setup);
    QVERIFY2(app.mac.isValid(), qPrintable(app.mac.error()));
    DevivuKitViewModel& model = app.model();
    const AppStrings texts;
    const AppItem& vlc = catalogEntry(QStringLiteral("vlc"));

    // The start-up status refresh has landed (landing later, it would
    // overwrite the row's new status).
    QTRY_COMPARE_WITH_TIMEOUT(model.currentAction(), texts.statusRefreshed(), FakeMacWindow::engineWaitMilliseconds);
    QVERIFY(app.settle());
    QCOMPARE(model.statuses().value(vlc.id), InstallStatus::missing);
    QVERIFY(brewInstalls(app.mac).isEmpty());

    auto* content = qobject_cast<ContentView*>(app.window().contentColumn());
    QVERIFY(content);
    AppItemRow* row = content->row(vlc.id);
    QVERIFY(row);
    StyledButton* install = app.find<StyledButton>(QStringLiteral("install-vlc"));
    QCOMPARE(install, row->primaryButton());
    QCOMPARE(install->title(), QStringLiteral("Install"));
    QCOMPARE(row->statusPill()->text(), QStringLiteral("● Missing"));

    // The log drawer is open while brew runs.
    app.press(QStringLiteral("footer-log-toggle"));
    LogDrawerView* drawer = app.find<LogDrawerView>(QStringLiteral("log-drawer"));
    QVERIFY(drawer);
    QVERIFY(drawer->isVisible());

    content->rowList()->ensureWidgetVisible(row);
    QTest::mousePress(install, Qt::LeftButton);
    QVERIFY(model.isInstalling());
    QTest::mouseRelease(install, Qt::LeftButton);
    QTRY_VERIFY_WITH_TIMEOUT(!model.isInstalling(), FakeMacWindow::engineWaitMilliseconds);
    QVERIFY(app.settle());

    // The same row, now installed.
    QCOMPARE(content->row(vlc.id), row);
    QCOMPARE(model.statuses().value(vlc.id), InstallStatus::installed);
    QCOMPARE(row->primaryButton()->title(), QStringLiteral("Open"));
    QVERIFY(row->primaryButton()->isEnabled());
    QCOMPARE(row->statusPill()->status(), InstallStatus::installed);
    QCOMPARE(row->statusPill()->text(), QStringLiteral("● Installed"));

    // Brew installed the cask once (the release added nothing) and the
    // bundle is in place.
    QCOMPARE(brewInstalls(app.mac), (QList<QStringList>{{"install", "--cask", "vlc"}}));
    QVERIFY(QFileInfo(app.mac.path(QStringLiteral("/Applications/VLC.app"))).isDir());

    // The drawer shows brew's lines as the log holds them.
    QCOMPARE(app.find<LogDrawerView>(QStringLiteral("log-drawer")), drawer);
    const QStringList shown = drawer->lines();
    QVERIFY2(FakeMacWindow::hasLineEndingWith(shown, QStringLiteral("==> Fetching vlc")), qPrintable(shown.join('\n')));
    QVERIFY2(FakeMacWindow::hasLineEndingWith(shown, QStringLiteral("==> Installing Cask vlc")), qPrintable(shown.join('\n')));
    QCOMPARE(shown, model.logLines());

    // A success toast names the entry.
    ToastView* toast = app.window().toastPresenter()->view();
    QVERIFY(toast);
    QVERIFY(toast->isVisible());
    QCOMPARE(toast->message().text, texts.processed(texts.itemName(vlc)));
    QCOMPARE(toast->message().kind, Toast::Kind::success);
}

QTEST_MAIN(UiEndToEndCatalogTest)
#include "tst_ui_e2e_catalog.moc"
