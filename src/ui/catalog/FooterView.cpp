#include "ui/catalog/FooterView.h"

#include "app/DevivuKitViewModel.h"
#include "ui/kit/Design.h"
#include "ui/kit/StyledButton.h"
#include "ui/kit/TextBlock.h"

#include <QHBoxLayout>
#include <QPainter>

namespace {

const QColor dotColor(0x22, 0xC5, 0x5E);
const QColor toggleColor(0x47, 0x54, 0x67);

ButtonStyle plainButtonStyle()
{
    ButtonStyle style;
    style.font = {13, QFont::Bold};
    style.foreground = toggleColor;
    return style;
}

} // namespace

FooterView::FooterView(DevivuKitViewModel& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(22, 12, 22, 12);
    row->setSpacing(12);

    auto* dot = new TextBlock(QStringLiteral("\u25CF"), {14, QFont::Bold}, dotColor, this);
    dot->setMaximumLines(1);
    row->addWidget(dot, 0, Qt::AlignVCenter);

    m_status = new TextBlock({}, {13, QFont::DemiBold}, Design::mutedText, this);
    m_status->setMaximumLines(1);
    m_status->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    row->addWidget(m_status, 1, Qt::AlignVCenter);

    m_toggle = new StyledButton(plainButtonStyle(), this);
    m_toggle->setObjectName(QStringLiteral("footer-log-toggle"));
    m_toggle->setAction([this] { m_model.setShowLogDrawer(!m_model.showLogDrawer()); });
    row->addWidget(m_toggle, 0, Qt::AlignVCenter);

    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);

    connect(&model, &DevivuKitViewModel::languageChanged, this, [this] {
        applyStatus();
        applyToggle();
    });
    connect(&model, &DevivuKitViewModel::currentActionChanged, this, &FooterView::applyStatus);
    connect(&model, &DevivuKitViewModel::showLogDrawerChanged, this, &FooterView::applyToggle);
    applyStatus();
    applyToggle();
}

void FooterView::applyStatus()
{
    const AppStrings strings(m_model.language());
    m_status->setText(strings.text(AppI18nKey::footerStatus) + QStringLiteral(": ") + m_model.currentAction());
}

void FooterView::applyToggle()
{
    const AppStrings strings(m_model.language());
    m_toggle->setTitle(strings.text(m_model.showLogDrawer() ? AppI18nKey::hideLog : AppI18nKey::showLog));
}

void FooterView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), Design::card);
    painter.fillRect(QRect(0, 0, width(), 1), Design::border);
}
