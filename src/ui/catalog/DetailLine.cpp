#include "ui/catalog/DetailLine.h"

#include "ui/kit/Design.h"
#include "ui/kit/TextBlock.h"

#include <QVBoxLayout>

DetailLine::DetailLine(const QString& title, const QString& value, QWidget* parent)
    : QWidget(parent), m_title(new TextBlock(title, {11, QFont::Bold}, Design::mutedText, this)),
      m_value(new TextBlock(value, {13, QFont::Normal}, Design::text, this))
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    column->addWidget(m_title);
    column->addWidget(m_value);
}

void DetailLine::setTexts(const QString& title, const QString& value)
{
    m_title->setText(title);
    m_value->setText(value);
}

QString DetailLine::title() const
{
    return m_title->text();
}

QString DetailLine::value() const
{
    return m_value->text();
}
