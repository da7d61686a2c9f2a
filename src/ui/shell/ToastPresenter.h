#pragma once

#include "ui/shell/ToastView.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>

class DevivuKitViewModel;
class QAbstractAnimation;
class QMainWindow;

// Shows the view model's toast over the window: a ToastView child of the
// main window, raised above its central widget, its right edge 24 px from the
// central widget's right and its bottom 24 px from its bottom, placed again
// whenever the window is resized (sheets, being windows of their own, may
// cover it). A new toast slides in from the right edge while it fades in, a
// replaced one takes the new message in place, a cleared one slides out to
// the right while it fades out and is deleted (0.18 s, ease in and out; at
// once while animations are off).
class ToastPresenter : public QObject {
    Q_OBJECT

public:
    static constexpr int cornerInset = 24;
    static constexpr int slideMilliseconds = 180;
    // The object name of a toast's slide and fade, a child of the toast.
    static constexpr char transitionName[] = "toast-transition";
    // The toast's slide and fade while it runs; nullptr when none runs.
    static QAbstractAnimation* runningTransition(const ToastView* view);

    ToastPresenter(DevivuKitViewModel& model, QMainWindow* window);

    // The toast on screen; nullptr when none.
    ToastView* view() const { return m_view; }
    // The last toast cleared, while it is still sliding out; nullptr once it
    // is gone.
    ToastView* leavingView() const { return m_leaving; }

    // Where a toast of the view's size goes in the window.
    QRect placement(const ToastView& view) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void follow();
    void place();
    // Moves the toast to the position and the opacity together, animated;
    // the running animation, or nullptr when it was done at once.
    static QAbstractAnimation* transition(ToastView* view, QPoint position, double opacity);

    DevivuKitViewModel& m_model;
    QMainWindow* m_window;
    QPointer<ToastView> m_view;
    QPointer<ToastView> m_leaving;
};
