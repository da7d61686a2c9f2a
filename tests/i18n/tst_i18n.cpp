#include "CatalogEntry.h"
#include "catalog/Catalog.h"
#include "i18n/AppStrings.h"
#include "model/SystemCheckTexts.h"
#include "platform/UserDefaults.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>

namespace {

using Property = QString (AppStrings::*)() const;
using NameText = QString (AppStrings::*)(const QString&) const;

// Every text property of AppStrings.
const QList<std::pair<const char*, Property>>& properties()
{
    static const QList<std::pair<const char*, Property>> list{
        {"settingsSubtitle", &AppStrings::settingsSubtitle},
        {"languageSettingDetail", &AppStrings::languageSettingDetail},
        {"updateRequiredMessage", &AppStrings::updateRequiredMessage},
        {"updateRequiredStatus", &AppStrings::updateRequiredStatus},
        {"updateRequiredToast", &AppStrings::updateRequiredToast},
        {"updateDownloadUnavailable", &AppStrings::updateDownloadUnavailable},
        {"openingUpdateDownload", &AppStrings::openingUpdateDownload},
        {"systemChecksDescription", &AppStrings::systemChecksDescription},
        {"systemReadyDetail", &AppStrings::systemReadyDetail},
        {"checkingInstalledStatus", &AppStrings::checkingInstalledStatus},
        {"statusRefreshed", &AppStrings::statusRefreshed},
        {"itemUnsupportedToast", &AppStrings::itemUnsupportedToast},
        {"writingReport", &AppStrings::writingReport},
        {"copiedLogPath", &AppStrings::copiedLogPath},
        {"openedHomebrewGuide", &AppStrings::openedHomebrewGuide},
        {"copiedHomebrewInstallCommand", &AppStrings::copiedHomebrewInstallCommand},
        {"copiedHomebrewCommand", &AppStrings::copiedHomebrewCommand},
        {"syncingCatalog", &AppStrings::syncingCatalog},
        {"uploadingReport", &AppStrings::uploadingReport},
        {"cloudActionFinished", &AppStrings::cloudActionFinished},
        {"cloudActionFailed", &AppStrings::cloudActionFailed},
        {"reportTitle", &AppStrings::reportTitle},
        {"reportDescription", &AppStrings::reportDescription},
        {"auditSubtitle", &AppStrings::auditSubtitle},
        {"auditPreparing", &AppStrings::auditPreparing},
        {"auditNoDataTitle", &AppStrings::auditNoDataTitle},
        {"auditNoDataDetail", &AppStrings::auditNoDataDetail},
        {"auditSidebarSummaryTitle", &AppStrings::auditSidebarSummaryTitle},
        {"copiedReportPath", &AppStrings::copiedReportPath},
        {"auditLicenseLabel", &AppStrings::auditLicenseLabel},
        {"auditLicenseSourceLabel", &AppStrings::auditLicenseSourceLabel},
        {"auditLicenseDetailLabel", &AppStrings::auditLicenseDetailLabel},
        {"auditLicenseConfidenceLabel", &AppStrings::auditLicenseConfidenceLabel},
        {"auditLicenseSignalsLabel", &AppStrings::auditLicenseSignalsLabel},
        {"auditDeveloperLabel", &AppStrings::auditDeveloperLabel},
        {"auditSignatureLabel", &AppStrings::auditSignatureLabel},
        {"auditLicenseNotice", &AppStrings::auditLicenseNotice},
        {"auditEvidenceNotice", &AppStrings::auditEvidenceNotice},
    };
    return list;
}

// Every text that takes a name, a version or a preset name, with the value
// bound into a one-argument form.
const QList<std::pair<const char*, std::function<QString(const AppStrings&, const QString&)>>>& nameTexts()
{
    using Fn = std::function<QString(const AppStrings&, const QString&)>;
    static const QList<std::pair<const char*, Fn>> list = [] {
        QList<std::pair<const char*, Fn>> texts{
            {"updateRequiredMessageWithVersion", std::mem_fn(&AppStrings::updateRequiredMessageWithVersion)},
            {"updateAvailableToast", std::mem_fn(&AppStrings::updateAvailableToast)},
            {"removePromptMessage", std::mem_fn(&AppStrings::removePromptMessage)},
            {"installingPreset", [](const AppStrings& s, const QString& n) { return s.installingPreset(n, 3); }},
            {"finishedPresetSummary",
             [](const AppStrings& s, const QString& n) { return s.finishedPresetSummary(n, 2, 1); }},
        };
        const QList<std::pair<const char*, NameText>> plain{
            {"processing", &AppStrings::processing},
            {"installing", &AppStrings::installing},
            {"opening", &AppStrings::opening},
            {"removing", &AppStrings::removing},
            {"preparingRemove", &AppStrings::preparingRemove},
            {"preparingInstall", &AppStrings::preparingInstall},
            {"finished", &AppStrings::finished},
            {"processed", &AppStrings::processed},
            {"failedToProcess", &AppStrings::failedToProcess},
            {"failedItem", &AppStrings::failedItem},
            {"opened", &AppStrings::opened},
            {"couldNotOpen", &AppStrings::couldNotOpen},
            {"removed", &AppStrings::removed},
            {"failedToRemove", &AppStrings::failedToRemove},
            {"removeFailed", &AppStrings::removeFailed},
            {"preparingPreset", &AppStrings::preparingPreset},
            {"processedItem", &AppStrings::processedItem},
            {"finishedPreset", &AppStrings::finishedPreset},
        };
        for (const auto& [name, member] : plain)
            texts.append({name, std::mem_fn(member)});
        return texts;
    }();
    return list;
}

// Every text with integers only, given the same number in each place.
const QList<std::pair<const char*, std::function<QString(const AppStrings&, qint64)>>>& countTexts()
{
    using Fn = std::function<QString(const AppStrings&, qint64)>;
    static const QList<std::pair<const char*, Fn>> list{
        {"summary", [](const AppStrings& s, qint64 n) { return s.summary(n, n); }},
        {"operationSummary", [](const AppStrings& s, qint64 n) { return s.operationSummary(n, n); }},
        {"presetFailures", [](const AppStrings& s, qint64 n) { return s.presetFailures(n); }},
        {"auditScanProgress", [](const AppStrings& s, qint64 n) { return s.auditScanProgress(n, n, n); }},
        {"auditUpdatingCatalog", [](const AppStrings& s, qint64 n) { return s.auditUpdatingCatalog(n); }},
        {"auditComplete", [](const AppStrings& s, qint64 n) { return s.auditComplete(n); }},
        {"auditSummary", [](const AppStrings& s, qint64 n) { return s.auditSummary(n, n, n, n); }},
        {"auditSidebarSummaryDetail", [](const AppStrings& s, qint64 n) { return s.auditSidebarSummaryDetail(n); }},
        {"packageSummary", [](const AppStrings& s, qint64 n) {
             QStringList packages;
             for (qint64 i = 0; i < n; ++i)
                 packages << QString("p%1").arg(i);
             return s.packageSummary(packages);
         }},
    };
    return list;
}

AppItem itemOf(AppKind kind, const QStringList& appPaths)
{
    AppItem item;
    item.id = "sample";
    item.kind = kind;
    item.appPaths = appPaths;
    return item;
}

AppLanguage languageOf(const QString& code)
{
    const std::optional<AppLanguage> language = AppLanguage::fromCode(code);
    if (!language)
        qFatal("unknown language code %s", qPrintable(code));
    return *language;
}

// Collects every text AppStrings can produce for one language, with a label
// saying where it came from.
QList<std::pair<QString, QString>> everyText(AppLanguage language)
{
    const AppStrings strings(language);
    QList<std::pair<QString, QString>> texts;
    for (const AppI18nKey key : EnumText::allCases<AppI18nKey>())
        texts.append({"key " + EnumText::toString(key), strings.text(key)});
    for (const auto& [name, property] : properties())
        texts.append({name, (strings.*property)()});
    for (const auto& [name, function] : nameTexts())
        texts.append({name, function(strings, "X")});
    for (const auto& [name, function] : countTexts())
        texts.append({name, function(strings, 3)});
    for (const SystemCheck::Level level : {SystemCheck::Level::ok, SystemCheck::Level::warn, SystemCheck::Level::fail})
        texts.append({"systemTitle", strings.systemTitle(level)});
    for (const InstallStatus status : EnumText::allCases<InstallStatus>()) {
        texts.append({"statusText " + EnumText::toString(status), strings.statusText(status)});
        for (const AppKind kind : EnumText::allCases<AppKind>())
            texts.append({"primaryActionLabel", strings.primaryActionLabel(status, itemOf(kind, {"/Applications/X.app"}))});
    }
    for (const AppKind kind : EnumText::allCases<AppKind>())
        texts.append({"sourceLabel " + EnumText::toString(kind), strings.sourceLabel(kind)});
    for (const CatalogGroup& group : Catalog::groups())
        texts.append({"groupLabel " + group.id, strings.groupLabel(group.id)});
    for (const AppLicenseEvidenceState state : EnumText::allCases<AppLicenseEvidenceState>())
        texts.append({"evidence " + EnumText::toString(state), strings.auditLicenseEvidenceLabel(state)});
    for (const LicenseEvidenceConfidence confidence : EnumText::allCases<LicenseEvidenceConfidence>())
        texts.append({"confidence " + EnumText::toString(confidence), strings.auditLicenseConfidenceValue(confidence)});
    for (const char* status : {"valid", "invalid", "unsigned", "ad-hoc", "not-applicable", "receipt-only", "?"})
        texts.append({QString("signature ") + status, strings.auditSignatureStatusLabel(status)});
    for (const AppItem& item : Catalog::items()) {
        texts.append({"itemName " + item.id, strings.itemName(item)});
        texts.append({"itemDescription " + item.id, strings.itemDescription(item)});
        texts.append({"itemReplacementNote " + item.id, strings.itemReplacementNote(item)});
    }
    texts.append({"setupNeeded", strings.setupNeeded({SystemCheck::make(SystemCheckTexts::userModeName,
                                                                        SystemCheck::Level::warn, "")})});
    return texts;
}

} // namespace

