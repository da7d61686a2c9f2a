#include "catalog/Catalog.h"
#include "ui/kit/ButtonStyle.h"
#include "ui/kit/ButtonText.h"
#include "ui/kit/Design.h"
#include "ui/kit/Pill.h"
#include "ui/kit/PushButton.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/SymbolView.h"
#include "ui/kit/Symbols.h"
#include "ui/kit/TavrinProgressBar.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportPrimaryButton.h"

#include <QFileInfo>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QTextDocument>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QtTest>

#include <limits>
#include <memory>

Q_DECLARE_METATYPE(ButtonStyle)

namespace {

// The symbol names the window's screens use, besides the catalog's own.
const QStringList screenSymbols{
    "xmark", "gearshape", "gearshape.fill", "chevron.right", "globe", "magnifyingglass",
    "magnifyingglass.circle", "shield.lefthalf.filled", "exclamationmark.shield.fill",
    "checkmark.seal", "checkmark.seal.fill", "checkmark.circle.fill",
    "exclamationmark.triangle.fill", "xmark.octagon.fill", "info.circle", "arrow.down.to.line",
    "arrow.down.circle.fill", "arrow.down.doc.fill", "arrow.clockwise",
    "arrow.triangle.2.circlepath", "doc.text", "doc.text.fill", "doc.text.magnifyingglass",
    "doc.on.doc", "key", "trash", "line.3.horizontal", "signature", "person.crop.circle.fill",
    "text.bubble.fill", "square.stack.3d.up.fill", "folder.fill", "cloud.fill",
    "wrench.and.screwdriver", "building.2", "chevron.down",
};

const QString longText = QStringLiteral(
    "Installs the office suite with the Vietnamese language pack and its spelling dictionary, "
    "then sets it as the default application for every office document type on this Mac.");

QImage renderWidget(QWidget& widget)
{
    QImage image(widget.size(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Rows [first, last] that hold any painted pixel; {-1, -1} when none.
QPair<int, int> inkRows(const QImage& image)
{
    int first = -1;
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) > 0) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

double coverage(const QImage& image)
{
    int inked = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(image.pixel(x, y)) > 0 ? 1 : 0;
    return double(inked) / (image.width() * image.height());
}

double naturalWidth(const QString& text, const Design::FontSpec& font)
{
    TextBlock block(text, font, Qt::black);
    block.setMaximumLines(1);
    return block.layout(1e6).lines.first().rect.width();
}

} // namespace

class UiKitTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void textBlockLayout_data();
    void textBlockLayout();
    void textBlockHeightMatchesPaint_data();
    void textBlockHeightMatchesPaint();
    void textBlockKeepsFractionalSizes();
    void textBlockShowsMarkupLiterally();
    void everySymbolInUseHasAThemeFile_data();
    void everySymbolInUseHasAThemeFile();
    void unknownSymbolDrawsAPlaceholder();
    void triggers_data();
    void triggers();
    void actionMayReplaceItselfWhileRunning();
    void focusComesByKeyboardOnly_data();
    void focusComesByKeyboardOnly();
    void buttonLooks_data();
    void buttonLooks();
    void pillGeometry();
    void pushButtonProportions_data();
    void pushButtonProportions();
    void progressBar_data();
    void progressBar();
    void animationsSwitch();
};

void UiKitTest::initTestCase()
{
    // CTest sets it for every window test; a run by hand gets the same.
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
}

void UiKitTest::textBlockLayout_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maximumLines");
    QTest::addColumn<int>("elideMode");
    QTest::addColumn<double>("minimumScale");
    QTest::addColumn<double>("widthFactor"); // of the text's natural one-line width
    QTest::addColumn<int>("lines");
    QTest::addColumn<QString>("ellipsis"); // none, end, middle
    QTest::addColumn<QString>("scale");    // one, between, minimum

