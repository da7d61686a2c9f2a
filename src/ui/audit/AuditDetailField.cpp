#include "ui/audit/AuditDetailField.h"

#include "ui/kit/Design.h"
#include "ui/kit/SelectableText.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>

AuditDetailField::AuditDetailField(const Cell& cell, QWidget* parent) : QWidget(parent), m_cell(cell)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(5);
    auto* title = new TextBlock(cell.title, {11, QFont::Bold}, Design::mutedText, this);
    title->setObjectName(QStringLiteral("title"));
    title->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy titlePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    titlePolicy.setHeightForWidth(true);
    title->setSizePolicy(titlePolicy);
    column->addWidget(title);
    const Design::FontDesign face = cell.monospaced ? Design::FontDesign::monospaced : Design::FontDesign::standard;
    m_value = new SelectableText(cell.value, Design::font(13, QFont::Normal, face), Design::text, this);
    m_value->setObjectName(QStringLiteral("value"));
    column->addWidget(m_value);
    setAccessibleName(cell.title);
}
