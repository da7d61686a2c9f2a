#include "audit/MacReportPDF.h"
#include "catalog/Catalog.h"
#include "engine/MacBackend.h"
#include "engine/SystemReport.h"
#include "model/SystemCheckTexts.h"
#include "platform/AppRuntime.h"
#include "support/FakeMac.h"
#include "support/PlistBytes.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <system_error>

#include <sys/stat.h>

namespace {

using Level = SystemCheck::Level;

SystemReport::Header sampleHeader()
{
    SystemReport::Header header;
    header.time = QDateTime(QDate(2025, 3, 14), QTime(9, 41, 7));
    header.hostName = QStringLiteral("Thu's MacBook Pro");
    header.modelName = QStringLiteral("MacBook Pro");
    header.modelIdentifier = QStringLiteral("Mac15,3");
    header.chip = QStringLiteral("Apple M3");
    header.memory = QStringLiteral("16 GB");
    header.macOSVersion = QStringLiteral("14.5.0");
    header.architecture = QStringLiteral("arm64");
    header.brewPath = QStringLiteral("/opt/homebrew/bin/brew");
    header.logFile = QStringLiteral("/Users/thu/Library/Logs/tavrin-office-kit.log");
    return header;
}

QList<SystemCheck> sampleChecks()
{
    return {
        SystemCheck::make(SystemCheckTexts::homebrewName, Level::ok, QStringLiteral("/opt/homebrew/bin/brew")),
        SystemCheck::make(SystemCheckTexts::freeSpaceName, Level::warn, SystemCheckTexts::freeSpaceDetail(4)),
        SystemCheck::make(QStringLiteral("Disk"), Level::fail, QStringLiteral("first\nsecond")),
    };
}

QList<InstalledMacApplication> sampleApplications()
{
    AppLicenseEvidence receipt;
    receipt.state = AppLicenseEvidenceState::verifiedReceipt;
    receipt.source = QStringLiteral("mac-app-store-receipt");
    receipt.detail = QStringLiteral("The receipt is signed and matches the bundle.");
    receipt.confidence = LicenseEvidenceConfidence::strong; // differs from the state's default
    receipt.signals = QList<LicenseEvidenceSignal>{
        {QStringLiteral("app-store-receipt"), QStringLiteral("Contents/_MASReceipt/receipt"),
         LicenseEvidenceVerification::verified, QStringLiteral("CMS signature verified.")},
        {QStringLiteral("installation-provenance"), QStringLiteral("pkgutil"),
         LicenseEvidenceVerification::structurallyValid, QStringLiteral("Receipt vn.ledgerlite.pkg.")},
    };
    return {
        {QStringLiteral("Ledger Lite"), QStringLiteral("3.2"), QStringLiteral("vn.ledgerlite.mac"),
         QStringLiteral("Mac App Store"), QStringLiteral("valid"), QStringLiteral("LEDG3R1234"),
         QStringLiteral("vn.ledgerlite.mac"), QStringLiteral("Ledger Lite Co., Ltd"), receipt},
        {QStringLiteral("Sketchpad"), QStringLiteral("unknown"), QStringLiteral("Sketchpad.app"),
         QStringLiteral("/Applications"), QStringLiteral("ad-hoc"), QStringLiteral("QWERTY1234"), QStringLiteral("—"),
         QStringLiteral("Team QWERTY1234"), std::nullopt},
    };
}

AppItem catalogItem(const char* id, const char* macName)
{
    AppItem item;
    item.id = QString::fromUtf8(id);
    item.macName = QString::fromUtf8(macName);
    return item;
}

QList<SystemReport::CatalogEntry> sampleCatalog()
{
    return {
        {catalogItem("libreoffice", "LibreDevivu + Vietnamese"), InstallStatus::installed},
        {catalogItem("gimp", "GIMP"), InstallStatus::failed},
        {catalogItem("skim", "Skim"), InstallStatus::missing},
        {catalogItem("deja-dup", "Backup tool"), InstallStatus::blocked},
    };
}

const QString ledgerLine = QStringLiteral(
    "- Ledger Lite: 3.2 [vn.ledgerlite.mac] (Mac App Store) • signature=valid • developer=Ledger Lite Co., Ltd"
    " • team=LEDG3R1234 • signing-id=vn.ledgerlite.mac • key-status=detected • license-evidence=verifiedReceipt"
    " • license-source=mac-app-store-receipt • confidence=strong"
    " • license-detail=The receipt is signed and matches the bundle.");
const QStringList ledgerSignals{
    QStringLiteral("  ↳ evidence[app-store-receipt] source=Contents/_MASReceipt/receipt verification=verified"
                   " • CMS signature verified."),
    QStringLiteral("  ↳ evidence[installation-provenance] source=pkgutil verification=structurallyValid"
                   " • Receipt vn.ledgerlite.pkg."),
};
const QString sketchpadLine = QStringLiteral(
    "- Sketchpad: unknown [Sketchpad.app] (/Applications) • signature=ad-hoc • developer=Team QWERTY1234"
    " • team=QWERTY1234 • signing-id=— • key-status=not-detected • license-evidence=noEvidence"
    " • license-source=none • confidence=none"
    " • license-detail=No operating-system license entitlement evidence was collected.");

QStringList headerLines(const QString& timeLabel)
{
    return {
        QStringLiteral("Tavrin Devivu Kit macOS Report"),
        QStringLiteral("=========================="),
        timeLabel + QStringLiteral(": 2025-03-14 09:41:07"),
        QStringLiteral("Hostname: Thu's MacBook Pro"),
        QStringLiteral("Hardware model: MacBook Pro"),
        QStringLiteral("Model identifier: Mac15,3"),
        QStringLiteral("Chip: Apple M3"),
        QStringLiteral("Memory: 16 GB"),
        QStringLiteral("macOS version: 14.5.0"),
        QStringLiteral("Architecture: arm64"),
        QStringLiteral("Homebrew: /opt/homebrew/bin/brew"),
        QStringLiteral("Log file: /Users/thu/Library/Logs/tavrin-office-kit.log"),
        QString(),
    };
}

mode_t modeOf(const QString& path)
{
    struct stat info {};
    if (::stat(QFile::encodeName(path).constData(), &info) != 0)
        return 0;
    return info.st_mode & 07777;
}

QString readText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class ReportTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void exactLines_data();
    void exactLines();
    void emptyListsAndMissingFacts();
    void keyStatusTable_data();
    void keyStatusTable();
    void insertedLineBreaksStayOnOneLine_data();
    void insertedLineBreaksStayOnOneLine();
    void pdfReadsTheReportBack_data();
    void pdfReadsTheReportBack();