    const QString path = QStringLiteral("/Users/technician/Library/Logs/Tavrin Devivu Kit/tavrin-office-kit.log");
    const QString japanese = QStringLiteral("このアプリはオフィス作業に必要なソフトウェアを確認してインストールし、"
                                            "インストール済みのアプリケーションを監査します。");
    QTest::newRow("fits on one line") << "Current progress" << 2 << int(Qt::ElideRight) << 1.0 << 1.5 << 1
                                      << "none" << "one";
    QTest::newRow("two lines then an ellipsis")
        << longText << 2 << int(Qt::ElideRight) << 1.0 << 0.2 << 2 << "end" << "one";
    QTest::newRow("cut at a line break") << QStringLiteral("First line\nSecond line\nThird line") << 2
                                         << int(Qt::ElideRight) << 1.0 << 1.0 << 2 << "end" << "one";
    QTest::newRow("all lines without a limit")
        << longText << 0 << int(Qt::ElideRight) << 1.0 << 0.2 << -1 << "none" << "one";
    QTest::newRow("CJK wraps inside words") << japanese << 2 << int(Qt::ElideRight) << 1.0 << 0.25 << 2
                                            << "end" << "one";
    QTest::newRow("middle elision") << path << 1 << int(Qt::ElideMiddle) << 1.0 << 0.5 << 1 << "middle"
                                    << "one";
    QTest::newRow("shrinks to fit") << path << 1 << int(Qt::ElideRight) << 0.68 << 0.8 << 1 << "none"
                                    << "between";
    QTest::newRow("shrinks then truncates") << path << 1 << int(Qt::ElideRight) << 0.68 << 0.4 << 1
                                            << "end" << "minimum";
}

void UiKitTest::textBlockLayout()
{
    QFETCH(QString, text);
    QFETCH(int, maximumLines);
    QFETCH(int, elideMode);
    QFETCH(double, minimumScale);
    QFETCH(double, widthFactor);
    QFETCH(int, lines);
    QFETCH(QString, ellipsis);
    QFETCH(QString, scale);

    const Design::FontSpec font{13, QFont::DemiBold};
    TextBlock block(text, font, Design::text);
    block.setMaximumLines(maximumLines);
    block.setElideMode(Qt::TextElideMode(elideMode));
    block.setMinimumScale(minimumScale);
    const double width = std::floor(naturalWidth(text, font) * widthFactor);
    const TextBlock::Layout layout = block.layout(width);

    if (lines > 0)
        QCOMPARE(layout.lines.size(), lines);
    else
        QVERIFY(layout.lines.size() > 2);
    for (const TextBlock::Line& line : layout.lines)
        QVERIFY2(line.rect.right() <= width + 0.01, qPrintable(line.text));

    const QChar cut(0x2026);
    QStringList shown;
    for (const TextBlock::Line& line : layout.lines)
        shown.append(line.text);
    if (ellipsis == QLatin1String("none")) {
        QVERIFY(!layout.truncated);
        QCOMPARE(shown.join(QString()).remove(u' '), QString(text).remove(u' '));
    } else if (ellipsis == QLatin1String("end")) {
        QVERIFY(layout.truncated);
        QVERIFY(shown.last().endsWith(cut));
        QVERIFY(text.startsWith(shown.first().chopped(shown.size() == 1 ? 1 : 0)));
        QCOMPARE(shown.join(QString()).count(cut), 1);
    } else {
        QVERIFY(layout.truncated);
        const QString line = shown.first();
        const qsizetype at = line.indexOf(cut);
        QVERIFY(at > 0 && at < line.size() - 1);
        QVERIFY(text.startsWith(line.left(at)));
        QVERIFY(text.endsWith(line.mid(at + 1)));
    }

    if (scale == QLatin1String("one"))
        QCOMPARE(layout.scale, 1.0);
    else if (scale == QLatin1String("minimum"))
        QCOMPARE(layout.scale, minimumScale);
    else
        QVERIFY(layout.scale > minimumScale && layout.scale < 1.0);
}

