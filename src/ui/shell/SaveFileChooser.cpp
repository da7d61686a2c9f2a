#include "ui/shell/SaveFileChooser.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
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
    if (!request.folder.isEmpty())
        chooser->setDirectory(request.folder);
    if (!request.fileName.isEmpty())
        chooser->selectFile(request.folder.isEmpty() ? request.fileName
                                                     : QDir(request.folder).filePath(request.fileName));
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
