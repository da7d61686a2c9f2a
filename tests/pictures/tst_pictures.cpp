// What render_pictures wrote: every picture of every scene and language is
// there, at the size of its widget and of its scene's expectation, and none
// is blank. The scenes run again here (without grabbing) to name the files.

#include "PictureScenes.h"
#include "catalog/Catalog.h"
#include "ui/shell/WindowStart.h"

#include <QDir>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QWidget>
#include <QtTest>

namespace {

// A blank picture is one colour, or nearly: a handful of colours at most.
int distinctColours(const QImage& image, int enough)
{
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); y += 2) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); x += 2) {
            seen.insert(line[x]);
            if (seen.size() >= enough)
                return int(seen.size());
        }
    }
    return int(seen.size());
}

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase();
    void everyPictureIsThereAtItsSize();
};

void PicturesTest::initTestCase()
{
    // As render_pictures sets up its application, so the sizes agree.
    WindowStart::setUpApplication();
}

void PicturesTest::everyPictureIsThereAtItsSize()
{
    const QDir folder(QStringLiteral(TAVRIN_PICTURE_DIR));
    QStringList names;
    QStringList problems;
    PictureScenes::runAll([&](const PictureShot& shot) {
        names.append(shot.name);
        if (!shot.widget) {
            problems.append(shot.name + QStringLiteral(": nothing to show"));
            return;
        }
        const QSize size = shot.widget->size();
        if ((shot.expectedSize.width() > 0 && size.width() != shot.expectedSize.width())
            || (shot.expectedSize.height() > 0 && size.height() != shot.expectedSize.height()))
            problems.append(shot.name + QStringLiteral(": %1x%2").arg(size.width()).arg(size.height()));
        QImage image(folder.filePath(shot.name + QStringLiteral(".png")));
        if (image.isNull()) {
            problems.append(shot.name + QStringLiteral(": no file"));
            return;
        }
        image = image.convertToFormat(QImage::Format_ARGB32);
        if (image.size() != size)
            problems.append(shot.name + QStringLiteral(": file %1x%2").arg(image.width()).arg(image.height()));
        if (distinctColours(image, 16) < 16)
            problems.append(shot.name + QStringLiteral(": blank"));
    });
    QVERIFY2(problems.isEmpty(), qPrintable(problems.join(u'\n')));

    // The names the pictures are known by, in every language.
    static const QRegularExpression allowed(QStringLiteral("^[a-z0-9-]+$"));
    for (const QString& name : std::as_const(names))
        QVERIFY2(allowed.match(name).hasMatch(), qPrintable(name));
    QCOMPARE(QSet<QString>(names.cbegin(), names.cend()).size(), names.size());
    for (const QString code : {"en", "vi", "ko", "ja", "zh"}) {
        QStringList expected{QStringLiteral("window-%1-1600x1000"), QStringLiteral("window-%1-min"),
                             QStringLiteral("window-%1-min-group-all")};
        for (const QString state : {"rows", "update", "audit-empty", "audit-scanning", "audit"}) {
            expected.append(QStringLiteral("window-%1-1600x1000-") + state);
            expected.append(QStringLiteral("window-%1-min-") + state);
        }
        for (const CatalogGroup& group : Catalog::groups())
            expected.append(QStringLiteral("window-%1-1600x1000-group-") + group.id);
        for (const QString kind :
             {"item-detail", "audit-detail", "audit-detail-%1-no-evidence", "settings", "settings-%1-languages",
              "system-checks", "report", "report-%1-empty", "report-%1-scanning", "report-%1-long-notes",
              "cloud-tools", "cloud-tools-%1-expanded", "remove-confirmation"}) {
            const QString name = QStringLiteral("sheet-") + kind;
            expected.append(name.contains(QLatin1String("%1")) ? name : name + QStringLiteral("-%1"));
        }
        for (const QString& name : std::as_const(expected))
            QVERIFY2(names.contains(name.arg(code)), qPrintable(name.arg(code)));
    }
}

QTEST_MAIN(PicturesTest)
#include "tst_pictures.moc"
