#include "ui/shell/ToastPresenter.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/shell/ToastView.h"

#include <QAbstractAnimation>
#include <QEvent>
#include <QMainWindow>
#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

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
        m_leaving = leaving;
        if (QAbstractAnimation* slide = transition(leaving, QPoint(m_window->width(), leaving->y()), 0.0))
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
    view->setOpacity(0.0);
    view->show();
    view->raise();
    transition(view, target.topLeft(), 1.0);
}

QAbstractAnimation* ToastPresenter::runningTransition(const ToastView* view)
{
    // A stopped transition is deleted later: it may still be there.
    const QList<QAbstractAnimation*> transitions =
        view->findChildren<QAbstractAnimation*>(QString::fromLatin1(transitionName), Qt::FindDirectChildrenOnly);
    for (QAbstractAnimation* animation : transitions) {
        if (animation->state() == QAbstractAnimation::Running)
            return animation;
    }
    return nullptr;
}

QAbstractAnimation* ToastPresenter::transition(ToastView* view, QPoint position, double opacity)
{
    // A turn in the middle of a move starts from where the toast is.
    if (QAbstractAnimation* running = runningTransition(view))
        running->stop();
    const int milliseconds = Design::duration(slideMilliseconds);
    if (milliseconds == 0) {
        view->move(position);
        view->setOpacity(opacity);
        return nullptr;
    }
    auto* group = new QParallelAnimationGroup(view);
    group->setObjectName(QString::fromLatin1(transitionName));
    const std::pair<const char*, QVariant> ends[] = {{"pos", position}, {"opacity", opacity}};
    for (const auto& [property, value] : ends) {
        auto* animation = new QPropertyAnimation(view, property, group);
        animation->setDuration(milliseconds);
        animation->setEndValue(value);
        animation->setEasingCurve(QEasingCurve::InOutQuad);
    }
    group->start(QAbstractAnimation::DeleteWhenStopped);
    return group;
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
