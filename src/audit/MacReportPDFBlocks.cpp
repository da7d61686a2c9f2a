// From the text report, the applications and the inspector profile to the
// ordered list of layout blocks, and the height of each block.

#include "audit/MacReportPDF.h"

#include "model/EnumText.h"

#include <QLocale>
#include <QRegularExpression>

#include <cmath>

namespace MacReportPDF {

namespace {

const QString emDash = QStringLiteral("—");

const QColor blue(37, 99, 235);
const QColor violet(124, 58, 237);
const QColor teal(15, 159, 143);
const QColor orange(249, 115, 22);
const QColor green(22, 163, 74);
const QColor sky(2, 132, 199);

QString pick(bool vietnamese, const char* english, const char* vietnameseText)
{
    return QString::fromUtf8(vietnamese ? vietnameseText : english);
}

QString trimmedOrDash(const QString& text)
{
    const QString trimmed = text.trimmed();
    return trimmed.isEmpty() ? emDash : trimmed;
}

QStringList reportLines(const QString& text)
{
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|[\n\r\v\f\u0085\u2028\u2029]"));
    return text.split(lineBreak);
}

// A heading group: the headings in every language, English first and
// Vietnamese second; the software group's lines are not collected.
struct HeadingGroup {
    QStringList headings;
    bool collected;
};

const QList<HeadingGroup>& headingGroups()
{
    static const QList<HeadingGroup> groups{
        {{"System checks:", "Kiểm tra hệ thống:", "시스템 검사:", "システムチェック:", "系统检查:"}, true},
        {{"Tavrin catalog status:", "Trạng thái ứng dụng Tavrin:", "Tavrin 카탈로그 상태:", "Tavrinカタログの状態:",
          "Tavrin 目录状态:"},
         true},
        {{"Recommendations:", "Khuyến nghị:", "권장 사항:", "推奨事項:", "建议:"}, true},
        {{"Key detection limits:", "Giới hạn phát hiện key:", "키 감지 한계:", "キー検出の制限:", "密钥检测限制:",
          "License evidence limits:", "Giới hạn bằng chứng bản quyền:", "라이선스 증거 한계:",
          "ライセンス証跡の制限:", "许可证证据限制:"},
         true},
        {{"Additional installed software:", "Phần mềm cài thêm:", "추가 설치 소프트웨어:",
          "追加インストール済みソフトウェア:", "额外安装的软件:"},
         false},
    };
    return groups;
}

const HeadingGroup* headingGroupOf(const QString& line)
{
    if (!line.endsWith(QLatin1Char(':')))
        return nullptr;
    for (const HeadingGroup& group : headingGroups()) {
        if (group.headings.contains(line))
            return &group;
    }
    return nullptr;
}

QString formattedTimestamp(const QDateTime& time, bool vietnamese)
{
    if (vietnamese)
        return QLocale(QLocale::Vietnamese, QLocale::Vietnam).toString(time, QStringLiteral("HH:mm d 'thg' M, yyyy"));
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(time, QStringLiteral("MMM d, yyyy 'at' h:mm AP"));
}

QList<CardItem> hardwareItems(const QString& reportText, bool vietnamese)
{
    const QString model = reportValue(QStringLiteral("Hardware model"), reportText);
    const QString identifier = reportValue(QStringLiteral("Model identifier"), reportText);
    const QString chip = reportValue(QStringLiteral("Chip"), reportText);
    const QString memory = reportValue(QStringLiteral("Memory"), reportText);
    const QString system = reportValue(QStringLiteral("macOS version"), reportText);

    QString modelLabel = pick(vietnamese, "MAC MODEL", "MODEL MÁY");
    if (identifier != emDash)
        modelLabel += QStringLiteral(" • ") + identifier;
    return {
        {modelLabel, model != emDash ? model : identifier, blue},
        {QStringLiteral("CHIP"), chip, violet},
        {pick(vietnamese, "MEMORY", "BỘ NHỚ"), memory, teal},
        {QStringLiteral("macOS"), system, orange},
    };
}

enum class EvidenceStrength { strong, noKey, notVerified };

EvidenceStrength strengthOf(AppLicenseEvidenceState state)
{
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
    case AppLicenseEvidenceState::receiptIntegrityVerified:
    case AppLicenseEvidenceState::acquisitionReceipt:
    case AppLicenseEvidenceState::licenseArtifact:
        return EvidenceStrength::strong;
    case AppLicenseEvidenceState::freeOrOpenSource:
    case AppLicenseEvidenceState::accountBased:
        return EvidenceStrength::noKey;
    default:
        return EvidenceStrength::notVerified;
    }
}

void appendApplicationBlocks(QList<Block>& blocks, const QList<InstalledMacApplication>& applications,
                             bool vietnamese)
{
    for (qsizetype i = 0; i < applications.size(); ++i)
        blocks.append(ApplicationRow{int(i + 1), applications[i], i % 2 == 1, vietnamese});
    blocks.append(Spacer{10});
    blocks.append(SectionTitle{pick(vietnamese, "Technical license evidence details",
                                    "Chi tiết bằng chứng bản quyền kỹ thuật"),
                               QString::number(applications.size())});
    for (qsizetype i = 0; i < applications.size(); ++i) {
        const InstalledMacApplication& application = applications[i];
        const AppLicenseEvidence evidence = evidenceOf(application);
        const bool alternate = i % 2 == 1;
        blocks.append(DetailRow{QString::number(i + 1) + QStringLiteral(". ") + application.name
                                    + QStringLiteral(" • state=") + EnumText::toString(evidence.state)
                                    + QStringLiteral(" • confidence=") + confidenceWord(evidence)
                                    + QStringLiteral(" • source=") + evidence.source + QStringLiteral(" • ")
                                    + evidence.detail,
                                alternate});
        for (const LicenseEvidenceSignal& signal : evidence.signals.value_or(QList<LicenseEvidenceSignal>{})) {
            blocks.append(DetailRow{QStringLiteral("↳ [") + EnumText::toString(signal.verification)
                                        + QStringLiteral("] ") + signal.source + QStringLiteral(" / ") + signal.kind
                                        + QStringLiteral(": ") + signal.detail,
                                    alternate});
        }
    }
}

// The measured text of a block: its lines are laid out at a width in the
// medium weight of a size; the block is as tall as the lines it shows,
// rounded up to a whole point, plus an extra, but at least a minimum.
struct MeasuredText {
    QString text;
    double width = 0;
    double size = 0;
    double extra = 0;
    double minimum = 0;
    LineRange lines = {};
};

std::optional<MeasuredText> measuredTextOf(const Block& block, double w)
{
    if (const auto* notes = std::get_if<Notes>(&block))
        return MeasuredText{notes->value, w - 28, 9.5, 36, 58, notes->lines};
    // Measured at the width its text is drawn at, inside the dot and the card's margins.
    if (const auto* row = std::get_if<DetailRow>(&block))
        return MeasuredText{row->text, w - 38, 8.7, 14, 29, row->lines};
    if (const auto* paragraph = std::get_if<Paragraph>(&block))
        return MeasuredText{paragraph->text, w, 9.2, 6, 20, paragraph->lines};
    return std::nullopt;
}

double measuredHeight(const MeasuredText& measured)
{
    const double textHeight = measureText(measured.text, measured.width, reportFont(measured.size, Weight::medium),
                                          measured.lines);
    return std::max(std::ceil(textHeight) + measured.extra, measured.minimum);
}

} // namespace