class I18nTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void languages();
    void storedDefault_data();
    void storedDefault();
    void storedDefaultFromFile_data();
    void storedDefaultFromFile();
    void storedDefaultReadsStandardDefaults();
    void everyTextPresentInEveryLanguage();
    void keyedTextsAreTheLanguagesOwn();
    void exactTexts_data();
    void exactTexts();
    void insertedTextsPassThrough();
    void integersArePlainDecimal();
    void checkNames_data();
    void checkNames();
    void checkDetails_data();
    void checkDetails();
    void setupNeeded();
    void primaryActionLabel_data();
    void primaryActionLabel();
    void itemTexts_data();
    void itemTexts();
    void itemTranslationCoverage();
};

void I18nTest::languages()
{
    const QList<AppLanguage> expected{AppLanguage::english, AppLanguage::vietnamese, AppLanguage::korean,
                                      AppLanguage::japanese, AppLanguage::chinese};
    QCOMPARE(AppLanguage::supported(), expected);
    QCOMPARE(EnumText::allCases<AppLanguage>(), expected);
    QCOMPARE(AppLanguage::webLocaleOrder(), (QStringList{"en", "vi", "ko", "ja", "zh"}));
    QStringList codes;
    for (const AppLanguage language : AppLanguage::supported())
        codes << language.code();
    QCOMPARE(codes, AppLanguage::webLocaleOrder());
    QCOMPARE(AppLanguage(), AppLanguage(AppLanguage::english));
    QCOMPARE(AppStrings().language(), AppLanguage(AppLanguage::english));

    QCOMPARE(AppLanguage::fromCode("ja"), std::optional<AppLanguage>(AppLanguage::japanese));
    for (const char* code : {"EN", " en", "en ", "", "jp", "vi-VN", "english"})
        QVERIFY2(!AppLanguage::fromCode(code).has_value(), code);
}

