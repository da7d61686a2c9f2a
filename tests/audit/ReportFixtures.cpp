#include "ReportFixtures.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPainter>

namespace ReportFixtures {

namespace {

using State = AppLicenseEvidenceState;
using Verification = LicenseEvidenceVerification;

LicenseEvidenceSignal signal(const char* kind, const char* source, Verification verification, const char* detail)
{
    return {QString::fromUtf8(kind), QString::fromUtf8(source), verification, QString::fromUtf8(detail)};
}

InstalledMacApplication app(const char* name, const char* version, const char* identifier, const char* source,
                            const char* signature, const char* team, const char* developer)
{
    InstalledMacApplication application;
    application.name = QString::fromUtf8(name);
    application.version = QString::fromUtf8(version);
    application.identifier = QString::fromUtf8(identifier);
    application.source = QString::fromUtf8(source);
    application.signatureStatus = QString::fromUtf8(signature);
    application.teamIdentifier = QString::fromUtf8(team);
    application.signingIdentifier = QString::fromUtf8(identifier);
    if (developer)
        application.developerName = QString::fromUtf8(developer);
    return application;
}

InstalledMacApplication withEvidence(InstalledMacApplication application, State state, const char* source,
                                     const char* detail, std::optional<LicenseEvidenceConfidence> confidence = {},
                                     std::optional<QList<LicenseEvidenceSignal>> signals = {})
{
    application.licenseEvidence = AppLicenseEvidence{state, QString::fromUtf8(source), QString::fromUtf8(detail),
                                                     confidence, signals};
    return application;
}

} // namespace

QString textReport(const QString& fileName)
{
    QFile file(QStringLiteral(TAVRIN_FIXTURE_DIR "/") + fileName);
    if (!file.open(QIODevice::ReadOnly))
        qFatal("missing fixture %s", qPrintable(fileName));
    return QString::fromUtf8(file.readAll());
}

QList<InstalledMacApplication> sampleApplications()
{
    const char* const apps = "/Applications";
    return {
        withEvidence(app("Ledger Lite", "3.2", "vn.ledgerlite.mac", "Mac App Store", "valid", "Q7K2M4N8P1",
                         "Ledger Lite Co., Ltd"),
                     State::verifiedReceipt, "Mac App Store receipt",
                     "The App Store receipt is signed and matches the bundle.", LicenseEvidenceConfidence::verified,
                     QList{signal("app-store-receipt", "Contents/_MASReceipt/receipt", Verification::verified,
                                  "CMS signature, bundle identifier and version verified.")}),
        withEvidence(app("Planner Board", "2.8.1", "vn.plannerboard.mac", "Mac App Store", "valid", "R3T5V7X9Z2",
                         nullptr),
                     State::receiptIntegrityVerified, "Mac App Store receipt",
                     "Receipt structure and hash match; the signing chain could not be evaluated offline.", {},
                     QList{signal("app-store-receipt", "Contents/_MASReceipt/receipt",
                                  Verification::structurallyValid, "Receipt hash matches this device.")}),
        withEvidence(app("Sketchbook Studio", "5.0", "vn.sketchbook.studio", "Mac App Store", "valid", "—",
                         "Sketchbook Studio"),
                     State::acquisitionReceipt, "Mac App Store receipt", "A receipt file exists but was not verified."),
        withEvidence(app("Telegram Desktop", "5.3.1", "com.tdesktop.Telegram", apps, "valid", "6N38VWS5BX",
                         "Telegram FZ-LLC"),
                     State::accountBased, "vendor account", "Sign-in based messaging application.",
                     LicenseEvidenceConfidence::indicative,
                     QList{signal("account-sign-in", "preferences", Verification::detected,
                                  "Preference key names show a signed-in account.")}),
        withEvidence(app("VLC", "3.0.21", "org.videolan.vlc", apps, "valid", "75GAHG3SZQ", "VideoLAN"),
                     State::freeOrOpenSource, "Homebrew cask metadata", "Free and open-source media player (GPL-2.0)."),
        withEvidence(app("KeePassXC", "2.7.9", "org.keepassxc.keepassxc", apps, "valid", "G2S7P7J672",
                         "KeePassXC Team"),
                     State::freeOrOpenSource, "Homebrew cask metadata", "GPL-3.0 password manager.",
                     LicenseEvidenceConfidence::informational),
        withEvidence(app("Vector Draw Pro", "11.4", "vn.vectordraw.pro", apps, "valid", "K8L2M6N4P9",
                         "Vector Draw Software"),
                     State::licenseArtifact, "vendor licence file",
                     "A licence file with the expected fields is present; its values are not read.",
                     LicenseEvidenceConfidence::strong,
                     QList{signal("license-file", "~/Library/Application Support/Vector Draw/license.lic",
                                  Verification::structurallyValid, "Fields product, seats and expiry present."),
                           signal("preference-keys", "vn.vectordraw.pro.plist", Verification::detected,
                                  "Key names registrationName, serialStatus.")}),
        withEvidence(app("Archive Expander", "1.9", "vn.archive.expander", "installer receipt", "ad-hoc", "not set",
                         nullptr),
                     State::installationEvidence, "installer receipt",
                     "Installed by a package; the package says nothing about a licence.", {},
                     QList{signal("installer-receipt", "vn.archive.expander.pkg", Verification::notVerified,
                                  "Receipt vn.archive.expander.pkg matches the application name.")}),
        withEvidence(app("CAD Office 2024", "24.1.3", "vn.cadoffice.2024", apps, "valid", "C4D6F8H1J3",
                         "CAD Office Vietnam"),
                     State::needsEntitlementReview, "vendor support files",
                     "Support files of a commercial product exist but no licence record was found; check the "
                     "purchase records and the activation status in the vendor's portal before signing off this "
                     "device, because trial installations leave the same files behind.",
                     LicenseEvidenceConfidence::indicative,
                     QList{signal("support-files", "/Library/Application Support/CAD Office", Verification::detected,
                                  "Folder holds activation.dat and seats.xml (names only).")}),
        withEvidence(app("Secure Vault", "4.2", "vn.securevault.app", apps, "invalid", "S1V2L3T4K5", "Secure Vault"),
                     State::accessRestricted, "protected folder",
                     "The licence folder could not be read with the current user's permissions.", {},
                     QList{signal("license-store", "/Library/Application Support/SecureVault", Verification::inaccessible,
                                  "Permission denied.")}),
        withEvidence(app("Photo Toolkit", "7.1", "vn.phototoolkit.mac", apps, "unsigned", "—", nullptr),
                     State::explicitUnlicensed, "vendor preferences",
                     "The vendor's preferences record that no licence key is installed.",
                     LicenseEvidenceConfidence::none,
                     QList{signal("preference-keys", "vn.phototoolkit.mac.plist", Verification::failed,
                                  "Key licenseState present with the unlicensed marker.")}),
        app("Quick Notes", "1.0.4", "vn.quicknotes.app", apps, "valid", "N0T3S5A7B9", "Quick Notes"),
        withEvidence(app("wget", "1.24.5", "homebrew.formula.wget", "Homebrew formula", "not-applicable", "—",
                         "GNU Project"),
                     State::freeOrOpenSource, "Homebrew metadata", "Declared licence GPL-3.0-or-later."),
        withEvidence(app("ffmpeg", "7.1", "homebrew.formula.ffmpeg", "Homebrew formula", "not-applicable", "—",
                         "FFmpeg"),
                     State::freeOrOpenSource, "Homebrew metadata", "Declared licence GPL-2.0-or-later."),
        withEvidence(app("vn.printer.driverpack", "—", "vn.printer.driverpack", "installer receipt",
                         "not-applicable", "—", nullptr),
                     State::installationEvidence, "installer receipt", "Receipt-only package without an application."),
        withEvidence(app("카카오톡", "3.6.2", "com.kakao.KakaoTalkMac", apps, "valid", "KK4K40T4LK", "Kakao Corp."),
                     State::accountBased, "vendor account", "Account-based messenger."),
        withEvidence(app("一太郎ビューア", "2024", "jp.ichitaro.viewer", apps, "valid", "JP1T4R0V13", "ジャストシステム"),
                     State::noEvidence, "none", "No licence artifacts were found for this application."),
        withEvidence(app("网易有道翻译", "10.1.2", "com.youdao.translate", apps, "Valid", "YD0T12AN5L", "网易有道"),
                     State::accountBased, "vendor account", "Account-based translation tool."),
        withEvidence(app("Kế toán Việt Pro", "2025.1", "vn.ketoanviet.pro", apps, "valid", "V1E2T3K4T5",
                         "Công ty Phần mềm Kế toán Việt"),
                     State::licenseArtifact, "vendor licence file",
                     "Tệp giấy phép có đủ trường; giá trị không được đọc.", LicenseEvidenceConfidence::strong),
        withEvidence(app("Enterprise Document Management and Workflow Automation Suite", "12.0.0.4567",
                         "vn.enterprise.documents.workflow.suite", apps, "valid", "E1N2T3R4P5",
                         "Enterprise Document Management Solutions International Holdings"),
                     State::needsEntitlementReview, "vendor support files", "Commercial suite; check the seat count."),
        withEvidence(app("Slack", "4.41.105", "com.tinyspeck.slackmacgap", apps, "valid", "BQR82RBBHL",
                         "Slack Technologies, Inc."),
                     State::accountBased, "vendor account", "Sign-in based workspace application."),
        withEvidence(app("Inkscape", "1.4", "org.inkscape.Inkscape", apps, "valid", "SW3D6BB6A6", "Inkscape Project"),
                     State::freeOrOpenSource, "Homebrew cask metadata", "GPL-3.0 vector editor."),
        withEvidence(app("GIMP", "2.10.38", "org.gimp.gimp-2.10", apps, "valid", "T25BQ8HSJF", "GIMP Team"),
                     State::freeOrOpenSource, "Homebrew cask metadata", "GPL-3.0 image editor."),
        withEvidence(app("Thunderbird", "128.5.0", "org.mozilla.thunderbird", apps, "valid", "43AQ936H96",
                         "Mozilla Corporation"),
                     State::freeOrOpenSource, "Homebrew cask metadata", "MPL-2.0 mail client."),
        withEvidence(app("Local Build Tool", "0.3", "local.build.tool", "user Applications", "ad-hoc", "—", nullptr),
                     State::noEvidence, "none", "Built on this Mac; nothing to check.",
                     LicenseEvidenceConfidence::none),
        withEvidence(app("Legacy Scanner", "2.0", "vn.legacy.scanner", apps, "", "—", nullptr),
                     State::accessRestricted, "protected folder", "Could not read the scanner's licence store."),
        withEvidence(app("Broken Signature App", "1.1", "vn.broken.signature", apps, "invalid", "B1R2K3N4S5",
                         "Broken Co."),
                     State::explicitUnlicensed, "vendor preferences", "Unlicensed marker present."),
        app("Skim", "1.7.5", "net.sourceforge.skim-app.skim", apps, "valid", "J3CP9BBBN6", "Christiaan Hofman"),
        withEvidence(app("PDFsam Basic", "5.2.9", "org.pdfsam.basic", apps, "weird-status", "—", "Sober Lemur S.r.l."),
                     State::freeOrOpenSource, "Homebrew cask metadata", "AGPL-3.0 PDF tool."),
        withEvidence(app("Screen Recorder Plus", "3.3", "vn.screenrecorder.plus", "Mac App Store", "valid",
                         "S9C8R7E6N5", "Screen Recorder Plus"),
                     State::acquisitionReceipt, "Mac App Store receipt", "Receipt present, not verified.",
                     LicenseEvidenceConfidence::strong),
    };
}

QList<InstalledMacApplication> manyApplications(int count)
{
    const QList<InstalledMacApplication> base = sampleApplications();
    QList<InstalledMacApplication> result;
    result.reserve(count);
    for (int i = 0; i < count; ++i) {
        InstalledMacApplication application = base[i % base.size()];
        application.name += QStringLiteral(" #") + QString::number(i + 1);
        result.append(application);
    }
    return result;
}

MacReportProfile sampleProfile(bool vietnamese)
{
    MacReportProfile profile;
    if (vietnamese) {
        profile.inspectorName = QStringLiteral("Nguyễn Thị Thu");
        profile.team = QStringLiteral("Phòng CNTT – Chi nhánh Đà Nẵng");
        profile.recipient = QStringLiteral("Ban Giám đốc");
        profile.subject = QStringLiteral("Báo cáo kiểm kê phần mềm macOS");
        profile.notes = QStringLiteral("Máy đạt yêu cầu sử dụng văn phòng.\n"
                                       "Cần xác minh giấy phép CAD Office 2024 với bộ phận mua sắm trước ngày 30/6.");
    } else {
        profile.inspectorName = QStringLiteral("Thu Nguyen");
        profile.team = QStringLiteral("IT Operations – Da Nang branch");
        profile.recipient = QStringLiteral("Board of Directors");
        profile.notes = QStringLiteral("The Mac is ready for office use.\n"
                                       "Confirm the CAD Office 2024 licence with purchasing before 30 June.");
    }
    return profile;
}

QByteArray pngImage(QSize size, const QColor& color)
{
    QImage image(size, QImage::Format_ARGB32);
    image.fill(color);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::white);
    painter.setPen(Qt::NoPen);
    const int d = std::min(size.width(), size.height()) / 2;
    painter.drawEllipse(QRect(0, 0, d, d).translated(size.width() / 2 - d / 2, size.height() / 2 - d / 2));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

bool writeWorkspaceCache(const QString& folder, const QString& displayName, const QString& logoDataURL)
{
    QJsonObject workspace{{QStringLiteral("display_name"), displayName}};
    workspace.insert(QStringLiteral("logo_data_url"), logoDataURL.isEmpty() ? QJsonValue() : QJsonValue(logoDataURL));
    const QJsonObject root{{QStringLiteral("workspace"), workspace}, {QStringLiteral("profiles"), QJsonArray()}};
    QDir().mkpath(folder);
    QFile file(QDir(folder).filePath(QStringLiteral("technician-workspace.json")));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate)
        && file.write(QJsonDocument(root).toJson()) > 0;
}

} // namespace ReportFixtures
