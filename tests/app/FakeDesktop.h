#pragma once

#include "app/DesktopServices.h"

#include <QList>

#include <functional>

// A desktop for view-model tests: it records what it is asked to open, copy
// and save, and answers the save chooser from the script.
class FakeDesktop final : public DesktopServices {
public:
    // What openUrl and openFile answer (true unless set).
    void setOpenResult(bool ok) { m_openResult = ok; }
    void setDocumentsFolder(const QString& folder) { m_documentsFolder = folder; }
    // What the save chooser answers (cancelled unless set).
    void setSaveAnswer(const std::optional<QString>& path) { m_saveAnswer = path; }
    // Runs while the chooser is open, before it answers (as the window's
    // modal dialog lets posted results land meanwhile).
    void setWhileChoosing(std::function<void()> fn) { m_whileChoosing = std::move(fn); }

    const QList<QUrl>& openedUrls() const { return m_openedUrls; }
    const QStringList& openedFiles() const { return m_openedFiles; }
    // Every text put on the clipboard, oldest first.
    const QStringList& copiedTexts() const { return m_copiedTexts; }
    const QList<SaveRequest>& saveRequests() const { return m_saveRequests; }

    bool openUrl(const QUrl& url) override;
    bool openFile(const QString& path) override;
    void copyText(const QString& text) override;
    QString documentsFolder() const override { return m_documentsFolder; }
    std::optional<QString> chooseSaveFile(const SaveRequest& request) override;

private:
    bool m_openResult = true;
    QString m_documentsFolder = QStringLiteral("/Users/tester/Documents");
    std::optional<QString> m_saveAnswer;
    std::function<void()> m_whileChoosing;
    QList<QUrl> m_openedUrls;
    QStringList m_openedFiles;
    QStringList m_copiedTexts;
    QList<SaveRequest> m_saveRequests;
};
