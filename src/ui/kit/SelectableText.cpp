#include "ui/kit/SelectableText.h"

#include <QTextDocument>
#include <QWheelEvent>

#include <cmath>

SelectableText::SelectableText(const QString& text, const QFont& font, const QColor& color, QWidget* parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setTabChangesFocus(true);
    setFrameShape(QFrame::NoFrame);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setContextMenuPolicy(Qt::DefaultContextMenu);
    setFont(font);
    document()->setDocumentMargin(0);
    viewport()->setAutoFillBackground(false);
    setAutoFillBackground(false);
    QPalette colors = palette();
    colors.setColor(QPalette::Base, Qt::transparent);
    colors.setColor(QPalette::Text, color);
    setPalette(colors);
    setPlainText(text);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void SelectableText::setText(const QString& text)
{
    if (text == toPlainText())
        return;
    setPlainText(text);
    m_measured.reset();
    updateGeometry();
}

bool SelectableText::hasHeightForWidth() const
{
    return true;
}

int SelectableText::heightForWidth(int width) const
{
    if (m_measured && m_measured->first == width)
        return m_measured->second;
    QTextDocument measure;
    measure.setDefaultFont(font());
    measure.setDocumentMargin(0);
    measure.setDefaultTextOption(document()->defaultTextOption());
    measure.setPlainText(toPlainText());
    measure.setTextWidth(qMax(width, 1));
    const int height = int(std::ceil(measure.size().height()));
    m_measured.emplace(width, height);
    return height;
}

QSize SelectableText::sizeHint() const
{
    const int width = this->width() > 0 ? this->width() : 300;
    return {width, heightForWidth(width)};
}

QSize SelectableText::minimumSizeHint() const
{
    return {10, fontMetrics().height()};
}

void SelectableText::wheelEvent(QWheelEvent* event)
{
    event->ignore();
}