    void initTestCase();
    void init();
    void cleanup();
    void reportLocation_data();
    void reportLocation();
    void existingFolderKeepsItsPermissions();
    void writtenReport_data();
    void writtenReport();
    void folderThatCannotBeCreated();
    void failedWriteKeepsEarlierReport();

private:
    std::unique_ptr<MacBackend> engine()
    {
        Host host = m_mac->host();
        host.setLocalizedHostName(QStringLiteral("Thu's MacBook Pro"));
        return std::make_unique<MacBackend>([this](const QString& line) { m_log.append(line); },
                                            MacBackend::ProgressSink(), MacBackend::Delivery::synchronous, host);
    }
    QString config() const { return m_folder->path() + QStringLiteral("/config"); }

    QTemporaryDir m_home;
    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<FakeMac> m_mac;
    QStringList m_log;
};

void ReportTest::exactLines_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("english") << AppLanguage(AppLanguage::english)
                             << headerLines(QStringLiteral("Time")) + QStringList{
                                    QStringLiteral("System checks:"),
                                    QStringLiteral("- Homebrew: OK - /opt/homebrew/bin/brew"),
                                    QStringLiteral("- Free disk space: WARN - 4GB free on /."),
                                    QStringLiteral("- Disk: FAIL - first second"),
                                    QString(),
                                    QStringLiteral("Additional installed software:"),
                                    ledgerLine,
                                    ledgerSignals[0],
                                    ledgerSignals[1],
                                    sketchpadLine,
                                    QString(),
                                    QStringLiteral("Tavrin catalog status:"),
                                    QStringLiteral("- LibreDevivu + Vietnamese [libreoffice]: Installed"),
                                    QStringLiteral("- GIMP [gimp]: Not installed"),
                                    QStringLiteral("- Skim [skim]: Not installed"),
                                    QStringLiteral("- Backup tool [deja-dup]: Unsupported"),
                                    QString(),
                                    QStringLiteral("Recommendations:"),
                                    QStringLiteral("- Install Devivu Basic first on a new office Mac."),
                                    QStringLiteral("- Install ONLYDEVIVU before assigning Devivu file defaults."),
                                    QString(),
                                    QStringLiteral("Key detection limits:"),
                                    QStringLiteral("- Default macOS operating-system applications and system "
                                                   "receipts are excluded."),
                                    QStringLiteral("- A valid digital signature only verifies the app file or "
                                                   "publisher; it does not mean a key or activation receipt was "
                                                   "detected."),
                                    QStringLiteral("- This report separates verified receipts, structured vendor "
                                                   "artifacts, account-based software, installation provenance, "
                                                   "access restrictions, and no local evidence. Origin, ownership, "
                                                   "current subscription status, and permitted scope require human "
                                                   "review."),
                                };
    QTest::newRow("vietnamese") << AppLanguage(AppLanguage::vietnamese)
                                << headerLines(QStringLiteral("Thời gian")) + QStringList{
                                       QStringLiteral("Kiểm tra hệ thống:"),
                                       QStringLiteral("- Homebrew: OK - /opt/homebrew/bin/brew"),
                                       QStringLiteral("- Dung lượng trống: WARN - 4GB trống trên /."),
                                       QStringLiteral("- Disk: FAIL - first second"),
                                       QString(),
                                       QStringLiteral("Phần mềm cài thêm:"),
                                       ledgerLine,
                                       ledgerSignals[0],
                                       ledgerSignals[1],
                                       sketchpadLine,
                                       QString(),
                                       QStringLiteral("Trạng thái ứng dụng Tavrin:"),
                                       QStringLiteral("- LibreDevivu + Vietnamese [libreoffice]: Đã cài"),
                                       QStringLiteral("- GIMP [gimp]: Chưa cài"),
                                       QStringLiteral("- Skim [skim]: Chưa cài"),
                                       QStringLiteral("- Backup tool [deja-dup]: Không hỗ trợ"),
                                       QString(),
                                       QStringLiteral("Khuyến nghị:"),
                                       QStringLiteral("- Cài nhóm Devivu Basic trước cho máy văn phòng mới."),
                                       QStringLiteral("- Cài ONLYDEVIVU trước khi đặt mặc định file Devivu."),
                                       QString(),
                                       QStringLiteral("Giới hạn phát hiện key:"),
                                       QStringLiteral("- Ứng dụng mặc định của hệ điều hành macOS và system receipt "
                                                      "được loại khỏi báo cáo."),
                                       QStringLiteral("- Chữ ký số hợp lệ chỉ xác minh file app hoặc nhà phát hành; "
                                                      "không có nghĩa là đã phát hiện key hoặc receipt kích hoạt."),
                                       QStringLiteral("- Báo cáo tách riêng receipt đã xác minh, artifact hãng có cấu "
                                                      "trúc, phần mềm dùng tài khoản, nguồn cài đặt, vị trí không đủ "
                                                      "quyền và trường hợp chưa thấy bằng chứng local. Nguồn gốc, chủ "
                                                      "thể sở hữu, trạng thái thuê bao hiện tại và phạm vi sử dụng "
                                                      "vẫn cần người phụ trách thẩm tra."),
                                   };
}

