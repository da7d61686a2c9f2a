#include "audit/ReportFixtures.h"

#include "audit/MacReportPDF.h"
#include "audit/ReportFontFamilies.h"

#include <QDir>
#include <QFile>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <QImageWriter>
#include <QPainter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <sys/stat.h>

using namespace MacReportPDF;

namespace {

const QString dash = QStringLiteral("—");
const QDateTime fixedTime(QDate(2025, 3, 14), QTime(9, 41));

// The block's case name, for comparing block sequences.
QString kindOf(const Block& block)
{
    static const char* const names[] = {"hero",   "hardware",          "metadata",       "notes",
                                        "summary", "sectionTitle",     "applicationHeader", "applicationRow",
                                        "detailRow", "paragraph",       "spacer"};
    return QString::fromLatin1(names[block.index()]);
}

QStringList kindsOf(const QList<Block>& blocks)
{
    QStringList kinds;
    for (const Block& block : blocks)
        kinds.append(kindOf(block));
    return kinds;
}

template <typename T>
QList<T> blocksOf(const QList<Block>& blocks)
{
    QList<T> result;
    for (const Block& block : blocks) {
        if (const T* typed = std::get_if<T>(&block))
            result.append(*typed);
    }
    return result;
}

InstalledMacApplication application(const QString& name, std::optional<AppLicenseEvidence> evidence = {})
{
    InstalledMacApplication app;
    app.name = name;
    app.version = QStringLiteral("1.0");
    app.identifier = QStringLiteral("vn.test.") + name.toLower();
    app.source = QStringLiteral("/Applications");
    app.signatureStatus = QStringLiteral("valid");
    app.teamIdentifier = QStringLiteral("ABCDE12345");
    app.signingIdentifier = app.identifier;
    app.licenseEvidence = std::move(evidence);
    return app;
}

// Three applications: a receipt with two signals, one without evidence, a
// free one with an explicit confidence.
QList<InstalledMacApplication> threeApplications()
{
    return {
        application(QStringLiteral("Ledger"),
                    AppLicenseEvidence{AppLicenseEvidenceState::verifiedReceipt, QStringLiteral("Mac App Store receipt"),
                                       QStringLiteral("Receipt verified."), std::nullopt,
                                       QList<LicenseEvidenceSignal>{
                                           {QStringLiteral("app-store-receipt"), QStringLiteral("receipt"),
                                            LicenseEvidenceVerification::verified, QStringLiteral("CMS ok.")},
                                           {QStringLiteral("preference-keys"), QStringLiteral("ledger.plist"),
                                            LicenseEvidenceVerification::structurallyValid, QStringLiteral("Keys.")}}}),
        application(QStringLiteral("Notes")),
        application(QStringLiteral("Viewer"),
                    AppLicenseEvidence{AppLicenseEvidenceState::freeOrOpenSource, QStringLiteral("Homebrew"),
                                       QStringLiteral("GPL."), LicenseEvidenceConfidence::strong, std::nullopt}),
    };
}

MacReportProfile profile()
{
    MacReportProfile p;
    p.inspectorName = QStringLiteral("  Thu Nguyen \n");
    p.team = QStringLiteral(" \t ");
    p.recipient = QStringLiteral("Board");
    p.notes = QStringLiteral("First line.\nSecond line.");
    return p;
}

// Expected kinds of the parsed sections of the fixture reports:
// checks (9), catalog (28), recommendations (2), limits (3).
QStringList sectionKinds()
{
    QStringList kinds;
    for (int count : {9, 28, 2, 3}) {
        kinds << QStringLiteral("spacer") << QStringLiteral("sectionTitle");
        for (int i = 0; i < count; ++i)
            kinds << QStringLiteral("detailRow");
    }
    return kinds;
}

QString flatten(const QList<ReportSection>& sections)
{
    QStringList parts;
    for (const ReportSection& section : sections)
        parts.append(section.title + QStringLiteral(": ") + section.lines.join(QStringLiteral("; ")));
    return parts.join(QStringLiteral(" | "));
}

QImage render(const Page& page, const QImage& logo = {}, const Branding& branding = {}, int pageNumber = 1,
              int pageCount = 1)
{
    QImage image(QSize(595 * 2, 842 * 2), QImage::Format_ARGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(2, 2);
    drawPage(painter, page, pageNumber, pageCount, logo, branding);
    painter.end();
    return image;
}

QColor pixel(const QImage& image, double x, double y)
{
    return image.pixelColor(int(std::lround(x * 2)), int(std::lround(y * 2)));
}

bool near(const QColor& actual, const QColor& expected, int tolerance = 3)
{
    return std::abs(actual.red() - expected.red()) <= tolerance
        && std::abs(actual.green() - expected.green()) <= tolerance
        && std::abs(actual.blue() - expected.blue()) <= tolerance;
}

// A colour at an alpha over white, as the cards are filled.
QColor overWhite(const QColor& color, double alpha)
{
    const auto mix = [alpha](int c) { return int(std::lround(c * alpha + 255 * (1 - alpha))); };
    return QColor(mix(color.red()), mix(color.green()), mix(color.blue()));
}

// Whether any pixel in the rectangle (points) is much darker than white.
bool hasInk(const QImage& image, const QRectF& rect)
{
    for (int y = int(rect.top() * 2); y < int(rect.bottom() * 2); ++y) {
        for (int x = int(rect.left() * 2); x < int(rect.right() * 2); ++x) {
            if (qGray(image.pixel(x, y)) < 170)
                return true;
        }
    }
    return false;
}

bool hasColour(const QImage& image, const QRectF& rect, const QColor& colour)
{
    for (int y = int(rect.top() * 2); y < int(rect.bottom() * 2); ++y) {
        for (int x = int(rect.left() * 2); x < int(rect.right() * 2); ++x) {
            if (near(image.pixelColor(x, y), colour, 8))
                return true;
        }
    }
    return false;
}

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
        && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

QRegularExpression pageFooter(int page, int total)
{
    return QRegularExpression(QStringLiteral("(^|\\s)%1 ?/ ?%2(\\s|$)").arg(page).arg(total));
}

// "Line 01" to "Line <count>", one a line.
QString numberedLines(int count)
{
    QStringList lines;
    for (int i = 1; i <= count; ++i)
        lines << QStringLiteral("Line %1").arg(i, 2, 10, QLatin1Char('0'));
    return lines.join(QLatin1Char('\n'));
}

// The lowest row (in points) holding ink in the rectangle, or -1.
double lowestInk(const QImage& image, const QRectF& rect, double scale)
{
    for (int y = std::min(int(rect.bottom() * scale), image.height() - 1); y >= int(rect.top() * scale); --y) {
        for (int x = int(rect.left() * scale); x < int(rect.right() * scale); ++x) {
            if (qGray(image.pixel(x, y)) < 128)
                return y / scale;
        }
    }
    return -1;
}

// One block of each case; the measured ones hold one line of text.
QList<Block> fixedHeightBlocks()
{
    return {Hero{}, Hardware{}, Metadata{}, Summary{}, SectionTitle{}, ApplicationHeader{}, ApplicationRow{},
            Spacer{12.5}, DetailRow{QStringLiteral("One line.")}, Paragraph{},
            Notes{QStringLiteral("L"), QStringLiteral("One line.")}};
}

} // namespace

class MacReportPDFTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void makeBlocksEnglish();
    void makeBlocksVietnamese();
    void makeBlocksWithoutApplications();
    void hardwareLabels_data();
    void hardwareLabels();
    void reportValue_data();
    void reportValue();
    void parseSections_data();
    void parseSections();
    void vietnameseDetection_data();
    void vietnameseDetection();
    void fontFamilies();
    void cjkSharesTheBaseline();
    void heights_data();
    void heights();
    void detailRowMeasuredAtDrawnWidth();
    void paginate_data();
    void paginate();
    void oversizedTextContinues_data();
    void oversizedTextContinues();
    void rasterPage();
    void wrappedTextKeepsLastLine();
    void headerBranding_data();
    void headerBranding();
    void brandingLoader_data();
    void brandingLoader();
    void appLogoFromResources();
    void detailTint_data();
    void detailTint();
    void pills();
    void fittedRect_data();
    void fittedRect();
    void writeEndToEnd_data();
    void writeEndToEnd();
    void writeOversizedTexts();
    void writeReplacesWithPrivateFile();
    void writeFailures_data();
    void writeFailures();
};

