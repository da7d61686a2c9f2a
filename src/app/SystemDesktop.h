#pragma once

#include "app/DesktopServices.h"

#include <functional>

// The desktop of the window: Qt's desktop services and clipboard. The save
// chooser is the window's dialog, handed in by the window; without one every
// request counts as cancelled.
class SystemDesktop final : public DesktopServices {
public:
    using SaveChooser = std::function<std::optional<QString>(const SaveRequest& request)>;

    explicit SystemDesktop(SaveChooser saveChooser = {});

    bool openUrl(const QUrl& url) override;
    bool openFile(const QString& path) override;
    void copyText(const QString& text) override;
    // MacReportPDF::proposedFolder().
    QString documentsFolder() const override;
    std::optional<QString> chooseSaveFile(const SaveRequest& request) override;

private:
    SaveChooser m_saveChooser;
};
