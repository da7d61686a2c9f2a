#pragma once

#include "app/DevivuKitViewModel.h"

#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QWidget;

// Presents the sheet the view model's activeSheet names, as a window-modal
// dialog of the window made by a factory (SheetFactory::make by default) and
// opened with open().
//
// - The same sheet id keeps its dialog.
// - Any other value (another id or none) first closes the open dialog
//   silently: it is hidden and deleted later, and nothing the dialog does on
//   a user close runs (the host stops listening to it first). Then the new
//   sheet, if any, opens.
// - A user close (the dialog finishes: buttons, keys, the title bar) sets
//   activeSheet to none, but only while activeSheet still names that dialog;
//   a dialog that finishes twice counts once.
// Every dialog is named after its sheet's id (objectName).
class SheetHost : public QObject {
    Q_OBJECT

public:
    using Factory =
        std::function<QDialog*(DevivuKitViewModel& model, const DevivuKitViewModel::Sheet& sheet, QWidget* parent)>;

    SheetHost(DevivuKitViewModel& model, QWidget* window, Factory factory = {});

    // The open dialog; nullptr when none.
    QDialog* dialog() const { return m_dialog; }
    // The id of the sheet the open dialog shows; empty when none.
    const QString& dialogID() const { return m_dialogID; }

private:
    void follow();
    void closeSilently();
    void finished(QDialog* dialog);

    DevivuKitViewModel& m_model;
    QWidget* m_window;
    Factory m_factory;
    QPointer<QDialog> m_dialog;
    QString m_dialogID;
};
