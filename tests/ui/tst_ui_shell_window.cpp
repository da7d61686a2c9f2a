// The window's remove confirmation and its toast corner, on the real view
// model over its fakes.

#include "CatalogEntry.h"
#include "WindowFixture.h"
#include "ui/kit/SymbolView.h"
#include "ui/shell/RemoveConfirmation.h"
#include "ui/shell/SaveFileChooser.h"
#include "ui/shell/SheetHost.h"
#include "ui/shell/ToastPresenter.h"
#include "ui/shell/ToastView.h"

#include <QAbstractAnimation>
#include <QDir>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

using Operation = FakeEngine::Operation;
using Kind = DevivuKitViewModel::ToastMessage::Kind;

Q_DECLARE_METATYPE(std::optional<QString>)

namespace {

QMessageBox* confirmation(const WindowFixture& fixture)
{
    return fixture.window->removeConfirmation()->box();
}

// The toast's frame in the central widget's coordinates (both are children
// of the window).
QRect toastFrame(const WindowFixture& fixture)
{
    const ToastView* toast = fixture.find<ToastView>(QStringLiteral("toast"));
    return toast->geometry().translated(-fixture.window->centralWidget()->pos());
}

} // namespace

class UiShellWindowTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void removeConfirmationAsks();
    void removeConfirmationAnswers_data();
    void removeConfirmationAnswers();
    void removeConfirmationClosesWhenClearedElsewhere();
    void toastSitsInTheCorner();
    void toastIsGoneAfterItsTime();
    void toastSlidesAndFades();
    void saveChooserOverTheOpenSheet_data();
    void saveChooserOverTheOpenSheet();
    void saveChooserIsSetUpForPDF_data();
    void saveChooserIsSetUpForPDF();
};

void UiShellWindowTest::removeConfirmationAsks()
{
    WindowFixture fixture;
    AppItem item = catalogEntry(QStringLiteral("vlc"));
    item.macName = QStringLiteral("<b>VLC</b> & Co");
    fixture.model().setPendingUninstall(item);

    QMessageBox* box = confirmation(fixture);
    QVERIFY(box && box->isVisible());
    QCOMPARE(fixture.window->findChild<QMessageBox*>(QStringLiteral("remove-confirmation")), box);
    QCOMPARE(box->windowModality(), Qt::WindowModal);
    const AppStrings english;
    QCOMPARE(box->text(), english.text(AppI18nKey::removePromptTitle));
    QCOMPARE(box->informativeText(), english.removePromptMessage(QStringLiteral("<b>VLC</b> & Co")));
    QCOMPARE(box->textFormat(), Qt::PlainText);
    const QLabel* message = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_informativelabel"));
    QVERIFY(message);
    QCOMPARE(message->textFormat(), Qt::PlainText);

    auto* cancel = box->findChild<QPushButton*>(QStringLiteral("remove-cancel"));
    auto* remove = box->findChild<QPushButton*>(QStringLiteral("remove-confirm"));
    QVERIFY(cancel && remove);
    QCOMPARE(cancel->text(), english.text(AppI18nKey::cancel));
    QCOMPARE(remove->text(), english.text(AppI18nKey::remove));
    QCOMPARE(box->defaultButton(), cancel);
    QCOMPARE(box->escapeButton(), cancel);
    QVERIFY(!remove->autoDefault());
    QVERIFY(!remove->isDefault());
}

void UiShellWindowTest::removeConfirmationAnswers_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("removes");
    QTest::newRow("Cancel") << "remove-cancel" << false;
    QTest::newRow("Escape") << "escape" << false;
    QTest::newRow("Return: Cancel is the default") << "return" << false;
    QTest::newRow("title bar") << "title bar" << false;
    QTest::newRow("Remove") << "remove-confirm" << true;
}

void UiShellWindowTest::removeConfirmationAnswers()
{
    QFETCH(QString, how);
    QFETCH(bool, removes);

    WindowFixture fixture([](ViewModelHarness& harness) {
        harness.engine->setStatus(QStringLiteral("vlc"), InstallStatus::installed);
    });
    DevivuKitViewModel& model = fixture.model();
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    model.setPendingUninstall(catalogEntry(QStringLiteral("vlc")));
    QPointer<QMessageBox> box = confirmation(fixture);
    QVERIFY(box);

    if (how == QLatin1String("escape"))
        QTest::keyClick(box, Qt::Key_Escape);
    else if (how == QLatin1String("return"))
        QTest::keyClick(box, Qt::Key_Return);
    else if (how == QLatin1String("title bar"))
        box->close();
    else
        QTest::mouseClick(box->findChild<QPushButton*>(how), Qt::LeftButton);

    QCOMPARE(model.pendingUninstall(), std::nullopt);
    QCOMPARE(confirmation(fixture), nullptr);
    fixture.settle();
    QVERIFY(!box);
    if (removes) {
        QCOMPARE(fixture.harness.engine->arguments(Operation::uninstall), QStringList{QStringLiteral("vlc")});
        QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::missing);
    } else {
        QVERIFY(fixture.harness.engine->calls(Operation::uninstall).isEmpty());
        QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    }
}

