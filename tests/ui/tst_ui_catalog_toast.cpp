// The toast card: its symbol and colour per kind, its width and its two
// lines of text.

#include "ui/kit/Design.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/TextBlock.h"
#include "ui/shell/ToastView.h"

#include <QtTest>

using Message = ToastView::Message;

namespace {

Message message(const QString& text, Message::Kind kind = Message::Kind::success)
{
    return Message{QUuid::createUuid(), text, kind};
}

} // namespace

class UiCatalogToastTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void symbolPerKind_data();
    void symbolPerKind();
    void shortTextNarrowCardCentred();
    void longTextTwoLinesWithin360();
    void emptyTextKeepsTheIcon();
};

void UiCatalogToastTest::symbolPerKind_data()
{
    QTest::addColumn<int>("kind");
    QTest::addColumn<QString>("symbol");
    QTest::addColumn<QColor>("color");
    QTest::newRow("success") << int(Message::Kind::success) << "checkmark.circle.fill" << Design::success;
    QTest::newRow("warning") << int(Message::Kind::warning) << "exclamationmark.triangle.fill" << Design::warning;
    QTest::newRow("failure") << int(Message::Kind::failure) << "xmark.octagon.fill" << Design::danger;
}

void UiCatalogToastTest::symbolPerKind()
{
    QFETCH(int, kind);
    QFETCH(QString, symbol);
    QFETCH(QColor, color);

    ToastView toast(message(QStringLiteral("<b>Đã</b> cài VLC & GIMP"), Message::Kind(kind)));
    QCOMPARE(toast.objectName(), QStringLiteral("toast"));
    QCOMPARE(toast.symbolView()->property("symbolName").toString(), symbol);
    QCOMPARE(toast.symbolView()->color(), color);
    QCOMPARE(ToastView::kindColor(Message::Kind(kind)), color);
    // The text as given, never read as markup.
    QCOMPARE(toast.textBlock()->text(), QStringLiteral("<b>Đã</b> cài VLC & GIMP"));

    // A new message of another kind restyles the same card.
    toast.setMessage(message(QStringLiteral("x"), Message::Kind::success));
    QCOMPARE(toast.symbolView()->property("symbolName").toString(), QStringLiteral("checkmark.circle.fill"));
}

void UiCatalogToastTest::shortTextNarrowCardCentred()
{
    ToastView toast(message(QStringLiteral("Status refreshed")));
    QCOMPARE(toast.sizeHint().width(), 360);
    toast.resize(360, toast.heightForWidth(360));
    toast.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toast));

    const QRect card = toast.cardRect();
    const int content = toast.textBlock()->sizeHint().width();
    QCOMPARE(card.width(), 14 + toast.symbolView()->width() + 10 + content + 14);
    QCOMPARE(card.left(), (360 - card.width()) / 2);
    QCOMPARE(toast.textBlock()->layout(toast.textBlock()->width()).lines.size(), 1);
}

void UiCatalogToastTest::longTextTwoLinesWithin360()
{
    const QString text = QStringLiteral(
        "Không cài được LibreDevivu + Vietnamese: brew install --cask libreoffice-language-pack kết thúc với mã 1; "
        "xem log chi tiết trong ngăn log ở cuối cửa sổ rồi thử lại sau khi kiểm tra kết nối mạng.");
    ToastView toast(message(text, Message::Kind::failure));
    toast.resize(600, toast.heightForWidth(360));
    toast.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toast));

    QCOMPARE(toast.width(), 360);
    QVERIFY(toast.cardRect().width() <= 360);
    QVERIFY(toast.rect().contains(toast.cardRect()));
    TextBlock* shown = toast.textBlock();
    const TextBlock::Layout layout = shown->layout(shown->width());
    QCOMPARE(layout.lines.size(), 2);
    QVERIFY(layout.truncated);
    QVERIFY(layout.lines.constLast().text.endsWith(QChar(0x2026)));
    QVERIFY(toast.cardRect().contains(shown->geometry()));
    QCOMPARE(toast.height(), shown->height() + 20);
}

void UiCatalogToastTest::emptyTextKeepsTheIcon()
{
    ToastView toast(message(QString(), Message::Kind::warning));
    toast.resize(360, toast.heightForWidth(360));
    toast.show();
    QVERIFY(QTest::qWaitForWindowExposed(&toast));
    const QRect card = toast.cardRect();
    QCOMPARE(card.width(), 14 + toast.symbolView()->width() + 14);
    QVERIFY(card.contains(toast.symbolView()->geometry()));
    QVERIFY(toast.symbolView()->isVisible());
}

QTEST_MAIN(UiCatalogToastTest)
#include "tst_ui_catalog_toast.moc"
