#pragma once

#include "ui/shell/ToastView.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class DevivuKitViewModel;
class QMainWindow;

// Shows the view model's toast over the window: a ToastView child of the
// main window, raised above its central widget, its right edge 24 px from the
// central widget's right and its bottom 24 px from its bottom, placed again
// whenever the window is resized (sheets, being windows of their own, may
// cover it). A new toast slides in from the right edge, a replaced one takes
// the new message in place, a cleared one slides out to the right (0.18 s,
// at once while animations are off) and is deleted.
class ToastPresenter : public QObject {
    Q_OBJECT

public:
    static constexpr int cornerInset = 24;
    static constexpr int slideMilliseconds = 180;

    ToastPresenter(DevivuKitViewModel& model, QMainWindow* window);

    // The toast on screen; nullptr when none.
    ToastView* view() const { return m_view; }

    // Where a toast of the view's size goes in the window.
    QRect placement(const ToastView& view) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void place();

    DevivuKitViewModel& m_model;
    QMainWindow* m_window;
    QPointer<ToastView> m_view;
};