void I18nTest::storedDefault_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("expected");
    QTest::newRow("nothing stored") << QVariant() << "en";
    QTest::newRow("ja") << QVariant(QString("ja")) << "ja";
    QTest::newRow("vi") << QVariant(QString("vi")) << "vi";
    QTest::newRow("zh") << QVariant(QString("zh")) << "zh";
    QTest::newRow("upper case") << QVariant(QString("EN")) << "en";
    QTest::newRow("upper case ja") << QVariant(QString("JA")) << "en";
    QTest::newRow("leading blank") << QVariant(QString(" ja")) << "en";
    QTest::newRow("trailing newline") << QVariant(QString("ko\n")) << "en";
    QTest::newRow("unknown code") << QVariant(QString("fr")) << "en";
    QTest::newRow("empty text") << QVariant(QString()) << "en";
    QTest::newRow("data holding a code") << QVariant(QByteArray("ja")) << "en";
    QTest::newRow("one-element list") << QVariant(QStringList{"ja"}) << "en";
    QTest::newRow("number") << QVariant(3) << "en";
    QTest::newRow("bool") << QVariant(true) << "en";
    QTest::newRow("map") << QVariant(QVariantMap{{"ja", "ja"}}) << "en";
}

void I18nTest::storedDefault()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    UserDefaults defaults(dir.filePath("defaults.ini"));
    if (stored.isValid())
        QVERIFY(defaults.setValue(AppLanguage::defaultsKey, stored));
    QCOMPARE(AppLanguage::storedDefault(defaults).code(), expected);
    // Reading never writes.
    QCOMPARE(defaults.contains(AppLanguage::defaultsKey), stored.isValid());
}

// Files as an earlier run (or another program) left them.
void I18nTest::storedDefaultFromFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("expected");
    QTest::newRow("code") << QByteArray("[General]\ntavrin.uiLanguage=ko\n") << "ko";
    QTest::newRow("quoted blank kept") << QByteArray("[General]\ntavrin.uiLanguage=\" ja\"\n") << "en";
    QTest::newRow("quoted code") << QByteArray("[General]\ntavrin.uiLanguage=\"zh\"\n") << "zh";
    QTest::newRow("data") << QByteArray("[General]\ntavrin.uiLanguage=@ByteArray(vi)\n") << "en";
    QTest::newRow("list") << QByteArray("[General]\ntavrin.uiLanguage=ja, ko\n") << "en";
    QTest::newRow("other key only") << QByteArray("[General]\ntavrin.other=ja\n") << "en";
    QTest::newRow("garbage") << QByteArray("\x01\xff[[[=\n=ja\n\0\0", 13) << "en";
}

void I18nTest::storedDefaultFromFile()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    const QString path = dir.filePath("earlier.ini");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(content);
    file.close();
    QCOMPARE(AppLanguage::storedDefault(UserDefaults(path)).code(), expected);
}

void I18nTest::storedDefaultReadsStandardDefaults()
{
#ifdef Q_OS_MACOS
    QSKIP("the standard defaults are the user's own on macOS");
#endif
    QTemporaryDir dir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, dir.path());
    QCOMPARE(AppLanguage::storedDefault(), AppLanguage(AppLanguage::english));
    QVERIFY(UserDefaults().setString(AppLanguage::defaultsKey, "vi"));
    QCOMPARE(AppLanguage::storedDefault(), AppLanguage(AppLanguage::vietnamese));
    QVERIFY(QFile::exists(dir.filePath("tavrin.vn/Tavrin Devivu Kit.conf")));
}

void I18nTest::everyTextPresentInEveryLanguage()
{
    for (const AppLanguage language : AppLanguage::supported()) {
        for (const auto& [where, text] : everyText(language)) {
            const QString context = language.code() + ": " + where;
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(context));
            QVERIFY2(!text.contains('{') && !text.contains('}'), qPrintable(context + " = " + text));
            QVERIFY2(text.normalized(QString::NormalizationForm_C) == text, qPrintable(context + " is not NFC"));
        }
    }
}

