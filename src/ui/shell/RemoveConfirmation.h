#pragma once

#include "model/AppItem.h"

#include <QMessageBox>
#include <QObject>
#include <QPointer>

class DevivuKitViewModel;
class QWidget;

// The question before an entry is removed: a window-modal message box of
// the window, open exactly while the view model's pendingUninstall holds an
// entry. Its title and message name the entry as plain text. Cancel
// ("remove-cancel", the default and the escape button) clears
// pendingUninstall, as closing the box any other way does; Remove
// ("remove-confirm") calls confirmUninstall with the entry the box was opened
// for. When pendingUninstall is cleared (or changes) elsewhere, the box
// closes without acting (and a new one opens for a new entry).
class RemoveConfirmation : public QObject {
    Q_OBJECT

public:
    RemoveConfirmation(DevivuKitViewModel& model, QWidget* window);

    // The open box; nullptr when none.
    QMessageBox* box() const { return m_box; }

private:
    void follow();
    void closeSilently();
    void finished(QMessageBox* box);

    DevivuKitViewModel& m_model;
    QWidget* m_window;
    QPointer<QMessageBox> m_box;
    AppItem m_item;
};