void UiShellWindowTest::removeConfirmationClosesWhenClearedElsewhere()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    model.setPendingUninstall(catalogEntry(QStringLiteral("vlc")));
    QPointer<QMessageBox> first = confirmation(fixture);

    // Another entry: a new question for it.
    model.setPendingUninstall(catalogEntry(QStringLiteral("gimp")));
    QPointer<QMessageBox> second = confirmation(fixture);
    QVERIFY(second && second != first);
    QVERIFY(second->informativeText().contains(QStringLiteral("GIMP")));
    QVERIFY(!first || !first->isVisible());
    QCOMPARE(model.pendingUninstall()->id, QStringLiteral("gimp"));

    model.setPendingUninstall(std::nullopt);
    QCOMPARE(confirmation(fixture), nullptr);
    fixture.settle();
    QVERIFY(!first && !second);
    QVERIFY(fixture.harness.engine->calls(Operation::uninstall).isEmpty());
}

void UiShellWindowTest::toastSitsInTheCorner()
{
    WindowFixture fixture([](ViewModelHarness& harness) {
        ReleasePolicy policy;
        policy.updateRequired = true;
        harness.cloud->setReleasePolicy(policy);
    });
    DevivuKitViewModel& model = fixture.model();
    fixture.window->resize(1600, 1000);
    QVERIFY(!model.releasePolicyAllowsAction());

    auto* toast = fixture.find<ToastView>(QStringLiteral("toast"));
    QVERIFY(toast && toast->isVisible());
    QCOMPARE(toast->parentWidget(), fixture.window.get());
    QCOMPARE(toast->message(), *model.toast());
    QCOMPARE(toast->symbolView()->symbolName(), QStringLiteral("exclamationmark.triangle.fill"));
    // Above the central widget: what is under the card is the toast.
    const QPoint inside = toast->mapTo(fixture.window.get(), toast->cardRect().center());
    QWidget* hit = fixture.window->childAt(inside);
    QVERIFY(hit == toast || toast->isAncestorOf(hit));

    QRect frame = toastFrame(fixture);
    const QWidget* central = fixture.window->centralWidget();
    QVERIFY(frame.width() <= 360);
    QCOMPARE(central->width() - (frame.right() + 1), 24);
    QCOMPARE(central->height() - (frame.bottom() + 1), 24);

    // Resized, the corner is kept.
    fixture.window->resize(1300, 820);
    QApplication::processEvents();
    frame = toastFrame(fixture);
    QCOMPARE(central->width(), 1300);
    QCOMPARE(central->width() - (frame.right() + 1), 24);
    QCOMPARE(central->height() - (frame.bottom() + 1), 24);

    // A new toast takes the same place, with its own symbol.
    model.copyLogPath();
    QCOMPARE(fixture.find<ToastView>(QStringLiteral("toast")), toast);
    QCOMPARE(toast->symbolView()->symbolName(), QStringLiteral("checkmark.circle.fill"));
    QCOMPARE(toastFrame(fixture).bottom(), frame.bottom());
}

void UiShellWindowTest::toastIsGoneAfterItsTime()
{
    WindowFixture fixture;
    DevivuKitViewModel& model = fixture.model();
    model.copyLogPath();
    QPointer<ToastView> toast = fixture.window->toastPresenter()->view();
    QVERIFY(toast);
    QCOMPARE(toast->message().kind, Kind::success);

    fixture.harness.scheduler->advance(2199);
    QVERIFY(model.toast());
    QVERIFY(toast);
    fixture.harness.scheduler->advance(1);
    QCOMPARE(model.toast(), std::nullopt);
    QCOMPARE(fixture.window->toastPresenter()->view(), nullptr);
    fixture.settle();
    QVERIFY(!toast);
}

void UiShellWindowTest::toastSlidesAndFades()
{
    // This test alone runs with the window's animations on.
    qputenv("TAVRIN_UI_ANIMATIONS", "1");
    const auto animationsOff = qScopeGuard([] { qputenv("TAVRIN_UI_ANIMATIONS", "0"); });
    WindowFixture fixture;
    fixture.window->resize(1600, 1000);
    const ToastPresenter* presenter = fixture.window->toastPresenter();
    fixture.model().copyLogPath();
    QPointer<ToastView> toast = presenter->view();
    QVERIFY(toast);
    const QRect target = presenter->placement(*toast);
    const QPoint offside(fixture.window->width(), target.top());

    // In from the right edge while it fades in, over 0.18 s.
    QAbstractAnimation* entering = ToastPresenter::runningTransition(toast);
    QVERIFY(entering);
    QCOMPARE(entering->duration(), 180);
    entering->setCurrentTime(0);
    QCOMPARE(toast->pos(), offside);
    QCOMPARE(toast->opacity(), 0.0);
    entering->setCurrentTime(90);
    QVERIFY(toast->x() > target.left() && toast->x() < offside.x());
    QVERIFY(toast->opacity() > 0.0 && toast->opacity() < 1.0);
    entering->setCurrentTime(180);
    QCOMPARE(toast->pos(), target.topLeft());
    QCOMPARE(toast->opacity(), 1.0);
    QCOMPARE(ToastPresenter::runningTransition(toast), nullptr);

    // Cleared after its time: out to the right edge while it fades out, then gone.
    fixture.harness.scheduler->advance(2200);
    QCOMPARE(presenter->view(), nullptr);
    QCOMPARE(presenter->leavingView(), toast.data());
    QAbstractAnimation* leaving = ToastPresenter::runningTransition(toast);
    QVERIFY(leaving);
    leaving->setCurrentTime(0);
    QCOMPARE(toast->pos(), target.topLeft());
    QCOMPARE(toast->opacity(), 1.0);
    leaving->setCurrentTime(leaving->duration());
    QCOMPARE(toast->pos(), offside);
    QCOMPARE(toast->opacity(), 0.0);
    fixture.settle();
    QVERIFY(!toast);
    QCOMPARE(presenter->leavingView(), nullptr);
}

