// The view model's release-policy gate and update download.

#include "app/DevivuKitViewModel.h"

#include "app/BackgroundTasks.h"
#include "app/ViewModelTexts.h"
#include "model/ReleaseDownloadPolicy.h"

void DevivuKitViewModel::checkReleasePolicy(bool showToast)
{
    BackgroundTasks::runThenApply(
        this, [cloud = m_cloud] { return cloud->releasePolicy(); },
        [showToast](DevivuKitViewModel& model, const std::optional<ReleasePolicy>& policy) {
            model.applyReleasePolicy(policy, showToast);
        });
}

void DevivuKitViewModel::applyReleasePolicy(const std::optional<ReleasePolicy>& policy, bool showToast)
{
    setReleasePolicyState(policy, policy && policy->updateRequired);
    if (!policy) {
        appendLog(QStringLiteral("Release policy không khả dụng; app tiếp tục fail-open."));
        return;
    }
    if (policy->updateRequired) {
        // Shown whatever showToast says.
        setCurrentAction(strings().updateRequiredStatus());
        appendLog(QStringLiteral("Release policy yêu cầu update trước khi dùng tiếp."));
        this->showToast(updateTitle(), ToastMessage::Kind::warning);
        return;
    }
    if (policy->updateAvailable) {
        const QString version = announcedVersion();
        appendLog(QStringLiteral("Release policy báo có bản mới ") + version + QLatin1Char('.'));
        if (showToast)
            this->showToast(strings().updateAvailableToast(version), ToastMessage::Kind::warning);
        return;
    }
    appendLog(QStringLiteral("Release policy OK cho phiên bản hiện tại."));
}

bool DevivuKitViewModel::releasePolicyAllowsAction()
{
    if (!m_updateRequired)
        return true;
    setCurrentAction(strings().updateRequiredStatus());
    setCloudOutput(updateMessage());
    showToast(strings().updateRequiredToast(), ToastMessage::Kind::warning);
    return false;
}

QString DevivuKitViewModel::announcedVersion() const
{
    if (!m_releasePolicy)
        return {};
    if (!m_releasePolicy->latestVersion.isEmpty())
        return m_releasePolicy->latestVersion;
    return m_releasePolicy->minSupportedVersion;
}

QString DevivuKitViewModel::updateTitle() const
{
    if (m_releasePolicy)
        return m_releasePolicy->title;
    return ViewModelTexts::updateRequiredTitle(m_language);
}

QString DevivuKitViewModel::updateMessage() const
{
    if (m_releasePolicy && !m_releasePolicy->message.isEmpty())
        return m_releasePolicy->message;
    const QString version = announcedVersion();
    if (!version.isEmpty())
        return strings().updateRequiredMessageWithVersion(version);
    return strings().updateRequiredMessage();
}

void DevivuKitViewModel::openReleaseDownload()
{
    const std::optional<QUrl> url =
        m_releasePolicy ? ReleaseDownloadPolicy::validatedURL(m_releasePolicy->downloadURL) : std::nullopt;
    if (!url) {
        showToast(strings().updateDownloadUnavailable(), ToastMessage::Kind::warning);
        return;
    }
    m_desktop->openUrl(*url);
    setCurrentAction(strings().openingUpdateDownload());
    appendLog(QStringLiteral("Mở link update: ") + m_releasePolicy->downloadURL);
}