void UiKitTest::textBlockHeightMatchesPaint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("maximumLines");
    QTest::addColumn<double>("pixelSize");
    QTest::addColumn<int>("width");

    QTest::newRow("wrapped, no limit") << longText << 0 << 13.0 << 180;
    QTest::newRow("two lines") << longText << 2 << 12.0 << 220;
    QTest::newRow("fractional size") << longText << 3 << 10.5 << 200;
    QTest::newRow("Korean") << QStringLiteral("설치, 감사 및 보고서: 이 Mac에 필요한 사무용 소프트웨어를 준비합니다.") << 0
                            << 13.0 << 150;
    QTest::newRow("paragraphs") << QStringLiteral("First line\nSecond paragraph that wraps around") << 0 << 11.0
                                << 120;
}

void UiKitTest::textBlockHeightMatchesPaint()
{
    QFETCH(QString, text);
    QFETCH(int, maximumLines);
    QFETCH(double, pixelSize);
    QFETCH(int, width);

    TextBlock block(text, Design::FontSpec{pixelSize}, Qt::black);
    block.setMaximumLines(maximumLines);
    block.setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QVERIFY(block.hasHeightForWidth());
    const int height = block.heightForWidth(width);
    const TextBlock::Layout layout = block.layout(width);
    QVERIFY(layout.lines.size() >= 2);
    const double lineHeight = layout.lines.last().rect.height();

    // Painted in a taller widget, the text ends inside the measured height,
    // its last line in the last line's band.
    block.resize(width, height + 40);
    const QImage image = renderWidget(block);
    const auto [first, last] = inkRows(image);
    QVERIFY(first >= 0);
    QVERIFY2(last < height, qPrintable(QStringLiteral("ink to %1, height %2").arg(last).arg(height)));
    QVERIFY(last >= height - lineHeight);

    const QSize hint = block.sizeHint();
    QCOMPARE(hint.height(), block.heightForWidth(hint.width()));
}

void UiKitTest::textBlockKeepsFractionalSizes()
{
    // Qt sets fonts in whole pixels; a 10.5 px text must be neither 10 nor 11.
    const double at10 = naturalWidth(longText, {10});
    const double at105 = naturalWidth(longText, {10.5});
    const double at11 = naturalWidth(longText, {11});
    QVERIFY2(at10 + 5 < at105 && at105 + 5 < at11,
             qPrintable(QStringLiteral("%1 %2 %3").arg(at10).arg(at105).arg(at11)));
}

void UiKitTest::textBlockShowsMarkupLiterally()
{
    const QString markup = QStringLiteral("<b>x</b>");
    QVERIFY(Qt::mightBeRichText(markup));
    TextBlock block(markup, {13}, Qt::black);
    block.setMaximumLines(1);
    QCOMPARE(block.layout(500).lines.first().text, markup);
    TextBlock plain(QStringLiteral("x"), {13}, Qt::black);
    QVERIFY(block.sizeHint().width() > 4 * plain.sizeHint().width());

    block.resize(block.sizeHint());
    const QImage image = renderWidget(block);
    int right = -1;
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (qAlpha(image.pixel(x, y)) > 0)
                right = x;
    QVERIFY(right > 3 * plain.sizeHint().width());
}

void UiKitTest::everySymbolInUseHasAThemeFile_data()
{
    QTest::addColumn<QString>("name");
    QStringList names = screenSymbols;
    for (const AppItem& item : Catalog::items())
        names.append(item.symbol);
    for (const CatalogGroup& group : Catalog::groups())
        names.append(group.symbol);
    names += Symbols::knownNames();
    names.removeDuplicates();
    for (const QString& name : std::as_const(names))
        QTest::newRow(qPrintable(name)) << name;
}

