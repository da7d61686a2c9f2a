#include "ui/kit/StatusPill.h"

#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/TextBlock.h"

#include <QPainter>

StatusPill::StatusPill(InstallStatus status, const std::optional<QString>& progressText, const AppStrings& strings,
                       QWidget* parent)
    : QWidget(parent), m_label(new TextBlock({}, {12, QFont::Bold}, Design::text, this))
{
    setFixedSize(fixedWidth, fixedHeight);
    m_label->setMaximumLines(1);
    m_label->setMinimumScale(0.75);
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setGeometry(rect().adjusted(4, 0, -4, 0));
    setStatus(status, progressText, strings);
}

void StatusPill::setStatus(InstallStatus status, const std::optional<QString>& progressText,
                           const AppStrings& strings)
{
    const QString text = strings.statusText(status, progressText);
    if (status == m_status && text == m_text)
        return;
    m_status = status;
    m_text = text;
    m_label->setText(text);
    m_label->setColor(colors(status).foreground);
    setAccessibleName(text);
    update();
}

StatusPill::Colors StatusPill::colors(InstallStatus status)
{
    switch (status) {
    case InstallStatus::missing:
        return {QColor(102, 112, 133), QColor(248, 250, 252), QColor(228, 233, 240)};
    case InstallStatus::installed:
        return {QColor(15, 81, 50), QColor(232, 248, 239), QColor(191, 234, 208)};
    case InstallStatus::working:
        return {QColor(8, 66, 152), QColor(207, 226, 255), QColor(173, 207, 255)};
    case InstallStatus::failed:
        return {QColor(132, 32, 41), QColor(248, 215, 218), QColor(241, 174, 181)};
    case InstallStatus::blocked:
        return {QColor(71, 84, 103), QColor(242, 244, 247), QColor(208, 213, 221)};
    }
    return {Design::mutedText, Design::card, Design::border};
}

void StatusPill::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const Colors look = colors(m_status);
    RoundedBox::paint(painter, QRectF(rect()), 8, look.background, look.border);
}
