#include "ui/ContentColumnPlaceholder.h"

#include "ui/Design.h"

ContentColumnPlaceholder::ContentColumnPlaceholder(QWidget* parent) : QWidget(parent)
{
    Design::setBackground(*this, Design::background);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}