void UiKitTest::everySymbolInUseHasAThemeFile()
{
    QFETCH(QString, name);
    const QString icon = Symbols::themeIconName(name);
    QVERIFY2(!icon.isEmpty(), "no theme icon for the name");
    const QString path = Symbols::filePath(name);
    QVERIFY2(!path.isEmpty(), qPrintable(icon));
    QVERIFY(QFileInfo(path).fileName() == icon + QStringLiteral("-symbolic.svg"));
    QVERIFY(path.contains(QStringLiteral("/icons/Adwaita/scalable/")));

    // Drawn, tinted to one colour, and neither blank nor a solid block (the
    // renderer does not support every feature of SVG).
    const QColor tint = Design::danger;
    const QImage image = Symbols::pixmap(name, 32, tint).toImage().convertToFormat(QImage::Format_ARGB32);
    const double inked = coverage(image);
    QVERIFY2(inked > 0.04 && inked < 0.85, qPrintable(QString::number(inked)));
    bool sawOpaque = false;
    for (int y = 0; y < image.height() && !sawOpaque; ++y)
        for (int x = 0; x < image.width() && !sawOpaque; ++x)
            if (qAlpha(image.pixel(x, y)) == 255) {
                QCOMPARE(QColor(image.pixel(x, y)), tint);
                sawOpaque = true;
            }
    QVERIFY(sawOpaque);
}

void UiKitTest::unknownSymbolDrawsAPlaceholder()
{
    QVERIFY(Symbols::filePath(QStringLiteral("no.such.symbol")).isEmpty());
    const QImage image = Symbols::pixmap(QStringLiteral("no.such.symbol"), 24, Qt::black).toImage();
    QVERIFY(coverage(image) > 0.05);

    SymbolView* view = squareSymbolImage(QStringLiteral("xmark"), 28);
    std::unique_ptr<SymbolView> owner(view);
    QCOMPARE(view->size(), QSize(28, 28));
    QCOMPARE(view->property("symbolName").toString(), QStringLiteral("xmark"));
    QVERIFY(coverage(renderWidget(*view)) > 0.02);
}

void UiKitTest::triggers_data()
{
    QTest::addColumn<int>("trigger");
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<int>("afterPress"); // runs once the press is in
    QTest::addColumn<int>("runs");       // runs after the whole gesture

    const int down = int(StyledButton::Trigger::mouseDown);
    const int click = int(StyledButton::Trigger::click);
    for (const char* how : {"mouse", "space", "click()"}) {
        QTest::addRow("mouse-down, %s", how) << down << how << true << 1 << 1;
        QTest::addRow("mouse-down, %s, disabled", how) << down << how << false << 0 << 0;
        QTest::addRow("on click, %s", how) << click << how << true << 0 << 1;
    }
    QTest::newRow("mouse-down, released outside") << down << "outside" << true << 1 << 1;
    QTest::newRow("on click, released outside") << click << "outside" << true << 0 << 0;
}

void UiKitTest::triggers()
{
    QFETCH(int, trigger);
    QFETCH(QString, how);
    QFETCH(bool, enabled);
    QFETCH(int, afterPress);
    QFETCH(int, runs);

    QWidget window;
    auto* button = new StyledButton(QStringLiteral("Printers"), QStringLiteral("printer"),
                                    ButtonStyle::sidebar(false), &window);
    button->setGeometry(10, 10, 200, 40);
    int count = 0;
    button->setAction([&count] { ++count; }, StyledButton::Trigger(trigger));
    button->setEnabled(enabled);
    window.resize(300, 100);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    const QPoint inside(100, 20);
    if (how == QLatin1String("mouse") || how == QLatin1String("outside")) {
        QTest::mousePress(button, Qt::LeftButton, {}, inside);
        QCOMPARE(count, afterPress);
        const QPoint release = how == QLatin1String("mouse") ? inside : QPoint(250, 80);
        QTest::mouseRelease(button, Qt::LeftButton, {}, release);
    } else if (how == QLatin1String("space")) {
        button->setFocus();
        QTest::keyPress(button, Qt::Key_Space);
        QCOMPARE(count, afterPress);
        QTest::keyRelease(button, Qt::Key_Space);
    } else {
        button->click();
    }
    QCOMPARE(count, runs);
}

