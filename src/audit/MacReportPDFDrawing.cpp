// Painting the layout blocks onto a page: cards, the application table with
// its two pills, detail rows with their colour dot.

#include "audit/MacReportPDF.h"

#include "audit/ResolvedDeveloperName.h"

#include <QPainter>
#include <QPainterPath>

#include <numeric>

namespace MacReportPDF {

namespace {

QColor withAlpha(QColor color, double alpha)
{
    color.setAlphaF(float(alpha));
    return color;
}

void fillRect(QPainter& painter, const QRectF& rect, const QColor& fill)
{
    painter.fillRect(rect, fill);
}

void roundedCard(QPainter& painter, const QRectF& rect, double radius, const QColor& fill,
                 std::optional<QColor> stroke = std::nullopt, double strokeWidth = 0.7)
{
    painter.save();
    painter.setPen(stroke ? QPen(*stroke, strokeWidth) : QPen(Qt::NoPen));
    painter.setBrush(fill);
    painter.drawRoundedRect(rect, radius, radius);
    painter.restore();
}

void oval(QPainter& painter, const QRectF& rect, const QColor& fill)
{
    painter.save();
    painter.setPen(Qt::NoPen);
    painter.setBrush(fill);
    painter.drawEllipse(rect);
    painter.restore();
}

const QColor ink(38, 54, 77);
const QColor muted(82, 98, 122);
const QColor navy(23, 37, 84);
const QColor detailInk(52, 68, 92);
const QColor rowRule(227, 234, 243);
const QColor white(255, 255, 255);

// Four equal cards in one row, as the hardware and summary blocks lay them out.
QRectF quarterCard(int index, double y, double contentWidth)
{
    const double cardWidth = (contentWidth - 24) / 4;
    return QRectF(margin + index * (cardWidth + 8), y + 4, cardWidth, 48);
}

void drawHardware(QPainter& painter, const Hardware& block, double y, double w)
{
    for (int i = 0; i < block.items.size(); ++i) {
        const CardItem& item = block.items[i];
        const QRectF card = quarterCard(i, y, w);
        roundedCard(painter, card, 9, withAlpha(item.tint, 0.07), withAlpha(item.tint, 0.2));
        drawText(painter, item.label, QRectF(card.x() + 10, card.y() + 8, card.width() - 20, 10),
                 reportFont(6.7, Weight::bold), item.tint, Alignment::left, LineBreak::truncateTail);
        drawText(painter, item.value, QRectF(card.x() + 10, card.y() + 24, card.width() - 20, 15),
                 reportFont(8.6, Weight::semibold), ink, Alignment::left, LineBreak::truncateTail);
    }
}

void drawMetadata(QPainter& painter, const Metadata& block, double y, double w)
{
    const double cardWidth = (w - 9) / 2;
    for (int i = 0; i < block.items.size(); ++i) {
        const CardItem& item = block.items[i];
        const QRectF card(margin + (i % 2) * (cardWidth + 9), y + (i / 2) * 57, cardWidth, 49);
        roundedCard(painter, card, 9, withAlpha(item.tint, 0.07), withAlpha(item.tint, 0.22));
        oval(painter, QRectF(card.x() + 12, card.y() + 12, 8, 8), item.tint);
        drawText(painter, item.label, QRectF(card.x() + 27, card.y() + 8, card.width() - 38, 11),
                 reportFont(7.1, Weight::bold), item.tint);
        drawText(painter, item.value, QRectF(card.x() + 12, card.y() + 25, card.width() - 24, 17),
                 reportFont(10.5, Weight::semibold), ink, Alignment::left, LineBreak::truncateTail);
    }
}

void drawSummary(QPainter& painter, const Summary& block, double y, double w)
{
    for (int i = 0; i < block.items.size(); ++i) {
        const CardItem& item = block.items[i];
        const QRectF card = quarterCard(i, y, w);
        roundedCard(painter, card, 9, withAlpha(item.tint, 0.075), withAlpha(item.tint, 0.18));
        drawText(painter, item.value, QRectF(card.x() + 10, card.y() + 7, card.width() - 20, 20),
                 reportFont(17, Weight::bold), item.tint);
        drawText(painter, item.label, QRectF(card.x() + 10, card.y() + 29, card.width() - 20, 12),
                 reportFont(6.7, Weight::bold), muted, Alignment::left, LineBreak::truncateTail);
    }
}

// The left edge of column k of the application table.
double columnX(const QList<double>& widths, int column)
{
    return std::accumulate(widths.begin(), widths.begin() + column, margin);
}

// The rectangle of column k's text.
QRectF columnTextRect(const QList<double>& widths, int column, double top, double height)
{
    const double x = columnX(widths, column);
    if (column == 0)
        return QRectF(x + 2, top, widths[column] - 4, height);
    return QRectF(x + 7, top, widths[column] - 12, height);
}

// The rectangle of the pill in column k of a row at y.
QRectF pillRect(const QList<double>& widths, int column, double y)
{
    return QRectF(columnX(widths, column) + 4, y + 6, widths[column] - 8, 18);
}

Alignment columnAlignment(int column)
{
    return column == 0 || column == 2 ? Alignment::right : Alignment::left;
}

void drawApplicationHeader(QPainter& painter, const ApplicationHeader& block, double y, double w)
{
    roundedCard(painter, QRectF(margin, y, w, 25), 6, QColor(35, 52, 84));
    const QList<double> widths = applicationColumnWidths(w);
    const QFont font = reportFont(6.7, Weight::bold);
    for (int k = 0; k < std::min<qsizetype>(block.titles.size(), widths.size()); ++k) {
        drawText(painter, block.titles[k], columnTextRect(widths, k, y + 8, 10), font, white, columnAlignment(k),
                 LineBreak::truncateTail);
    }
}

void drawPill(QPainter& painter, const Pill& pill, const QRectF& rect, double fontSize)
{
    roundedCard(painter, rect, rect.height() / 2, pill.fill);
    drawText(painter, pill.label, QRectF(rect.x() + 8, rect.y() + 5, rect.width() - 16, 9),
             reportFont(fontSize, Weight::bold), pill.text, Alignment::left, LineBreak::truncateTail);
}

void drawApplicationRow(QPainter& painter, const ApplicationRow& row, double y, double w)
{
    if (row.alternate)
        fillRect(painter, QRectF(margin, y, w, 30), QColor(245, 249, 255));
    fillRect(painter, QRectF(margin, y + 30 - 0.6, w, 0.6), rowRule);

    const QList<double> widths = applicationColumnWidths(w);
    const InstalledMacApplication& application = row.application;
    const QStringList texts{QString::number(row.number), application.name, application.version, application.source,
                            resolvedDeveloperName(application)};
    const QFont nameFont = reportFont(8.3, Weight::semibold);
    const QFont otherFont = reportFont(7.8, Weight::medium);
    for (int k = 0; k < texts.size(); ++k) {
        drawText(painter, texts[k], columnTextRect(widths, k, y + 9, 12), k == 1 ? nameFont : otherFont,
                 k == 1 ? ink : muted, columnAlignment(k), LineBreak::truncateTail);
    }
    drawPill(painter, signaturePill(application.signatureStatus, row.vietnamese), pillRect(widths, 5, y), 5.7);
    drawPill(painter, evidencePill(evidenceOf(application).state, row.vietnamese), pillRect(widths, 6, y), 5.8);
}

void drawSectionTitle(QPainter& painter, const SectionTitle& block, double y, double w)
{
    if (block.detail)
        roundedCard(painter, QRectF(507, y + 9, 46, 21), 10.5, QColor(219, 234, 254));
    drawText(painter, block.title, QRectF(margin, y + 10, w - 70, 22), reportFont(14, Weight::bold), navy);
    if (block.detail) {
        drawText(painter, *block.detail, QRectF(507, y + 14, 46, 11), reportFont(8, Weight::bold),
                 QColor(29, 78, 216), Alignment::center);
    }
}

} // namespace

QList<double> applicationColumnWidths(double contentWidth)
{
    QList<double> widths;
    for (double fraction : {0.05, 0.165, 0.085, 0.115, 0.145, 0.215, 0.225})
        widths.append(fraction * contentWidth);
    return widths;
}

Pill signaturePill(const QString& status, bool vietnamese)
{
    const QColor redText(180, 35, 24);
    const QColor redFill(254, 228, 226);
    const auto make = [vietnamese](const char* vi, const char* en, QColor text, QColor fill) {
        return Pill{QString::fromUtf8(vietnamese ? vi : en), text, fill};
    };
    if (status == QLatin1String("valid"))
        return make("HỢP LỆ", "VALID", QColor(22, 101, 52), QColor(220, 252, 231));
    if (status == QLatin1String("invalid"))
        return make("KHÔNG HỢP LỆ", "INVALID", redText, redFill);
    if (status == QLatin1String("unsigned"))
        return make("KHÔNG CÓ CHỮ KÝ", "NO SIGNATURE", redText, redFill);
    if (status == QLatin1String("ad-hoc"))
        return make("CHỮ KÝ NỘI BỘ", "INTERNAL", QColor(181, 71, 8), QColor(255, 234, 213));
    return make("KHÔNG ÁP DỤNG", "NOT APPLICABLE", QColor(71, 84, 103), QColor(242, 244, 247));
}

Pill evidencePill(AppLicenseEvidenceState state, bool vietnamese)
{
    enum class Tone { green, blue, violet, amber, slate, red };
    const auto make = [vietnamese](const char* vi, const char* en, Tone tone) {
        static const QColor colours[][2] = {
            {QColor(22, 101, 52), QColor(220, 252, 231)}, {QColor(7, 89, 133), QColor(224, 242, 254)},
            {QColor(91, 58, 138), QColor(243, 237, 255)}, {QColor(154, 52, 18), QColor(255, 237, 213)},
            {QColor(71, 84, 103), QColor(242, 244, 247)}, {QColor(153, 27, 27), QColor(254, 226, 226)},
        };
        const auto& pair = colours[int(tone)];
        return Pill{QString::fromUtf8(vietnamese ? vi : en), pair[0], pair[1]};
    };
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
        return make("RECEIPT ĐÃ XÁC MINH", "VERIFIED RECEIPT", Tone::green);
    case AppLicenseEvidenceState::receiptIntegrityVerified:
        return make("TOÀN VẸN RECEIPT OK", "RECEIPT INTEGRITY OK", Tone::green);
    case AppLicenseEvidenceState::acquisitionReceipt:
        return make("RECEIPT CHƯA XÁC MINH", "UNVERIFIED RECEIPT", Tone::blue);
    case AppLicenseEvidenceState::licenseArtifact:
        return make("ARTIFACT LICENSE", "LICENSE ARTIFACT", Tone::green);
    case AppLicenseEvidenceState::accountBased:
        return make("TÀI KHOẢN / THUÊ BAO", "ACCOUNT / SUBSCRIPTION", Tone::blue);
    case AppLicenseEvidenceState::freeOrOpenSource:
        return make("MIỄN PHÍ / OSS", "FREE / OSS", Tone::blue);
    case AppLicenseEvidenceState::installationEvidence:
        return make("CHỈ CÓ DẤU VẾT CÀI", "INSTALL EVIDENCE ONLY", Tone::violet);
    case AppLicenseEvidenceState::needsEntitlementReview:
        return make("CẦN KIỂM TRA KỸ THUẬT", "TECHNICAL REVIEW", Tone::amber);
    case AppLicenseEvidenceState::accessRestricted:
        return make("KHÔNG THỂ KIỂM TRA", "COULD NOT INSPECT", Tone::slate);
    case AppLicenseEvidenceState::noEvidence:
        break;
    case AppLicenseEvidenceState::explicitUnlicensed:
        return make("KHÔNG GHI NHẬN KEY", "NO LOCAL KEY RECORDED", Tone::red);
    }
    return make("CHƯA CÓ BẰNG CHỨNG", "NO LOCAL EVIDENCE", Tone::slate);
}

