#include "ui/kit/Design.h"

#include "audit/ReportFontFamilies.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QPalette>
#include <QPropertyAnimation>
#include <QWidget>
#include <QtGlobal>

#include <cmath>

namespace Design {

QColor withOpacity(const QColor& color, double opacity)
{
    QColor result = color;
    result.setAlphaF(float(qBound(0.0, opacity, 1.0) * color.alphaF()));
    return result;
}

QString fontFamily()
{
    // The PDF report's own font decides (the system font on macOS): whatever
    // family it is set in, the window follows.
    static const QString family = reportFontFamilies().value(0);
    return family;
}

QStringList fontFamilies(FontDesign design)
{
    QStringList families = reportFontFamilies();
    if (design == FontDesign::monospaced) {
        // The system's fixed font can be named by an alias ("monospace" under
        // fontconfig) that a list of families does not resolve: the list
        // names the family the alias stands for.
        static const QString fixed = QFontInfo(QFontDatabase::systemFont(QFontDatabase::FixedFont)).family();
        families.prepend(fixed);
    }
    families.append(QStringLiteral("Noto Color Emoji"));
    return families;
}

QFont font(const FontSpec& fontSpec)
{
    QFont result;
    result.setFamilies(fontFamilies(fontSpec.design));
    if (fontSpec.design == FontDesign::monospaced)
        result.setStyleHint(QFont::Monospace);
    result.setPixelSize(qMax(1, int(std::lround(fontSpec.pixelSize))));
    result.setWeight(fontSpec.weight);
    result.setItalic(fontSpec.italic);
    return result;
}

QFont font(double pixelSize, QFont::Weight weight, FontDesign design)
{
    return font(FontSpec{pixelSize, weight, design, false});
}

void setBackground(QWidget& widget, const QColor& color)
{
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, color);
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

void setElides(QWidget& widget, bool elides)
{
    widget.setProperty(elidesProperty, elides);
}

bool animationsEnabled()
{
    return qEnvironmentVariable("TAVRIN_UI_ANIMATIONS") != QLatin1String("0");
}

int duration(int milliseconds)
{
    return animationsEnabled() ? qMax(0, milliseconds) : 0;
}

QAbstractAnimation* animate(QObject* target, const QByteArray& property, const QVariant& endValue,
                            int milliseconds, QEasingCurve easing)
{
    const int ms = duration(milliseconds);
    if (ms == 0) {
        target->setProperty(property.constData(), endValue);
        return nullptr;
    }
    auto* animation = new QPropertyAnimation(target, property, target);
    animation->setDuration(ms);
    animation->setEndValue(endValue);
    animation->setEasingCurve(easing);
    animation->start(QAbstractAnimation::DeleteWhenStopped);
    return animation;
}

} // namespace Design