void ReportTest::exactLines()
{
    QFETCH(AppLanguage, language);
    QFETCH(QStringList, expected);
    const QString text = SystemReport::text(sampleHeader(), sampleChecks(), sampleApplications(), sampleCatalog(),
                                            language);
    QCOMPARE(text.split(QLatin1Char('\n')), expected + QStringList{QString()});
    QVERIFY(!text.endsWith(QLatin1String("\n\n")));
}

void ReportTest::emptyListsAndMissingFacts()
{
    SystemReport::Header header = sampleHeader();
    header.hostName.reset();
    header.brewPath.reset();
    header.modelName = header.modelIdentifier = header.chip = header.memory = QStringLiteral("—");
    const QStringList lines = SystemReport::lines(header, {}, {}, {}, AppLanguage::japanese);
    const QStringList expectedStart{
        QStringLiteral("Tavrin Devivu Kit macOS Report"),
        QStringLiteral("=========================="),
        QStringLiteral("時刻: 2025-03-14 09:41:07"),
        QStringLiteral("Hostname: unknown"),
        QStringLiteral("Hardware model: —"),
        QStringLiteral("Model identifier: —"),
        QStringLiteral("Chip: —"),
        QStringLiteral("Memory: —"),
        QStringLiteral("macOS version: 14.5.0"),
        QStringLiteral("Architecture: arm64"),
        QStringLiteral("Homebrew: not found"),
        QStringLiteral("Log file: /Users/thu/Library/Logs/tavrin-office-kit.log"),
        QString(),
        QStringLiteral("システムチェック:"),
        QString(),
        QStringLiteral("追加インストール済みソフトウェア:"),
        QStringLiteral("- 検出なし。"),
        QString(),
        QStringLiteral("Tavrinカタログの状態:"),
        QString(),
        QStringLiteral("推奨事項:"),
    };
    QCOMPARE(lines.mid(0, expectedStart.size()), expectedStart);
    QCOMPARE(lines.size(), expectedStart.size() + 2 + 1 + 1 + 3);
}

