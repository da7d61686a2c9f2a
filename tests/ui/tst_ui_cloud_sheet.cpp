// The cloud tools sheet on the view model over its fakes: when the output box
// shows and what, the two user closes against its host's silent close, keys
// that do nothing, a fresh panel on each presentation and the languages.

#include "CloudSheetTesting.h"
#include "ViewModelHarness.h"
#include "ui/cloud/CloudManagementPanel.h"
#include "ui/cloud/CloudToolsView.h"
#include "ui/kit/FilledBox.h"
#include "ui/kit/SelectableText.h"
#include "ui/kit/TextBlock.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using namespace CloudSheetTesting;
using Operation = FakeCloud::Operation;

Q_DECLARE_METATYPE(AppLanguage)

namespace {

// The workspace sync answers the text, which becomes cloudOutput.
bool showMessage(ViewModelHarness& harness, DevivuKitViewModel& model, const QString& text)
{
    harness.cloud->setResult(Operation::syncTechnicianWorkspace, {true, text});
    model.syncTechnicianWorkspace();
    return harness.settle() && model.cloudOutput() == text;
}

// Every cloud request but the release policy of the start-up.
int actionCalls(const FakeCloud& cloud)
{
    int count = 0;
    for (const FakeCloud::Call& call : cloud.calls())
        count += call.operation != Operation::releasePolicy;
    return count;
}

// The panel's texts: its titles, buttons and placeholders, sorted.
QStringList panelTexts(const CloudManagementPanel& panel)
{
    QStringList texts;
    for (const TextBlock* block : panel.findChildren<TextBlock*>())
        texts.append(block->text());
    for (const QPushButton* button : panel.findChildren<QPushButton*>())
        texts.append(button->text());
    for (const QLineEdit* field : panel.findChildren<QLineEdit*>())
        texts.append(field->placeholderText());
    texts.sort();
    return texts;
}

QStringList sorted(QStringList texts)
{
    texts.sort();
    return texts;
}

const QStringList englishPanel = sorted({
    "Cloud management tools", "Catalog and report", "Technician workspace", "Business device",
    "Sync catalog", "Upload report", "Sync workspace", "Save branding", "Save shared profile",
    "Fetch configuration", "Save device fields", "Workspace display name", "Profile name",
    "Catalog item IDs, comma-separated", "Department", "Asset code",
});

const QStringList vietnamesePanel = sorted({
    "Công cụ quản trị cloud", "Catalog và báo cáo", "Workspace kỹ thuật viên", "Thiết bị Business",
    "Đồng bộ catalog", "Tải báo cáo lên", "Đồng bộ workspace", "Lưu thương hiệu", "Lưu profile dùng chung",
    "Tải cấu hình", "Lưu thông tin thiết bị", "Tên hiển thị workspace", "Tên profile",
    "ID catalog, phân tách bằng dấu phẩy", "Phòng ban", "Mã tài sản",
});

} // namespace

class UiCloudSheetTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void frame();
    void outputVisibility_data();
    void outputVisibility();
    void outputFollowsAnAction();
    void longResultScrolls();
    void userCloses_data();
    void userCloses();
    void hostCloseIsSilent();
    void noDefaultButton();
    void keysDoNothing_data();
    void keysDoNothing();
    void reopenedPanelIsFresh();
    void languages_data();
    void languages();
    void switchingToVietnamese();
};

