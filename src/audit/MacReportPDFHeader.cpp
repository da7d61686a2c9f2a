// The page header: the application's logo in its tile, the title, and the
// technician workspace's name and logo read from the cloud client's cache.

#include "audit/MacReportPDF.h"

#include "platform/AppRuntime.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

#include <algorithm>

namespace MacReportPDF {

namespace {

QImage loadImageFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return {};
    return QImage(path);
}

// The application bundle's resources folder, where there is a bundle.
QString bundleResourcesFolder()
{
#ifdef Q_OS_MACOS
    const QDir resources(QCoreApplication::applicationDirPath() + QStringLiteral("/../Resources"));
    if (resources.exists())
        return resources.absolutePath();
#endif
    return {};
}

} // namespace

Branding loadWorkspaceBranding(const QString& cacheFolder)
{
    QFile file(QDir(cacheFolder).filePath(QString::fromLatin1(workspaceCacheFileName)));
    if (cacheFolder.isEmpty() || !file.open(QIODevice::ReadOnly))
        return {};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll());
    if (!document.isObject())
        return {};
    const QJsonValue workspaceValue = document.object().value(QStringLiteral("workspace"));
    if (!workspaceValue.isObject())
        return {};
    const QJsonObject workspace = workspaceValue.toObject();

    Branding branding;
    branding.name = workspace.value(QStringLiteral("display_name")).toString().trimmed();
    const QString dataURL = workspace.value(QStringLiteral("logo_data_url")).toString();
    const QString marker = QStringLiteral(";base64,");
    const qsizetype at = dataURL.indexOf(marker);
    if (at < 0)
        return branding;
    // Strict: any character outside the base64 alphabet, a line break
    // included, leaves the workspace without a logo.
    const auto decoded = QByteArray::fromBase64Encoding(dataURL.mid(at + marker.size()).toLatin1(),
                                                        QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return branding;
    branding.logo = QImage::fromData(*decoded);
    return branding;
}

Branding loadWorkspaceBranding()
{
    return loadWorkspaceBranding(AppRuntime::cacheDir());
}

QImage appLogo(const QString& resourcesFolder)
{
    const QString iconName = QStringLiteral("AppIcon.icns");
    for (const QString& folder : {resourcesFolder, bundleResourcesFolder()}) {
        if (folder.isEmpty())
            continue;
        const QImage image = loadImageFile(QDir(folder).filePath(iconName));
        if (!image.isNull())
            return image;
    }
    return fallbackAppLogo();
}

QImage fallbackAppLogo()
{
    // Drawn at twice the resolution; its size in points stays 128 by 128.
    const double scale = 2;
    QImage image(QSize(128, 128) * scale, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(scale);
    image.fill(Qt::transparent);

    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    painter.setPen(QPen(QColor(209, 217, 228), 2));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(3, 3, 122, 122), 24, 24);

    // The letter, slanted, centred 2 points left of and 4 points below the middle.
    const QFont font = reportFont(84, Weight::black);
    const QString letter = QStringLiteral("T");
    const QSizeF bounds(textWidth(letter, font), measureText(letter, 1000, font));
    const QPointF topLeft(64 - bounds.width() / 2 - 2, 68 - bounds.height() / 2);
    painter.save();
    const double baseline = topLeft.y() + bounds.height() * 0.8;
    painter.translate(0, baseline);
    painter.setTransform(QTransform(1, 0, -0.12, 1, 0, 0), true);
    painter.translate(0, -baseline);
    drawText(painter, letter, QRectF(topLeft, QSizeF(bounds.width() + 2, bounds.height())), font,
             QColor(79, 86, 97), Alignment::left, LineBreak::truncateTail);
    painter.restore();

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(255, 138, 0));
    painter.drawRoundedRect(QRectF(94, 20, 17, 17), 4, 4);
    painter.drawRoundedRect(QRectF(17, 91, 17, 17), 4, 4);
    painter.end();
    return image;
}

void drawPageHeader(QPainter& painter, const QImage& appLogo, const Branding& branding)
{
    painter.save();
    painter.setPen(QPen(QColor(216, 227, 240), 0.7));
    painter.setBrush(Qt::white);
    painter.drawRoundedRect(QRectF(42, 9, 31, 31), 8, 8);
    if (!appLogo.isNull())
        painter.drawImage(fittedRect(appLogo.deviceIndependentSize(), QRectF(44, 11, 27, 27)), appLogo);

    drawText(painter, QStringLiteral("TAVRIN DEVIVU KIT"), QRectF(81, 15, 170, 14), reportFont(9, Weight::bold),
             QColor(35, 52, 84));
    drawText(painter, QStringLiteral("macOS AUDIT"), QRectF(81, 28, 100, 10), reportFont(7.2, Weight::bold),
             QColor(249, 115, 22));

    double nameRightEdge = 553;
    if (!branding.logo.isNull()) {
        const QRectF logoRect = fittedRect(branding.logo.deviceIndependentSize(), QRectF(523, 12, 30, 24));
        painter.drawImage(logoRect, branding.logo);
        nameRightEdge = logoRect.left() - 7;
    }
    if (!branding.name.isEmpty()) {
        // One line ending at the right edge; a name wider than the room
        // between the title's rectangle and that edge is cut there with "…".
        const double titleRightEdge = 81 + 170;
        const QFont font = reportFont(8, Weight::semibold);
        const double width = std::min(textWidth(branding.name, font) + 1, nameRightEdge - titleRightEdge);
        drawText(painter, branding.name, QRectF(nameRightEdge - width, 21, width, 12), font, QColor(100, 116, 139),
                 Alignment::right, LineBreak::truncateTail);
    }

    painter.fillRect(QRectF(42, 45, 368, 2.5), QColor(37, 99, 235));
    painter.fillRect(QRectF(410, 45, 143, 2.5), QColor(249, 115, 22));
    painter.restore();
}

} // namespace MacReportPDF