void ReportTest::keyStatusTable_data()
{
    QTest::addColumn<AppLicenseEvidenceState>("state");
    QTest::addColumn<QString>("keyStatus");
    QTest::addColumn<QString>("confidence");
    using S = AppLicenseEvidenceState;
    QTest::newRow("verifiedReceipt") << S::verifiedReceipt << "detected" << "verified";
    QTest::newRow("receiptIntegrityVerified") << S::receiptIntegrityVerified << "detected" << "strong";
    QTest::newRow("acquisitionReceipt") << S::acquisitionReceipt << "detected" << "strong";
    QTest::newRow("licenseArtifact") << S::licenseArtifact << "detected" << "strong";
    QTest::newRow("accountBased") << S::accountBased << "not-required" << "indicative";
    QTest::newRow("freeOrOpenSource") << S::freeOrOpenSource << "not-required" << "informational";
    QTest::newRow("installationEvidence") << S::installationEvidence << "manual-check" << "informational";
    QTest::newRow("needsEntitlementReview") << S::needsEntitlementReview << "manual-check" << "indicative";
    QTest::newRow("accessRestricted") << S::accessRestricted << "manual-check" << "none";
    QTest::newRow("noEvidence") << S::noEvidence << "not-detected" << "none";
    QTest::newRow("explicitUnlicensed") << S::explicitUnlicensed << "absent" << "none";
}

void ReportTest::keyStatusTable()
{
    QFETCH(AppLicenseEvidenceState, state);
    QFETCH(QString, keyStatus);
    QFETCH(QString, confidence);
    InstalledMacApplication application = sampleApplications().at(1);
    application.licenseEvidence = AppLicenseEvidence{state, QStringLiteral("s"), QStringLiteral("d"), {}, {}};
    const QString line = SystemReport::applicationLine(application);
    QVERIFY2(line.contains(QStringLiteral(" • key-status=") + keyStatus + QStringLiteral(" • ")), qPrintable(line));
    QVERIFY2(line.contains(QStringLiteral(" • confidence=") + confidence + QStringLiteral(" • ")), qPrintable(line));
    QVERIFY(line.contains(QStringLiteral(" • license-evidence=") + EnumText::toString(state) + QStringLiteral(" • ")));
}