void UiCloudSheetTest::frame()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    CloudToolsView* sheet = opened.sheet;

    QCOMPARE(sheet->objectName(), QStringLiteral("cloud-tools"));
    QCOMPARE(sheet->size(), QSize(700, 720));
    QVERIFY(sheet->isModal());
    QCOMPARE(sheet->windowModality(), Qt::WindowModal);
    QCOMPARE(sheet->titleText()->text(), QStringLiteral("Cloud tools"));
    QCOMPARE(sheet->closeButton()->objectName(), QStringLiteral("cloud-close"));
    QCOMPARE(sheet->closeButton()->text(), QStringLiteral("Close"));
    // The column: 660 wide, centred.
    QWidget* column = sheet->titleText()->parentWidget();
    QCOMPARE(column->width(), CloudToolsView::columnWidth);
    const int left = column->mapTo(sheet, QPoint()).x();
    QVERIFY2(qAbs(left + column->width() / 2 - sheet->scrollArea()->viewport()->width() / 2) <= 1,
             qPrintable(QString::number(left)));
    // At the start-up the box holds the placeholder: hidden, the panel
    // collapsed below the title.
    QVERIFY(!sheet->outputBox()->isVisible());
    QVERIFY(!sheet->panel()->isExpanded());
    QVERIFY(!sheet->panel()->body()->isVisible());
    QVERIFY(sheet->panel()->isVisible());
    QVERIFY(!sheet->scrollArea()->verticalScrollBar()->isVisible());
}

void UiCloudSheetTest::outputVisibility_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("shown");

    QTest::newRow("English placeholder, Korean window") << AppLanguage(AppLanguage::korean)
                                                        << "No device data yet." << false;
    QTest::newRow("Japanese placeholder, English window") << AppLanguage(AppLanguage::english)
                                                          << "デバイスデータはまだありません。" << false;
    QTest::newRow("Vietnamese placeholder in spaces") << AppLanguage(AppLanguage::english)
                                                      << "  Chưa có dữ liệu thiết bị.  " << false;
    QTest::newRow("Chinese placeholder, trailing line break") << AppLanguage(AppLanguage::vietnamese)
                                                              << "暂无设备数据。\n" << false;
    QTest::newRow("Korean placeholder, tab and line breaks") << AppLanguage(AppLanguage::chinese)
                                                             << "\n\t아직 장치 데이터가 없습니다.\r\n" << false;
    QTest::newRow("placeholder and a full stop") << AppLanguage(AppLanguage::english) << "No device data yet.."
                                                 << true;
    QTest::newRow("placeholder with a prefix") << AppLanguage(AppLanguage::english) << "- No device data yet."
                                               << true;
    QTest::newRow("placeholder in other case") << AppLanguage(AppLanguage::english) << "No Device Data Yet."
                                               << true;
    QTest::newRow("spaces and line breaks only") << AppLanguage(AppLanguage::english) << "  \n \t\n " << false;
    QTest::newRow("empty") << AppLanguage(AppLanguage::english) << "" << false;
    QTest::newRow("message in spaces, shown untrimmed") << AppLanguage(AppLanguage::english)
                                                        << "  Đã đồng bộ 3 app.\n" << true;
    QTest::newRow("multi-line message")
        << AppLanguage(AppLanguage::japanese)
        << "Không đồng bộ được workspace: not_workspace_member\nChi tiết: <b>Lan</b> & co\n\n"
           "dòng bốn " + QString(300, u'x') << true;
}

void UiCloudSheetTest::outputVisibility()
{
    QFETCH(AppLanguage, language);
    QFETCH(QString, output);
    QFETCH(bool, shown);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(language);
    OpenedSheet opened(model);
    QVERIFY(showMessage(harness, model, output));
    CloudToolsView* sheet = opened.sheet;

    QCOMPARE(CloudToolsView::shouldShowCloudOutput(output), shown);
    QCOMPARE(sheet->outputBox()->isVisible(), shown);
    if (!shown)
        return;
    // The whole text, as it is, plain and selectable, every line in view.
    SelectableText* text = sheet->outputText();
    QCOMPARE(text->text(), output);
    QVERIFY(text->textInteractionFlags().testFlag(Qt::TextSelectableByMouse));
    QVERIFY(text->isReadOnly());
    QCOMPARE(text->document()->blockCount(), output.count(u'\n') + 1);
    QVERIFY(text->width() <= CloudToolsView::columnWidth);
    QTRY_VERIFY2(text->height() >= text->heightForWidth(text->width()),
             qPrintable(QStringLiteral("%1 < %2").arg(text->height()).arg(text->heightForWidth(text->width()))));
    text->selectAll();
    QCOMPARE(text->textCursor().selectedText().size(), output.size());
}