bool isVietnameseReport(const QString& reportText)
{
    for (const char* heading : {"Kiểm tra hệ thống:", "Phần mềm cài thêm:", "Khuyến nghị:"}) {
        if (reportText.contains(QString::fromUtf8(heading)))
            return true;
    }
    return false;
}

QString reportValue(const QString& label, const QString& reportText)
{
    const QString prefix = label + QLatin1Char(':');
    for (const QString& line : reportLines(reportText)) {
        if (!line.startsWith(prefix))
            continue;
        const QString value = line.mid(prefix.size()).trimmed();
        return value.isEmpty() ? emDash : value;
    }
    return emDash;
}

QList<ReportSection> parseSections(const QString& reportText, bool vietnamese)
{
    QList<ReportSection> sections;
    std::optional<QString> title;
    QStringList lines;
    const auto close = [&] {
        if (title && !lines.isEmpty())
            sections.append({*title, lines});
        lines.clear();
    };

    const QStringList allLines = reportLines(reportText);
    for (const QString& rawLine : allLines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty())
            continue;
        if (const HeadingGroup* group = headingGroupOf(line)) {
            close();
            if (!group->collected) {
                title.reset();
                continue;
            }
            const QString heading = vietnamese ? group->headings[1] : line;
            title = heading.chopped(1);
            continue;
        }
        if (title && line.startsWith(QLatin1String("- ")))
            lines.append(line.mid(2));
    }
    close();
    if (!sections.isEmpty())
        return sections;

    static const QRegularExpression rule(QStringLiteral("^=+$"));
    QStringList details;
    for (const QString& rawLine : allLines) {
        const QString line = rawLine.trimmed();
        if (line.isEmpty() || rule.match(line).hasMatch()
            || line.startsWith(QLatin1String("Tavrin Devivu Kit macOS Report")))
            continue;
        details.append(line.startsWith(QLatin1String("- ")) ? line.mid(2) : line);
    }
    if (!details.isEmpty())
        sections.append({pick(vietnamese, "Report details", "Chi tiết báo cáo"), details});
    return sections;
}

