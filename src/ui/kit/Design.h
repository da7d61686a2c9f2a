#pragma once

#include <QByteArray>
#include <QColor>
#include <QEasingCurve>
#include <QFont>
#include <QString>
#include <QStringList>
#include <QVariant>

class QAbstractAnimation;
class QObject;
class QWidget;

// The window's palette, its fonts and its animation switch. Sizes are logical
// pixels throughout the window (a point of the design is one logical pixel).
namespace Design {

// The fourteen colour tokens. Views apply opacities at the point of use.
inline const QColor primary{255, 79, 23};
inline const QColor sidebarSelected{184, 119, 93};
inline const QColor sidebarAction{57, 214, 66};
inline const QColor sidebar{17, 28, 43};
inline const QColor sidebarMuted{159, 176, 195};
inline const QColor background{246, 243, 238};
inline const QColor card{255, 255, 255};
inline const QColor iconFrame{245, 247, 250};
inline const QColor border{223, 229, 238};
inline const QColor text{23, 32, 42};
inline const QColor mutedText{102, 112, 133};
inline const QColor success{31, 157, 85};
inline const QColor warning{242, 169, 0};
inline const QColor danger{214, 69, 69};

// A token (or any colour) at an opacity between 0 and 1.
QColor withOpacity(const QColor& color, double opacity);

// The three faces of the system font the window uses. "rounded" is the
// default family: no rounded face is installed on every machine.
enum class FontDesign { standard, rounded, monospaced };

// A font of the design: size in logical pixels (fractions allowed), weight and
// face. Semibold is QFont::DemiBold, heavy QFont::ExtraBold.
struct FontSpec {
    double pixelSize = 13;
    QFont::Weight weight = QFont::Normal;
    FontDesign design = FontDesign::standard;
    bool italic = false;

    bool operator==(const FontSpec&) const = default;
};

// The family every text of the window is set in. On macOS the system font; on
// other systems the family of the PDF report, so that the window and the
// report read alike. This is the one place that chooses it.
QString fontFamily();

// The families a face is looked up in, in order: the face's own family, then
// Noto Sans CJK for Korean, Japanese and Chinese, then the colour emoji font
// (the language picker's flags).
QStringList fontFamilies(FontDesign design = FontDesign::standard);

// The font of a FontSpec for Qt's own widgets. Qt sets widget fonts in whole
// pixels, so a fractional size is rounded here; TextBlock keeps it exact.
QFont font(const FontSpec& fontSpec);
QFont font(double pixelSize, QFont::Weight weight = QFont::Normal,
           FontDesign design = FontDesign::standard);

// Fills the widget's background with the colour (a sheet on Design::background).
void setBackground(QWidget& widget, const QColor& color);

// The dynamic property a text widget carries (true) when it may elide or
// shrink its text by design: set where the elision is configured, never for
// a text that must show whole. Every other text widget must get at least its
// size hint (its heightForWidth when it wraps); the layout check holds the
// screens to that.
inline constexpr char elidesProperty[] = "tavrinElides";
void setElides(QWidget& widget, bool elides = true);

// False when the environment sets TAVRIN_UI_ANIMATIONS to "0": every
// animation of the window is then instant (the tests and the pictures set it).
bool animationsEnabled();

// A duration in milliseconds, or 0 while animations are off.
int duration(int milliseconds);

// Animates the target's property to the value over the duration, or sets it
// at once while animations are off (or the duration is not positive). The
// running animation is returned (owned by the target and deleted when it
// stops); nullptr when the value was set at once.
QAbstractAnimation* animate(QObject* target, const QByteArray& property, const QVariant& endValue,
                            int milliseconds, QEasingCurve easing = QEasingCurve::InOutQuad);

} // namespace Design
