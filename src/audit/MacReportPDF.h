#pragma once

#include "model/AppLicenseEvidence.h"
#include "model/InstalledMacApplication.h"
#include "model/MacReportProfile.h"

#include <QColor>
#include <QDateTime>
#include <QFont>
#include <QImage>
#include <QList>
#include <QRectF>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <optional>
#include <variant>

class QPainter;

// The A4 PDF audit report. The plain-text report, the audited applications
// and the inspector profile become an ordered list of layout blocks, each of
// which knows its height; the blocks are paginated and every page is drawn by
// drawPage() on a QPainter whose unit is one point with the origin at the
// page's top-left corner. The PDF writer and the tests share that function.
// Pure functions without state; everything that draws needs a QGuiApplication.
namespace MacReportPDF {

// ---------------------------------------------------------------- writing

// Why write() failed. cannotCreateDocument: no PDF could be opened, written
// or moved to the destination; posixError: the private mode of the new file
// could not be set (posixCode is the errno of that call).
struct ExportError {
    enum class Kind { cannotCreateDocument, posixError };
    Kind kind = Kind::cannotCreateDocument;
    int posixCode = 0;

    bool operator==(const ExportError&) const = default;

    // "Không thể tạo tài liệu PDF." for cannotCreateDocument (every interface
    // language), the system's text for a POSIX error.
    QString description() const;
};

// Writes the PDF report to destinationPath, replacing any file there. The new
// file is written beside the destination with mode 600 from its creation and
// renamed into place, so the destination is either the previous file or the
// complete new report, never a partial one. No value means success.
[[nodiscard]] std::optional<ExportError> write(const QString& reportText,
                                               const QList<InstalledMacApplication>& applications,
                                               const MacReportProfile& profile,
                                               const QString& destinationPath);

// The name the save panel proposes for the PDF.
inline constexpr char proposedFileName[] = "tavrin-office-kit-report.pdf";
// The folder the save panel opens in: the user's first Documents folder, or
// empty when the system reports none.
QString proposedFolder();

// True when the text report is Vietnamese: it holds "Kiểm tra hệ thống:",
// "Phần mềm cài thêm:" or "Khuyến nghị:" anywhere.
bool isVietnameseReport(const QString& reportText);

// ------------------------------------------------- reading the text report

// One section cut from the text report: its heading without the colon and
// its "- " items without that prefix.
struct ReportSection {
    QString title;
    QStringList lines;

    bool operator==(const ReportSection&) const = default;
};

// The sections after the application list (checks, catalog status,
// recommendations, detection limits), or one "Report details" section of
// every meaningful line when no heading is recognised.
QList<ReportSection> parseSections(const QString& reportText, bool vietnamese);

// The value of the first line that begins with label + ":", trimmed; "—"
// when it is empty or no line carries the label.
QString reportValue(const QString& label, const QString& reportText);

// ---------------------------------------------------------------- blocks

// A labelled value on a tinted card.
struct CardItem {
    QString label;
    QString value;
    QColor tint;

