#include "app/SystemDesktop.h"

#include "audit/MacReportPDF.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

SystemDesktop::SystemDesktop(SaveChooser saveChooser) : m_saveChooser(std::move(saveChooser))
{
}

bool SystemDesktop::openUrl(const QUrl& url)
{
    return QDesktopServices::openUrl(url);
}

bool SystemDesktop::openFile(const QString& path)
{
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void SystemDesktop::copyText(const QString& text)
{
    if (QClipboard* clipboard = QGuiApplication::clipboard()) {
        clipboard->clear();
        clipboard->setText(text);
    }
}

QString SystemDesktop::documentsFolder() const
{
    return MacReportPDF::proposedFolder();
}

std::optional<QString> SystemDesktop::chooseSaveFile(const SaveRequest& request)
{
    if (!m_saveChooser)
        return std::nullopt;
    return m_saveChooser(request);
}