void MacReportPDFTest::makeBlocksEnglish()
{
    const QList<Block> blocks = makeBlocks(ReportFixtures::textReport(QStringLiteral("report-en.txt")),
                                           threeApplications(), profile(), false, fixedTime);

    QStringList expected{"hero", "hardware", "metadata", "notes", "summary", "sectionTitle", "applicationHeader",
                         "applicationRow", "applicationRow", "applicationRow", "spacer", "sectionTitle",
                         "detailRow", "detailRow", "detailRow", "detailRow", "detailRow"};
    expected += sectionKinds();
    QCOMPARE(kindsOf(blocks), expected);

    QCOMPARE(std::get<Hero>(blocks[0]).title, QStringLiteral("macOS software inventory report"));
    const QList<CardItem> hardware = std::get<Hardware>(blocks[1]).items;
    QCOMPARE(hardware,
             (QList<CardItem>{{QStringLiteral("MAC MODEL • Mac15,3"), QStringLiteral("MacBook Pro"), QColor(37, 99, 235)},
                              {QStringLiteral("CHIP"), QStringLiteral("Apple M3"), QColor(124, 58, 237)},
                              {QStringLiteral("MEMORY"), QStringLiteral("16 GB"), QColor(15, 159, 143)},
                              {QStringLiteral("macOS"), QStringLiteral("14.5 (23F79)"), QColor(249, 115, 22)}}));
    QCOMPARE(std::get<Metadata>(blocks[2]).items,
             (QList<CardItem>{{QStringLiteral("INSPECTOR"), QStringLiteral("Thu Nguyen"), QColor(37, 99, 235)},
                              {QStringLiteral("TEAM / UNIT"), dash, QColor(15, 159, 143)},
                              {QStringLiteral("RECIPIENT"), QStringLiteral("Board"), QColor(249, 115, 22)},
                              {QStringLiteral("GENERATED"), QStringLiteral("Mar 14, 2025 at 9:41 AM"),
                               QColor(124, 58, 237)}}));
    QCOMPARE(std::get<Notes>(blocks[3]),
             (Notes{QStringLiteral("MANUAL NOTES & CONCLUSION"), QStringLiteral("First line.\nSecond line.")}));
    QStringList summary;
    for (const CardItem& item : std::get<Summary>(blocks[4]).items)
        summary << item.label + QLatin1Char('=') + item.value;
    QCOMPARE(summary, (QStringList{"INSTALLED APPS=3", "STRONG EVIDENCE=1", "NO KEY / ACCOUNT=1", "NOT VERIFIED=1"}));
    QCOMPARE(std::get<SectionTitle>(blocks[5]),
             (SectionTitle{QStringLiteral("Software & application packages"), QStringLiteral("3")}));
    QCOMPARE(std::get<ApplicationHeader>(blocks[6]).titles,
             (QStringList{"NO.", "NAME", "VERSION", "SOURCE", "VENDOR / PROJECT", "DIGITAL SIGNATURE - APP SIGNATURE",
                          "LICENSE / KEY"}));

    const QList<ApplicationRow> rows = blocksOf<ApplicationRow>(blocks);
    QCOMPARE(rows.size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(rows[i].number, i + 1);
        QCOMPARE(rows[i].alternate, i == 1);
        QCOMPARE(rows[i].vietnamese, false);
        QCOMPARE(rows[i].application, threeApplications()[i]);
    }
    QCOMPARE(std::get<Spacer>(blocks[10]).height, 10.0);
    QCOMPARE(std::get<SectionTitle>(blocks[11]),
             (SectionTitle{QStringLiteral("Technical license evidence details"), QStringLiteral("3")}));

    const QList<DetailRow> evidenceRows = blocksOf<DetailRow>(blocks.mid(12, 5));
    QCOMPARE(evidenceRows,
             (QList<DetailRow>{
                 {QStringLiteral("1. Ledger • state=verifiedReceipt • confidence=verified • source=Mac App Store "
                                 "receipt • Receipt verified."),
                  false},
                 {QStringLiteral("↳ [verified] receipt / app-store-receipt: CMS ok."), false},
                 {QStringLiteral("↳ [structurallyValid] ledger.plist / preference-keys: Keys."), false},
                 {QStringLiteral("2. Notes • state=noEvidence • confidence=none • source=none • No operating-system "
                                 "license entitlement evidence was collected."),
                  true},
                 {QStringLiteral("3. Viewer • state=freeOrOpenSource • confidence=strong • source=Homebrew • GPL."),
                  false}}));

    const QList<SectionTitle> titles = blocksOf<SectionTitle>(blocks.mid(17));
    QCOMPARE(titles, (QList<SectionTitle>{{QStringLiteral("System checks"), QStringLiteral("9")},
                                          {QStringLiteral("Tavrin catalog status"), QStringLiteral("28")},
                                          {QStringLiteral("Recommendations"), QStringLiteral("2")},
                                          {QStringLiteral("Key detection limits"), QStringLiteral("3")}}));
    const QList<DetailRow> sectionRows = blocksOf<DetailRow>(blocks.mid(17));
    QCOMPARE(sectionRows.first(), (DetailRow{QStringLiteral("Homebrew: OK - /opt/homebrew/bin/brew"), false}));
    QCOMPARE(sectionRows[1].alternate, true);
    QCOMPARE(sectionRows[9], (DetailRow{QStringLiteral("LibreDevivu + Vietnamese [libreoffice]: Installed"), false}));
    QCOMPARE(sectionRows.last().text.left(30), QStringLiteral("This report separates verified"));
}

