#include "ui/report/ReportInfoPart.h"

#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/SymbolTile.h"
#include "ui/kit/TextBlock.h"

#include <QBoxLayout>
#include <QPainter>

namespace {

const QColor titleColor(30, 41, 59);
const QColor subtitleColor(113, 128, 150);

TextBlock* wrapping(const Design::FontSpec& font, const QColor& color, QWidget* parent)
{
    auto* block = new TextBlock({}, font, color, parent);
    block->setAlignment(Qt::AlignLeading | Qt::AlignTop);
    QSizePolicy policy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    block->setSizePolicy(policy);
    return block;
}

} // namespace

ReportInfoPart::ReportInfoPart(const QString& title, const QString& subtitle, const QString& symbol,
                               const QColor& tint, QWidget* parent)
    : QWidget(parent), m_tint(tint)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(11, 11, 11, 11);
    column->setSpacing(9);

    auto* header = new QHBoxLayout;
    header->setSpacing(8);
    header->addWidget(new SymbolTile(symbol,
                                     {28, Design::withOpacity(tint, 0.12), Qt::transparent,
                                      {14, QFont::Bold}, tint},
                                     this),
                      0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(1);
    m_title = wrapping({13, QFont::Bold, Design::FontDesign::rounded}, titleColor, this);
    m_subtitle = wrapping({9, QFont::Medium, Design::FontDesign::rounded}, subtitleColor, this);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    header->addLayout(titles, 1);
    column->addLayout(header);

    // The content's views stand in the card's own column, 9 apart.
    m_content = new QVBoxLayout;
    m_content->setSpacing(9);
    column->addLayout(m_content);
    column->addStretch(1);

    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    setTexts(title, subtitle);
}

void ReportInfoPart::setTexts(const QString& title, const QString& subtitle)
{
    m_title->setText(title);
    m_subtitle->setText(subtitle);
}

QString ReportInfoPart::title() const
{
    return m_title->text();
}

QString ReportInfoPart::subtitle() const
{
    return m_subtitle->text();
}

void ReportInfoPart::addContent(QWidget* widget)
{
    m_content->addWidget(widget);
}

void ReportInfoPart::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    RoundedBox::paint(painter, QRectF(rect()), 11, Design::withOpacity(m_tint, 0.055),
                      Design::withOpacity(m_tint, 0.2));
}