// The lookup would hide a language's missing key behind English; the key's
// case name would show through a missing English key.
void I18nTest::keyedTextsAreTheLanguagesOwn()
{
    const AppStrings english(AppLanguage::english);
    // Keys whose text is the same word in English and in the language.
    const QSet<QString> shared{"vi:log", "vi:uploadReport", "vi:packageAction"};
    for (const AppI18nKey key : EnumText::allCases<AppI18nKey>()) {
        const QString name = EnumText::toString(key);
        QVERIFY2(english.text(key) != name, qPrintable(name));
        for (const AppLanguage language : AppLanguage::supported()) {
            if (language == AppLanguage::english)
                continue;
            const QString id = language.code() + ":" + name;
            QVERIFY2((AppStrings(language).text(key) == english.text(key)) == shared.contains(id), qPrintable(id));
        }
    }
}

void I18nTest::exactTexts_data()
{
    QTest::addColumn<QString>("actual");
    QTest::addColumn<QString>("expected");
    const AppStrings en(AppLanguage::english);
    const AppStrings vi(AppLanguage::vietnamese);
    const AppStrings ko(AppLanguage::korean);
    const AppStrings ja(AppLanguage::japanese);
    const AppStrings zh(AppLanguage::chinese);

    QTest::newRow("hideLog en") << en.text(AppI18nKey::hideLog) << "Hide detailed log  \u02C5";
    QTest::newRow("showLog en") << en.text(AppI18nKey::showLog) << "Show detailed log  \u203A";
    QTest::newRow("hideLog zh") << zh.text(AppI18nKey::hideLog) << "隐藏详细日志  \u02C5";
    QTest::newRow("showLog ja") << ja.text(AppI18nKey::showLog) << "詳細ログを表示  \u203A";
    QTest::newRow("openBrew en") << en.text(AppI18nKey::openBrew) << "Open brew.sh";
    QTest::newRow("openBrew ja") << ja.text(AppI18nKey::openBrew) << "brew.shを開く";
    QTest::newRow("noDeviceData en") << en.text(AppI18nKey::noDeviceData) << "No device data yet.";
    QTest::newRow("noDeviceData vi") << vi.text(AppI18nKey::noDeviceData) << "Chưa có dữ liệu thiết bị.";
    QTest::newRow("noDeviceData ja") << ja.text(AppI18nKey::noDeviceData) << "デバイスデータはまだありません。";
    QTest::newRow("cloudTools en") << en.text(AppI18nKey::cloudTools) << "Cloud tools";
    QTest::newRow("removePromptTitle ja") << ja.text(AppI18nKey::removePromptTitle) << "この項目を削除しますか？";
    QTest::newRow("checkingCore vi") << vi.text(AppI18nKey::checkingCore)
                                     << "Đang kiểm tra Homebrew, DNS và dung lượng trống.";

    QTest::newRow("installingPreset ko") << ko.installingPreset("standard", 12) << "standard 설치 중(12개 항목)";
    QTest::newRow("installingPreset ja") << ja.installingPreset("full", 3) << "fullをインストール中（3項目）";
    QTest::newRow("installingPreset zh") << zh.installingPreset("full", 3) << "正在安装 full（3 项）";
    QTest::newRow("installingPreset en") << en.installingPreset("full", 1) << "Installing full (1 items)";
    QTest::newRow("finishedPresetSummary en") << en.finishedPresetSummary("minimal", 4, 0)
                                              << "Finished preset minimal: 4 succeeded, 0 failed";
    QTest::newRow("finishedPresetSummary zh") << zh.finishedPresetSummary("minimal", 4, 1)
                                              << "预设 minimal 完成：4 成功，1 失败";
    QTest::newRow("summary one") << en.summary(1, 1) << "1/1 items ready";
    QTest::newRow("summary negative") << en.summary(-1, 3) << "-1/3 items ready";
    QTest::newRow("update latest en") << en.updateAvailableToast("") << "Update latest is available.";
    QTest::newRow("update latest vi") << vi.updateAvailableToast("") << "Có bản cập nhật latest.";
    QTest::newRow("update version") << en.updateAvailableToast("2.0") << "Update 2.0 is available.";
    QTest::newRow("update blanks kept") << en.updateAvailableToast(" ") << "Update   is available.";
    QTest::newRow("required empty version") << en.updateRequiredMessageWithVersion("")
                                            << "Install Tavrin Devivu Kit  or newer to continue.";
    QTest::newRow("processing empty") << en.processing("") << "Processing ";
    QTest::newRow("preparingPreset") << vi.preparingPreset("full") << vi.preparingInstall("full");
    QTest::newRow("processedItem") << ko.processedItem("x") << ko.processed("x");

    QTest::newRow("scan progress en") << en.auditScanProgress(3, 10, 30) << "Scanned 3/10 apps \u2022 30%";
    QTest::newRow("scan progress ko") << ko.auditScanProgress(3, 10, 30) << "3/10개 앱 스캔 \u2022 30%";
    QTest::newRow("auditComplete en") << en.auditComplete(1) << "Inventory complete: 1 items detected";
    QTest::newRow("auditComplete ja") << ja.auditComplete(5) << "インベントリ完了：5項目を検出";
    QTest::newRow("auditComplete zh") << zh.auditComplete(5) << "盘点完成：检测到 5 项";
    QTest::newRow("signature Valid") << en.auditSignatureStatusLabel("Valid") << "Unknown";
    QTest::newRow("signature empty") << en.auditSignatureStatusLabel("") << "Unknown";
    QTest::newRow("signature receipt-only") << en.auditSignatureStatusLabel("receipt-only") << "Not applicable";
    QTest::newRow("signature ad-hoc zh") << zh.auditSignatureStatusLabel("ad-hoc") << "内部签名";
    QTest::newRow("evidence ja") << ja.auditLicenseEvidenceLabel(AppLicenseEvidenceState::acquisitionReceipt)
                                 << "レシート検出（未検証）";
    QTest::newRow("confidence vi") << vi.auditLicenseConfidenceValue(LicenseEvidenceConfidence::none)
                                   << "Chưa xác lập";

    QTest::newRow("status working no progress zh") << zh.statusText(InstallStatus::working) << "● 正在安装";
    QTest::newRow("status working progress") << en.statusText(InstallStatus::working, QString("42%")) << "● 42%";
    QTest::newRow("status working empty progress") << en.statusText(InstallStatus::working, QString()) << "● ";
    QTest::newRow("status missing ignores progress") << en.statusText(InstallStatus::missing, QString("x"))
                                                     << "● Missing";
    QTest::newRow("status blocked ja") << ja.statusText(InstallStatus::blocked) << "● 非対応";
    QTest::newRow("source direct ko") << ko.sourceLabel(AppKind::direct) << "공식 DMG";
    QTest::newRow("source mime en") << en.sourceLabel(AppKind::mime) << "Default app";

    QTest::newRow("packages none") << en.packageSummary({}) << "";
    QTest::newRow("packages one") << en.packageSummary({"vlc"}) << "vlc";
    QTest::newRow("packages two") << ja.packageSummary({"a", "b"}) << "a, b";
    QTest::newRow("packages three en") << en.packageSummary({"a", "b", "c"}) << "3 packages";
    QTest::newRow("packages three ko") << ko.packageSummary({"a", "b", "c"}) << "3개 패키지";

    QTest::newRow("group meeting en") << en.groupLabel("meeting") << "Meeting & Chat";
    QTest::newRow("group all vi") << vi.groupLabel("all") << "Tất cả";
    QTest::newRow("group devivu ko") << ko.groupLabel("devivu") << "오피스 기본";
    QTest::newRow("group audit zh") << zh.groupLabel("audit") << "audit";
    QTest::newRow("group capitalised") << en.groupLabel("All") << "All";
    QTest::newRow("printer note &") << en.itemReplacementNote(catalogEntry("printer-drivers"))
                                    << "macOS uses AirPrint, vendor drivers, and Printers & Scanners instead of "
                                       "Linux printer-driver-all packages.";
    QTest::newRow("flameshot ko verbatim") << ko.itemDescription(catalogEntry("flameshot"))
                                           << "Flameshot으로 빠른 스크린샷과 주석을 처리합니다.";
}

