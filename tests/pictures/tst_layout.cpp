// The layout of every screen and sheet, on the picture program's scenes, in
// every language: at the window's minimum size (and at the size each scene
// shoots) and at each sheet's fixed size,
// - no visible text widget is smaller than its text needs (its size hint, or
//   its height for its width when it wraps) unless it carries
//   Design::elidesProperty, which says it may elide or shrink by design;
// - no container but a scrolling one hides part of a text widget;
// - no two text widgets overlap within the parts of them that their scroll
//   areas and windows show (a widget scrolled out of view and the toast,
//   which lies over the content by design, are left out).
// A failure names each offender: scene, language, widget, text and sizes.

#include "PictureScenes.h"
#include "ui/WindowFixture.h"
#include "ui/kit/Design.h"
#include "ui/kit/Pill.h"
#include "ui/kit/SelectableText.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"
#include "ui/shell/MainWindow.h"
#include "ui/shell/ToastView.h"
#include "ui/shell/WindowSizing.h"
#include "ui/shell/WindowStart.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollArea>
#include <QTextEdit>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

// How a text widget must be given room for its text.
enum class Fit {
    field,   // an edit field or a menu: shows part of its text by nature
    oneLine, // its width and line height
    wrapped, // its height at its width
};

struct TextWidget {
    QWidget* widget = nullptr;
    QString text;
    Fit fit = Fit::oneLine;
    QRect visible;           // in the top widget's coordinates
    QWidget* cutBy = nullptr; // an ancestor, not scrolling, that hides part of it
};

std::optional<std::pair<QString, Fit>> textOf(QWidget* widget)
{
    const auto some = [](const QString& text, Fit fit) -> std::optional<std::pair<QString, Fit>> {
        if (fit != Fit::field && text.trimmed().isEmpty())
            return std::nullopt;
        return std::pair{text, fit};
    };
    if (auto* block = qobject_cast<TextBlock*>(widget))
        return some(block->text(), block->hasHeightForWidth() ? Fit::wrapped : Fit::oneLine);
    if (auto* label = qobject_cast<QLabel*>(widget))
        return some(label->text(), label->wordWrap() ? Fit::wrapped : Fit::oneLine);
    if (auto* button = qobject_cast<StyledButton*>(widget))
        return some(button->title(), Fit::oneLine);
    if (auto* button = qobject_cast<QAbstractButton*>(widget))
        return some(QString(button->text()).replace(QStringLiteral("&&"), QStringLiteral("&")), Fit::oneLine);
    if (auto* pill = qobject_cast<Pill*>(widget))
        return some(pill->text(), Fit::oneLine);
    if (auto* text = qobject_cast<SelectableText*>(widget))
        return some(text->text(), Fit::wrapped);
    if (auto* edit = qobject_cast<QLineEdit*>(widget))
        return some(edit->text().isEmpty() ? edit->placeholderText() : edit->text(), Fit::field);
    if (auto* edit = qobject_cast<QTextEdit*>(widget))
        return some(edit->toPlainText(), Fit::field);
    if (auto* edit = qobject_cast<QPlainTextEdit*>(widget))
        return some(edit->toPlainText(), Fit::field);
    if (auto* menu = qobject_cast<QComboBox*>(widget))
        return some(menu->currentText(), menu->isEditable() ? Fit::field : Fit::oneLine);
    return std::nullopt;
}

bool isScrollViewport(const QWidget* widget)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
    return area && area->viewport() == widget;
}

// Where the widget shows, in the top's coordinates: every widget clips its
// children to its own rectangle. A scroll area's viewport may hide part of
// its content (that is scrolling); any other ancestor that hides part of a
// text cuts it, and is named in cutBy.
struct Placement {
    QRect visible;
    QWidget* cutBy = nullptr;
};

Placement placementOf(QWidget* widget, QWidget* top)
{
    const QRect whole(widget->mapTo(top, QPoint(0, 0)), widget->size());
    Placement placement{whole};
    const auto clip = [&](QWidget* ancestor, const QRect& box) {
        if (!placement.cutBy && !isScrollViewport(ancestor) && !placement.visible.isEmpty()
            && !box.contains(placement.visible))
            placement.cutBy = ancestor;
        placement.visible &= box;
    };
    for (QWidget* ancestor = widget->parentWidget(); ancestor && ancestor != top;
         ancestor = ancestor->parentWidget())
        clip(ancestor, QRect(ancestor->mapTo(top, QPoint(0, 0)), ancestor->size()));
    clip(top, top->rect());
    return placement;
}