QColor detailTint(const QString& text)
{
    const QString upper = text.toUpper();
    bool installed = false;
    for (qsizetype at = upper.indexOf(QLatin1String("INSTALLED")); at >= 0 && !installed;
         at = upper.indexOf(QLatin1String("INSTALLED"), at + 1)) {
        installed = !(at >= 4 && QStringView(upper).mid(at - 4, 4) == QLatin1String("NOT "));
    }
    if (upper.contains(QLatin1String(": OK")) || upper.contains(QStringLiteral("ĐÃ CÀI")) || installed)
        return QColor(22, 163, 74);
    if (upper.contains(QLatin1String("WARN")) || upper.contains(QStringLiteral("CHƯA CÀI"))
        || upper.contains(QLatin1String("NOT INSTALLED")))
        return QColor(245, 158, 11);
    if (upper.contains(QLatin1String("UNSUPPORTED")) || upper.contains(QStringLiteral("KHÔNG HỖ TRỢ")))
        return QColor(220, 38, 38);
    return QColor(37, 99, 235);
}

QRectF fittedRect(const QSizeF& imageSize, const QRectF& box)
{
    const double scale = std::min(box.width() / std::max(imageSize.width(), 1.0),
                                  box.height() / std::max(imageSize.height(), 1.0));
    QRectF rect(0, 0, imageSize.width() * scale, imageSize.height() * scale);
    rect.moveCenter(box.center());
    return rect;
}

