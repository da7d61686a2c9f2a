#pragma once

#include "app/DesktopServices.h"

#include <optional>

class QFileDialog;
class QWidget;

// The window's save chooser (the desktop's chooseSaveFile): a modal file
// dialog over the active modal window (the report sheet while it is open,
// else the active window) that asks where to save, filtering the request's
// suffixes (PDF), adding the first one when the name typed has none, and
// proposing the request's file name in its folder (the Documents folder), or
// in the home folder when the request names no folder or one that is not
// there.
// It returns once the user chose (the path) or cancelled (none).
namespace SaveFileChooser {

std::optional<QString> choose(const DesktopServices::SaveRequest& request);

// The dialog for a request, set up but not shown (for tests).
QFileDialog* dialog(const DesktopServices::SaveRequest& request, QWidget* parent);

} // namespace SaveFileChooser