void MacReportPDFTest::makeBlocksVietnamese()
{
    const QString report = ReportFixtures::textReport(QStringLiteral("report-vi.txt"));
    QVERIFY(isVietnameseReport(report));
    const QList<Block> blocks = makeBlocks(report, threeApplications(), profile(), true, fixedTime);

    QStringList expected{"hero", "hardware", "metadata", "notes", "summary", "sectionTitle", "applicationHeader",
                         "applicationRow", "applicationRow", "applicationRow", "spacer", "sectionTitle",
                         "detailRow", "detailRow", "detailRow", "detailRow", "detailRow"};
    expected += sectionKinds();
    QCOMPARE(kindsOf(blocks), expected);

    QCOMPARE(std::get<Hero>(blocks[0]).subtitle.left(33), QStringLiteral("Bằng chứng kỹ thuật key/receipt; "));
    QStringList labels;
    for (const Block& block : blocks.mid(1, 4)) {
        if (const auto* hardware = std::get_if<Hardware>(&block))
            for (const CardItem& item : hardware->items)
                labels << item.label;
        if (const auto* metadata = std::get_if<Metadata>(&block))
            for (const CardItem& item : metadata->items)
                labels << item.label + QLatin1Char('=') + item.value;
        if (const auto* summary = std::get_if<Summary>(&block))
            for (const CardItem& item : summary->items)
                labels << item.label;
        if (const auto* notes = std::get_if<Notes>(&block))
            labels << notes->label;
    }
    QCOMPARE(labels, (QStringList{"MODEL MÁY • Mac15,3", "CHIP", "BỘ NHỚ", "macOS", "NGƯỜI KIỂM TRA=Thu Nguyen",
                                  "TEAM / ĐƠN VỊ=—", "NƠI NHẬN / CẤP TRÊN=Board", "THỜI ĐIỂM XUẤT=09:41 14 thg 3, 2025",
                                  "GHI CHÚ NHẬP TAY & KẾT LUẬN", "ỨNG DỤNG", "BẰNG CHỨNG MẠNH",
                                  "KHÔNG KEY / TÀI KHOẢN", "CHƯA XÁC MINH"}));
    QCOMPARE(std::get<ApplicationHeader>(blocks[6]).titles,
             (QStringList{"STT", "TÊN", "PHIÊN BẢN", "NGUỒN", "ĐƠN VỊ / DỰ ÁN", "CHỮ KÝ SỐ - CHỮ KÝ APP",
                          "BẢN QUYỀN / KEY"}));
    QVERIFY(std::get<ApplicationRow>(blocks[8]).vietnamese);
    QStringList titles;
    for (const SectionTitle& title : blocksOf<SectionTitle>(blocks))
        titles << title.title;
    QCOMPARE(titles, (QStringList{"Phần mềm và gói ứng dụng", "Chi tiết bằng chứng bản quyền kỹ thuật",
                                  "Kiểm tra hệ thống", "Trạng thái ứng dụng Tavrin", "Khuyến nghị",
                                  "Giới hạn phát hiện key"}));
    QCOMPARE(blocksOf<DetailRow>(blocks).last().text.left(26), QStringLiteral("Báo cáo tách riêng receipt"));
}

void MacReportPDFTest::makeBlocksWithoutApplications()
{
    for (const bool vietnamese : {false, true}) {
        const QList<Block> blocks = makeBlocks(QString(), {}, MacReportProfile{}, vietnamese, fixedTime);
        // No hardware values and no sections: neither block appears.
        QCOMPARE(kindsOf(blocks), (QStringList{"hero", "metadata", "notes", "summary", "sectionTitle",
                                               "applicationHeader", "paragraph"}));
        QCOMPARE(std::get<Paragraph>(blocks.last()).text,
                 vietnamese ? QStringLiteral("Chưa phát hiện phần mềm cài thêm.")
                            : QStringLiteral("No additional software detected."));
        QCOMPARE(std::get<Notes>(blocks[2]).value, dash);
        QCOMPARE(std::get<Summary>(blocks[3]).items.first().value, QStringLiteral("0"));
    }
}

void MacReportPDFTest::hardwareLabels_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("value");
    QTest::newRow("model and identifier") << "Hardware model: MacBook Air\nModel identifier: Mac14,2\n"
                                          << "MAC MODEL • Mac14,2" << "MacBook Air";
    QTest::newRow("model only") << "Hardware model: MacBook Air\n" << "MAC MODEL" << "MacBook Air";
    QTest::newRow("identifier only") << "Model identifier: Mac14,2\n" << "MAC MODEL • Mac14,2" << "Mac14,2";
    QTest::newRow("chip only") << "Chip: Apple M2\n" << "MAC MODEL" << "—";
    QTest::newRow("all dashes") << "Hardware model: —\nModel identifier: —\nChip: —\nMemory: —\nmacOS version:\n"
                                << "" << "";
}

void MacReportPDFTest::hardwareLabels()
{
    QFETCH(QString, report);
    QFETCH(QString, label);
    QFETCH(QString, value);
    const QList<Block> blocks = makeBlocks(report, {}, MacReportProfile{}, false, fixedTime);
    const QList<Hardware> hardware = blocksOf<Hardware>(blocks);
    if (label.isEmpty()) {
        QVERIFY(hardware.isEmpty());
        return;
    }
    QCOMPARE(hardware.size(), 1);
    QCOMPARE(hardware[0].items[0].label, label);
    QCOMPARE(hardware[0].items[0].value, value);
}

void MacReportPDFTest::reportValue_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("report");
    QTest::addColumn<QString>("value");
    QTest::newRow("trimmed") << "Chip" << "Chip:   Apple M3  \n" << "Apple M3";
    QTest::newRow("first line wins even when empty") << "Chip" << "Chip:\nChip: Apple M1\n" << "—";
    QTest::newRow("missing") << "Memory" << "Chip: Apple M3\n" << "—";
    QTest::newRow("case-sensitive") << "chip" << "Chip: Apple M3\n" << "—";
    QTest::newRow("no trimming before the test") << "Chip" << "  Chip: Apple M3\n" << "—";
    QTest::newRow("value with colons") << "Log file" << "Log file: C:/x: y\r\n" << "C:/x: y";
    QTest::newRow("label prefix of a longer label") << "Hardware" << "Hardware model: X\nHardware: Y\n" << "Y";
}

void MacReportPDFTest::reportValue()
{
    QFETCH(QString, label);
    QFETCH(QString, report);
    QFETCH(QString, value);
    QCOMPARE(MacReportPDF::reportValue(label, report), value);
}

void MacReportPDFTest::parseSections_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("vietnamese");
    QTest::addColumn<QString>("sections");
    QTest::newRow("items only, prose dropped")
        << "System checks:\n- A: OK - fine\nnot an item\n  - B: WARN - hm  \n" << false
        << "System checks: A: OK - fine; B: WARN - hm";
    QTest::newRow("heading with prose only yields nothing, fallback takes it")
        << "System checks:\nprose\n" << false << "Report details: System checks:; prose";
    QTest::newRow("software lines skipped until the next heading")
        << "Additional installed software:\n- App: 1 [x] (y)\nRecommendations:\n- Do it.\n" << false
        << "Recommendations: Do it.";
    QTest::newRow("empty sections are dropped") << "Recommendations:\n\nKey detection limits:\n- L1\n" << false
                                                << "Key detection limits: L1";
    QTest::newRow("fallback skips title and rule")
        << "Tavrin Devivu Kit macOS Report\n======\n- one\ntwo\n" << false << "Report details: one; two";
    QTest::newRow("fallback in Vietnamese") << "- một\n" << true << "Chi tiết báo cáo: một";
    QTest::newRow("nothing at all") << "Tavrin Devivu Kit macOS Report\n==\n\n" << false << "";
    QTest::newRow("Korean heading kept in English mode")
        << "시스템 검사:\n- 항목\n권장 사항:\n- 권장\n" << false << "시스템 검사: 항목 | 권장 사항: 권장";
    QTest::newRow("Vietnamese mode renames to the Vietnamese heading")
        << "System checks:\n- a\nLicense evidence limits:\n- b\nライセンス証跡の制限:\n- c\n" << true
        << "Kiểm tra hệ thống: a | Giới hạn phát hiện key: b | Giới hạn phát hiện key: c";
    QTest::newRow("heading must be the whole line") << "System checks: extra\n- a\n" << false
                                                    << "Report details: System checks: extra; a";
}

