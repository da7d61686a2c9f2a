#include "engine/SystemReport.h"

#include "audit/MacReportPDF.h"
#include "audit/ResolvedDeveloperName.h"
#include "i18n/AppStrings.h"
#include "platform/TextLines.h"

#include <array>

namespace {

// The texts that change with the report's language, in the order of
// AppLanguage: english, vietnamese, korean, japanese, chinese.
using ByLanguage = std::array<const char*, 5>;

struct LanguageTexts {
    ByLanguage time;
    ByLanguage checksHeading;
    ByLanguage softwareHeading;
    ByLanguage noneDetected;
    ByLanguage catalogHeading;
    ByLanguage recommendationsHeading;
    ByLanguage limitsHeading;
    ByLanguage installed;
    ByLanguage notInstalled;
    ByLanguage unsupported;
    std::array<ByLanguage, 2> recommendations;
    std::array<ByLanguage, 3> limits;
};

const LanguageTexts& texts()
{
    static const LanguageTexts table{
        {"Time", "Thời gian", "시간", "時刻", "时间"},
        {"System checks:", "Kiểm tra hệ thống:", "시스템 검사:", "システムチェック:", "系统检查:"},
        {"Additional installed software:", "Phần mềm cài thêm:", "추가 설치 소프트웨어:",
         "追加インストール済みソフトウェア:", "额外安装的软件:"},
        {"- None detected.", "- Không phát hiện.", "- 감지되지 않음.", "- 検出なし。", "- 未检测到。"},
        {"Tavrin catalog status:", "Trạng thái ứng dụng Tavrin:", "Tavrin 카탈로그 상태:", "Tavrinカタログの状態:",
         "Tavrin 目录状态:"},
        {"Recommendations:", "Khuyến nghị:", "권장 사항:", "推奨事項:", "建议:"},
        {"Key detection limits:", "Giới hạn phát hiện key:", "키 감지 한계:", "キー検出の制限:", "密钥检测限制:"},
        {"Installed", "Đã cài", "설치됨", "インストール済み", "已安装"},
        {"Not installed", "Chưa cài", "설치되지 않음", "未インストール", "未安装"},
        {"Unsupported", "Không hỗ trợ", "지원되지 않음", "非対応", "不支持"},
        {{
            {"- Install Devivu Basic first on a new office Mac.",
             "- Cài nhóm Devivu Basic trước cho máy văn phòng mới.",
             "- 새 업무용 Mac에는 Devivu Basic을 먼저 설치하세요.",
             "- 新しい業務用MacではDevivu Basicを先にインストールしてください。",
             "- 新办公 Mac 请先安装 Devivu Basic。"},
            {"- Install ONLYDEVIVU before assigning Devivu file defaults.",
             "- Cài ONLYDEVIVU trước khi đặt mặc định file Devivu.",
             "- Devivu 파일 기본값을 지정하기 전에 ONLYDEVIVU를 설치하세요.",
             "- Devivuファイルの既定設定前にONLYDEVIVUをインストールしてください。",
             "- 设置 Devivu 文件默认应用前请安装 ONLYDEVIVU。"},
        }},
        {{
            {"- Default macOS operating-system applications and system receipts are excluded.",
             "- Ứng dụng mặc định của hệ điều hành macOS và system receipt được loại khỏi báo cáo.",
             "- macOS 기본 운영 체제 앱과 시스템 영수증은 제외됩니다.",
             "- macOS標準のOSアプリとシステムレシートは除外されます。",
             "- 已排除 macOS 默认系统应用和系统收据。"},
            {"- A valid digital signature only verifies the app file or publisher; it does not mean a key or "
             "activation receipt was detected.",
             "- Chữ ký số hợp lệ chỉ xác minh file app hoặc nhà phát hành; không có nghĩa là đã phát hiện key hoặc "
             "receipt kích hoạt.",
             "- 유효한 앱 서명은 키 또는 활성화 영수증이 감지되었다는 의미가 아닙니다.",
             "- アプリ署名が有効でも、キーやアクティベーションレシートが検出されたとは限りません。",
             "- 应用签名有效并不表示已检测到密钥或激活收据。"},
            {"- This report separates verified receipts, structured vendor artifacts, account-based software, "
             "installation provenance, access restrictions, and no local evidence. Origin, ownership, current "
             "subscription status, and permitted scope require human review.",
             "- Báo cáo tách riêng receipt đã xác minh, artifact hãng có cấu trúc, phần mềm dùng tài khoản, nguồn "
             "cài đặt, vị trí không đủ quyền và trường hợp chưa thấy bằng chứng local. Nguồn gốc, chủ thể sở hữu, "
             "trạng thái thuê bao hiện tại và phạm vi sử dụng vẫn cần người phụ trách thẩm tra.",
             "- 이 보고서는 키 또는 영수증 감지, 미감지, 키 불필요 상태의 로컬 기술 증거만 표시합니다. 출처, 소유권 및 "
             "허용된 사용 범위는 담당자가 확인해야 합니다.",
             "- このレポートは、キー／レシートの検出、未検出、キー不要というローカルの技術的証拠のみを示します。出所、所有者、"
             "許可された利用範囲は担当者による確認が必要です。",
             "- 本报告仅显示本地技术证据：检测到密钥/收据、未检测到或无需密钥。来源、所有权及允许的使用范围需由负责人核实。"},
        }},
    };
    return table;
}

QString in(AppLanguage language, const ByLanguage& text)
{
    return QString::fromUtf8(text[static_cast<size_t>(AppLanguage::Value(language))]);
}

QString field(const char* key, const QString& value)
{
    return QStringLiteral(" • ") + QLatin1String(key) + QLatin1Char('=') + SystemReport::singleLine(value);
}

QString signalLine(const LicenseEvidenceSignal& signal)
{
    using SystemReport::singleLine;
    return QStringLiteral("  ↳ evidence[") + singleLine(signal.kind) + QStringLiteral("] source=")
        + singleLine(signal.source) + QStringLiteral(" verification=") + EnumText::toString(signal.verification)
        + QStringLiteral(" • ") + singleLine(signal.detail);
}

QString catalogLabel(InstallStatus status, AppLanguage language)
{
    switch (status) {
    case InstallStatus::installed:
        return in(language, texts().installed);
    case InstallStatus::blocked:
        return in(language, texts().unsupported);
    default:
        return in(language, texts().notInstalled);
    }
}

} // namespace