void I18nTest::exactTexts()
{
    QFETCH(QString, actual);
    QFETCH(QString, expected);
    QCOMPARE(actual, expected);
}

// A name is inserted exactly once and as it is: what surrounds it is the text
// for an empty name. A second substitution pass would eat "%1" or "{name}".
void I18nTest::insertedTextsPassThrough()
{
    const QString name = "A%1 & B%2 {name} %L1";
    for (const AppLanguage language : AppLanguage::supported()) {
        const AppStrings strings(language);
        for (const auto& [what, function] : nameTexts()) {
            const QString context = language.code() + ": " + what;
            const QString text = function(strings, name);
            QCOMPARE_GE(text.count(name), 1);
            QString without = text;
            without.replace(text.indexOf(name), name.size(), QString());
            const QString empty = QString(what) == QString("updateAvailableToast")
                                      ? function(strings, " ").remove(text.indexOf(name), 1)
                                      : function(strings, "");
            QVERIFY2(without == empty, qPrintable(context + ": " + text));
        }
        AppItem item = catalogEntry("vlc");
        item.macName = name;
        QCOMPARE(strings.itemName(item), name);
        QCOMPARE(strings.statusText(InstallStatus::working, name), "● " + name);
        QCOMPARE(strings.packageSummary({name, "&"}), name + ", &");
        QCOMPARE(strings.groupLabel(name), name);
        QCOMPARE(strings.systemCheckName(SystemCheck::make(name, SystemCheck::Level::ok, "")), name);
        QCOMPARE(strings.systemCheckDetail(SystemCheck::make("LibreDevivu", SystemCheck::Level::ok, name)), name);
    }
}

void I18nTest::integersArePlainDecimal()
{
    for (const AppLanguage language : AppLanguage::supported()) {
        const AppStrings strings(language);
        for (const auto& [what, function] : countTexts()) {
            const QString context = language.code() + ": " + what;
            if (QString(what) == QString("packageSummary"))
                continue;
            QVERIFY2(function(strings, 1234567).contains("1234567"), qPrintable(context));
            QVERIFY2(function(strings, -7).contains("-7"), qPrintable(context));
        }
    }
}