void UiShellWindowTest::saveChooserOverTheOpenSheet_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<std::optional<QString>>("chosen");
    QTest::newRow("cancelled") << QString() << std::optional<QString>();
    QTest::newRow("the name proposed") << "tavrin-office-kit-report.pdf"
                                       << std::optional<QString>("tavrin-office-kit-report.pdf");
    QTest::newRow("a name without suffix") << "inventory" << std::optional<QString>("inventory.pdf");
}

void UiShellWindowTest::saveChooserOverTheOpenSheet()
{
    QFETCH(QString, typed);
    QFETCH(std::optional<QString>, chosen);

    WindowFixture fixture;
    fixture.model().setActiveSheet(DevivuKitViewModel::Sheet::report());
    QDialog* sheet = fixture.window->sheetHost()->dialog();
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QCOMPARE(QApplication::activeModalWidget(), sheet);

    const QTemporaryDir documents;
    const DesktopServices::SaveRequest request{QStringLiteral("Export PDF"),
                                               QStringLiteral("tavrin-office-kit-report.pdf"), documents.path(),
                                               {QStringLiteral("pdf")}};
    QPointer<QFileDialog> seen;
    QWidget* parent = nullptr;
    QStringList proposed;
    QTimer::singleShot(0, this, [&] {
        seen = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!seen)
            return;
        parent = seen->parentWidget();
        proposed = seen->selectedFiles();
        if (typed.isEmpty()) {
            seen->reject();
            return;
        }
        auto* name = seen->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        if (!name)
            return seen->reject();
        name->setText(typed);
        QTest::keyClick(name, Qt::Key_Return);
    });
    const std::optional<QString> path = SaveFileChooser::choose(request);

    QVERIFY(seen.isNull());
    QCOMPARE(parent, sheet);
    QCOMPARE(proposed, QStringList{documents.filePath(QStringLiteral("tavrin-office-kit-report.pdf"))});
    QCOMPARE(path, chosen ? std::optional<QString>(documents.filePath(*chosen)) : std::nullopt);
}

void UiShellWindowTest::saveChooserIsSetUpForPDF_data()
{
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("opensIn");
    const QString home = QDir::homePath();
    QTest::newRow("Documents") << "/tmp"
                               << "/tmp";
    // A new account, or the fake Mac: no Documents folder yet. Never the
    // program's working directory.
    QTest::newRow("Documents missing") << "/tmp/tavrin-no-such-folder/Documents" << home;
    QTest::newRow("no folder named") << "" << home;
}

void UiShellWindowTest::saveChooserIsSetUpForPDF()
{
    QFETCH(QString, folder);
    QFETCH(QString, opensIn);
    // Started from somewhere else than home, as from a checkout.
    const QTemporaryDir workingDirectory;
    const QString started = QDir::currentPath();
    QVERIFY(QDir::setCurrent(workingDirectory.path()));
    const auto back = qScopeGuard([&] { QDir::setCurrent(started); });
    const DesktopServices::SaveRequest request{QStringLiteral("Xuất PDF"), QStringLiteral("report.pdf"), folder,
                                               {QStringLiteral("pdf")}};
    const std::unique_ptr<QFileDialog> chooser(SaveFileChooser::dialog(request, nullptr));
    QCOMPARE(chooser->windowTitle(), QStringLiteral("Xuất PDF"));
    QCOMPARE(chooser->acceptMode(), QFileDialog::AcceptSave);
    QCOMPARE(chooser->nameFilters(), QStringList{QStringLiteral("PDF (*.pdf)")});
    QCOMPARE(chooser->defaultSuffix(), QStringLiteral("pdf"));
    QCOMPARE(chooser->directory().absolutePath(), opensIn);
    QCOMPARE(chooser->selectedFiles(), QStringList{QDir(opensIn).filePath(QStringLiteral("report.pdf"))});
}

QTEST_MAIN(UiShellWindowTest)
#include "tst_ui_shell_window.moc"
