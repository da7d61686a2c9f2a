#include "ui/shell/SidebarHeaderView.h"

#include "ui/kit/Design.h"
#include "ui/kit/TextBlock.h"
#include "ui/shell/TavrinBrandMark.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

SidebarHeaderView::SidebarHeaderView(const AppStrings& strings, QWidget* parent)
    : QWidget(parent),
      m_title(new TextBlock(QString::fromUtf8(productName), {17, QFont::Bold}, Qt::white, this)),
      m_subtitle(new TextBlock({}, {12, QFont::Medium}, Design::sidebarMuted, this))
{
    m_title->setObjectName(QStringLiteral("sidebar-title"));
    m_title->setMaximumLines(1);
    m_subtitle->setObjectName(QStringLiteral("sidebar-subtitle"));

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 4);
    row->setSpacing(12);
    auto* mark = new TavrinBrandMark(this);
    mark->setFixedSize(46, 46);
    row->addWidget(mark, 0, Qt::AlignVCenter);
    auto* titles = new QVBoxLayout;
    titles->setSpacing(3);
    titles->addWidget(m_title);
    titles->addWidget(m_subtitle);
    row->addLayout(titles, 1);

    setStrings(strings);
}

void SidebarHeaderView::setStrings(const AppStrings& strings)
{
    m_subtitle->setText(strings.text(AppI18nKey::appSubtitle));
}
