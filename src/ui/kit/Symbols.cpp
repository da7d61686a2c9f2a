#include "ui/kit/Symbols.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QImage>
#include <QMutex>
#include <QMutexLocker>
#include <QPainter>
#include <QPainterPath>
#include <QPixmapCache>
#include <QStandardPaths>
#include <QSvgRenderer>

#include <cmath>

namespace Symbols {

namespace {

// Name → Adwaita icon. Holds every name the window's screens use and every
// symbol of the compiled-in catalog (entries and groups).
const QHash<QString, QString>& table()
{
    static const QHash<QString, QString> map{
        // Sheets, sidebar and shared labels.
        {QStringLiteral("xmark"), QStringLiteral("window-close")},
        {QStringLiteral("gearshape"), QStringLiteral("emblem-system")},
        {QStringLiteral("gearshape.fill"), QStringLiteral("emblem-system")},
        {QStringLiteral("chevron.right"), QStringLiteral("go-next")},
        {QStringLiteral("chevron.down"), QStringLiteral("go-down")},
        {QStringLiteral("globe"), QStringLiteral("web-browser")},
        {QStringLiteral("magnifyingglass"), QStringLiteral("system-search")},
        {QStringLiteral("magnifyingglass.circle"), QStringLiteral("edit-find")},
        {QStringLiteral("shield.lefthalf.filled"), QStringLiteral("security-medium")},
        {QStringLiteral("exclamationmark.shield.fill"), QStringLiteral("software-update-urgent")},
        {QStringLiteral("checkmark.seal"), QStringLiteral("emblem-default")},
        {QStringLiteral("checkmark.seal.fill"), QStringLiteral("emblem-default")},
        {QStringLiteral("checkmark.circle.fill"), QStringLiteral("emblem-default")},
        {QStringLiteral("exclamationmark.triangle.fill"), QStringLiteral("dialog-warning")},
        {QStringLiteral("xmark.octagon.fill"), QStringLiteral("edit-delete")},
        {QStringLiteral("info.circle"), QStringLiteral("help-about")},
        {QStringLiteral("arrow.down.to.line"), QStringLiteral("go-bottom")},
        {QStringLiteral("arrow.down.circle.fill"), QStringLiteral("folder-download")},
        {QStringLiteral("arrow.down.doc.fill"), QStringLiteral("document-save")},
        {QStringLiteral("arrow.clockwise"), QStringLiteral("view-refresh")},
        {QStringLiteral("arrow.triangle.2.circlepath"), QStringLiteral("emblem-synchronizing")},
        {QStringLiteral("doc.text"), QStringLiteral("x-office-document")},
        {QStringLiteral("doc.text.fill"), QStringLiteral("x-office-document")},
        {QStringLiteral("doc.text.magnifyingglass"), QStringLiteral("document-print-preview")},
        {QStringLiteral("doc.on.doc"), QStringLiteral("edit-copy")},
        {QStringLiteral("key"), QStringLiteral("dialog-password")},
        {QStringLiteral("trash"), QStringLiteral("user-trash")},
        {QStringLiteral("line.3.horizontal"), QStringLiteral("open-menu")},
        {QStringLiteral("signature"), QStringLiteral("document-edit")},
        {QStringLiteral("person.crop.circle.fill"), QStringLiteral("avatar-default")},
        {QStringLiteral("text.bubble.fill"), QStringLiteral("user-available")},
        {QStringLiteral("square.stack.3d.up.fill"), QStringLiteral("view-paged")},
        {QStringLiteral("folder.fill"), QStringLiteral("folder")},
        {QStringLiteral("cloud.fill"), QStringLiteral("weather-overcast")},
        {QStringLiteral("wrench.and.screwdriver"), QStringLiteral("preferences-system")},
        {QStringLiteral("building.2"), QStringLiteral("network-workgroup")},
        // Catalog groups.
        {QStringLiteral("square.grid.2x2"), QStringLiteral("view-grid")},
        {QStringLiteral("rectangle.stack"), QStringLiteral("focus-windows")},
        {QStringLiteral("printer"), QStringLiteral("printer")},
        {QStringLiteral("bubble.left.and.bubble.right"), QStringLiteral("system-users")},
        {QStringLiteral("play.rectangle"), QStringLiteral("media-playback-start")},
        // Catalog entries.
        {QStringLiteral("doc.richtext"), QStringLiteral("accessories-text-editor")},
        {QStringLiteral("keyboard"), QStringLiteral("input-keyboard")},
        {QStringLiteral("textformat"), QStringLiteral("font-x-generic")},
        {QStringLiteral("doc.viewfinder"), QStringLiteral("document-properties")},
        {QStringLiteral("square.stack.3d.down.right"), QStringLiteral("view-dual")},
        {QStringLiteral("pencil.and.outline"), QStringLiteral("input-tablet")},
        {QStringLiteral("archivebox"), QStringLiteral("package-x-generic")},
        {QStringLiteral("envelope"), QStringLiteral("mail-unread")},
        {QStringLiteral("camera.viewfinder"), QStringLiteral("applets-screenshooter")},
        {QStringLiteral("link"), QStringLiteral("insert-link")},
        {QStringLiteral("scanner"), QStringLiteral("scanner")},
        {QStringLiteral("paperplane"), QStringLiteral("mail-send")},
        {QStringLiteral("number"), QStringLiteral("input-dialpad")},
        {QStringLiteral("video"), QStringLiteral("camera-video")},
        {QStringLiteral("video.bubble.left"), QStringLiteral("camera-web")},
        {QStringLiteral("message"), QStringLiteral("user-available")},
        {QStringLiteral("paintbrush"), QStringLiteral("applications-graphics")},
        {QStringLiteral("scribble.variable"), QStringLiteral("edit-find-replace")},
        {QStringLiteral("text.viewfinder"), QStringLiteral("edit-select-all")},
        {QStringLiteral("display.2"), QStringLiteral("video-joined-displays")},
        {QStringLiteral("externaldrive.badge.timemachine"), QStringLiteral("document-open-recent")},
        {QStringLiteral("internaldrive"), QStringLiteral("drive-harddisk")},
        {QStringLiteral("cloud.slash"), QStringLiteral("action-unavailable")},
    };
    return map;
}

// The theme's scalable/ folders with their context folders (actions, apps,
// ...), in the order the data folders are searched.
QStringList contextFolders()
{
    QStringList folders;
    const QStringList roots = QStandardPaths::locateAll(
        QStandardPaths::GenericDataLocation, QStringLiteral("icons/Adwaita/scalable"),
        QStandardPaths::LocateDirectory);
    for (const QString& root : roots) {
        const QDir dir(root);
        for (const QString& context : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name))
            folders.append(dir.filePath(context));
    }
    return folders;
}

QString findIconFile(const QString& icon)
{
    static const QStringList folders = contextFolders();
    const QString fileName = icon + QStringLiteral("-symbolic.svg");
    for (const QString& folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return {};
}

// Whether the renderer drew a usable glyph: some ink, but not a solid square
// (what Qt Svg leaves of an icon built on masks or filters it does not support).
bool drewGlyph(const QImage& image)
{
    qsizetype inked = 0;
    for (int y = 0; y < image.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x)
            inked += qAlpha(line[x]) != 0 ? 1 : 0;
    }
    return inked > 0 && inked < qsizetype(image.width()) * image.height() * 95 / 100;
}

// The placeholder of a symbol that cannot be drawn: a rounded square outline
// with a dot, in the painter's current colour.
void paintPlaceholder(QPainter& painter, const QRectF& box)
{
    const double unit = box.width() / 16.0;
    painter.setPen(QPen(Qt::black, 1.5 * unit));
    painter.setBrush(Qt::NoBrush);
    painter.drawRoundedRect(box.adjusted(2 * unit, 2 * unit, -2 * unit, -2 * unit), 3 * unit, 3 * unit);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::black);
    painter.drawEllipse(box.center(), 1.75 * unit, 1.75 * unit);
}

