#include "ui/kit/FocusRing.h"

namespace FocusRing {

namespace {

bool returnsLater(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

bool afterFocusIn(Qt::FocusReason reason, bool shown)
{
    if (returnsLater(reason))
        return shown;
    return reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason || reason == Qt::ShortcutFocusReason;
}

bool afterFocusOut(Qt::FocusReason reason, bool shown)
{
    return returnsLater(reason) && shown;
}

} // namespace FocusRing
