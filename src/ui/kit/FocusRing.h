#pragma once

#include <Qt>

// When a painted control shows its focus ring: only while the focus came by
// the keyboard (Tab, Backtab, a shortcut). Such controls take the focus by Tab
// alone (Qt::TabFocus), as a click never gives a Mac push button the focus,
// so a mouse user sees no ring, also not on the control that inherits the
// focus when a clicked one hides itself.
namespace FocusRing {

// Whether the ring shows after the control gained the focus for the reason;
// shown is whether it showed before (the window coming back or a menu
// closing returns the focus as it was).
bool afterFocusIn(Qt::FocusReason reason, bool shown);
// Whether the ring shows after the control lost the focus for the reason
// (kept for when the window or a menu gives it back).
bool afterFocusOut(Qt::FocusReason reason, bool shown);

} // namespace FocusRing