AppLicenseEvidence evidenceOf(const InstalledMacApplication& application)
{
    if (application.licenseEvidence)
        return *application.licenseEvidence;
    AppLicenseEvidence none;
    none.state = AppLicenseEvidenceState::noEvidence;
    none.source = QStringLiteral("none");
    none.detail = QStringLiteral("No operating-system license entitlement evidence was collected.");
    return none;
}

LicenseEvidenceConfidence effectiveConfidence(const AppLicenseEvidence& evidence)
{
    if (evidence.confidence)
        return *evidence.confidence;
    switch (evidence.state) {
    case AppLicenseEvidenceState::verifiedReceipt:
        return LicenseEvidenceConfidence::verified;
    case AppLicenseEvidenceState::receiptIntegrityVerified:
    case AppLicenseEvidenceState::acquisitionReceipt:
    case AppLicenseEvidenceState::licenseArtifact:
        return LicenseEvidenceConfidence::strong;
    case AppLicenseEvidenceState::accountBased:
    case AppLicenseEvidenceState::needsEntitlementReview:
        return LicenseEvidenceConfidence::indicative;
    case AppLicenseEvidenceState::freeOrOpenSource:
    case AppLicenseEvidenceState::installationEvidence:
        return LicenseEvidenceConfidence::informational;
    case AppLicenseEvidenceState::accessRestricted:
    case AppLicenseEvidenceState::noEvidence:
    case AppLicenseEvidenceState::explicitUnlicensed:
        break;
    }
    return LicenseEvidenceConfidence::none;
}

QString confidenceWord(const AppLicenseEvidence& evidence)
{
    return EnumText::toString(effectiveConfidence(evidence));
}

