#pragma once

#include <QSize>

#include <optional>

// The main window's size rules: the smallest content it allows and the one
// correction of its first size.
namespace WindowSizing {

// The smallest content area of the main window.
inline constexpr QSize minimumContentSize{1120, 760};

// The correction of a window's first size, applied once per window: a content
// area narrower or lower than the minimum grows to it in that direction (the
// window is then centred); a large enough one, or any size once the
// correction was applied, stays as it is (none).
std::optional<QSize> initialContentSize(QSize contentSize, bool alreadyApplied);

} // namespace WindowSizing