bool underToast(QWidget* widget, QWidget* top)
{
    for (QWidget* at = widget; at && at != top; at = at->parentWidget())
        if (qobject_cast<ToastView*>(at))
            return true;
    return false;
}

// "TextBlock in header-title" / "report-close": the widget's own name, or
// its class and the nearest named ancestor.
QString nameOf(QWidget* widget)
{
    if (!widget->objectName().isEmpty())
        return widget->objectName();
    QString name = QString::fromLatin1(widget->metaObject()->className());
    for (QWidget* at = widget->parentWidget(); at; at = at->parentWidget()) {
        if (!at->objectName().isEmpty() && !at->objectName().startsWith(QStringLiteral("qt_"))) {
            name += QStringLiteral(" in ") + at->objectName();
            break;
        }
    }
    return name;
}

QString describe(const TextWidget& text)
{
    QString shown = text.text.simplified();
    if (shown.size() > 60)
        shown = shown.left(57) + QStringLiteral("...");
    return QStringLiteral("%1 \"%2\"").arg(nameOf(text.widget), shown);
}

QString sizeText(QSize size)
{
    return QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
}

QString placeText(QPoint point)
{
    return QStringLiteral("(%1,%2)").arg(point.x()).arg(point.y());
}

// The room the widget's text needs at its current width; nothing for a
// field or a text that may elide or shrink.
std::optional<QSize> neededSize(const TextWidget& text)
{
    QWidget* widget = text.widget;
    if (text.fit == Fit::field || widget->property(Design::elidesProperty).toBool())
        return std::nullopt;
    if (text.fit == Fit::wrapped)
        return QSize(0, widget->heightForWidth(widget->width()));
    const QSize hint = widget->sizeHint();
    // Qt's own buttons and menus hint at their frame's margins too; their
    // text needs its width and one line.
    const bool ownLook = qobject_cast<TextBlock*>(widget) || qobject_cast<StyledButton*>(widget)
                         || qobject_cast<QLabel*>(widget) || qobject_cast<Pill*>(widget);
    return QSize(hint.width(), ownLook ? hint.height() : qMin(hint.height(), widget->fontMetrics().height()));
}

struct CheckResult {
    QStringList problems;
    int textWidgets = 0;
    int shortened = 0; // texts that elide or shrink by design and do now
};

bool isShortened(const TextWidget& text)
{
    if (!text.widget->property(Design::elidesProperty).toBool())
        return false;
    if (auto* block = qobject_cast<TextBlock*>(text.widget)) {
        const TextBlock::Layout laid = block->layout(block->width());
        return laid.truncated || laid.scale < 1.0;
    }
    return text.widget->width() < text.widget->sizeHint().width();
}

// Every text widget shown in the top widget's own window (not in the
// windows over it), checked for room and overlaps.
CheckResult checkLayout(QWidget* top)
{
    CheckResult result;
    QList<TextWidget> texts;
    const QList<QWidget*> widgets = top->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->window() != top->window() || !widget->isVisibleTo(top) || underToast(widget, top))
            continue;
        const auto text = textOf(widget);
        if (!text)
            continue;
        const Placement placement = placementOf(widget, top);
        if (placement.visible.isEmpty())
            continue;
        texts.append({widget, text->first, text->second, placement.visible, placement.cutBy});
    }
    result.textWidgets = int(texts.size());

    for (const TextWidget& text : std::as_const(texts)) {
        result.shortened += isShortened(text) ? 1 : 0;
        const auto needed = neededSize(text);
        const QSize size = text.widget->size();
        if (needed && (size.width() < needed->width() || size.height() < needed->height()))
            result.problems.append(QStringLiteral("cut: %1 at %2 is %3, needs %4")
                                       .arg(describe(text), placeText(text.visible.topLeft()), sizeText(size),
                                            sizeText(*needed)));
        if (text.cutBy)
            result.problems.append(QStringLiteral("cut: %1 at %2 is %3, %4 shows %5")
                                       .arg(describe(text), placeText(text.visible.topLeft()), sizeText(size),
                                            nameOf(text.cutBy), sizeText(text.visible.size())));
    }

    // Only the innermost text widgets are compared: a widget that holds
    // another (an edit field's parts, a button with a label) is no overlap.
    QList<TextWidget> leaves;
    for (const TextWidget& text : std::as_const(texts)) {
        const bool holdsAnother = std::any_of(texts.cbegin(), texts.cend(), [&](const TextWidget& other) {
            return other.widget != text.widget && text.widget->isAncestorOf(other.widget);
        });
        if (!holdsAnother)
            leaves.append(text);
    }
    for (qsizetype a = 0; a < leaves.size(); ++a) {
        for (qsizetype b = a + 1; b < leaves.size(); ++b) {
            const QRect shared = leaves.at(a).visible & leaves.at(b).visible;
            if (shared.isEmpty())
                continue;
            result.problems.append(QStringLiteral("overlap: %1 at %2 %3 and %4 at %5 %6 share %7")
                                       .arg(describe(leaves.at(a)), placeText(leaves.at(a).visible.topLeft()),
                                            sizeText(leaves.at(a).visible.size()), describe(leaves.at(b)),
                                            placeText(leaves.at(b).visible.topLeft()),
                                            sizeText(leaves.at(b).visible.size()), sizeText(shared.size())));
        }
    }
    return result;
}