namespace SystemReport {

QString singleLine(const QString& value)
{
    QString result;
    result.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value.at(i);
        if (!TextLines::isLineBreak(c)) {
            result.append(c);
            continue;
        }
        result.append(QLatin1Char(' '));
        if (c == QLatin1Char('\r') && i + 1 < value.size() && value.at(i + 1) == QLatin1Char('\n'))
            ++i;
    }
    return result;
}

QString keyStatus(AppLicenseEvidenceState state)
{
    switch (state) {
    case AppLicenseEvidenceState::verifiedReceipt:
    case AppLicenseEvidenceState::receiptIntegrityVerified:
    case AppLicenseEvidenceState::acquisitionReceipt:
    case AppLicenseEvidenceState::licenseArtifact:
        return QStringLiteral("detected");
    case AppLicenseEvidenceState::accountBased:
    case AppLicenseEvidenceState::freeOrOpenSource:
        return QStringLiteral("not-required");
    case AppLicenseEvidenceState::installationEvidence:
    case AppLicenseEvidenceState::needsEntitlementReview:
    case AppLicenseEvidenceState::accessRestricted:
        return QStringLiteral("manual-check");
    case AppLicenseEvidenceState::noEvidence:
        return QStringLiteral("not-detected");
    case AppLicenseEvidenceState::explicitUnlicensed:
        break;
    }
    return QStringLiteral("absent");
}

QString applicationLine(const InstalledMacApplication& application)
{
    const AppLicenseEvidence evidence = MacReportPDF::evidenceOf(application);
    return QStringLiteral("- ") + singleLine(application.name) + QStringLiteral(": ") + singleLine(application.version)
        + QStringLiteral(" [") + singleLine(application.identifier) + QStringLiteral("] (")
        + singleLine(application.source) + QLatin1Char(')') + field("signature", application.signatureStatus)
        + field("developer", resolvedDeveloperName(application)) + field("team", application.teamIdentifier)
        + field("signing-id", application.signingIdentifier) + field("key-status", keyStatus(evidence.state))
        + field("license-evidence", EnumText::toString(evidence.state)) + field("license-source", evidence.source)
        + field("confidence", MacReportPDF::confidenceWord(evidence)) + field("license-detail", evidence.detail);
}

QStringList lines(const Header& header, const QList<SystemCheck>& checks,
                  const QList<InstalledMacApplication>& applications, const QList<CatalogEntry>& catalog,
                  AppLanguage language)
{
    const LanguageTexts& t = texts();
    const AppStrings strings(language);
    const auto labelled = [](const char* label, const QString& value) {
        return QLatin1String(label) + QStringLiteral(": ") + singleLine(value);
    };

    QStringList out{
        QStringLiteral("Tavrin Devivu Kit macOS Report"),
        QString(26, QLatin1Char('=')),
        in(language, t.time) + QStringLiteral(": ") + header.time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
        labelled("Hostname", header.hostName.value_or(QStringLiteral("unknown"))),
        labelled("Hardware model", header.modelName),
        labelled("Model identifier", header.modelIdentifier),
        labelled("Chip", header.chip),
        labelled("Memory", header.memory),
        labelled("macOS version", header.macOSVersion),
        labelled("Architecture", header.architecture),
        labelled("Homebrew", header.brewPath.value_or(QStringLiteral("not found"))),
        labelled("Log file", header.logFile),
        QString(),
        in(language, t.checksHeading),
    };
    for (const SystemCheck& check : checks)
        out.append(QStringLiteral("- ") + singleLine(strings.systemCheckName(check)) + QStringLiteral(": ")
                   + SystemCheck::levelLabel(check.level) + QStringLiteral(" - ")
                   + singleLine(strings.systemCheckDetail(check)));

    out << QString() << in(language, t.softwareHeading);
    if (applications.isEmpty())
        out.append(in(language, t.noneDetected));
    for (const InstalledMacApplication& application : applications) {
        out.append(applicationLine(application));
        if (application.licenseEvidence && application.licenseEvidence->signals) {
            for (const LicenseEvidenceSignal& signal : *application.licenseEvidence->signals)
                out.append(signalLine(signal));
        }
    }

    out << QString() << in(language, t.catalogHeading);
    for (const auto& [item, status] : catalog)
        out.append(QStringLiteral("- ") + singleLine(item.macName) + QStringLiteral(" [") + singleLine(item.id)
                   + QStringLiteral("]: ") + catalogLabel(status, language));

    out << QString() << in(language, t.recommendationsHeading);
    for (const ByLanguage& line : t.recommendations)
        out.append(in(language, line));
    out << QString() << in(language, t.limitsHeading);
    for (const ByLanguage& line : t.limits)
        out.append(in(language, line));
    return out;
}

QString text(const Header& header, const QList<SystemCheck>& checks,
             const QList<InstalledMacApplication>& applications, const QList<CatalogEntry>& catalog,
             AppLanguage language)
{
    return lines(header, checks, applications, catalog, language).join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace SystemReport