void I18nTest::checkNames_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("expected"); // en, vi, ko, ja, zh
    using namespace SystemCheckTexts;
    QTest::newRow("free space") << QString(freeSpaceName)
                                << QStringList{"Free disk space", "Dung lượng trống", "여유 디스크 공간", "空き容量",
                                               "可用磁盘空间"};
    QTest::newRow("user mode") << QString(userModeName)
                               << QStringList{"User mode", "Chế độ user", "사용자 모드", "ユーザーモード", "用户模式"};
    QTest::newRow("macOS") << QString(macOSCompatibilityName)
                           << QStringList{"macOS compatibility", "Tương thích macOS", "macOS 호환성", "macOS互換性",
                                          "macOS 兼容性"};
    QTest::newRow("CPU") << QString(cpuArchitectureName)
                         << QStringList{"CPU architecture", "Kiến trúc CPU", "CPU 아키텍처", "CPUアーキテクチャ",
                                        "CPU 架构"};
    QTest::newRow("Internet") << QString(internetConnectionName)
                              << QStringList{"Internet connection", "Kết nối Internet", "인터넷 연결",
                                             "インターネット接続", "互联网连接"};
    QTest::newRow("Xcode") << QString(xcodeCommandLineToolsName)
                           << QStringList{"Xcode Command Line Tools", "Xcode Command Line Tools", "Xcode 명령줄 도구",
                                          "Xcode Command Line Tools", "Xcode 命令行工具"};
    for (const char* kept : {homebrewName, libreDevivuName, onlyDevivuName, "dung lượng trống", "User mode", ""})
        QTest::newRow(qPrintable(QString("kept '%1'").arg(kept))) << QString(kept) << QStringList(5, kept);
}

void I18nTest::checkNames()
{
    QFETCH(QString, name);
    QFETCH(QStringList, expected);
    const SystemCheck check = SystemCheck::make(name, SystemCheck::Level::warn, "x");
    QStringList actual;
    for (const AppLanguage language : AppLanguage::supported())
        actual << AppStrings(language).systemCheckName(check);
    QCOMPARE(actual, expected);
}