void UiKitTest::focusComesByKeyboardOnly_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("styled") << "styled";
    QTest::newRow("report primary") << "report primary";
}

void UiKitTest::focusComesByKeyboardOnly()
{
    // Two painted buttons behind a text field; the first hides itself when it
    // acts, as a row's Install does once installed and a scan button while
    // its scan runs.
    QFETCH(QString, kind);
    QWidget window;
    auto* column = new QVBoxLayout(&window);
    auto* field = new QLineEdit(&window);
    column->addWidget(field);
    const auto button = [&](const QString& title) -> QAbstractButton* {
        if (kind == QLatin1String("styled")) {
            auto* styled = new StyledButton(title, {}, ButtonStyle::refresh(), &window);
            styled->setAction([styled] { styled->hide(); });
            column->addWidget(styled);
            return styled;
        }
        auto* primary = new ReportPrimaryButton(&window);
        primary->setTitle(title);
        QObject::connect(primary, &QAbstractButton::clicked, primary, &QWidget::hide);
        column->addWidget(primary);
        return primary;
    };
    QAbstractButton* first = button(QStringLiteral("Install"));
    QAbstractButton* next = button(QStringLiteral("Details"));
    window.show();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    field->setFocus();
    QApplication::processEvents();
    const QImage firstPlain = first->grab().toImage();
    const QImage nextPlain = next->grab().toImage();

    // A click takes no focus: the field keeps it, and no ring shows on the
    // button that follows the hidden one.
    QTest::mouseClick(first, Qt::LeftButton);
    QVERIFY(first->isHidden());
    QVERIFY(field->hasFocus());
    QVERIFY(!next->hasFocus());
    QCOMPARE(next->grab().toImage(), nextPlain);

    // By the keyboard the ring shows, and follows the focus on.
    first->show();
    QTest::keyClick(field, Qt::Key_Tab);
    QVERIFY(first->hasFocus());
    QVERIFY(first->grab().toImage() != firstPlain);
    QTest::keyClick(first, Qt::Key_Space);
    QVERIFY(first->isHidden());
    QVERIFY(next->hasFocus());
    QVERIFY(next->grab().toImage() != nextPlain);
}

void UiKitTest::pushButtonProportions_data()
{
    QTest::addColumn<QString>("title");
    QTest::newRow("English") << "Close";
    QTest::newRow("Vietnamese") << "Copy lệnh Homebrew";
    QTest::newRow("Korean") << "닫기";
    QTest::newRow("ampersand") << "Meeting & Chat";
}

void UiKitTest::pushButtonProportions()
{
#ifdef Q_OS_MACOS
    QSKIP("macOS draws its own push buttons");
#endif
    // A Mac push button's proportions: 28 high, the window's 13 px font, and
    // about 12 px between the label's ink and each side of the frame.
    QFETCH(QString, title);
    QWidget window;
    auto* row = new QHBoxLayout(&window);
    row->addWidget(new PushButton(QStringLiteral("plain"), &window));
    auto* button = window.findChild<PushButton*>(QStringLiteral("plain"));
    button->setText(ButtonText::escaped(title));
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(button->height(), 28);
    QCOMPARE(button->font().pixelSize(), 13);
    QVERIFY(!button->autoDefault());

    // The label's ink, away from the frame's two outer columns on each side.
    const QImage image = button->grab().toImage();
    const QColor text = button->palette().color(QPalette::ButtonText);
    int first = -1;
    int last = -1;
    for (int x = 3; x < image.width() - 3; ++x) {
        for (int y = 4; y < image.height() - 4; ++y) {
            const QColor pixel = image.pixelColor(x, y);
            if (qAbs(pixel.lightness() - text.lightness()) < 90) {
                first = first < 0 ? x : first;
                last = x;
                break;
            }
        }
    }
    QVERIFY(first > 0);
    QVERIFY2(first >= 10 && image.width() - 1 - last >= 10,
             qPrintable(QStringLiteral("label ink from %1 to %2 in %3").arg(first).arg(last).arg(image.width())));
    QVERIFY(first <= 15 && image.width() - 1 - last <= 15);
}