// The box shows as soon as an action writes its progress text and keeps its
// last message; a language switch that makes it a placeholder hides it.
void UiCloudSheetTest::outputFollowsAnAction()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(AppLanguage::korean);
    OpenedSheet opened(model);
    CloudToolsView* sheet = opened.sheet;
    QVERIFY(!sheet->outputBox()->isVisible());
    QCOMPARE(sheet->outputTitle()->text(), QStringLiteral("최근 클라우드 결과"));

    const std::shared_ptr<Gate> gate = harness.cloud->hold(Operation::syncTechnicianWorkspace);
    harness.cloud->setResult(Operation::syncTechnicianWorkspace, {false, QStringLiteral("Không đồng bộ được.")});
    model.syncTechnicianWorkspace();
    QVERIFY(sheet->outputBox()->isVisible());
    QCOMPARE(sheet->outputText()->text(), QStringLiteral("Syncing repair-shop workspace…"));
    gate->release();
    QVERIFY(harness.settle());
    QVERIFY(sheet->outputBox()->isVisible());
    QCOMPARE(sheet->outputText()->text(), QStringLiteral("Không đồng bộ được."));

    QVERIFY(showMessage(harness, model, QStringLiteral("No device data yet.")));
    QVERIFY(!sheet->outputBox()->isVisible());
    model.setLanguage(AppLanguage::vietnamese);
    QVERIFY(!sheet->outputBox()->isVisible());
}

// Expanded under a long result, the column is taller than the sheet and
// scrolls; Close can be scrolled into view and pressed.
void UiCloudSheetTest::longResultScrolls()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QStringList lines;
    for (int i = 1; i <= 30; ++i)
        lines.append(QStringLiteral("Dòng %1 của kết quả cloud.").arg(i));
    QVERIFY(showMessage(harness, model, lines.join(u'\n')));
    QVERIFY(opened.expand());
    CloudToolsView* sheet = opened.sheet;

    QScrollBar* bar = sheet->scrollArea()->verticalScrollBar();
    QTRY_VERIFY(bar->isVisible());
    QVERIFY(bar->maximum() > 0);
    QTRY_VERIFY(sheet->outputText()->height() >= sheet->outputText()->heightForWidth(sheet->outputText()->width()));
    sheet->scrollArea()->ensureWidgetVisible(sheet->closeButton());
    QTest::mouseClick(sheet->closeButton(), Qt::LeftButton);
    QVERIFY(!model.activeSheet());
}

void UiCloudSheetTest::userCloses_data()
{
    QTest::addColumn<QString>("close");
    QTest::addColumn<bool>("hostCloses");

    QTest::newRow("Close") << "button" << false;
    QTest::newRow("title-bar close") << "title bar" << false;
    QTest::newRow("Close, host closes and deletes later") << "button" << true;
    QTest::newRow("title-bar close, host closes and deletes later") << "title bar" << true;
}

void UiCloudSheetTest::userCloses()
{
    QFETCH(QString, close);
    QFETCH(bool, hostCloses);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QPointer<CloudToolsView> sheet = opened.sheet;
    QSignalSpy finished(sheet.data(), &QDialog::finished);
    QSignalSpy sheetChanges(&model, &DevivuKitViewModel::activeSheetChanged);
    // A host as the window has one: when activeSheet stops naming the sheet
    // it closes the dialog and deletes it later.
    if (hostCloses) {
        connect(&model, &DevivuKitViewModel::activeSheetChanged, sheet, [&] {
            if (!model.activeSheet() && sheet) {
                sheet->close();
                sheet->deleteLater();
            }
        });
    }

    if (close == QLatin1String("button"))
        QTest::mouseClick(sheet->closeButton(), Qt::LeftButton);
    else
        QVERIFY(sheet->close());

    QVERIFY(!model.activeSheet());
    QCOMPARE(sheetChanges.size(), 1);
    QCOMPARE(finished.size(), 1);
    QCOMPARE(finished.constFirst().constFirst().toInt(), int(QDialog::Rejected));
    QVERIFY(sheet);
    QVERIFY(!sheet->isVisible());
    if (hostCloses)
        QTRY_VERIFY(!sheet);
    QCOMPARE(actionCalls(*harness.cloud), 0);
}

