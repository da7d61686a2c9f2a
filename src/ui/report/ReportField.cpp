#include "ui/report/ReportField.h"

#include "ui/kit/Design.h"
#include "ui/kit/RoundedBox.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportColors.h"

#include <QBoxLayout>
#include <QKeyEvent>
#include <QPainter>

#include <limits>

namespace {


// The text field: its own white rounded box, no frame of the platform's.
class FieldEdit : public QLineEdit {
public:
    explicit FieldEdit(QWidget* parent) : QLineEdit(parent)
    {
        setFrame(false);
        setMaxLength(std::numeric_limits<int>::max());
        setFont(Design::font(12, QFont::Medium, Design::FontDesign::rounded));
        // Qt keeps 2 px of its own inside the text margins.
        setTextMargins(7, 0, 7, 0);
        setFixedHeight(ReportField::fieldHeight);
        QPalette clear = palette();
        clear.setColor(QPalette::Base, Qt::transparent);
        clear.setColor(QPalette::Text, Design::text);
        setPalette(clear);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        {
            QPainter painter(this);
            RoundedBox::paint(painter, QRectF(rect()), 8, Qt::white, ReportColors::fieldOutline);
        }
        QLineEdit::paintEvent(event);
    }

    void keyPressEvent(QKeyEvent* event) override
    {
        QLineEdit::keyPressEvent(event);
        // Return ends the edit here and goes no further.
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
            event->accept();
    }
};

} // namespace

ReportField::ReportField(const QString& label, QWidget* parent) : QWidget(parent)
{
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    m_label = new TextBlock(label, {10, QFont::Bold, Design::FontDesign::rounded}, ReportColors::slateBlue, this);
    m_label->setMaximumLines(1);
    m_label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    m_edit = new FieldEdit(this);
    column->addWidget(m_label);
    column->addWidget(m_edit);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QString ReportField::label() const
{
    return m_label->text();
}

void ReportField::setLabel(const QString& label)
{
    m_label->setText(label);
}
