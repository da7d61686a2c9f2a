#include "ui/PlaceholderSheet.h"

#include "ui/ButtonText.h"
#include "ui/Design.h"
#include "ui/TextBlock.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

PlaceholderSheet::PlaceholderSheet(const QString& title, const QString& closeTitle, QSize size, QWidget* parent)
    : QDialog(parent), m_title(new TextBlock(title, {22, QFont::Bold}, Design::text, this)),
      m_close(new QPushButton(ButtonText::escaped(closeTitle), this))
{
    setWindowModality(Qt::WindowModal);
    setWindowTitle(title);
    setFixedSize(size);
    Design::setBackground(*this, Design::background);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(24, 24, 24, 24);
    column->setSpacing(16);
    column->addWidget(m_title);
    column->addStretch(1);
    auto* footer = new QHBoxLayout;
    footer->addStretch(1);
    m_close->setObjectName(QStringLiteral("placeholder-close"));
    m_close->setAutoDefault(false);
    connect(m_close, &QPushButton::clicked, this, &QDialog::reject);
    footer->addWidget(m_close);
    column->addLayout(footer);
}