// After activeSheet moved on, closing the dialog is its host's business.
void UiCloudSheetTest::hostCloseIsSilent()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QSignalSpy finished(opened.sheet.data(), &QDialog::finished);
    model.setActiveSheet(Sheet::report());

    QVERIFY(opened.sheet->close());

    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::report()));
    QVERIFY(!opened.sheet->isVisible());
    QCOMPARE(finished.size(), 1);
}

void UiCloudSheetTest::noDefaultButton()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());

    const QList<QPushButton*> buttons = opened.sheet->findChildren<QPushButton*>();
    QCOMPARE(buttons.size(), panelButtonNames.size() + 1);
    for (const QPushButton* button : buttons) {
        QVERIFY2(!button->autoDefault(), qPrintable(button->objectName()));
        QVERIFY2(!button->isDefault(), qPrintable(button->objectName()));
    }
    for (const QString& name : panelButtonNames)
        QVERIFY2(opened.button(name), qPrintable(name));
    for (const QString& name : fieldNames)
        QVERIFY2(opened.field(name), qPrintable(name));
}

void UiCloudSheetTest::keysDoNothing_data()
{
    QTest::addColumn<QString>("focus"); // empty: the sheet itself
    QTest::addColumn<int>("key");

    QTest::newRow("Escape on the sheet") << "" << int(Qt::Key_Escape);
    QTest::newRow("Escape on Close") << "cloud-close" << int(Qt::Key_Escape);
    QTest::newRow("Escape on the disclosure button") << "cloud-expand" << int(Qt::Key_Escape);
    QTest::newRow("Escape on Sync catalog") << "cloud-sync-catalog" << int(Qt::Key_Escape);
    QTest::newRow("Return on the sheet") << "" << int(Qt::Key_Return);
    for (const QString& name : fieldNames) {
        QTest::addRow("Escape in %s", qPrintable(name)) << name << int(Qt::Key_Escape);
        QTest::addRow("Return in %s", qPrintable(name)) << name << int(Qt::Key_Return);
        QTest::addRow("Enter in %s", qPrintable(name)) << name << int(Qt::Key_Enter);
    }
}

// Every field holds text, so every button is enabled; the key presses none
// of them and the sheet stays as it was.
void UiCloudSheetTest::keysDoNothing()
{
    QFETCH(QString, focus);
    QFETCH(int, key);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    for (const QString& name : fieldNames)
        opened.type(name, QStringLiteral("Lan"));
    const QString output = model.cloudOutput();
    QSignalSpy finished(opened.sheet.data(), &QDialog::finished);
    QWidget* target = focus.isEmpty() ? opened.sheet.data() : opened.sheet->findChild<QWidget*>(focus);
    QVERIFY(target);
    target->setFocus();

    QTest::keyClick(target, Qt::Key(key), key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QVERIFY(harness.settle());

    QCOMPARE(actionCalls(*harness.cloud), 0);
    QCOMPARE(model.cloudOutput(), output);
    QVERIFY(opened.sheet->isVisible());
    QVERIFY(finished.isEmpty());
    QCOMPARE(model.activeSheet(), std::optional<Sheet>(Sheet::cloudTools()));
    QVERIFY(opened.sheet->panel()->isExpanded());
    for (const QString& name : fieldNames)
        QCOMPARE(opened.field(name)->text(), QStringLiteral("Lan"));
}

void UiCloudSheetTest::reopenedPanelIsFresh()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    {
        OpenedSheet first(model);
        QVERIFY(first.expand());
        for (const QString& name : fieldNames)
            first.type(name, QStringLiteral("Lan"));
        QTest::mouseClick(first.sheet->closeButton(), Qt::LeftButton);
        QVERIFY(!model.activeSheet());
    }

    OpenedSheet second(model);
    QVERIFY(!second.sheet->panel()->isExpanded());
    QVERIFY(!second.sheet->panel()->body()->isVisible());
    QVERIFY(second.expand());
    for (const QString& name : fieldNames)
        QVERIFY2(second.field(name)->text().isEmpty(), qPrintable(name));
    // Collapsing keeps what was typed while the sheet stays open.
    second.type(QStringLiteral("cloud-profile-name"), QStringLiteral("Kế toán"));
    QTest::mouseClick(second.sheet->panel()->expandButton(), Qt::LeftButton);
    QVERIFY(!second.sheet->panel()->body()->isVisible());
    QVERIFY(second.expand());
    QCOMPARE(second.field(QStringLiteral("cloud-profile-name"))->text(), QStringLiteral("Kế toán"));
}

