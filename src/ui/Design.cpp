#include "ui/Design.h"

#include "audit/MacReportPDF.h"

#include <QFontDatabase>
#include <QPropertyAnimation>
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
#ifdef Q_OS_MACOS
    static const QString family = QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
#else
    // The PDF report's own font decides: whatever family it is set in, the
    // window follows.
    static const QString family =
        MacReportPDF::reportFont(12, MacReportPDF::Weight::medium).family();
#endif
    return family;
}

QStringList fontFamilies(FontDesign design)
{
    QString first = fontFamily();
    if (design == FontDesign::monospaced)
        first = QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
    return {first, QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Color Emoji")};
}

QFont font(const FontSpec& spec)
{
    QFont result;
    result.setFamilies(fontFamilies(spec.design));
    if (spec.design == FontDesign::monospaced)
        result.setStyleHint(QFont::Monospace);
    result.setPixelSize(qMax(1, int(std::lround(spec.pixelSize))));
    result.setWeight(spec.weight);
    result.setItalic(spec.italic);
    return result;
}

QFont font(double pixelSize, QFont::Weight weight, FontDesign design)
{
    return font(FontSpec{pixelSize, weight, design, false});
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