void MacReportPDFTest::parseSections()
{
    QFETCH(QString, report);
    QFETCH(bool, vietnamese);
    QFETCH(QString, sections);
    QCOMPARE(flatten(MacReportPDF::parseSections(report, vietnamese)), sections);
}

void MacReportPDFTest::vietnameseDetection_data()
{
    QTest::addColumn<QString>("report");
    QTest::addColumn<bool>("vietnamese");
    QTest::newRow("English") << ReportFixtures::textReport(QStringLiteral("report-en.txt")) << false;
    QTest::newRow("Vietnamese") << ReportFixtures::textReport(QStringLiteral("report-vi.txt")) << true;
    QTest::newRow("Korean") << QStringLiteral("시스템 검사:\n- a\n권장 사항:\n") << false;
    QTest::newRow("inside an application name") << QStringLiteral("- Khuyến nghị: 1.0 [x] (y)\n") << true;
    QTest::newRow("other Vietnamese heading only") << QStringLiteral("Giới hạn phát hiện key:\n") << false;
}

void MacReportPDFTest::vietnameseDetection()
{
    QFETCH(QString, report);
    QFETCH(bool, vietnamese);
    QCOMPARE(isVietnameseReport(report), vietnamese);
}

void MacReportPDFTest::fontFamilies()
{
    // Without these families Qt would set the report in another font whose
    // widths do not fit the layout: fonts-inter, fonts-noto-cjk.
    const QStringList families = reportFontFamilies();
    QCOMPARE(families.size(), 2);
    for (const QString& family : families)
        QVERIFY2(QFontDatabase::hasFamily(family),
                 qPrintable(family + QStringLiteral(" is not installed (scripts/setup.sh installs it)")));
    const QList<std::pair<Weight, int>> weights{
        {Weight::medium, QFont::Medium}, {Weight::semibold, QFont::DemiBold},
        {Weight::bold, QFont::Bold}, {Weight::black, QFont::Black}};
    for (const auto& [weight, expected] : weights) {
        const QFontInfo info(reportFont(8.3, weight));
        QCOMPARE(info.family(), families.first());
        QCOMPARE(info.weight(), expected);
    }

    // Korean, Japanese and Chinese come from the second family, the rest from the first.
    QTextLayout layout(QStringLiteral("Kakao 카카오톡 一太郎ビューア 网易有道翻译"), reportFont(8.3, Weight::semibold));
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList used;
    for (const QGlyphRun& run : layout.glyphRuns()) {
        if (!used.contains(run.rawFont().familyName()))
            used << run.rawFont().familyName();
    }
    used.sort();
    QCOMPARE(used, families);
}

