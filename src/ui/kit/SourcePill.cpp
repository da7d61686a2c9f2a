#include "ui/kit/SourcePill.h"

SourcePill::SourcePill(const QString& text, QWidget* parent)
    : Pill(text, foregroundColor, backgroundColor, parent)
{
}
