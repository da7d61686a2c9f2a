#pragma once

#include <QStringList>

// The font families the PDF report sets its text in, in the order Qt looks up
// a character's glyph. On macOS: the system font alone, whose own cascade
// covers every script. Elsewhere: "Inter" (Debian package fonts-inter), whose
// letter widths are close to the Mac's system font, so that texts fit the
// layout as they do on a Mac; then a family for Korean, Japanese and Chinese.
// Every family must be installed: nothing falls back to another font quietly
// (the report's tests fail when one is missing). Needs a QGuiApplication.
QStringList reportFontFamilies();