void MacReportPDFTest::cjkSharesTheBaseline()
{
    // A name in Chinese characters beside Latin text drawn from the same top:
    // the Latin capitals sit on the baseline, the ideograph's lowest stroke
    // lies exactly as far below it as the CJK font draws it.
    const double scale = 8;
    const QFont font = reportFont(8.3, Weight::semibold);
    QImage image(QSize(200, 30) * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.scale(scale, scale);
    drawText(painter, QStringLiteral("HHH"), QRectF(10, 9, 60, 12), font, Qt::black);
    drawText(painter, QStringLiteral("工工工"), QRectF(100, 9, 60, 12), font, Qt::black);
    painter.end();

    QTextLayout layout(QStringLiteral("工"), font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    const QGlyphRun run = layout.glyphRuns().value(0);
    QVERIFY(!run.glyphIndexes().isEmpty());
    // The glyph's bottom below its baseline, in the font's finer units, in points.
    const double belowBaseline = run.rawFont().boundingRect(run.glyphIndexes().first()).bottom()
        * 8.3 / run.rawFont().pixelSize();

    const double latinBottom = lowestInk(image, QRectF(10, 0, 60, 30), scale);
    const double cjkBottom = lowestInk(image, QRectF(100, 0, 60, 30), scale);
    QVERIFY(latinBottom > 0 && cjkBottom > 0);
    QVERIFY2(std::abs(cjkBottom - latinBottom - belowBaseline) <= 0.3,
             qPrintable(QStringLiteral("%1 %2 %3").arg(latinBottom).arg(cjkBottom).arg(belowBaseline)));
}

void MacReportPDFTest::heights_data()
{
    QTest::addColumn<int>("blockIndex");
    QTest::addColumn<double>("height");
    const double heights[] = {82, 61, 112, 61, 38, 26, 31, 12.5, 29, 20, 58};
    const QList<Block> blocks = fixedHeightBlocks();
    for (int i = 0; i < blocks.size(); ++i)
        QTest::addRow("%s", qPrintable(kindOf(blocks[i]))) << i << heights[i];
}

void MacReportPDFTest::heights()
{
    QFETCH(int, blockIndex);
    QFETCH(double, height);
    QCOMPARE(blockHeight(fixedHeightBlocks()[blockIndex], 511), height);
}

void MacReportPDFTest::detailRowMeasuredAtDrawnWidth()
{
    const QFont font = reportFont(8.7, Weight::medium);
    const double lineHeight = measureText(QStringLiteral("x"), 473, font);

    // Wrapping lines add whole-point heights: three lines are 3 × line height
    // rounded up, plus 14.
    const QString threeLines = QStringLiteral("word ").repeated(200).left(2 * 95 * 5 + 40);
    const double measured = measureText(threeLines, 511 - 38, font);
    QVERIFY(measured > 2.5 * lineHeight);
    QCOMPARE(blockHeight(DetailRow{threeLines}, 511), std::ceil(measured) + 14);
    QVERIFY(blockHeight(DetailRow{threeLines}, 511) > 29);

    // A text that fits one line at 483 points but not at the 473 it is drawn
    // in is two lines tall.
    QString text = QStringLiteral("x");
    while (textWidth(text, font) <= 475)
        text += QLatin1Char('x');
    QVERIFY(textWidth(text, font) < 483);
    QVERIFY(measureText(text, 483, font) < 1.5 * lineHeight);
    QCOMPARE(blockHeight(DetailRow{text}, 511), std::ceil(2 * lineHeight) + 14);

    // An empty paragraph keeps its minimum; a long one grows.
    QCOMPARE(blockHeight(Paragraph{QString()}, 511), 20.0);
    QVERIFY(blockHeight(Paragraph{threeLines}, 511) > 20);
}

void MacReportPDFTest::paginate_data()
{
    // Blocks: sN a spacer of N points, H the table header (26), R an
    // application row (31), D a one-line detail row (29), T a section title (38).
    QTest::addColumn<QString>("blocks");
    QTest::addColumn<QString>("pages");
    QTest::newRow("empty gives one empty page") << "" << "";
    QTest::newRow("exactly 749 fits") << "s700 s49" << "s700 s49";
    QTest::newRow("749.5 moves") << "s700 s49.5" << "s700 | s49.5";
    QTest::newRow("header copied before a carried-over row") << "s700 H R R" << "s700 H | H R R";
    QTest::newRow("no copy before a detail row") << "H R s650 D D" << "H R s650 D | D";
    QTest::newRow("no copy before a title") << "H s700 T R" << "H s700 | T R";
    QTest::newRow("no copy without a header") << "s740 R" << "s740 | R";
    QTest::newRow("header moved itself is remembered") << "s740 H R s690 R" << "s740 | H R s690 | H R";
    QTest::newRow("oversized block alone") << "s10 s800 s10" << "s10 | s800 | s10";
    QTest::newRow("oversized first block stays") << "s800 R" << "s800 | R";
}

void MacReportPDFTest::paginate()
{
    QFETCH(QString, blocks);
    QFETCH(QString, pages);
    const QHash<QString, Block> named{{"H", ApplicationHeader{{"NO."}}},
                                      {"R", ApplicationRow{1, application(QStringLiteral("A")), false, false}},
                                      {"D", DetailRow{QStringLiteral("d")}},
                                      {"T", SectionTitle{QStringLiteral("t"), std::nullopt}}};
    QList<Block> input;
    for (const QString& token : blocks.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        input.append(token.startsWith(QLatin1Char('s')) ? Block(Spacer{token.mid(1).toDouble()}) : named.value(token));

    QStringList pageTexts;
    for (const Page& page : MacReportPDF::paginate(input, 511)) {
        QStringList tokens;
        for (const Block& block : page) {
            if (const auto* spacer = std::get_if<Spacer>(&block))
                tokens << QLatin1Char('s') + QString::number(spacer->height);
            else
                tokens << named.key(block);
        }
        pageTexts << tokens.join(QLatin1Char(' '));
    }
    QCOMPARE(pageTexts.join(QStringLiteral(" | ")), pages);
}

void MacReportPDFTest::oversizedTextContinues_data()
{
    QTest::addColumn<double>("before");
    QTest::addColumn<Block>("block");
    QTest::addColumn<int>("firstPage");
    QTest::addColumn<int>("pieces");
    QTest::newRow("notes fill the first page and continue")
        << 255.0 << Block(Notes{QStringLiteral("N"), numberedLines(150)}) << 0 << 3;
    QTest::newRow("detail row on an empty page") << 0.0 << Block(DetailRow{numberedLines(120), true}) << 0 << 2;
    QTest::newRow("not one line fits: starts on the next page")
        << 740.0 << Block(Paragraph{numberedLines(100)}) << 1 << 2;
    QTest::newRow("a text that fits a page moves whole") << 500.0 << Block(DetailRow{numberedLines(40)}) << 1 << 1;
    QTest::newRow("one wrapped paragraph line after another")
        << 300.0 << Block(Paragraph{QStringLiteral("word ").repeated(3000)}) << 0 << 3;
}

void MacReportPDFTest::oversizedTextContinues()
{
    QFETCH(double, before);
    QFETCH(Block, block);
    QFETCH(int, firstPage);
    QFETCH(int, pieces);
    const Block after = DetailRow{QStringLiteral("after")};
    QList<Block> blocks{block, after};
    if (before > 0)
        blocks.prepend(Spacer{before});
    const QList<Page> pages = MacReportPDF::paginate(blocks, 511);
    const int lines = textLineCount(block, 511);
    QVERIFY(lines > 1);

    // Every page holds at most 749 points; the text's pieces follow each
    // other, one a page, and show every line once; each piece but the last
    // ends its page, which has no room for one more of its lines.
    int next = 0;
    int found = 0;
    for (int p = 0; p < pages.size(); ++p) {
        double running = 0;
        for (const Block& placed : pages[p]) {
            const double height = blockHeight(placed, 511);
            if (placed.index() == block.index() && placed != after) {
                QCOMPARE(p, firstPage + found++);
                const LineRange range = shownLines(placed);
                QCOMPARE(range.first, next);
                if (range.count < 0) {
                    next = lines;
                } else {
                    QVERIFY(range.count >= 1);
                    QVERIFY(&placed == &pages[p].last());
                    QVERIFY(running + blockHeight(withLines(block, LineRange{next, range.count + 1}), 511) > 749);
                    next += range.count;
                }
            }
            running += height;
        }
        QVERIFY2(running <= 749, qPrintable(QString::number(running)));
    }
    QCOMPARE(next, lines);
    QCOMPARE(found, pieces);
    QCOMPARE(pages.size(), firstPage + pieces);
    QCOMPARE(pages.last().last(), after);
}

void MacReportPDFTest::rasterPage()
{
    InstalledMacApplication unsignedApp = application(QStringLiteral("B"));
    unsignedApp.signatureStatus = QStringLiteral("unsigned");
    const Page page{Spacer{100},
                    ApplicationRow{1, application(QStringLiteral("A")), false, false},
                    ApplicationRow{2, unsignedApp, true, false},
                    Summary{{{QStringLiteral("L"), QStringLiteral("1"), QColor(37, 99, 235)}}}};
    const QImage image = render(page, QImage(), Branding{}, 2, 3);
    const QList<double> widths = applicationColumnWidths(511);
    const double pillX5 = 42 + widths[0] + widths[1] + widths[2] + widths[3] + widths[4] + 4;
    const double pillX6 = pillX5 - 4 + widths[5] + 4;

    // Header bar in two colours, footer rule.
    QVERIFY(near(pixel(image, 200, 46.2), QColor(37, 99, 235)));
    QVERIFY(near(pixel(image, 500, 46.2), QColor(249, 115, 22)));
    QVERIFY(near(pixel(image, 300, 812.1), QColor(219, 229, 240), 6));
    // Row 1 (y = 155): white background, bottom rule; row 2 (y = 186): the band.
    QVERIFY(near(pixel(image, 300, 157), QColor(255, 255, 255)));
    QVERIFY(near(pixel(image, 300, 184.6), QColor(227, 234, 243), 6));
    QVERIFY(near(pixel(image, 300, 188), QColor(245, 249, 255)));
    // Pills at their right end, where no label is drawn.
    QVERIFY(near(pixel(image, pillX5 + widths[5] - 8 - 12, 155 + 15), QColor(220, 252, 231)));
    QVERIFY(near(pixel(image, pillX5 + widths[5] - 8 - 12, 186 + 15), QColor(254, 228, 226)));
    QVERIFY(near(pixel(image, pillX6 + widths[6] - 8 - 12, 155 + 15), QColor(242, 244, 247)));
    // Summary card: tint at 0.075 over white.
    QVERIFY(near(pixel(image, 42 + 80, 217 + 4 + 44), overWhite(QColor(37, 99, 235), 0.075)));
    // Footer page number "2 / 3" is drawn at the right margin, nothing beyond.
    QVERIFY(hasInk(image, QRectF(530, 818, 23, 10)));
    QVERIFY(!hasInk(image, QRectF(554, 812, 40, 30)));
}

void MacReportPDFTest::wrappedTextKeepsLastLine()
{
    // The last line of a wrapped detail row and of the notes must be drawn.
    const QString marker = QStringLiteral("WWWWWWWWWWWW");
    const QString detail = QStringLiteral("word ").repeated(190) + marker;
    const QString notes = QStringLiteral("First line of the conclusion.\n") + marker;

    for (const Block& block : {Block(DetailRow{detail}), Block(Notes{QStringLiteral("N"), notes})}) {
        const double height = blockHeight(block, 511);
        const QImage image = render(Page{block});
        const bool isNotes = std::holds_alternative<Notes>(block);
        const double textTop = 55 + (isNotes ? 27 : 8);
        const QFont font = isNotes ? reportFont(9.5, Weight::medium) : reportFont(8.7, Weight::medium);
        const double lineHeight = measureText(QStringLiteral("x"), 400, font);
        const double measured = measureText(isNotes ? notes : detail, isNotes ? 511 - 28 : 511 - 38, font);
        const int lines = int(std::lround(measured / lineHeight));
        QVERIFY2(lines >= 2, qPrintable(QString::number(lines)));
        // The band of the last line holds ink on its left part, where the marker starts.
        const QRectF lastLine(42 + (isNotes ? 14 : 26), textTop + (lines - 1) * lineHeight + 1, 40, lineHeight - 2);
        QVERIFY2(hasInk(image, lastLine), qPrintable(kindOf(block)));
        QVERIFY(lastLine.bottom() < 55 + height);
    }
}

void MacReportPDFTest::headerBranding_data()
{
    QTest::addColumn<QSize>("logoSize");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRectF>("logoRect");
    QTest::addColumn<double>("nameRightEdge");
    QTest::newRow("no branding") << QSize() << QString() << QRectF() << 0.0;
    QTest::newRow("name only") << QSize() << QStringLiteral("Field Team") << QRectF() << 553.0;
    QTest::newRow("wide logo and name") << QSize(200, 100) << QStringLiteral("Field Team")
                                        << QRectF(523, 16.5, 30, 15) << 516.0;
    QTest::newRow("tall logo, no name") << QSize(50, 100) << QString() << QRectF(532, 12, 12, 24) << 0.0;
    // Cut with "…" where the title's rectangle ends (x = 251).
    const QString longName = QStringLiteral("Công ty TNHH Dịch vụ Kỹ thuật Máy tính và Thiết bị Văn phòng Đà Nẵng – Chi nhánh Hải Châu");
    QTest::newRow("long name") << QSize() << longName << QRectF() << 553.0;
    QTest::newRow("long name and logo") << QSize(200, 100) << longName << QRectF(523, 16.5, 30, 15) << 516.0;
}

void MacReportPDFTest::headerBranding()
{
    QFETCH(QSize, logoSize);
    QFETCH(QString, name);
    QFETCH(QRectF, logoRect);
    QFETCH(double, nameRightEdge);
    Branding branding{name, {}};
    if (logoSize.isValid()) {
        branding.logo = QImage(logoSize, QImage::Format_ARGB32);
        branding.logo.fill(QColor(220, 0, 0));
    }
    const QImage image = render(Page{}, fallbackAppLogo(), branding);
    const QColor red(220, 0, 0);

    // The application logo's tile and title are always there.
    QVERIFY(hasInk(image, QRectF(81, 15, 100, 12)));
    QVERIFY(hasColour(image, QRectF(44, 11, 27, 27), QColor(255, 138, 0)));
    if (logoRect.isValid()) {
        QVERIFY(near(pixel(image, logoRect.center().x(), logoRect.center().y()), red));
        QVERIFY(!hasColour(image, QRectF(logoRect.left() - 3, 9, 2, 30), red));
        QVERIFY(!hasColour(image, QRectF(logoRect.right() + 1, 9, 20, 30), red));
        QVERIFY(!hasColour(image, QRectF(logoRect.left(), logoRect.top() - 3, logoRect.width(), 2), red));
    } else {
        QVERIFY(!hasColour(image, QRectF(500, 9, 60, 33), red));
    }
    // Nothing between the title and the workspace name's room.
    QVERIFY(!hasInk(image, QRectF(176, 9, 74, 33)));
    if (nameRightEdge > 0) {
        QVERIFY(hasInk(image, QRectF(nameRightEdge - 8, 21, 7, 11)));
        QVERIFY(!hasInk(image, QRectF(nameRightEdge + 0.5, 21, 6, 11)));
        const bool cut = textWidth(name, reportFont(8, Weight::semibold)) > nameRightEdge - 251;
        QCOMPARE(hasInk(image, QRectF(251, 21, 12, 11)), cut);
    } else if (!logoRect.isValid()) {
        QVERIFY(!hasInk(image, QRectF(300, 9, 260, 33)));
    }
}

void MacReportPDFTest::brandingLoader_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("hasLogo");
    const QByteArray png = ReportFixtures::pngImage(QSize(20, 10), Qt::blue).toBase64();
    QTest::newRow("no file") << QByteArray() << "" << false;
    QTest::newRow("not JSON") << QByteArray("{workspace") << "" << false;
    QTest::newRow("array") << QByteArray("[{\"workspace\":{}}]") << "" << false;
    QTest::newRow("workspace not an object") << QByteArray("{\"workspace\":\"x\"}") << "" << false;
    QTest::newRow("name trimmed, no logo")
        << QByteArray("{\"workspace\":{\"display_name\":\"  Team A \\n\"},\"profiles\":[]}") << "Team A" << false;
    QTest::newRow("name not a string") << QByteArray("{\"workspace\":{\"display_name\":5}}") << "" << false;
    QTest::newRow("logo") << "{\"workspace\":{\"display_name\":\"T\",\"logo_data_url\":\"data:image/png;base64," + png
                                 + "\"}}"
                          << "T" << true;
    QTest::newRow("logo with a line break")
        << "{\"workspace\":{\"display_name\":\"T\",\"logo_data_url\":\"data:image/png;base64," + png.left(8) + "\\n"
               + png.mid(8) + "\"}}"
        << "T" << false;
    QTest::newRow("no base64 marker") << "{\"workspace\":{\"logo_data_url\":\"data:image/png," + png + "\"}}" << ""
                                      << false;
    QTest::newRow("marker is case-sensitive")
        << "{\"workspace\":{\"logo_data_url\":\"data:image/png;BASE64," + png + "\"}}" << "" << false;
    QTest::newRow("bytes not an image")
        << QByteArray("{\"workspace\":{\"display_name\":\"T\",\"logo_data_url\":\"data:image/png;base64,aGVsbG8=\"}}")
        << "T" << false;
    QTest::newRow("logo null") << QByteArray("{\"workspace\":{\"display_name\":\"T\",\"logo_data_url\":null}}") << "T"
                               << false;
}

void MacReportPDFTest::brandingLoader()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, name);
    QFETCH(bool, hasLogo);
    QTemporaryDir folder;
    if (!file.isEmpty()) {
        QFile cache(folder.filePath(QStringLiteral("technician-workspace.json")));
        QVERIFY(cache.open(QIODevice::WriteOnly));
        cache.write(file);
    }
    const Branding branding = loadWorkspaceBranding(folder.path());
    QCOMPARE(branding.name, name);
    QCOMPARE(!branding.logo.isNull(), hasLogo);
    if (hasLogo)
        QCOMPARE(branding.logo.size(), QSize(20, 10));
}

