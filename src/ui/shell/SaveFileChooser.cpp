#include "ui/shell/SaveFileChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPointer>

namespace SaveFileChooser {

QFileDialog* dialog(const DesktopServices::SaveRequest& request, QWidget* parent)
{
    auto* chooser = new QFileDialog(parent, request.title);
    chooser->setObjectName(QStringLiteral("save-chooser"));
    chooser->setAcceptMode(QFileDialog::AcceptSave);
    chooser->setFileMode(QFileDialog::AnyFile);
    if (!request.suffixes.isEmpty()) {
        QStringList patterns;
        for (const QString& suffix : request.suffixes)
            patterns.append(QStringLiteral("*.") + suffix);
        chooser->setNameFilter(request.suffixes.first().toUpper() + QStringLiteral(" (") + patterns.join(u' ')
                               + QLatin1Char(')'));
        chooser->setDefaultSuffix(request.suffixes.first());
    }
    // A folder that is not there (a new account has no Documents yet) would
    // leave the dialog in the program's working directory: the home folder
    // stands in for it.
    const QString folder = !request.folder.isEmpty() && QFileInfo(request.folder).isDir() ? request.folder
                                                                                          : QDir::homePath();
    chooser->setDirectory(folder);
    if (!request.fileName.isEmpty())
        chooser->selectFile(QDir(folder).filePath(request.fileName));
    return chooser;
}

std::optional<QString> choose(const DesktopServices::SaveRequest& request)
{
    QWidget* parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    QPointer<QFileDialog> chooser = dialog(request, parent);
    const bool accepted = chooser->exec() == QDialog::Accepted;
    if (!chooser)
        return std::nullopt;
    const QStringList files = chooser->selectedFiles();
    delete chooser;
    if (!accepted || files.isEmpty())
        return std::nullopt;
    return files.first();
}

} // namespace SaveFileChooser
