// The item-detail sheet on the view model over its fakes: the values it
// shows, its live status pill, its texts and how it closes.

#include "CatalogEntry.h"
#include "ViewModelHarness.h"
#include "ui/catalog/DetailLine.h"
#include "ui/catalog/ItemDetailView.h"
#include "ui/kit/StatusPill.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using Sheet = DevivuKitViewModel::Sheet;

namespace {

QStringList values(const ItemDetailView& sheet)
{
    QStringList result;
    for (const DetailLine* line : sheet.detailLines())
        result.append(line->value());
    return result;
}

QStringList titles(const ItemDetailView& sheet)
{
    QStringList result;
    for (const DetailLine* line : sheet.detailLines())
        result.append(line->title());
    return result;
}

} // namespace

class UiCatalogItemDetailTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void packageOrAction_data();
    void packageOrAction();
    void groupsJoined_data();
    void groupsJoined();
    void statusFollowsTheViewModel();
    void closes_data();
    void closes();
    void textsFollowTheLanguage();
    void overflowScrollsInsideTheFixedSize();
};

void UiCatalogItemDetailTest::packageOrAction_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QString>("value");

    QTest::newRow("packages") << catalogEntry(QStringLiteral("libreoffice"))
                              << "libreoffice, libreoffice-language-pack";
    QTest::newRow("shortcut") << catalogEntry(QStringLiteral("microsoft-365")) << "https://www.microsoft365.com/";
    QTest::newRow("builtin") << catalogEntry(QStringLiteral("ibus-unikey")) << "builtin";
    QTest::newRow("direct download") << catalogEntry(QStringLiteral("thunderbird")) << "direct";
    AppItem both = catalogEntry(QStringLiteral("teams-shortcut"));
    both.packages = {QStringLiteral("microsoft-teams"), QStringLiteral("teams-helper")};
    QTest::newRow("packages before a shortcut") << both << "microsoft-teams, teams-helper";
}

void UiCatalogItemDetailTest::packageOrAction()
{
    QFETCH(AppItem, item);
    QFETCH(QString, value);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ItemDetailView sheet(model, item);
    QCOMPARE(titles(sheet),
             (QStringList{"Group", "macOS source", "Package/action", "Description", "Replacement note"}));
    const AppStrings english;
    QCOMPARE(values(sheet), (QStringList{ItemDetailView::groupsText(item, english), english.sourceLabel(item.kind),
                                         value, english.itemDescription(item), english.itemReplacementNote(item)}));
    QCOMPARE(sheet.subtitleText()->text(), QStringLiteral("Linux source: ") + item.id + " / " + item.linuxName);
    QCOMPARE(sheet.nameText()->text(), english.itemName(item));
    QCOMPARE(sheet.objectName(), Sheet::itemDetail(item).id());
}

void UiCatalogItemDetailTest::groupsJoined_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QString>("groups");

    QTest::newRow("one group") << catalogEntry(QStringLiteral("vlc")) << "Media Tools";
    QTest::newRow("extra group") << catalogEntry(QStringLiteral("pdfarranger")) << "Devivu Basic / Print/Scan/PDF";
    AppItem overlaid = catalogEntry(QStringLiteral("archive-tools"));
    overlaid.extraGroups = {QStringLiteral("meeting"), QStringLiteral("lab")};
    QTest::newRow("unknown id unchanged") << overlaid << "Devivu Basic / Meeting & Chat / lab";
}

void UiCatalogItemDetailTest::groupsJoined()
{
    QFETCH(AppItem, item);
    QFETCH(QString, groups);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    ItemDetailView sheet(model, item);
    QCOMPARE(sheet.detailLines().constFirst()->value(), groups);
}

void UiCatalogItemDetailTest::statusFollowsTheViewModel()
{
    ViewModelHarness harness;
    harness.engine->setInstallProgress(QStringLiteral("vlc"), {InstallProgressUpdate{QStringLiteral("half"), 0.5}});
    const std::shared_ptr<Gate> gate = harness.engine->hold(FakeEngine::Operation::install, QStringLiteral("vlc"));
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem vlc = catalogEntry(QStringLiteral("vlc"));
    ItemDetailView sheet(model, vlc);
    QCOMPARE(sheet.statusPill()->text(), QStringLiteral("● Missing"));

    model.performPrimaryAction(vlc);
    // The entry being installed shows the plain working label, never its
    // progress text.
    QTRY_COMPARE_WITH_TIMEOUT(model.activeItemProgressText(), QStringLiteral("50%"),
                              ViewModelHarness::waitMilliseconds);
    QCOMPARE(sheet.statusPill()->status(), InstallStatus::working);
    QCOMPARE(sheet.statusPill()->text(), QStringLiteral("● Installing"));

    gate->release();
    QVERIFY(harness.settle());
    QCOMPARE(model.statuses().value(QStringLiteral("vlc")), InstallStatus::installed);
    QCOMPARE(sheet.statusPill()->text(), QStringLiteral("● Installed"));

    // An entry the view model holds no status for reads missing.
    AppItem unknown = vlc;
    unknown.id = QStringLiteral("lab-player");
    ItemDetailView other(model, unknown);
    QCOMPARE(other.statusPill()->status(), InstallStatus::missing);
}

