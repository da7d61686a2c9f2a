#pragma once

#include "i18n/AppI18nKey.h"
#include "i18n/AppLanguage.h"
#include "model/AppItem.h"
#include "model/AppKind.h"
#include "model/AppLicenseEvidenceState.h"
#include "model/InstallStatus.h"
#include "model/LicenseEvidenceConfidence.h"
#include "model/SystemCheck.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <optional>
#include <utility>

// Every user-facing text of the window, its toasts and the audit screens in
// one language. A plain value: make one from the current language whenever
// texts are needed; every operation is read-only, never fails and may be used
// from any thread.
//
// Inserted values are placed by plain concatenation: a name is inserted as it
// is (a "%1" or "&" in it stays literal text), an integer in plain decimal
// digits with a leading "-" when negative. There are no plural forms.
class AppStrings {
public:
    explicit AppStrings(AppLanguage language = AppLanguage::english) : m_language(language) {}

    AppLanguage language() const { return m_language; }

    // ---- Keyed labels
    // The label of the key in this language, else the English one, else the
    // key's case name.
    QString text(AppI18nKey key) const;

    // ---- Settings
    QString settingsSubtitle() const;
    QString languageSettingDetail() const;

    // ---- Updates
    QString updateRequiredMessage() const;
    QString updateRequiredStatus() const;
    QString updateRequiredToast() const;
    QString updateDownloadUnavailable() const;
    QString openingUpdateDownload() const;
    QString updateRequiredMessageWithVersion(const QString& version) const;
    // An empty version reads "latest".
    QString updateAvailableToast(const QString& version) const;

    // ---- System readiness and status refresh
    QString systemChecksDescription() const;
    QString systemReadyDetail() const;
    QString checkingInstalledStatus() const;
    QString statusRefreshed() const;
    QString itemUnsupportedToast() const;

    // ---- Removal confirmation
    QString removePromptMessage(const QString& itemName) const;

    // ---- Counts
    QString summary(qint64 installed, qint64 total) const;
    QString operationSummary(qint64 done, qint64 total) const;

    // ---- Operations on one item (name: the name the caller shows)
    QString processing(const QString& name) const;
    QString installing(const QString& name) const;
    QString opening(const QString& name) const;
    QString removing(const QString& name) const;
    QString preparingRemove(const QString& name) const;
    QString preparingInstall(const QString& name) const;
    QString finished(const QString& name) const;
    QString processed(const QString& name) const;
    QString failedToProcess(const QString& name) const;
    QString failedItem(const QString& name) const;
    QString opened(const QString& name) const;
    QString couldNotOpen(const QString& name) const;
    QString removed(const QString& name) const;
    QString failedToRemove(const QString& name) const;
    QString removeFailed(const QString& name) const;
    // The same texts as preparingInstall() and processed().
    QString preparingPreset(const QString& name) const;
    QString processedItem(const QString& name) const;

    // ---- Presets
    QString installingPreset(const QString& name, qint64 count) const;
    QString finishedPreset(const QString& name) const;
    QString presetFailures(qint64 count) const;
    QString finishedPresetSummary(const QString& name, qint64 success, qint64 failed) const;

    // ---- Reports, log and Homebrew guidance
    QString writingReport() const;
    QString copiedLogPath() const;
    QString openedHomebrewGuide() const;
    QString copiedHomebrewInstallCommand() const;
    QString copiedHomebrewCommand() const;

    // ---- Cloud actions
    QString syncingCatalog() const;
    QString uploadingReport() const;
    QString cloudActionFinished() const;
    QString cloudActionFailed() const;

    // ---- Catalog entries
    // The entry's macName, except for the two unsupported entries.
    QString itemName(const AppItem& item) const;
    // Vietnamese: the entry's own text; otherwise the translation of the item
    // id in this language, else in English, else the entry's own text.
    QString itemDescription(const AppItem& item) const;
    QString itemReplacementNote(const AppItem& item) const;

