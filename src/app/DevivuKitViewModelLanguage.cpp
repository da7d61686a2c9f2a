// The view model's language switch, the clipboard actions and the Homebrew
// guide. None of them passes the release gate.

#include "app/DevivuKitViewModel.h"

#include "app/ViewModelTexts.h"
#include "model/SystemCheckTexts.h"

#include <QUrl>

namespace {

// Whether the text is exactly the key's text in one of the languages.
bool isKeyedTextInAnyLanguage(const QString& text, AppI18nKey key)
{
    const QList<AppLanguage>& languages = AppLanguage::supported();
    return std::any_of(languages.cbegin(), languages.cend(),
                       [&](AppLanguage language) { return AppStrings(language).text(key) == text; });
}

} // namespace

void DevivuKitViewModel::setLanguage(AppLanguage language)
{
    if (m_language != language) {
        m_language = language;
        Q_EMIT languageChanged();
    }
    m_settings->setText(QString::fromUtf8(AppLanguage::defaultsKey), language.code());
    const AppStrings texts = strings();
    setCurrentAction(texts.text(AppI18nKey::readyAction));
    setOperationSummaryText(texts.operationSummary(m_operationCompletedItems, m_operationTotalItems));
    // A placeholder follows the language; a progress text or a result stays.
    if (isKeyedTextInAnyLanguage(m_cloudOutput, AppI18nKey::noDeviceData))
        setCloudOutput(texts.text(AppI18nKey::noDeviceData));
    // The readiness sentence of a check result is made from the check rows,
    // so it is made again by a fresh check.
    if (isKeyedTextInAnyLanguage(m_coreReadinessDetail, AppI18nKey::checkingCore))
        setCoreReadiness(m_coreReadinessLabel, m_coreReadinessLevel, texts.text(AppI18nKey::checkingCore));
    else
        refreshCoreReadiness();
}

void DevivuKitViewModel::openHomebrewGuide()
{
    const QString site = QString::fromUtf8(SystemCheckTexts::homebrewSite);
    // What the desktop does with it is not looked at.
    m_desktop->openUrl(QUrl(site));
    setCurrentAction(strings().openedHomebrewGuide());
    appendLog(QStringLiteral("Mở hướng dẫn Homebrew: ") + site);
}

void DevivuKitViewModel::copyHomebrewInstallCommand()
{
    m_desktop->copyText(QString::fromUtf8(ViewModelTexts::homebrewInstallCommand));
    setCurrentAction(strings().copiedHomebrewInstallCommand());
    appendLog(QStringLiteral("Đã copy lệnh cài Homebrew vào clipboard."));
    showToast(strings().copiedHomebrewCommand(), ToastMessage::Kind::success);
}

void DevivuKitViewModel::copyLogPath()
{
    m_desktop->copyText(m_logPath);
    showToast(strings().copiedLogPath(), ToastMessage::Kind::success);
}

void DevivuKitViewModel::copyReportPath()
{
    m_desktop->copyText(m_reportPath);
    showToast(strings().copiedReportPath(), ToastMessage::Kind::success);
}
