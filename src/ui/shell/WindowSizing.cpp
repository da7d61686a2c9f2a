#include "ui/shell/WindowSizing.h"

#include <QtGlobal>

namespace WindowSizing {

std::optional<QSize> initialContentSize(QSize contentSize, bool alreadyApplied)
{
    if (alreadyApplied)
        return std::nullopt;
    if (contentSize.width() >= minimumContentSize.width() && contentSize.height() >= minimumContentSize.height())
        return std::nullopt;
    return QSize(qMax(minimumContentSize.width(), contentSize.width()),
                 qMax(minimumContentSize.height(), contentSize.height()));
}

} // namespace WindowSizing