    bool operator==(const CardItem&) const = default;
};

// The lines of a measured text that a block shows: lines first to
// first + count - 1 of the text as laid out at the block's width, every line
// from first on when count is negative. A text taller than a page is shown by
// two or more blocks of one kind, one a page, each with its own lines.
struct LineRange {
    int first = 0;
    int count = -1;
    bool operator==(const LineRange&) const = default;
};

struct Hero {
    QString title;
    QString subtitle;
    bool operator==(const Hero&) const = default;
};
struct Hardware {
    QList<CardItem> items;
    bool operator==(const Hardware&) const = default;
};
struct Metadata {
    QList<CardItem> items;
    bool operator==(const Metadata&) const = default;
};
struct Notes {
    QString label;
    QString value;
    LineRange lines = {};
    bool operator==(const Notes&) const = default;
};
struct Summary {
    QList<CardItem> items;
    bool operator==(const Summary&) const = default;
};
struct SectionTitle {
    QString title;
    std::optional<QString> detail;
    bool operator==(const SectionTitle&) const = default;
};
struct ApplicationHeader {
    QStringList titles;
    bool operator==(const ApplicationHeader&) const = default;
};
struct ApplicationRow {
    int number = 0; // from 1
    InstalledMacApplication application;
    bool alternate = false;
    bool vietnamese = false;
    bool operator==(const ApplicationRow&) const = default;
};
struct DetailRow {
    QString text;
    bool alternate = false;
    LineRange lines = {};
    bool operator==(const DetailRow&) const = default;
};
struct Paragraph {
    QString text;
    LineRange lines = {};
    bool operator==(const Paragraph&) const = default;
};
struct Spacer {
    double height = 0;
    bool operator==(const Spacer&) const = default;
};

using Block = std::variant<Hero, Hardware, Metadata, Notes, Summary, SectionTitle, ApplicationHeader,
                           ApplicationRow, DetailRow, Paragraph, Spacer>;
using Page = QList<Block>;

// The report's blocks in order. generatedAt is the time printed as
// "GENERATED" (write() passes the current time).
QList<Block> makeBlocks(const QString& reportText, const QList<InstalledMacApplication>& applications,
                        const MacReportProfile& profile, bool vietnamese,
                        const QDateTime& generatedAt = QDateTime::currentDateTime());

// A block's height in points at a content width.
double blockHeight(const Block& block, double contentWidth);

// The number of lines of the measured text of a notes, detail row or
// paragraph block at a content width (all of its text, whatever lines the
// block shows); 0 for the other blocks.
int textLineCount(const Block& block, double contentWidth);
// The lines a notes, detail row or paragraph block shows; the default range
// (all) for the other blocks.
LineRange shownLines(const Block& block);
// The block showing the given lines of its text; other blocks unchanged.
Block withLines(const Block& block, LineRange lines);

// Splits the blocks into pages of at most blockAreaHeight points each. A
// block that does not fit in what is left of a page starts the next one; a
// text block taller than a whole page is cut between two lines instead and
// continues on the following pages, so that none of its lines runs into the
// footer. An application row that moves to a new page is preceded there by a
// copy of the last table header.
QList<Page> paginate(const QList<Block>& blocks, double contentWidth);

// The application's licence evidence, or the "no evidence collected" finding
// when it has none.
AppLicenseEvidence evidenceOf(const InstalledMacApplication& application);

// The evidence's confidence, or the one its state implies when it carries
// none: verifiedReceipt verified; receiptIntegrityVerified, acquisitionReceipt
// and licenseArtifact strong; accountBased and needsEntitlementReview
// indicative; freeOrOpenSource and installationEvidence informational; the
// rest none. The report and the window's detail sheet both show this one.
LicenseEvidenceConfidence effectiveConfidence(const AppLicenseEvidence& evidence);

// "verified", "strong", ...: the name of effectiveConfidence().
QString confidenceWord(const AppLicenseEvidence& evidence);

// ------------------------------------------------------ geometry and text

inline constexpr double pageWidth = 595;
inline constexpr double pageHeight = 842;
inline constexpr double margin = 42;
inline constexpr double contentWidth = pageWidth - 2 * margin; // 511
inline constexpr double blockTop = 55;
inline constexpr double blockAreaHeight = 749;

enum class Weight { medium, semibold, bold, black };
enum class Alignment { left, right, center };
enum class LineBreak { wordWrap, truncateTail };

// The report's font: the families of reportFontFamilies() at a size in
// points and a weight, unshaped, so that the PDF's text layer gives back the
// characters drawn. It is resolved in units finer than a point so that
// fractional sizes hold and so that measuring and drawing agree on every
// device: measure it only with measureText() and textWidth(), draw it only
// with drawText(). Every line of its text is equally tall, whichever family
// supplies the glyphs, and all lines of a text share its baseline grid.
QFont reportFont(double size, Weight weight);

// The height of the text (of the given lines of it) laid out at a width (at
// least 1) with word wrapping.
double measureText(const QString& text, double width, const QFont& font, LineRange lines = {});
// The number of lines of the text laid out at a width with word wrapping.
int lineCount(const QString& text, double width, const QFont& font);
// The width of the text set on one line.
double textWidth(const QString& text, const QFont& font);

// Draws the text (the given lines of it, from the rectangle's top) in the
// rectangle: word-wrapped lines whose baseline lies within its height (the
// first one always), the last visible one ending in "…" when text is cut; or,
// truncating the tail, one line per paragraph. Returns measureText at the
// rectangle's width.
double drawText(QPainter& painter, const QString& text, const QRectF& rect, const QFont& font,
                const QColor& color, Alignment alignment = Alignment::left,
                LineBreak lineBreak = LineBreak::wordWrap, LineRange lines = {});

// The seven application table column widths.
QList<double> applicationColumnWidths(double contentWidth);

// A status pill's label and colours.
struct Pill {
    QString label;
    QColor text;
    QColor fill;
    bool operator==(const Pill&) const = default;
};
Pill signaturePill(const QString& signatureStatus, bool vietnamese);
Pill evidencePill(AppLicenseEvidenceState state, bool vietnamese);

// The dot colour of a detail row from its text.
QColor detailTint(const QString& text);

// The rectangle in which an image of the given size is drawn: scaled to fit
// the box, aspect ratio kept, centred.
QRectF fittedRect(const QSizeF& imageSize, const QRectF& box);

// Draws one block with its top at y; height is blockHeight() of the block.
void drawBlock(QPainter& painter, const Block& block, double y, double contentWidth, double height);

// ---------------------------------------------------- header and branding

// The technician workspace's branding: a display name (empty for none) and
// a logo (null for none).
struct Branding {
    QString name;
    QImage logo;
};

inline constexpr char workspaceCacheFileName[] = "technician-workspace.json";

// Reads "technician-workspace.json" in the given cache folder: the member
// "workspace" and in it "display_name" (trimmed) and "logo_data_url" (the
// image whose base64 bytes follow ";base64,"). Never fails: a missing or
// malformed file gives no branding, a malformed logo no logo.
Branding loadWorkspaceBranding(const QString& cacheFolder);
// The same, in the application's cache folder.
Branding loadWorkspaceBranding();

// "AppIcon.icns" in the given resources folder (when not empty), else in the
// application bundle's resources, else fallbackAppLogo(). Reading ICNS needs
// Qt's image-formats plugin; without it the fallback is used.
QImage appLogo(const QString& resourcesFolder = QString());
// The drawn substitute logo, 128 by 128 points.
QImage fallbackAppLogo();

void drawPageHeader(QPainter& painter, const QImage& appLogo, const Branding& branding);
void drawPageFooter(QPainter& painter, int page, int total);

// Draws a whole page: header, the page's blocks from y = 55, footer.
void drawPage(QPainter& painter, const Page& page, int pageNumber, int pageCount, const QImage& appLogo,
              const Branding& branding);

} // namespace MacReportPDF
