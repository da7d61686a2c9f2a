#pragma once

#include <QColor>
#include <QPixmap>
#include <QRectF>
#include <QString>
#include <QStringList>

class QPainter;

// The window names its icons as on macOS ("xmark", "gearshape", ...). Each
// name stands for a symbolic icon of the installed Adwaita theme, read at run
// time as <icon>-symbolic.svg from any context folder under its scalable/
// folder, drawn at the asked size and tinted to one colour. A name without an
// icon, an icon whose file is missing and one that Qt Svg cannot draw show a
// neutral placeholder glyph: a symbol is never blank.
namespace Symbols {

// The theme icon a name stands for ("window-close" for "xmark"); empty for a
// name the window does not know.
QString themeIconName(const QString& name);

// Every name that has a theme icon.
QStringList knownNames();

// The icon file of a name, found in the theme's folders; empty when the name
// is unknown or no file exists.
QString filePath(const QString& name);

// The side in pixels of a symbol set at a font size: symbols are drawn a
// little larger than the letters beside them.
double side(double fontPixelSize);

// The symbol in a square of the side (logical pixels), in the colour, for a
// device pixel ratio. Results are cached.
QPixmap pixmap(const QString& name, double side, const QColor& color, qreal devicePixelRatio = 1.0);

// Paints the symbol centred in the rectangle at the side.
void paint(QPainter& painter, const QRectF& rect, const QString& name, double side, const QColor& color);

} // namespace Symbols