// Details as the engine writes them, built from the texts it shares.
void I18nTest::checkDetails_data()
{
    using namespace SystemCheckTexts;
    using L = SystemCheck::Level;
    QTest::addColumn<QString>("name");
    QTest::addColumn<SystemCheck::Level>("level");
    QTest::addColumn<QString>("detail");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("expected");

    const QString brewMissing = brewNotFoundDetail();
    QTest::newRow("brew missing en") << homebrewName << L::warn << brewMissing << "en"
                                     << "brew was not found. Install it from https://brew.sh.";
    QTest::newRow("brew missing ko") << homebrewName << L::warn << brewMissing << "ko"
                                     << "brew를 찾을 수 없습니다. https://brew.sh 에서 설치하세요.";
    QTest::newRow("brew missing zh") << homebrewName << L::warn << brewMissing << "zh"
                                     << "未找到 brew。请从 https://brew.sh 安装。";
    QTest::newRow("brew missing vi unchanged") << homebrewName << L::warn << brewMissing << "vi" << brewMissing;
    QTest::newRow("brew path") << homebrewName << L::ok << "/opt/homebrew/bin/brew" << "ja"
                               << "/opt/homebrew/bin/brew";
    QTest::newRow("brew rule wins over installed") << homebrewName << L::ok << installedDetail << "en"
                                                   << installedDetail;

    QTest::newRow("resolved en") << internetConnectionName << L::ok << hostResolvedDetail() << "en"
                                 << "formulae.brew.sh resolves correctly.";
    QTest::newRow("resolved vi") << internetConnectionName << L::ok << hostResolvedDetail() << "vi"
                                 << hostResolvedDetail();
    QTest::newRow("unresolved ja") << internetConnectionName << L::warn << hostUnresolvedDetail() << "ja"
                                   << "formulae.brew.shを解決できません。";
    QTest::newRow("fail ignores detail") << internetConnectionName << L::fail << hostResolvedDetail() << "en"
                                         << "Could not resolve formulae.brew.sh.";

    QTest::newRow("xcode ok ko") << xcodeCommandLineToolsName << L::ok << xcodeAvailableDetail << "ko"
                                 << "xcode-select를 사용할 수 있습니다.";
    QTest::newRow("xcode warn en") << xcodeCommandLineToolsName << L::warn << xcodeMissingDetail << "en"
                                   << "Not required to open the app. It may be needed when Homebrew builds a "
                                      "formula from source.";
    QTest::newRow("xcode by level, not detail") << xcodeCommandLineToolsName << L::ok << xcodeMissingDetail << "en"
                                                << "xcode-select is available.";

    QTest::newRow("free en") << freeSpaceName << L::ok << freeSpaceDetail(42) << "en" << "42GB free on /.";
    QTest::newRow("free ja") << freeSpaceName << L::ok << freeSpaceDetail(42) << "ja" << "/ に 42GB の空き容量。";
    QTest::newRow("free zh") << freeSpaceName << L::fail << freeSpaceDetail(4) << "zh" << "/ 上有 4GB 可用空间。";
    QTest::newRow("free vi") << freeSpaceName << L::fail << freeSpaceDetail(4) << "vi" << freeSpaceDetail(4);
    QTest::newRow("free empty") << freeSpaceName << L::ok << "" << "en" << " free on /.";
    QTest::newRow("free blanks only") << freeSpaceName << L::ok << "  " << "en" << "   free on /.";
    QTest::newRow("free leading blanks") << freeSpaceName << L::ok << "  7GB  x" << "ko" << "/에 7GB 여유 공간.";
    QTest::newRow("free splits at blanks only") << freeSpaceName << L::ok << "7GB\ttrống" << "en"
                                                << "7GB\ttrống free on /.";

    QTest::newRow("root en") << userModeName << L::warn << rootUserDetail << "en"
                             << "Do not run the Homebrew GUI app as root.";
    QTest::newRow("root vi") << userModeName << L::warn << rootUserDetail << "vi" << rootUserDetail;
    QTest::newRow("user line") << userModeName << L::ok << userDetail("minh") << "ja" << "User: minh";
    QTest::newRow("unknown user") << userModeName << L::ok << userDetail(unknownUser) << "en" << "User: unknown";

    QTest::newRow("installed en") << libreDevivuName << L::ok << installedDetail << "en" << "Installed.";
    QTest::newRow("installed ko") << onlyDevivuName << L::ok << installedDetail << "ko" << "설치됨.";
    QTest::newRow("not installed ja") << onlyDevivuName << L::warn << notInstalledDetail << "ja"
                                      << "未インストール。";
    QTest::newRow("installed any name") << "Something" << L::ok << installedDetail << "zh" << "已安装。";
    QTest::newRow("installed without stop") << libreDevivuName << L::ok << "Đã cài" << "en" << "Đã cài";

    QTest::newRow("too old en") << macOSCompatibilityName << L::fail << macOSTooOldDetail("11.7.10") << "en"
                                << "macOS 11.7.10 is too old. Minimum target: macOS 13.";
    QTest::newRow("too old ko") << macOSCompatibilityName << L::fail << macOSTooOldDetail("11.7.10") << "ko"
                                << "macOS 11.7.10 이 너무 오래되었습니다. 최소 대상: macOS 13.";
    QTest::newRow("too old zh") << macOSCompatibilityName << L::fail << macOSTooOldDetail("10.15.7") << "zh"
                                << "macOS 10.15.7 过旧。最低目标: macOS 13.";
    QTest::newRow("too old vi") << macOSCompatibilityName << L::fail << macOSTooOldDetail("11.0.0") << "vi"
                                << macOSTooOldDetail("11.0.0");
    QTest::newRow("legacy en") << macOSCompatibilityName << L::warn << macOSLegacyDetail("12.7.4") << "en"
                               << "macOS 12.7.4 legacy. Homebrew/app cask may be missing some packages.";
    QTest::newRow("legacy ja") << macOSCompatibilityName << L::warn << macOSLegacyDetail("12.7.4") << "ja"
                               << "macOS 12.7.4 legacy. Homebrew/app cask 一部のpackageが不足する可能性があります.";
    QTest::newRow("supported") << macOSCompatibilityName << L::ok << macOSSupportedDetail("14.5.0") << "en"
                               << "macOS 14.5.0.";
    QTest::newRow("too old phrase twice") << "X" << L::fail
                                          << "quá cũ. Target tối thiểu; quá cũ. Target tối thiểu" << "en"
                                          << "is too old. Minimum target; is too old. Minimum target";
    QTest::newRow("only the first replacement") << "X" << L::warn
                                                << "quá cũ. Target tối thiểu, có thể thiếu package" << "en"
                                                << "is too old. Minimum target, có thể thiếu package";
    QTest::newRow("marker alone stops the rules") << "X" << L::warn << "quá cũ; có thể thiếu package" << "en"
                                                  << "quá cũ; có thể thiếu package";
    QTest::newRow("architecture unchanged") << cpuArchitectureName << L::ok << "arm64" << "zh" << "arm64";
}

void I18nTest::checkDetails()
{
    QFETCH(QString, name);
    QFETCH(SystemCheck::Level, level);
    QFETCH(QString, detail);
    QFETCH(QString, language);
    QFETCH(QString, expected);
    QCOMPARE(AppStrings(languageOf(language)).systemCheckDetail(SystemCheck::make(name, level, detail)), expected);
}

void I18nTest::setupNeeded()
{
    using namespace SystemCheckTexts;
    const QList<SystemCheck> checks{SystemCheck::make(homebrewName, SystemCheck::Level::warn, ""),
                                    SystemCheck::make(freeSpaceName, SystemCheck::Level::fail, ""),
                                    SystemCheck::make(userModeName, SystemCheck::Level::ok, "")};
    QCOMPARE(AppStrings(AppLanguage::english).setupNeeded(checks),
             "Setup needed: Homebrew, Free disk space, User mode.");
    QCOMPARE(AppStrings(AppLanguage::vietnamese).setupNeeded(checks),
             "Cần chuẩn bị: Homebrew, Dung lượng trống, Chế độ user.");
    QCOMPARE(AppStrings(AppLanguage::chinese).setupNeeded(checks), "需要设置：Homebrew, 可用磁盘空间, 用户模式。");
    QCOMPARE(AppStrings(AppLanguage::japanese).setupNeeded({}), "設定が必要: .");
    QCOMPARE(AppStrings(AppLanguage::english).setupNeeded({}), "Setup needed: .");
}