void MacReportPDFTest::appLogoFromResources()
{
    const QImage fallback = fallbackAppLogo();
    QCOMPARE(fallback.deviceIndependentSize(), QSizeF(128, 128));
    QTemporaryDir folder;
    QCOMPARE(appLogo(folder.path()), fallback);
    QCOMPARE(appLogo(), fallback);

    if (!QImageWriter::supportedImageFormats().contains("icns"))
        QSKIP("Qt's ICNS image plugin (qt6-image-formats-plugins) is not installed");
    QImage icon(QSize(64, 64), QImage::Format_ARGB32);
    icon.fill(Qt::red);
    QVERIFY(icon.save(folder.filePath(QStringLiteral("AppIcon.icns")), "icns"));
    const QImage loaded = appLogo(folder.path());
    QVERIFY(loaded != fallback);
    QCOMPARE(loaded.pixelColor(32, 32), QColor(Qt::red));
}

void MacReportPDFTest::detailTint_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QColor>("tint");
    const QColor green(22, 163, 74), amber(245, 158, 11), red(220, 38, 38), blue(37, 99, 235);
    QTest::newRow("check ok") << "Homebrew: OK - /opt/homebrew" << green;
    QTest::newRow("check warn, not installed") << "Xcode: WARN - Not installed" << amber;
    QTest::newRow("check fail, not installed") << "LibreDevivu: FAIL - Not installed" << amber;
    QTest::newRow("check fail, other words") << "Disk: FAIL - 3 GB free" << blue;
    QTest::newRow("catalog installed") << "VLC [vlc]: Installed" << green;
    QTest::newRow("catalog not installed") << "GIMP [gimp]: Not installed" << amber;
    QTest::newRow("installed after not installed") << "A: not installed, B: installed" << green;
    QTest::newRow("catalog unsupported") << "rclone [rclone]: Unsupported" << red;
    QTest::newRow("Vietnamese installed") << "VLC [vlc]: Đã cài" << green;
    QTest::newRow("Vietnamese not installed") << "GIMP [gimp]: Chưa cài" << amber;
    QTest::newRow("Vietnamese unsupported") << "rclone [rclone]: Không hỗ trợ" << red;
    QTest::newRow("lower-case ok") << "thing: ok" << green;
    QTest::newRow("plain") << "Install Devivu Basic first." << blue;
}