void drawBlock(QPainter& painter, const Block& block, double y, double w, double h)
{
    struct Visitor {
        QPainter& painter;
        double y;
        double w;
        double h;

        void operator()(const Hero& hero) const
        {
            const QRectF card(margin, y + 3, w, 72);
            roundedCard(painter, card, 12, QColor(239, 246, 255), QColor(207, 224, 245));
            roundedCard(painter, QRectF(card.x(), card.y(), 5, card.height()), 2.5, QColor(249, 115, 22));
            drawText(painter, hero.title, QRectF(card.x() + 18, card.y() + 13, card.width() - 36, 29),
                     reportFont(19, Weight::bold), navy);
            drawText(painter, hero.subtitle, QRectF(card.x() + 18, card.y() + 43, card.width() - 36, 21),
                     reportFont(8.8, Weight::medium), muted);
        }
        void operator()(const Hardware& block) const { drawHardware(painter, block, y, w); }
        void operator()(const Metadata& block) const { drawMetadata(painter, block, y, w); }
        void operator()(const Notes& notes) const
        {
            const QRectF card(margin, y, w, h - 6);
            roundedCard(painter, card, 9, QColor(255, 247, 237), QColor(254, 215, 170));
            drawText(painter, notes.label, QRectF(card.x() + 14, card.y() + 10, card.width() - 28, 11),
                     reportFont(7.4, Weight::bold), QColor(194, 65, 12));
            // The text's own height (h - 36) keeps every measured line.
            drawText(painter, notes.value,
                     QRectF(card.x() + 14, card.y() + 27, card.width() - 28, std::max(card.height() - 33, h - 36)),
                     reportFont(9.5, Weight::medium), QColor(63, 63, 70), Alignment::left, LineBreak::wordWrap,
                     notes.lines);
        }
        void operator()(const Summary& block) const { drawSummary(painter, block, y, w); }
        void operator()(const SectionTitle& block) const { drawSectionTitle(painter, block, y, w); }
        void operator()(const ApplicationHeader& block) const { drawApplicationHeader(painter, block, y, w); }
        void operator()(const ApplicationRow& row) const { drawApplicationRow(painter, row, y, w); }
        void operator()(const DetailRow& row) const
        {
            const QRectF card(margin, y, w, h - 3);
            roundedCard(painter, card, 6, row.alternate ? QColor(247, 250, 255) : white, rowRule);
            // The dot follows the whole text, on every page the row continues on.
            oval(painter, QRectF(card.x() + 11, card.center().y() - 3.5, 7, 7), detailTint(row.text));
            drawText(painter, row.text,
                     QRectF(card.x() + 26, card.y() + 8, card.width() - 38, std::max(card.height() - 12, h - 14)),
                     reportFont(8.7, Weight::medium), detailInk, Alignment::left, LineBreak::wordWrap, row.lines);
        }
        void operator()(const Paragraph& paragraph) const
        {
            drawText(painter, paragraph.text, QRectF(margin, y + 3, w, h - 3), reportFont(9.2, Weight::medium),
                     detailInk, Alignment::left, LineBreak::wordWrap, paragraph.lines);
        }
        void operator()(const Spacer&) const {}
    };
    std::visit(Visitor{painter, y, w, h}, block);
}

} // namespace MacReportPDF