    // ---- Texts keyed by data
    QString systemTitle(SystemCheck::Level level) const;
    // The check's name translated when it is one of the engine's translated
    // names; any other name unchanged.
    QString systemCheckName(const SystemCheck& check) const;
    // The check's detail in this language (the engine writes Vietnamese).
    QString systemCheckDetail(const SystemCheck& check) const;
    // "Setup needed: " and the names of all checks given, joined with ", ".
    QString setupNeeded(const QList<SystemCheck>& checks) const;
    // "● " and the status label, or for working the progress text when given.
    QString statusText(InstallStatus status, const std::optional<QString>& progressText = std::nullopt) const;
    QString primaryActionLabel(InstallStatus status, const AppItem& item) const;
    QString sourceLabel(AppKind kind) const;
    // "", the one name, both names joined with ", ", or the count of packages.
    QString packageSummary(const QStringList& packages) const;
    // The label of a catalog group or of the pseudo-group "all"; any other id
    // unchanged.
    QString groupLabel(const QString& groupID) const;

    // ---- Audit
    QString reportTitle() const;
    QString reportDescription() const;
    QString auditSubtitle() const;
    QString auditPreparing() const;
    QString auditNoDataTitle() const;
    QString auditNoDataDetail() const;
    QString auditSidebarSummaryTitle() const;
    QString copiedReportPath() const;
    QString auditScanProgress(qint64 completed, qint64 total, qint64 percent) const;
    QString auditUpdatingCatalog(qint64 count) const;
    QString auditComplete(qint64 count) const;
    QString auditSummary(qint64 total, qint64 keyPresent, qint64 keyNotRequired, qint64 keyNotDetected) const;
    QString auditSidebarSummaryDetail(qint64 count) const;
    QString auditLicenseLabel() const;
    QString auditLicenseSourceLabel() const;
    QString auditLicenseDetailLabel() const;
    QString auditLicenseConfidenceLabel() const;
    QString auditLicenseSignalsLabel() const;
    QString auditDeveloperLabel() const;
    QString auditSignatureLabel() const;
    QString auditLicenseNotice() const;
    QString auditEvidenceNotice() const;
    // By exact comparison with "valid", "invalid", "unsigned", "ad-hoc",
    // "not-applicable" and "receipt-only"; any other text reads "Unknown".
    QString auditSignatureStatusLabel(const QString& signatureStatus) const;
    QString auditLicenseEvidenceLabel(AppLicenseEvidenceState state) const;
    QString auditLicenseConfidenceValue(LicenseEvidenceConfidence confidence) const;

    // ---- Literals of the screens
    // The text of this language among the five given (en, vi, ko, ja, zh),
    // UTF-8.
    QString pick(const char* en, const char* vi, const char* ko, const char* ja, const char* zh) const;

private:
    // Compiled-in tables, one list per language.
    static QList<std::pair<AppI18nKey, QString>> keyedTextList(AppLanguage language);
    static QList<std::pair<QString, QString>> itemDescriptionList(AppLanguage language);
    static QList<std::pair<QString, QString>> replacementNoteList(AppLanguage language);

    // Texts the rules choose from; none where Vietnamese keeps the detail.
    QString dejaDupName() const;
    QString rcloneName() const;
    std::optional<QString> brewNotFoundText() const;
    QString internetText(bool resolved) const;
    QString xcodeText(bool available) const;
    std::optional<QString> freeSpaceText(const QString& amount) const;
    std::optional<QString> rootUserText() const;
    std::optional<QString> installStateText(const QString& detail) const;
    std::optional<QString> tooOldReplacement() const;
    std::optional<QString> missingPackagesReplacement() const;
    QString setupNeededFrame(const QString& names) const;
    QString statusLabel(InstallStatus status) const;
    QString installLabel() const;
    QString openLabel() const;
    QString detailsLabel() const;
    QString workingLabel() const;
    QString retryLabel() const;
    QString packageCountText(qint64 count) const;

    AppLanguage m_language;
};