QList<Block> makeBlocks(const QString& reportText, const QList<InstalledMacApplication>& applications,
                        const MacReportProfile& profile, bool vietnamese, const QDateTime& generatedAt)
{
    QList<Block> blocks;
    blocks.append(Hero{trimmedOrDash(profile.subject),
                       pick(vietnamese,
                            "Technical key/receipt evidence; origin and permitted scope require review. Default "
                            "macOS apps are excluded.",
                            "Bằng chứng kỹ thuật key/receipt; nguồn gốc và phạm vi sử dụng cần được thẩm tra. App "
                            "mặc định macOS đã được loại bỏ.")});

    const QList<CardItem> hardware = hardwareItems(reportText, vietnamese);
    if (std::any_of(hardware.begin(), hardware.end(), [](const CardItem& item) { return item.value != emDash; }))
        blocks.append(Hardware{hardware});

    blocks.append(Metadata{{
        {pick(vietnamese, "INSPECTOR", "NGƯỜI KIỂM TRA"), trimmedOrDash(profile.inspectorName), blue},
        {pick(vietnamese, "TEAM / UNIT", "TEAM / ĐƠN VỊ"), trimmedOrDash(profile.team), teal},
        {pick(vietnamese, "RECIPIENT", "NƠI NHẬN / CẤP TRÊN"), trimmedOrDash(profile.recipient), orange},
        {pick(vietnamese, "GENERATED", "THỜI ĐIỂM XUẤT"), formattedTimestamp(generatedAt, vietnamese), violet},
    }});
    blocks.append(Notes{pick(vietnamese, "MANUAL NOTES & CONCLUSION", "GHI CHÚ NHẬP TAY & KẾT LUẬN"),
                        trimmedOrDash(profile.notes)});

    int strong = 0;
    int noKey = 0;
    int notVerified = 0;
    for (const InstalledMacApplication& application : applications) {
        switch (strengthOf(evidenceOf(application).state)) {
        case EvidenceStrength::strong:
            ++strong;
            break;
        case EvidenceStrength::noKey:
            ++noKey;
            break;
        case EvidenceStrength::notVerified:
            ++notVerified;
            break;
        }
    }
    blocks.append(Summary{{
        {pick(vietnamese, "INSTALLED APPS", "ỨNG DỤNG"), QString::number(applications.size()), blue},
        {pick(vietnamese, "STRONG EVIDENCE", "BẰNG CHỨNG MẠNH"), QString::number(strong), green},
        {pick(vietnamese, "NO KEY / ACCOUNT", "KHÔNG KEY / TÀI KHOẢN"), QString::number(noKey), sky},
        {pick(vietnamese, "NOT VERIFIED", "CHƯA XÁC MINH"), QString::number(notVerified), orange},
    }});

    blocks.append(SectionTitle{pick(vietnamese, "Software & application packages", "Phần mềm và gói ứng dụng"),
                               QString::number(applications.size())});
    if (vietnamese) {
        blocks.append(ApplicationHeader{{QStringLiteral("STT"), QStringLiteral("TÊN"), QStringLiteral("PHIÊN BẢN"),
                                         QStringLiteral("NGUỒN"), QStringLiteral("ĐƠN VỊ / DỰ ÁN"),
                                         QStringLiteral("CHỮ KÝ SỐ - CHỮ KÝ APP"), QStringLiteral("BẢN QUYỀN / KEY")}});
    } else {
        blocks.append(ApplicationHeader{{QStringLiteral("NO."), QStringLiteral("NAME"), QStringLiteral("VERSION"),
                                         QStringLiteral("SOURCE"), QStringLiteral("VENDOR / PROJECT"),
                                         QStringLiteral("DIGITAL SIGNATURE - APP SIGNATURE"),
                                         QStringLiteral("LICENSE / KEY")}});
    }

    if (applications.isEmpty())
        blocks.append(Paragraph{pick(vietnamese, "No additional software detected.", "Chưa phát hiện phần mềm cài thêm.")});
    else
        appendApplicationBlocks(blocks, applications, vietnamese);

    for (const ReportSection& section : parseSections(reportText, vietnamese)) {
        blocks.append(Spacer{8});
        blocks.append(SectionTitle{section.title, QString::number(section.lines.size())});
        for (qsizetype i = 0; i < section.lines.size(); ++i)
            blocks.append(DetailRow{section.lines[i], i % 2 == 1});
    }
    return blocks;
}

double blockHeight(const Block& block, double contentWidth)
{
    struct Visitor {
        const Block& block;
        double w;
        double measured() const { return measuredHeight(*measuredTextOf(block, w)); }
        double operator()(const Hero&) const { return 82; }
        double operator()(const Hardware&) const { return 61; }
        double operator()(const Metadata&) const { return 112; }
        double operator()(const Summary&) const { return 61; }
        double operator()(const SectionTitle&) const { return 38; }
        double operator()(const ApplicationHeader&) const { return 26; }
        double operator()(const ApplicationRow&) const { return 31; }
        double operator()(const Notes&) const { return measured(); }
        double operator()(const DetailRow&) const { return measured(); }
        double operator()(const Paragraph&) const { return measured(); }
        double operator()(const Spacer& spacer) const { return spacer.height; }
    };
    return std::visit(Visitor{block, contentWidth}, block);
}

int textLineCount(const Block& block, double contentWidth)
{
    const auto measured = measuredTextOf(block, contentWidth);
    return measured ? lineCount(measured->text, measured->width, reportFont(measured->size, Weight::medium)) : 0;
}

LineRange shownLines(const Block& block)
{
    return std::visit(
        [](const auto& typed) {
            if constexpr (requires { typed.lines; })
                return typed.lines;
            return LineRange{};
        },
        block);
}

Block withLines(const Block& block, LineRange lines)
{
    Block result = block;
    std::visit(
        [lines](auto& typed) {
            if constexpr (requires { typed.lines; })
                typed.lines = lines;
        },
        result);
    return result;
}

} // namespace MacReportPDF