void UiCloudSheetTest::languages_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("outputTitle");
    QTest::addColumn<QString>("close");
    QTest::addColumn<QStringList>("panel");

    QTest::newRow("English") << AppLanguage(AppLanguage::english) << "Cloud tools" << "Last cloud result" << "Close"
                             << englishPanel;
    QTest::newRow("Vietnamese") << AppLanguage(AppLanguage::vietnamese) << "Công cụ đám mây"
                                << "Kết quả cloud gần nhất" << "Đóng" << vietnamesePanel;
    QTest::newRow("Korean") << AppLanguage(AppLanguage::korean) << "클라우드 도구" << "최근 클라우드 결과" << "닫기"
                            << englishPanel;
    QTest::newRow("Japanese") << AppLanguage(AppLanguage::japanese) << AppStrings(AppLanguage::japanese).text(AppI18nKey::cloudTools)
                              << "最新のクラウド結果" << "閉じる" << englishPanel;
    QTest::newRow("Chinese") << AppLanguage(AppLanguage::chinese) << AppStrings(AppLanguage::chinese).text(AppI18nKey::cloudTools)
                             << "最近的云端结果" << "关闭" << englishPanel;
}

void UiCloudSheetTest::languages()
{
    QFETCH(AppLanguage, language);
    QFETCH(QString, title);
    QFETCH(QString, outputTitle);
    QFETCH(QString, close);
    QFETCH(QStringList, panel);

    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(language);
    OpenedSheet opened(model);
    CloudToolsView* sheet = opened.sheet;

    QCOMPARE(sheet->titleText()->text(), title);
    QCOMPARE(sheet->windowTitle(), title);
    QCOMPARE(sheet->outputTitle()->text(), outputTitle);
    QCOMPARE(sheet->closeButton()->text(), close);
    QCOMPARE(panelTexts(*sheet->panel()), panel);
}

// One language switch changes every text at once, the fields' contents and
// the panel's state untouched.
void UiCloudSheetTest::switchingToVietnamese()
{
    ViewModelHarness harness;
    DevivuKitViewModel& model = harness.startSettled();
    model.setLanguage(AppLanguage::korean);
    OpenedSheet opened(model);
    QVERIFY(opened.expand());
    opened.type(QStringLiteral("cloud-department"), QStringLiteral("IT"));
    CloudToolsView* sheet = opened.sheet;
    QCOMPARE(panelTexts(*sheet->panel()), englishPanel);

    model.setLanguage(AppLanguage::vietnamese);

    QCOMPARE(panelTexts(*sheet->panel()), vietnamesePanel);
    QCOMPARE(sheet->titleText()->text(), QStringLiteral("Công cụ đám mây"));
    QCOMPARE(sheet->outputTitle()->text(), QStringLiteral("Kết quả cloud gần nhất"));
    QCOMPARE(sheet->closeButton()->text(), QStringLiteral("Đóng"));
    QVERIFY(sheet->panel()->isExpanded());
    QCOMPARE(opened.field(QStringLiteral("cloud-department"))->text(), QStringLiteral("IT"));

    model.setLanguage(AppLanguage::chinese);
    QCOMPARE(panelTexts(*sheet->panel()), englishPanel);
    QCOMPARE(sheet->outputTitle()->text(), QStringLiteral("最近的云端结果"));
}

QTEST_MAIN(UiCloudSheetTest)
#include "tst_ui_cloud_sheet.moc"