void layOut(QWidget* top, QSize size)
{
    top->resize(size);
    if (QLayout* layout = top->layout())
        layout->activate();
    WindowFixture::deliver();
}

} // namespace

class LayoutTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void checkFindsCutAndOverlappingTexts();
    void everyScreenFits_data();
    void everyScreenFits();
    void cleanupTestCase();

private:
    int m_checkedScenes = 0;
    int m_checkedPictures = 0;
    qint64 m_checkedWidgets = 0;
    qint64 m_shortenedWidgets = 0;
};

void LayoutTest::initTestCase()
{
    // As render_pictures sets up its application, so the sizes agree.
    WindowStart::setUpApplication();
}

// The check itself, on a small window of plain widgets: what it must name
// and what it must leave out.
void LayoutTest::checkFindsCutAndOverlappingTexts()
{
    QWidget top;
    top.resize(600, 400);
    const QString longText = QStringLiteral("A text far too long for forty pixels");
    const auto label = [&](const QString& name, const QString& text, QRect geometry, QWidget* parent) {
        auto* made = new QLabel(text, parent);
        made->setObjectName(name);
        made->setGeometry(geometry);
        return made;
    };
    label(QStringLiteral("cut-label"), longText, {0, 0, 40, 20}, &top);
    Design::setElides(*label(QStringLiteral("eliding-label"), longText, {0, 30, 40, 20}, &top));
    auto* wrapped = new TextBlock(longText + u' ' + longText, {13, QFont::Normal}, Design::text, &top);
    wrapped->setObjectName(QStringLiteral("short-wrapped"));
    wrapped->setGeometry(0, 60, 80, 20);
    auto* limited = new TextBlock(longText + u' ' + longText, {13, QFont::Normal}, Design::text, &top);
    limited->setObjectName(QStringLiteral("two-lines"));
    limited->setMaximumLines(2);
    limited->setGeometry(0, 90, 80, 40);
    label(QStringLiteral("overlap-a"), QStringLiteral("One"), {300, 0, 80, 20}, &top);
    label(QStringLiteral("overlap-b"), QStringLiteral("Two"), {340, 10, 80, 20}, &top);
    label(QStringLiteral("hidden"), longText, {300, 0, 10, 10}, &top)->hide();
    // A card lower than the label it holds cuts it.
    auto* card = new QWidget(&top);
    card->setObjectName(QStringLiteral("short-card"));
    card->setGeometry(200, 150, 100, 10);
    label(QStringLiteral("in-card"), QStringLiteral("Card"), {0, 0, 100, 20}, card);

    // A scroll area at the top right shows its content's first 100 pixels;
    // a label further down is out of view, where a label outside lies.
    auto* scroll = new QScrollArea(&top);
    scroll->setGeometry(450, 0, 150, 100);
    scroll->setFrameShape(QFrame::NoFrame);
    auto* content = new QWidget;
    content->resize(150, 400);
    label(QStringLiteral("scrolled-out"), longText, {0, 200, 20, 20}, content);
    label(QStringLiteral("in-view"), QStringLiteral("Seen"), {0, 80, 100, 40}, content);
    scroll->setWidget(content);
    label(QStringLiteral("below-scroll"), QStringLiteral("Below"), {450, 100, 100, 20}, &top);
    label(QStringLiteral("beside-scroll"), QStringLiteral("Beside"), {450, 200, 100, 20}, &top);

    auto* toast = new ToastView({QUuid::createUuid(), QStringLiteral("Copied"), ToastView::Message::Kind::success},
                                &top);
    toast->setGeometry(0, 300, 300, 60);
    label(QStringLiteral("under-toast"), QStringLiteral("Under"), {0, 310, 200, 20}, &top);

    top.show();
    QVERIFY(QTest::qWaitForWindowExposed(&top));
    const CheckResult result = checkLayout(&top);
    const QString all = result.problems.join(u'\n');

    QCOMPARE(result.problems.size(), 4);
    QVERIFY2(all.contains(QStringLiteral("cut: cut-label \"A text far too long")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("at (0,0) is 40x20, needs ")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("cut: short-wrapped")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("overlap: overlap-a \"One\"")) && all.contains(QStringLiteral("overlap-b")),
             qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("share 40x10")), qPrintable(all));
    QVERIFY2(all.contains(QStringLiteral("cut: in-card \"Card\" at (200,150) is 100x20, short-card shows 100x10")),
             qPrintable(all));
    // cut-label, eliding-label, short-wrapped, two-lines, overlap-a/b,
    // in-card, in-view, below-scroll, beside-scroll, under-toast: the hidden
    // and scrolled-out labels and the toast's own text are not counted.
    QCOMPARE(result.textWidgets, 11);
}