void ReportTest::insertedLineBreaksStayOnOneLine_data()
{
    QTest::addColumn<QString>("breakText");
    QTest::newRow("LF") << QStringLiteral("\n");
    QTest::newRow("CR LF") << QStringLiteral("\r\n");
    QTest::newRow("CR") << QStringLiteral("\r");
    QTest::newRow("VT") << QStringLiteral("\v");
    QTest::newRow("FF") << QStringLiteral("\f");
    QTest::newRow("NEL") << QStringLiteral("\u0085");
    QTest::newRow("LS") << QStringLiteral("\u2028");
    QTest::newRow("PS") << QStringLiteral("\u2029");
}

void ReportTest::insertedLineBreaksStayOnOneLine()
{
    QFETCH(QString, breakText);
    // A vendor's Info.plist value that tries to open a section of its own.
    const QString evil = QStringLiteral("Evil") + breakText + QStringLiteral("System checks:") + breakText
        + QStringLiteral("- Forged: OK - yes");
    QList<InstalledMacApplication> applications = sampleApplications();
    applications[0].name = evil;
    applications[0].version = evil;
    applications[0].licenseEvidence->signals->first().detail = evil;
    SystemReport::Header header = sampleHeader();
    header.modelName = QStringLiteral("Mac") + breakText + QStringLiteral("Chip: forged");
    QList<SystemReport::CatalogEntry> catalog = sampleCatalog();
    catalog[0].first.macName = evil;

    const QString clean = SystemReport::text(sampleHeader(), sampleChecks(), sampleApplications(), sampleCatalog(),
                                             AppLanguage::english);
    const QString text = SystemReport::text(header, sampleChecks(), applications, catalog, AppLanguage::english);
    QCOMPARE(text.split(QLatin1Char('\n')).size(), clean.split(QLatin1Char('\n')).size());
    const QString flat = QStringLiteral("Evil System checks: - Forged: OK - yes");
    QVERIFY(text.contains(QStringLiteral("- ") + flat + QStringLiteral(": ") + flat + QStringLiteral(" [")));
    QVERIFY(text.contains(QStringLiteral("Hardware model: Mac Chip: forged\n")));
    // The PDF sees the same sections and values as in the clean report.
    QCOMPARE(MacReportPDF::parseSections(text, false).size(), MacReportPDF::parseSections(clean, false).size());
    QCOMPARE(MacReportPDF::parseSections(text, false).first(), MacReportPDF::parseSections(clean, false).first());
    QCOMPARE(MacReportPDF::reportValue(QStringLiteral("Chip"), text), QStringLiteral("Apple M3"));
}

void ReportTest::pdfReadsTheReportBack_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QStringList>("titles");
    QTest::newRow("english") << AppLanguage(AppLanguage::english)
                             << QStringList{"System checks", "Tavrin catalog status", "Recommendations",
                                            "Key detection limits"};
    QTest::newRow("vietnamese") << AppLanguage(AppLanguage::vietnamese)
                                << QStringList{"Kiểm tra hệ thống", "Trạng thái ứng dụng Tavrin", "Khuyến nghị",
                                               "Giới hạn phát hiện key"};
    QTest::newRow("korean") << AppLanguage(AppLanguage::korean)
                            << QStringList{"시스템 검사", "Tavrin 카탈로그 상태", "권장 사항", "키 감지 한계"};
    QTest::newRow("japanese") << AppLanguage(AppLanguage::japanese)
                              << QStringList{"システムチェック", "Tavrinカタログの状態", "推奨事項", "キー検出の制限"};
    QTest::newRow("chinese") << AppLanguage(AppLanguage::chinese)
                             << QStringList{"系统检查", "Tavrin 目录状态", "建议", "密钥检测限制"};
}

