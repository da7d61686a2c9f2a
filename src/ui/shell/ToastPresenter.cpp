#include "ui/shell/ToastPresenter.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/shell/ToastView.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QMainWindow>

ToastPresenter::ToastPresenter(DevivuKitViewModel& model, QMainWindow* window)
    : QObject(window), m_model(model), m_window(window)
{
    window->installEventFilter(this);
    connect(&model, &DevivuKitViewModel::toastChanged, this, &ToastPresenter::follow);
    follow();
}

QRect ToastPresenter::placement(const ToastView& view) const
{
    const QWidget* central = m_window->centralWidget();
    const QRect area = central ? central->geometry() : m_window->rect();
    const int width = qMax(0, qMin(int(ToastView::maximumWidth), area.width() - cornerInset));
    const int height = view.heightForWidth(width);
    return {area.right() + 1 - cornerInset - width, area.bottom() + 1 - cornerInset - height, width, height};
}

void ToastPresenter::follow()
{
    const std::optional<DevivuKitViewModel::ToastMessage>& toast = m_model.toast();
    if (!toast) {
        ToastView* leaving = m_view;
        m_view = nullptr;
        if (!leaving)
            return;
        const QPoint away(m_window->width(), leaving->y());
        if (QAbstractAnimation* slide = Design::animate(leaving, "pos", away, slideMilliseconds))
            connect(slide, &QAbstractAnimation::finished, leaving, &QObject::deleteLater);
        else
            leaving->deleteLater();
        return;
    }
    if (m_view) {
        m_view->setMessage(*toast);
        place();
        return;
    }
    auto* view = new ToastView(*toast, m_window);
    m_view = view;
    const QRect target = placement(*view);
    view->setGeometry(target.translated(m_window->width() - target.left(), 0));
    view->show();
    view->raise();
    Design::animate(view, "pos", target.topLeft(), slideMilliseconds);
}

void ToastPresenter::place()
{
    if (m_view)
        m_view->setGeometry(placement(*m_view));
}

bool ToastPresenter::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_window && event->type() == QEvent::Resize)
        place();
    return QObject::eventFilter(watched, event);
}