void MacReportPDFTest::detailTint()
{
    QFETCH(QString, text);
    QFETCH(QColor, tint);
    QCOMPARE(MacReportPDF::detailTint(text), tint);
}

void MacReportPDFTest::pills()
{
    QCOMPARE(signaturePill(QStringLiteral("Valid"), false).label, QStringLiteral("NOT APPLICABLE"));
    QCOMPARE(signaturePill(QStringLiteral("valid"), true).label, QStringLiteral("HỢP LỆ"));
    QCOMPARE(signaturePill(QStringLiteral("ad-hoc"), false),
             (Pill{QStringLiteral("INTERNAL"), QColor(181, 71, 8), QColor(255, 234, 213)}));
    QCOMPARE(signaturePill(QStringLiteral("unsigned"), true).label, QStringLiteral("KHÔNG CÓ CHỮ KÝ"));
    const AppLicenseEvidenceState none = evidenceOf(application(QStringLiteral("A"))).state;
    QCOMPARE(evidencePill(none, false),
             (Pill{QStringLiteral("NO LOCAL EVIDENCE"), QColor(71, 84, 103), QColor(242, 244, 247)}));
    QCOMPARE(evidencePill(none, true).label, QStringLiteral("CHƯA CÓ BẰNG CHỨNG"));
    QCOMPARE(evidencePill(AppLicenseEvidenceState::explicitUnlicensed, false).fill, QColor(254, 226, 226));
    QCOMPARE(evidencePill(AppLicenseEvidenceState::acquisitionReceipt, false).text, QColor(7, 89, 133));

    QList<double> widths = applicationColumnWidths(511);
    QCOMPARE(widths.size(), 7);
    QCOMPARE(std::accumulate(widths.begin(), widths.end(), 0.0), 511.0);
}

void MacReportPDFTest::fittedRect_data()
{
    QTest::addColumn<QSizeF>("image");
    QTest::addColumn<QRectF>("box");
    QTest::addColumn<QRectF>("fitted");
    QTest::newRow("wide into small box") << QSizeF(300, 100) << QRectF(0, 0, 30, 24) << QRectF(0, 7, 30, 10);
    QTest::newRow("small enlarged") << QSizeF(16, 16) << QRectF(44, 11, 27, 27) << QRectF(44, 11, 27, 27);
    QTest::newRow("workspace logo") << QSizeF(200, 100) << QRectF(523, 12, 30, 24) << QRectF(523, 16.5, 30, 15);
    QTest::newRow("empty image") << QSizeF(0, 0) << QRectF(0, 0, 10, 10) << QRectF(5, 5, 0, 0);
}

void MacReportPDFTest::fittedRect()
{
    QFETCH(QSizeF, image);
    QFETCH(QRectF, box);
    QFETCH(QRectF, fitted);
    QCOMPARE(MacReportPDF::fittedRect(image, box), fitted);
}

void MacReportPDFTest::writeEndToEnd_data()
{
    QTest::addColumn<QString>("reportFile");
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QStringList>("absent");
    QTest::addColumn<QString>("workspaceName");
    QTest::newRow("English, branded") << "report-en.txt"
                                      << QStringList{"INSPECTOR", "Software & application packages", "NO LOCAL EVIDENCE",
                                                     "System checks", "카카오톡", "Nguyen", "Field Crew", "Team R3T",
                                                     "new office Mac", "confidence=indicative", "(23F79)",
                                                     "MAC MODEL • Mac15,3", "DIGITAL SIGNATURE - APP", "ビューア",
                                                     "有道翻译", "Kế toán Việt Pro"}
                                      << QStringList{"NGƯỜI KIỂM TRA", "Additional installed software"}
                                      << " Field Crew ";
    QTest::newRow("Vietnamese, no branding")
        << "report-vi.txt"
        << QStringList{"NGƯỜI KIỂM TRA", "Phần mềm và gói ứng dụng", "CHƯA CÓ BẰNG CHỨNG", "Kiểm tra hệ thống",
                       "Nguyễn Thị Thu", "Giới hạn phát hiện key", "được loại bỏ."}
        << QStringList{"INSPECTOR", "Phần mềm cài thêm", "Field Crew"} << "";
}