void ReportTest::pdfReadsTheReportBack()
{
    QFETCH(AppLanguage, language);
    QFETCH(QStringList, titles);
    const QString text =
        SystemReport::text(sampleHeader(), sampleChecks(), sampleApplications(), sampleCatalog(), language);
    const bool vietnamese = language == AppLanguage::vietnamese;
    QCOMPARE(MacReportPDF::isVietnameseReport(text), vietnamese);

    const QList<MacReportPDF::ReportSection> sections = MacReportPDF::parseSections(text, vietnamese);
    QStringList readTitles;
    for (const MacReportPDF::ReportSection& section : sections)
        readTitles.append(section.title);
    QCOMPARE(readTitles, titles);
    QCOMPARE(sections[0].lines.size(), 3);
    QCOMPARE(sections[0].lines[0], QStringLiteral("Homebrew: OK - /opt/homebrew/bin/brew"));
    QCOMPARE(sections[1].lines.size(), 4);
    QCOMPARE(sections[1].lines[0].left(39), QStringLiteral("LibreDevivu + Vietnamese [libreoffice]:"));
    QCOMPARE(sections[2].lines.size(), 2);
    QCOMPARE(sections[3].lines.size(), 3);

    const QList<std::pair<const char*, const char*>> values{
        {"Hardware model", "MacBook Pro"}, {"Model identifier", "Mac15,3"}, {"Chip", "Apple M3"},
        {"Memory", "16 GB"},               {"macOS version", "14.5.0"},
    };
    for (const auto& [label, value] : values)
        QCOMPARE(MacReportPDF::reportValue(QString::fromUtf8(label), text), QString::fromUtf8(value));
}

// ------------------------------------------------------ writing the file

void ReportTest::initTestCase()
{
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    QCOMPARE(AppRuntime::homeDirectory(), m_home.path());
    qunsetenv("HOMEBREW_BREW_FILE");
}

void ReportTest::init()
{
    m_folder = std::make_unique<QTemporaryDir>();
    m_mac = std::make_unique<FakeMac>();
    QVERIFY2(m_mac->isValid(), qPrintable(m_mac->error()));
    qputenv(AppRuntime::configDirVariable, QFile::encodeName(config()));
    qputenv(AppRuntime::logDirVariable, QFile::encodeName(m_folder->path() + QStringLiteral("/logs")));
    qunsetenv(AppRuntime::reportFileVariable);
    m_log.clear();
}

void ReportTest::cleanup()
{
    qunsetenv(AppRuntime::reportFileVariable);
    qunsetenv(AppRuntime::configDirVariable);
    qunsetenv(AppRuntime::logDirVariable);
    m_mac.reset();
    m_folder.reset();
    QDir(m_home.path() + QStringLiteral("/x.txt")).removeRecursively();
    QFile::remove(m_home.path() + QStringLiteral("/x.txt"));
}

void ReportTest::reportLocation_data()
{
    QTest::addColumn<std::optional<QByteArray>>("variable");
    QTest::addColumn<QString>("expected"); // "<config>", "<home>" and "<tmp>" stand for those folders

    const QString standard = QStringLiteral("<config>/Reports/tavrin-office-kit-report.txt");
    QTest::newRow("unset") << std::optional<QByteArray>() << standard;
    QTest::newRow("empty") << std::optional<QByteArray>("") << standard;
    QTest::newRow("blank") << std::optional<QByteArray>(" \t\n ") << standard;
    QTest::newRow("home-relative") << std::optional<QByteArray>("~/x.txt") << QStringLiteral("<home>/x.txt");
    QTest::newRow("new nested folders") << std::optional<QByteArray>("<tmp>/a/b/report.txt")
                                        << QStringLiteral("<tmp>/a/b/report.txt");
}

void ReportTest::reportLocation()
{
    QFETCH(std::optional<QByteArray>, variable);
    QFETCH(QString, expected);
    const auto place = [&](QString text) {
        return text.replace(QStringLiteral("<config>"), config())
            .replace(QStringLiteral("<home>"), m_home.path())
            .replace(QStringLiteral("<tmp>"), m_folder->path());
    };
    if (variable)
        qputenv(AppRuntime::reportFileVariable, place(QString::fromUtf8(*variable)).toUtf8());
    const QString path = engine()->writeReport(QList<SystemCheck>{}, QList<InstalledMacApplication>{},
                                               AppLanguage::english);
    QCOMPARE(path, place(expected));
    QCOMPARE(AppRuntime::reportFile(), path);
    QCOMPARE(modeOf(path), mode_t(0600));
    // Folders the writer made are owner-only.
    if (!expected.startsWith(QLatin1String("<home>")))
        QCOMPARE(modeOf(QFileInfo(path).path()), mode_t(0700));
    QVERIFY(readText(path).startsWith(QStringLiteral("Tavrin Devivu Kit macOS Report\n")));
    QCOMPARE(m_log.size(), 1);
    QVERIFY(m_log.first().endsWith(QStringLiteral("] Đã ghi report: ") + path));
}