void UiKitTest::actionMayReplaceItselfWhileRunning()
{
    // A screen that rebuilds in the action hands the button a new action: the
    // running one must keep what it captured until it returns.
    StyledButton button(QStringLiteral("Overview"), QStringLiteral("square.grid.2x2"),
                        ButtonStyle::sidebar(true));
    auto alive = std::make_shared<bool>(true);
    struct Probe {
        explicit Probe(std::shared_ptr<bool> flag) : alive(std::move(flag)) {}
        ~Probe() { *alive = false; }
        std::shared_ptr<bool> alive;
    };
    auto probe = std::make_shared<Probe>(alive);
    bool aliveAfterReplace = false;
    int replacements = 0;
    button.setAction(
        [probe, &button, &aliveAfterReplace, &replacements, alive] {
            button.setAction([&replacements] { ++replacements; }, StyledButton::Trigger::mouseDown);
            button.setButtonStyle(ButtonStyle::sidebar(false));
            aliveAfterReplace = *alive;
        },
        StyledButton::Trigger::mouseDown);
    probe.reset();
    button.click();
    QVERIFY(aliveAfterReplace);
    QVERIFY(!*alive); // the first action is gone now
    button.click();
    QCOMPARE(replacements, 1);
}

void UiKitTest::buttonLooks_data()
{
    QTest::addColumn<ButtonStyle>("style");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("down");
    QTest::addColumn<QColor>("fillOnWhite");

    const auto over = [](const QColor& color, double opacity) {
        return QColor::fromRgbF(float(color.redF() * opacity + (1 - opacity)),
                                float(color.greenF() * opacity + (1 - opacity)),
                                float(color.blueF() * opacity + (1 - opacity)));
    };
    using Variant = ButtonStyle::ActionVariant;
    QTest::newRow("primary") << ButtonStyle::primary() << 34 << true << false << Design::primary;
    QTest::newRow("primary pressed") << ButtonStyle::primary() << 34 << true << true
                                     << over(Design::primary, 0.82);
    QTest::newRow("primary compact") << ButtonStyle::primary(true) << 30 << true << false << Design::primary;
    QTest::newRow("primary disabled keeps its look") << ButtonStyle::primary() << 34 << false << false
                                                     << Design::primary;
    QTest::newRow("sidebar selected") << ButtonStyle::sidebar(true) << 40 << true << false
                                      << Design::sidebarSelected;
    QTest::newRow("green") << ButtonStyle::action(Variant::green) << 38 << true << false << Design::sidebarAction;
    QTest::newRow("green disabled") << ButtonStyle::action(Variant::green) << 38 << false << false
                                    << over(Design::sidebarAction, 0.55);
    QTest::newRow("light") << ButtonStyle::action(Variant::light) << 38 << true << false << QColor(Qt::white);
    QTest::newRow("plain") << ButtonStyle::action(Variant::plain) << 34 << true << false << QColor(Qt::white);
    QTest::newRow("refresh pressed") << ButtonStyle::refresh() << 36 << true << true << QColor(Qt::white);
}

