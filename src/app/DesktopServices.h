#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// What the view model asks of the desktop: opening web addresses and files in
// their default applications, the clipboard, the user's Documents folder and
// the save chooser. Used on the GUI thread only.
class DesktopServices {
public:
    // What the save chooser is asked for.
    struct SaveRequest {
        QString title;
        // The file name proposed.
        QString fileName;
        // The folder it opens in; empty for the chooser's own default.
        QString folder;
        // The file name extensions it accepts, without the dot ("pdf").
        QStringList suffixes;

        bool operator==(const SaveRequest&) const = default;
    };

    virtual ~DesktopServices() = default;

    // Whether the desktop accepted the request.
    virtual bool openUrl(const QUrl& url) = 0;
    virtual bool openFile(const QString& path) = 0;
    // Replaces the clipboard's contents with the plain text.
    virtual void copyText(const QString& text) = 0;
    // The user's first Documents folder, or empty when the system has none.
    virtual QString documentsFolder() const = 0;
    // Asks the user where to save; none when cancelled.
    virtual std::optional<QString> chooseSaveFile(const SaveRequest& request) = 0;
};