void I18nTest::primaryActionLabel_data()
{
    QTest::addColumn<InstallStatus>("status");
    QTest::addColumn<AppKind>("kind");
    QTest::addColumn<bool>("hasPath");
    QTest::addColumn<QString>("expected");
    QTest::newRow("missing") << InstallStatus::missing << AppKind::cask << true << "Install";
    QTest::newRow("working") << InstallStatus::working << AppKind::cask << true << "Working";
    QTest::newRow("failed") << InstallStatus::failed << AppKind::shortcut << false << "Retry";
    QTest::newRow("blocked") << InstallStatus::blocked << AppKind::cask << true << "Details";
    QTest::newRow("installed shortcut") << InstallStatus::installed << AppKind::shortcut << false << "Open";
    QTest::newRow("installed builtin") << InstallStatus::installed << AppKind::builtin << false << "Open";
    for (const AppKind kind : {AppKind::direct, AppKind::formula, AppKind::cask, AppKind::bundle}) {
        const QString name = EnumText::toString(kind);
        QTest::newRow(qPrintable("installed " + name + " with path")) << InstallStatus::installed << kind << true
                                                                      << "Open";
        QTest::newRow(qPrintable("installed " + name + " without path")) << InstallStatus::installed << kind << false
                                                                         << "Details";
    }
    QTest::newRow("installed mime") << InstallStatus::installed << AppKind::mime << true << "Details";
    QTest::newRow("installed blocked kind") << InstallStatus::installed << AppKind::blocked << true << "Details";
}

void I18nTest::primaryActionLabel()
{
    QFETCH(InstallStatus, status);
    QFETCH(AppKind, kind);
    QFETCH(bool, hasPath);
    QFETCH(QString, expected);
    const AppItem item = itemOf(kind, hasPath ? QStringList{"~/Applications/X.app"} : QStringList{});
    QCOMPARE(AppStrings(AppLanguage::english).primaryActionLabel(status, item), expected);
}

void I18nTest::itemTexts_data()
{
    QTest::addColumn<AppItem>("item");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("expected");

    AppItem renamed = catalogEntry("deja-dup");
    renamed.macName = "Something else";
    QTest::newRow("deja-dup en") << renamed << "en" << "name" << "Backup tool (unsupported)";
    QTest::newRow("deja-dup vi") << renamed << "vi" << "name" << "Backup tool (không hỗ trợ)";
    QTest::newRow("deja-dup ko") << renamed << "ko" << "name" << "백업 도구(지원 안 됨)";
    QTest::newRow("rclone ja") << catalogEntry("rclone") << "ja" << "name" << "rclone（非対応）";
    QTest::newRow("rclone zh") << catalogEntry("rclone") << "zh" << "name" << "rclone（不支持）";
    QTest::newRow("vlc ja") << catalogEntry("vlc") << "ja" << "name" << catalogEntry("vlc").macName;

    QTest::newRow("vi description is the entry's") << catalogEntry("libreoffice") << "vi" << "description"
                                                   << catalogEntry("libreoffice").description;
    QTest::newRow("vi note is the entry's") << catalogEntry("libreoffice") << "vi" << "note"
                                            << catalogEntry("libreoffice").replacementNote;
    QTest::newRow("description zh") << catalogEntry("gnome-disks") << "zh" << "description"
                                    << "打开 Disk Utility 管理磁盘、卷和 USB 设备。";
    QTest::newRow("no note row en") << catalogEntry("vlc") << "en" << "note" << catalogEntry("vlc").replacementNote;
    QTest::newRow("no note row ja") << catalogEntry("keepassxc") << "ja" << "note" << catalogEntry("keepassxc").replacementNote;
    QTest::newRow("note ko") << catalogEntry("onlyoffice-mime") << "ko" << "note" << "xdg-mime은 duti와 Launch Services로 대체합니다.";

    AppItem unknown = catalogEntry("libreoffice");
    unknown.id = "libreoffice-custom";
    for (const char* language : {"en", "ko", "zh"}) {
        QTest::newRow(qPrintable(QString("unknown id description ") + language))
            << unknown << language << "description" << unknown.description;
        QTest::newRow(qPrintable(QString("unknown id note ") + language))
            << unknown << language << "note" << unknown.replacementNote;
    }
    AppItem upper = catalogEntry("vlc");
    upper.id = "VLC";
    QTest::newRow("ids compare exactly") << upper << "en" << "description" << upper.description;
}

void I18nTest::itemTexts()
{
    QFETCH(AppItem, item);
    QFETCH(QString, language);
    QFETCH(QString, field);
    QFETCH(QString, expected);
    const AppStrings strings(languageOf(language));
    const QString actual = field == "name"          ? strings.itemName(item)
                           : field == "description" ? strings.itemDescription(item)
                                                    : strings.itemReplacementNote(item);
    QCOMPARE(actual, expected);
}

// Every entry's description is translated in the four other languages; 18
// entries have a translated note, the rest keep their Vietnamese note.
void I18nTest::itemTranslationCoverage()
{
    for (const AppLanguage language : AppLanguage::supported()) {
        if (language == AppLanguage::vietnamese)
            continue;
        const AppStrings strings(language);
        int translatedNotes = 0;
        for (const AppItem& item : Catalog::items()) {
            QVERIFY2(strings.itemDescription(item) != item.description, qPrintable(language.code() + " " + item.id));
            if (strings.itemReplacementNote(item) != item.replacementNote)
                ++translatedNotes;
        }
        QCOMPARE(translatedNotes, 18);
    }
}

QTEST_GUILESS_MAIN(I18nTest)
#include "tst_i18n.moc"
