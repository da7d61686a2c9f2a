#include "FakeDesktop.h"

bool FakeDesktop::openUrl(const QUrl& url)
{
    m_openedUrls.append(url);
    return m_openResult;
}

bool FakeDesktop::openFile(const QString& path)
{
    m_openedFiles.append(path);
    return m_openResult;
}

void FakeDesktop::copyText(const QString& text)
{
    m_copiedTexts.append(text);
}

std::optional<QString> FakeDesktop::chooseSaveFile(const SaveRequest& request)
{
    m_saveRequests.append(request);
    if (m_whileChoosing)
        m_whileChoosing();
    return m_saveAnswer;
}