void UiKitTest::buttonLooks()
{
    QFETCH(ButtonStyle, style);
    QFETCH(int, height);
    QFETCH(bool, enabled);
    QFETCH(bool, down);
    QFETCH(QColor, fillOnWhite);

    StyledButton button(QStringLiteral("Meeting & Chat"), QStringLiteral("video"), style);
    QCOMPARE(button.sizeHint().height(), height);
    QCOMPARE(button.text(), QStringLiteral("Meeting && Chat"));
    button.setEnabled(enabled);
    button.setDown(down);
    button.resize(qMax(button.sizeHint().width(), 220), height);

    QImage image(button.size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    button.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    // A point of the fill between the rounded corner and the symbol.
    const QColor fill = image.pixelColor(4, height / 2);
    QVERIFY2(qAbs(fill.red() - fillOnWhite.red()) <= 2 && qAbs(fill.green() - fillOnWhite.green()) <= 2
                 && qAbs(fill.blue() - fillOnWhite.blue()) <= 2,
             qPrintable(fill.name() + QStringLiteral(" instead of ") + fillOnWhite.name()));
}

void UiKitTest::pillGeometry()
{
    Pill empty(QString(), Design::mutedText, Design::iconFrame);
    QCOMPARE(empty.sizeHint(), QSize(16, 22));

    Pill pill(QStringLiteral("Microsoft Devivu and a label that is much too long"), Design::text,
              Design::border);
    QCOMPARE(pill.sizeHint().height(), 22);
    QVERIFY(pill.minimumSizeHint().width() < pill.sizeHint().width());
    pill.resize(60, 22);
    const QImage image = renderWidget(pill);
    QCOMPARE(image.pixelColor(30, 1), Design::border); // one line: the top edge is the fill's
}

void UiKitTest::progressBar_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("filled");
    QTest::addColumn<QString>("percent");

    QTest::newRow("below zero") << -0.3 << 0.0 << "0%";
    QTest::newRow("above one") << 2.0 << 190.0 << "100%";
    QTest::newRow("half") << 0.5 << 95.0 << "50%";
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN() << 0.0 << "0%";
    QTest::newRow("half a percent rounds up") << 0.425 << 80.75 << "43%";
    QTest::newRow("under half a percent") << 0.004 << 0.76 << "0%";
    QTest::newRow("1.7") << 1.7 << 190.0 << "100%";
}

void UiKitTest::progressBar()
{
    QFETCH(double, value);
    QFETCH(double, filled);
    QFETCH(QString, percent);

    TavrinProgressBar bar(value);
    bar.resize(190, 8);
    QCOMPARE(bar.height(), 8);
    QVERIFY(qAbs(bar.fillWidth() - filled) < 1e-9);
    QCOMPARE(TavrinProgressBar::percentText(value), percent);
    QCOMPARE(bar.accessibleDescription(), percent);

    // Along the middle row the accent covers the filled width, the track the
    // rest (the capsules' rounded ends are blended: each pixel counts by how
    // far its green lies from the track's toward the accent's).
    const QImage image = renderWidget(bar);
    double accent = 0;
    for (int x = 0; x < image.width(); ++x) {
        const QColor pixel = image.pixelColor(x, 4);
        if (x > 0 && x < image.width() - 1)
            QCOMPARE(pixel.alpha(), 255);
        const double share = qBound(0.0, (231.0 - pixel.green()) / (231.0 - 79.0), 1.0);
        accent += share * pixel.alphaF();
    }
    QVERIFY2(qAbs(accent - filled) <= 1.0, qPrintable(QString::number(accent)));
}

void UiKitTest::animationsSwitch()
{
    QObject target;
    target.setProperty("level", 0.0);
    QVERIFY(!Design::animationsEnabled());
    QCOMPARE(Design::duration(180), 0);
    QCOMPARE(Design::animate(&target, "level", 1.0, 180), nullptr);
    QCOMPARE(target.property("level").toDouble(), 1.0);

    qputenv("TAVRIN_UI_ANIMATIONS", "1");
    QVERIFY(Design::animationsEnabled());
    QVERIFY(Design::animate(&target, "level", 0.0, 180) != nullptr);
    qputenv("TAVRIN_UI_ANIMATIONS", "0");
}

QTEST_MAIN(UiKitTest)
#include "tst_ui_kit.moc"