QImage render(const QString& name, int pixels)
{
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    const QRectF box(0, 0, pixels, pixels);
    const QString path = filePath(name);
    if (!path.isEmpty()) {
        QSvgRenderer renderer(path);
        if (renderer.isValid()) {
            QSizeF size = renderer.defaultSize();
            if (size.isEmpty())
                size = QSizeF(16, 16);
            size.scale(box.size(), Qt::KeepAspectRatio);
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing);
            renderer.render(&painter, QRectF(box.center() - QPointF(size.width(), size.height()) / 2, size));
        }
        if (drewGlyph(image))
            return image;
        image.fill(Qt::transparent);
    }
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    paintPlaceholder(painter, box);
    return image;
}

} // namespace

QString themeIconName(const QString& name)
{
    return table().value(name);
}

QStringList knownNames()
{
    QStringList names = table().keys();
    names.sort();
    return names;
}

QString filePath(const QString& name)
{
    const QString icon = themeIconName(name);
    if (icon.isEmpty())
        return {};
    static QMutex mutex;
    static QHash<QString, QString> found;
    QMutexLocker lock(&mutex);
    auto it = found.constFind(icon);
    if (it == found.constEnd())
        it = found.insert(icon, findIconFile(icon));
    return *it;
}

double side(double fontPixelSize)
{
    return std::round(fontPixelSize * 1.2);
}

QPixmap pixmap(const QString& name, double side, const QColor& color, qreal devicePixelRatio)
{
    const int pixels = qMax(1, int(std::ceil(side * devicePixelRatio)));
    const QString key = QStringLiteral("tavrin-symbol:%1:%2:%3").arg(name).arg(pixels).arg(color.rgba(), 8, 16);
    QPixmap result;
    if (QPixmapCache::find(key, &result)) {
        result.setDevicePixelRatio(devicePixelRatio);
        return result;
    }
    QImage image = render(name, pixels);
    QPainter tint(&image);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(image.rect(), color);
    tint.end();
    result = QPixmap::fromImage(std::move(image));
    QPixmapCache::insert(key, result);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name, double side, const QColor& color)
{
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QPixmap image = pixmap(name, side, color, ratio);
    // Whole device pixels keep the thin strokes of the icons sharp.
    const QPointF corner = rect.center() - QPointF(side, side) / 2;
    const QPointF snapped(std::round(corner.x() * ratio) / ratio, std::round(corner.y() * ratio) / ratio);
    painter.drawPixmap(QRectF(snapped, QSizeF(side, side)), image, QRectF(image.rect()));
}

} // namespace Symbols