void UiCatalogItemDetailTest::closes_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("result");
    QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
    QTest::newRow("xmark") << "xmark" << int(QDialog::Rejected);
    QTest::newRow("Return") << "return" << int(QDialog::Accepted);
    QTest::newRow("Close") << "close" << int(QDialog::Accepted);
}

void UiCatalogItemDetailTest::closes()
{
    QFETCH(QString, how);
    QFETCH(int, result);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem vlc = catalogEntry(QStringLiteral("vlc"));
    model.setActiveSheet(Sheet::itemDetail(vlc));
    QWidget window;
    window.resize(1120, 760);
    window.show();
    auto* sheet = new ItemDetailView(model, vlc, &window);
    QSignalSpy finished(sheet, &QDialog::finished);
    sheet->open();
    QVERIFY(QTest::qWaitForWindowExposed(sheet));
    QCOMPARE(sheet->size(), QSize(640, 400));
    QCOMPARE(sheet->windowModality(), Qt::WindowModal);

    // Close is the one default button; no push button takes Return otherwise.
    auto* close = sheet->findChild<QPushButton*>(QStringLiteral("close"));
    QVERIFY(close && close->isDefault());
    for (const QPushButton* button : sheet->findChildren<QPushButton*>()) {
        QVERIFY(!button->autoDefault());
        QVERIFY(button == close || !button->isDefault());
    }
    auto* mark = sheet->findChild<StyledButton*>(QStringLiteral("close-x"));
    QVERIFY(mark);
    QCOMPARE(mark->toolTip(), QStringLiteral("Close"));
    QCOMPARE(close->text(), QStringLiteral("Close"));

    // Keys go where the user's would: to the widget that has the focus.
    QWidget* focus = sheet->focusWidget() ? sheet->focusWidget() : sheet;
    if (how == QLatin1String("escape"))
        QTest::keyClick(focus, Qt::Key_Escape);
    else if (how == QLatin1String("return"))
        QTest::keyClick(focus, Qt::Key_Return);
    else if (how == QLatin1String("xmark"))
        QTest::mouseClick(mark, Qt::LeftButton);
    else
        QTest::mouseClick(close, Qt::LeftButton);

    QCOMPARE(finished.count(), 1);
    QCOMPARE(finished.constFirst().constFirst().toInt(), result);
    QVERIFY(!sheet->isVisible());
    // The sheet only dismisses: clearing activeSheet is its host's.
    QVERIFY(model.activeSheet());
    QCOMPARE(harness.engine->calls(FakeEngine::Operation::install).size(), 0);
}

void UiCatalogItemDetailTest::textsFollowTheLanguage()
{
    ViewModelHarness harness;
    harness.settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), QStringLiteral("ja"));
    harness.engine->setStatus(QStringLiteral("deja-dup"), InstallStatus::blocked);
    DevivuKitViewModel& model = harness.startSettled();
    const AppItem item = catalogEntry(QStringLiteral("deja-dup"));
    ItemDetailView sheet(model, item);
    const AppStrings japanese(AppLanguage::japanese);
    QCOMPARE(sheet.closeButton()->text(), QStringLiteral("閉じる"));
    QCOMPARE(sheet.nameText()->text(), japanese.itemName(item));
    QCOMPARE(titles(sheet).constFirst(), japanese.text(AppI18nKey::group));
    QCOMPARE(values(sheet).at(3), japanese.itemDescription(item));
    QCOMPARE(sheet.statusPill()->text(), japanese.statusText(InstallStatus::blocked));
    QVERIFY(sheet.subtitleText()->text().startsWith(japanese.text(AppI18nKey::linuxSource) + ": deja-dup / "));
}

void UiCatalogItemDetailTest::overflowScrollsInsideTheFixedSize()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    AppItem wordy = catalogEntry(QStringLiteral("libreoffice"));
    wordy.replacementNote = QStringLiteral("Map the office suite, its language pack and its dictionaries. ").repeated(12);
    wordy.id = QStringLiteral("wordy-suite"); // no translation: the stored note shows
    ItemDetailView sheet(model, wordy);
    sheet.show();
    QVERIFY(QTest::qWaitForWindowExposed(&sheet));
    QCOMPARE(sheet.size(), QSize(640, 400));

    auto* area = sheet.findChild<QScrollArea*>();
    QVERIFY(area);
    QCOMPARE(area->frameShape(), QFrame::NoFrame);
    QVERIFY(area->verticalScrollBar()->maximum() > 0);
    // The note is laid out whole (never cut), the header and Close stay in
    // the sheet.
    TextBlock* note = sheet.detailLines().constLast()->valueText();
    QVERIFY(!note->layout(note->width()).truncated);
    QCOMPARE(note->height(), note->heightForWidth(note->width()));
    const QRect close = QRect(sheet.closeButton()->mapTo(&sheet, QPoint(0, 0)), sheet.closeButton()->size());
    QVERIFY(sheet.rect().contains(close));
    QVERIFY(sheet.statusPill()->mapTo(&sheet, QPoint(0, 0)).y() >= 24);
}

QTEST_MAIN(UiCatalogItemDetailTest)
#include "tst_ui_catalog_item_detail.moc"