void MacReportPDFTest::writeEndToEnd()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed");
    QFETCH(QString, reportFile);
    QFETCH(QStringList, present);
    QFETCH(QStringList, absent);
    QFETCH(QString, workspaceName);
    QTemporaryDir folder;
    QTemporaryDir cacheFolder;
    if (!workspaceName.isEmpty()) {
        QVERIFY(ReportFixtures::writeWorkspaceCache(
            cacheFolder.path(), workspaceName,
            QStringLiteral("data:image/png;base64,")
                + QString::fromLatin1(ReportFixtures::pngImage(QSize(40, 20), Qt::darkGreen).toBase64())));
    }
    qputenv("TAVRIN_MAC_CACHE_DIR", QFile::encodeName(cacheFolder.path()));
    const auto restoreCache = qScopeGuard([] { qunsetenv("TAVRIN_MAC_CACHE_DIR"); });
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    const bool vietnamese = reportFile.contains(QLatin1String("vi"));
    const auto error = write(ReportFixtures::textReport(reportFile), ReportFixtures::sampleApplications(),
                             ReportFixtures::sampleProfile(vietnamese), path);
    QVERIFY(!error);
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});

    const QString info = run(QStringLiteral("pdfinfo"), {path});
    QVERIFY2(info.contains(QLatin1String("595 x 842 pts (A4)")), qPrintable(info));
    const QRegularExpressionMatch pagesMatch = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    QVERIFY(pagesMatch.hasMatch());
    const int pages = pagesMatch.captured(1).toInt();
    QVERIFY(pages >= 3);

    const QString text = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    QCOMPARE(text.count(QStringLiteral("Generated by Tavrin Devivu Kit")), pages);
    QCOMPARE(text.count(QStringLiteral("TAVRIN DEVIVU KIT")), pages);
    // The text tool may drop the blanks around the slash.
    for (int page = 1; page <= pages; ++page)
        QVERIFY2(text.contains(pageFooter(page, pages)), qPrintable(QString::number(page)));
    for (const QString& word : present)
        QVERIFY2(text.contains(word), qPrintable(word));
    for (const QString& word : absent)
        QVERIFY2(!text.contains(word), qPrintable(word));
    // One character per glyph: no ligature ("ﬁ", "ﬃ") stands for its letters.
    const QRegularExpression ligature(QStringLiteral("[\\x{FB00}-\\x{FB06}]"));
    QVERIFY2(!text.contains(ligature), qPrintable(ligature.match(text).captured()));
    // Qt's PDF writer names each glyph by the first code point the font maps
    // to it, and Noto CJK draws 一 (U+4E00) and the radical ⼀ (U+2F00) alike.
    for (const char* name : {"一太郎ビューア", "网易有道翻译"}) {
        QEXPECT_FAIL("", "Ideographs that double as Kangxi radicals are read back as the radicals", Continue);
        QVERIFY(text.contains(QString::fromUtf8(name)));
    }

    // No document information but what Qt writes itself (Producer, CreationDate).
    QVERIFY2(QRegularExpression(QStringLiteral("(^|\\n)Title: *\\n")).match(info).hasMatch(), qPrintable(info));
    QVERIFY2(QRegularExpression(QStringLiteral("(^|\\n)Creator: *\\n")).match(info).hasMatch(), qPrintable(info));
    QVERIFY(!info.contains(QLatin1String("Author:")));
}

void MacReportPDFTest::writeOversizedTexts()
{
    if (!havePoppler() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdftoppm) is not installed");
    // Notes of 70 lines and one recommendation longer than a page.
    QStringList words;
    for (int i = 1; i <= 1200; ++i)
        words << QStringLiteral("w%1").arg(i, 4, 10, QLatin1Char('0'));
    const QString report = QStringLiteral("Recommendations:\n- ") + words.join(QLatin1Char(' '))
        + QStringLiteral("\n- Last recommendation.\n");
    MacReportProfile profile = ReportFixtures::sampleProfile(false);
    profile.notes = numberedLines(70);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    QVERIFY(!write(report, ReportFixtures::sampleApplications().mid(0, 3), profile, path));

    // Every line is in the text layer, in order.
    const QString text = run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    qsizetype at = 0;
    for (const QString& expected : numberedLines(70).split(QLatin1Char('\n')) + words
                                       + QStringList{QStringLiteral("Last recommendation.")}) {
        at = text.indexOf(expected, at);
        QVERIFY2(at >= 0, qPrintable(expected));
    }

    // Nothing is drawn between the end of the block area (y = 804) and the
    // footer's rule (y = 812) on any page: at 72 dpi a pixel is a point.
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QStringLiteral("72"), QStringLiteral("-png"), path,
                                     folder.filePath(QStringLiteral("page"))});
    const QStringList images = QDir(folder.path()).entryList({QStringLiteral("page*.png")}, QDir::Files, QDir::Name);
    QVERIFY(images.size() >= 3);
    for (const QString& name : images) {
        const QImage page(folder.filePath(name));
        QCOMPARE(page.size(), QSize(595, 842));
        for (int y = 805; y <= 810; ++y) {
            for (int x = 42; x < 553; ++x)
                QVERIFY2(near(page.pixelColor(x, y), Qt::white), qPrintable(name + QStringLiteral(" %1,%2").arg(x).arg(y)));
        }
    }
}

void MacReportPDFTest::writeReplacesWithPrivateFile()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdfinfo, pdftotext) is not installed");
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("report.pdf"));
    {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old report");
    }
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    QCOMPARE(modeOf(path), mode_t(0644));

    QVERIFY(!write(QString(), {}, MacReportProfile{}, path));
    QCOMPARE(modeOf(path), mode_t(0600));
    const QString text = run(QStringLiteral("pdftotext"), {path, QStringLiteral("-")});
    QVERIFY(text.contains(QLatin1String("No additional software detected.")));
    QVERIFY(text.contains(pageFooter(1, 1)));
    QCOMPARE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"report.pdf"});
}

void MacReportPDFTest::writeFailures_data()
{
    QTest::addColumn<QString>("relativePath");
    QTest::newRow("missing folder") << "missing/report.pdf";
    QTest::newRow("below a regular file") << "file/report.pdf";
    QTest::newRow("destination is a folder") << "folder";
    QTest::newRow("empty path") << "";
}

void MacReportPDFTest::writeFailures()
{
    QFETCH(QString, relativePath);
    QTemporaryDir folder;
    QFile regular(folder.filePath(QStringLiteral("file")));
    QVERIFY(regular.open(QIODevice::WriteOnly));
    regular.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("folder")));

    const QString path = relativePath.isEmpty() ? QString() : folder.filePath(relativePath);
    const auto error = write(QString(), {}, MacReportProfile{}, path);
    QVERIFY(error);
    QCOMPARE(error->kind, ExportError::Kind::cannotCreateDocument);
    QCOMPARE(error->description(), QStringLiteral("Không thể tạo tài liệu PDF."));
    // Nothing is left behind.
    QCOMPARE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             (QStringList{"file", "folder"}));
    QVERIFY(QFileInfo(folder.filePath(QStringLiteral("folder"))).isDir());
}

QTEST_MAIN(MacReportPDFTest)
#include "tst_macreportpdf.moc"