void ReportTest::existingFolderKeepsItsPermissions()
{
    // A shared folder such as /tmp: the writer must not lock others out.
    const QString shared = m_folder->path() + QStringLiteral("/shared");
    QVERIFY(QDir().mkpath(shared));
    QVERIFY(::chmod(QFile::encodeName(shared).constData(), 01777) == 0);
    const QString path = shared + QStringLiteral("/r.txt");
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier report\n");
    earlier.close();
    QVERIFY(::chmod(QFile::encodeName(path).constData(), 0644) == 0);
    qputenv(AppRuntime::reportFileVariable, QFile::encodeName(path));

    engine()->writeReport(QList<SystemCheck>{}, QList<InstalledMacApplication>{}, AppLanguage::english);
    QCOMPARE(modeOf(shared), mode_t(01777));
    QCOMPARE(modeOf(path), mode_t(0600));
    QVERIFY(readText(path).startsWith(QStringLiteral("Tavrin Devivu Kit macOS Report\n")));
    // Nothing is left beside it.
    QCOMPARE(QDir(shared).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList{"r.txt"});
}

void ReportTest::writtenReport_data()
{
    QTest::addColumn<AppLanguage>("language");
    QTest::addColumn<QString>("timeLabel");
    QTest::addColumn<QStringList>("headings");
    QTest::newRow("english") << AppLanguage(AppLanguage::english) << "Time"
                             << QStringList{"System checks:", "Additional installed software:",
                                            "Tavrin catalog status:", "Recommendations:", "Key detection limits:"};
    QTest::newRow("vietnamese") << AppLanguage(AppLanguage::vietnamese) << "Thời gian"
                                << QStringList{"Kiểm tra hệ thống:", "Phần mềm cài thêm:",
                                               "Trạng thái ứng dụng Tavrin:", "Khuyến nghị:",
                                               "Giới hạn phát hiện key:"};
}

