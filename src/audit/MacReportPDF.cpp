// The PDF report writer: pagination, the page loop with header and footer,
// and the owner-only file.

#include "audit/MacReportPDF.h"

#include "audit/ReportFontFamilies.h"
#include "platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardPaths>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace MacReportPDF {

namespace {

// The blocks of one page with their heights, measured once.
struct MeasuredPage {
    Page blocks;
    QList<double> heights;
};

// How many of the first lines a text block shows fit in room points, cut
// from the rest: from 1 to all but one of them, or 0 when not even the first
// fits or the block cannot be cut.
int leadingLinesThatFit(const Block& block, double contentWidth, double room)
{
    const LineRange shown = shownLines(block);
    const int available = std::max(textLineCount(block, contentWidth) - shown.first, 0);
    const int lines = shown.count < 0 ? available : std::min(shown.count, available);
    const auto fits = [&](int count) {
        return blockHeight(withLines(block, LineRange{shown.first, count}), contentWidth) <= room;
    };
    if (lines < 2 || !fits(1))
        return 0;
    int low = 1; // fits
    int high = lines; // too tall: the whole block does not fit, or it would not be cut
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (fits(middle) ? low : high) = middle;
    }
    return low;
}

QList<MeasuredPage> paginateMeasured(const QList<Block>& blocks, double contentWidth)
{
    QList<MeasuredPage> pages(1);
    double running = 0;
    std::optional<Block> tableHeader;
    double tableHeaderHeight = 0;
    const auto append = [&](const Block& block, double height) {
        pages.last().blocks.append(block);
        pages.last().heights.append(height);
        running += height;
    };
    const auto startPage = [&] {
        pages.append(MeasuredPage{});
        running = 0;
    };
    for (Block block : blocks) {
        double height = blockHeight(block, contentWidth);
        if (std::holds_alternative<ApplicationHeader>(block)) {
            tableHeader = block;
            tableHeaderHeight = height;
        }
        // A text taller than a whole page fills the rest of this page and
        // continues on the next ones.
        while (height > blockAreaHeight) {
            const int fitting = leadingLinesThatFit(block, contentWidth, blockAreaHeight - running);
            if (fitting == 0) {
                if (pages.last().blocks.isEmpty())
                    break;
                startPage();
                continue;
            }
            const LineRange shown = shownLines(block);
            const Block head = withLines(block, LineRange{shown.first, fitting});
            append(head, blockHeight(head, contentWidth));
            startPage();
            block = withLines(block, LineRange{shown.first + fitting, shown.count < 0 ? -1 : shown.count - fitting});
            height = blockHeight(block, contentWidth);
        }
        if (running + height > blockAreaHeight && !pages.last().blocks.isEmpty()) {
            startPage();
            if (std::holds_alternative<ApplicationRow>(block) && tableHeader)
                append(*tableHeader, tableHeaderHeight);
        }
        append(block, height);
    }
    return pages;
}

void drawMeasuredPage(QPainter& painter, const MeasuredPage& page, int pageNumber, int pageCount,
                      const QImage& appLogo, const Branding& branding)
{
    painter.save();
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing | QPainter::SmoothPixmapTransform);
    drawPageHeader(painter, appLogo, branding);
    double y = blockTop;
    for (qsizetype i = 0; i < page.blocks.size(); ++i) {
        drawBlock(painter, page.blocks[i], y, contentWidth, page.heights[i]);
        y += page.heights[i];
    }
    drawPageFooter(painter, pageNumber, pageCount);
    painter.restore();
}

// Says on standard error which of the report's font families is missing:
// Qt would set the text in another font, wider or narrower than the layout.
void warnAboutMissingFonts()
{
    for (const QString& family : reportFontFamilies()) {
        if (QFontInfo(QFont(family)).family() != family)
            qWarning("The PDF report's font family \"%s\" is not installed; its text is set in another font.",
                     qPrintable(family));
    }
}

ExportError cannotCreateDocument()
{
    return ExportError{ExportError::Kind::cannotCreateDocument, 0};
}

} // namespace

QString ExportError::description() const
{
    if (kind == Kind::cannotCreateDocument)
        return QStringLiteral("Không thể tạo tài liệu PDF.");
    return FileSystem::errorText(posixCode);
}

QString proposedFolder()
{
    return QStandardPaths::standardLocations(QStandardPaths::DocumentsLocation).value(0);
}

QList<Page> paginate(const QList<Block>& blocks, double contentWidth)
{
    QList<Page> pages;
    for (const MeasuredPage& page : paginateMeasured(blocks, contentWidth))
        pages.append(page.blocks);
    return pages;
}

void drawPageFooter(QPainter& painter, int page, int total)
{
    painter.fillRect(QRectF(42, 812, 511, 0.7), QColor(219, 229, 240));
    drawText(painter, QStringLiteral("Generated by Tavrin Devivu Kit"), QRectF(42, 818, 250, 12),
             reportFont(7.5, Weight::medium), QColor(124, 141, 166));
    drawText(painter, QString::number(page) + QStringLiteral(" / ") + QString::number(total), QRectF(483, 818, 70, 12),
             reportFont(7.5, Weight::bold), QColor(82, 98, 122), Alignment::right);
}

void drawPage(QPainter& painter, const Page& page, int pageNumber, int pageCount, const QImage& appLogo,
              const Branding& branding)
{
    MeasuredPage measured{page, {}};
    for (const Block& block : page)
        measured.heights.append(blockHeight(block, contentWidth));
    drawMeasuredPage(painter, measured, pageNumber, pageCount, appLogo, branding);
}

std::optional<ExportError> write(const QString& reportText, const QList<InstalledMacApplication>& applications,
                                 const MacReportProfile& profile, const QString& destinationPath)
{
    if (destinationPath.isEmpty())
        return cannotCreateDocument();
    const QFileInfo destination(destinationPath);

    // The document is written to a new owner-only file beside the destination
    // and renamed over it once complete.
    QTemporaryFile file(destination.absolutePath() + QStringLiteral("/.") + destination.fileName()
                        + QStringLiteral(".XXXXXX"));
    if (!file.open())
        return cannotCreateDocument();
    if (::fchmod(file.handle(), S_IRUSR | S_IWUSR) != 0)
        return ExportError{ExportError::Kind::posixError, errno};

    warnAboutMissingFonts();
    const Branding branding = loadWorkspaceBranding();
    const QImage logo = appLogo();
    const bool vietnamese = isVietnameseReport(reportText);
    const QList<MeasuredPage> pages = paginateMeasured(makeBlocks(reportText, applications, profile, vietnamese),
                                                       contentWidth);
    {
        QPdfWriter writer(&file);
        writer.setResolution(72);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(0, 0, 0, 0));
        writer.setCreator(QString());
        writer.setTitle(QString());
        QPainter painter;
        if (!painter.begin(&writer))
            return cannotCreateDocument();
        for (qsizetype i = 0; i < pages.size(); ++i) {
            if (i > 0 && !writer.newPage())
                return cannotCreateDocument();
            drawMeasuredPage(painter, pages[i], int(i + 1), int(pages.size()), logo, branding);
        }
        if (!painter.end())
            return cannotCreateDocument();
    }
    if (!file.flush() || file.error() != QFileDevice::NoError || ::fsync(file.handle()) != 0)
        return cannotCreateDocument();
    if (std::rename(QFile::encodeName(file.fileName()).constData(),
                    QFile::encodeName(destination.absoluteFilePath()).constData())
        != 0)
        return cannotCreateDocument();
    file.setAutoRemove(false);
    return std::nullopt;
}

} // namespace MacReportPDF