void LayoutTest::everyScreenFits_data()
{
    QTest::addColumn<int>("scene");
    QTest::addColumn<QString>("code");
    const QList<PictureScene>& scenes = PictureScenes::scenes();
    for (AppLanguage language : AppLanguage::supported())
        for (int scene = 0; scene < scenes.size(); ++scene)
            QTest::addRow("%s/%s", qPrintable(scenes.at(scene).name), qPrintable(language.code())) << scene
                                                                                                   << language.code();
}

void LayoutTest::everyScreenFits()
{
    QFETCH(int, scene);
    QFETCH(QString, code);
    const AppLanguage language = AppLanguage::fromCode(code).value();
    const PictureScene& picture = PictureScenes::scenes().at(scene);

    QStringList problems;
    int widgets = 0;
    const auto check = [&](QWidget* top, const QString& where) {
        const CheckResult result = checkLayout(top);
        widgets += result.textWidgets;
        m_shortenedWidgets += result.shortened;
        ++m_checkedPictures;
        for (const QString& problem : result.problems)
            problems.append(QStringLiteral("%1 (%2, %3, %4): %5")
                                .arg(where, picture.name, language.code(), sizeText(top->size()), problem));
    };
    PictureStage stage(language, [&](const PictureShot& shot) {
        if (!shot.widget)
            return;
        check(shot.widget, shot.name);
        // Every state of the window is checked at its minimum size too.
        auto* window = qobject_cast<MainWindow*>(shot.widget);
        const QSize minimum = WindowSizing::minimumContentSize;
        if (window && window->size() != minimum) {
            const QSize shotSize = window->size();
            layOut(window, minimum);
            check(window, shot.name + QStringLiteral("@min"));
            layOut(window, shotSize);
        }
    });
    picture.run(stage);

    ++m_checkedScenes;
    m_checkedWidgets += widgets;
    // Every offender on its own line (a failure message is cut when long).
    for (const QString& problem : std::as_const(problems))
        qWarning().noquote() << problem;
    QVERIFY2(problems.isEmpty(), qPrintable(QStringLiteral("%1 offenders, each named above; the first: %2")
                                                .arg(problems.size())
                                                .arg(problems.value(0))));
    QVERIFY2(widgets > 0, "the scene showed no text to check");
}

void LayoutTest::cleanupTestCase()
{
    std::printf("layout checked: %d scenes x languages, %d pictures, %lld text widgets (%lld of them elided or "
                "shrunk by design)\n",
                m_checkedScenes, m_checkedPictures, static_cast<long long>(m_checkedWidgets),
                static_cast<long long>(m_shortenedWidgets));
}

QTEST_MAIN(LayoutTest)
#include "tst_layout.moc"