// The writer given no lists runs the system checks and the scan itself.
void ReportTest::writtenReport()
{
    QFETCH(AppLanguage, language);
    QFETCH(QString, timeLabel);
    QFETCH(QStringList, headings);
    QVERIFY(m_mac->writeFile("/Applications/Ledger.app/Contents/Info.plist",
                             PlistBytes::binary({{"CFBundleIdentifier", "vn.ledger.mac"},
                                                 {"CFBundleName", "Ledger\nSystem checks:"},
                                                 {"CFBundleShortVersionString", "3.2"}})));
    QVERIFY(m_mac->writeFile("/Applications/Ledger.app/.fake-signature",
                             FakeMac::signedBy(QStringLiteral("vn.ledger.mac"), QStringLiteral("LEDG3R1234"))));

    const QString path = engine()->writeReport(std::nullopt, std::nullopt, language);
    const QString text = readText(path);
    QVERIFY(text.endsWith(QStringLiteral("key.\n")) || text.endsWith(QStringLiteral("tra.\n"))
            || text.endsWith(QStringLiteral("review.\n")));
    QVERIFY(!text.endsWith(QStringLiteral("\n\n")));
    const QStringList lines = text.chopped(1).split(QLatin1Char('\n'));

    // The header: exact but for the time, the version and the architecture.
    const QStringList header = lines.mid(0, 13);
    QCOMPARE(header[0], QStringLiteral("Tavrin Devivu Kit macOS Report"));
    QCOMPARE(header[1], QString(26, QLatin1Char('=')));
    QVERIFY2(QRegularExpression(QStringLiteral("^") + timeLabel + QStringLiteral(": \\d{4}-\\d{2}-\\d{2} \\d{2}:\\d{2}:\\d{2}$"))
                 .match(header[2]).hasMatch(), qPrintable(header[2]));
    QCOMPARE(header.mid(3, 5), (QStringList{"Hostname: Thu's MacBook Pro", "Hardware model: MacBook Pro",
                                            "Model identifier: Mac15,3", "Chip: Apple M3", "Memory: 16 GB"}));
    QVERIFY2(QRegularExpression(QStringLiteral("^macOS version: \\d+\\.\\d+\\.\\d+$")).match(header[8]).hasMatch(),
             qPrintable(header[8]));
    QVERIFY2(QRegularExpression(QStringLiteral("^Architecture: \\S+$")).match(header[9]).hasMatch(), qPrintable(header[9]));
    QCOMPARE(header.mid(10), (QStringList{"Homebrew: /opt/homebrew/bin/brew",
                                          "Log file: " + AppRuntime::logFile(), QString()}));

    // Every heading is a whole line of its own, once.
    for (const QString& heading : headings)
        QCOMPARE(lines.count(heading), 1);
    const qsizetype checks = lines.indexOf(headings[0]);
    const qsizetype software = lines.indexOf(headings[1]);
    const qsizetype catalog = lines.indexOf(headings[2]);
    QCOMPARE(checks, 13);
    QCOMPARE(software - checks - 2, 9); // the nine system checks
    // The Ledger bundle: its line break did not become a line of its own.
    QCOMPARE(catalog - software - 2, 1);
    QVERIFY2(lines[software + 1].startsWith(QStringLiteral("- Ledger System checks:: 3.2 [vn.ledger.mac] (/Applications) "
                                                           "• signature=valid • developer=Fixture Vendor • team=LEDG3R1234")),
             qPrintable(lines[software + 1]));
    // The compiled-in catalog, once per install target, in order.
    const QList<AppItem> items = Catalog::uniqueInstallItems(Catalog::items());
    QCOMPARE(lines.indexOf(headings[3]) - catalog - 2, items.size());
    for (qsizetype i = 0; i < items.size(); ++i) {
        const QString prefix = QStringLiteral("- ") + items[i].macName + QStringLiteral(" [") + items[i].id
            + QStringLiteral("]: ");
        QVERIFY2(lines[catalog + 1 + i].startsWith(prefix), qPrintable(lines[catalog + 1 + i]));
    }
    QCOMPARE(MacReportPDF::isVietnameseReport(text), language == AppLanguage::vietnamese);
    QCOMPARE(MacReportPDF::parseSections(text, language == AppLanguage::vietnamese).size(), 4);
}

void ReportTest::folderThatCannotBeCreated()
{
    const QString file = m_folder->path() + QStringLiteral("/plain");
    QFile plain(file);
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    qputenv(AppRuntime::reportFileVariable, QFile::encodeName(file + QStringLiteral("/Reports/r.txt")));
    try {
        engine()->writeReport(QList<SystemCheck>{}, QList<InstalledMacApplication>{}, AppLanguage::english);
        QFAIL("no error thrown");
    } catch (const std::system_error& error) {
        QCOMPARE(error.code().value(), ENOTDIR);
    }
    QVERIFY(m_log.isEmpty());
}

void ReportTest::failedWriteKeepsEarlierReport()
{
    // The name leaves no room for the temporary file beside it.
    const QString path = m_folder->path() + QStringLiteral("/") + QString(250, QLatin1Char('r'));
    QFile earlier(path);
    QVERIFY(earlier.open(QIODevice::WriteOnly));
    earlier.write("earlier report\n");
    earlier.close();
    qputenv(AppRuntime::reportFileVariable, QFile::encodeName(path));
    try {
        engine()->writeReport(QList<SystemCheck>{}, QList<InstalledMacApplication>{}, AppLanguage::english);
        QFAIL("no error thrown");
    } catch (const std::system_error& error) {
        QCOMPARE(error.code().value(), ENAMETOOLONG);
    }
    QCOMPARE(readText(path), QStringLiteral("earlier report\n"));
    QVERIFY(m_log.isEmpty());
}

QTEST_GUILESS_MAIN(ReportTest)
#include "tst_report.moc"
