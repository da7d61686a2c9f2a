#include "ui/AuditDetailField.h"

#include "ui/Design.h"
#include "ui/TextBlock.h"

#include <QBoxLayout>
#include <QTextDocument>
#include <QTextEdit>
#include <QWheelEvent>

#include <cmath>
#include <optional>
#include <utility>

namespace {

// Selectable plain text that is exactly as tall as its wrapped lines: no
// frame, no scroll bars, no background, never editable.
class SelectableText : public QTextEdit {
public:
    SelectableText(const QString& text, const QFont& font, QWidget* parent) : QTextEdit(parent)
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
        colors.setColor(QPalette::Text, Design::text);
        setPalette(colors);
        setPlainText(text);
        QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        policy.setHeightForWidth(true);
        setSizePolicy(policy);
    }

    bool hasHeightForWidth() const override { return true; }

    int heightForWidth(int width) const override
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

    QSize sizeHint() const override
    {
        const int width = this->width() > 0 ? this->width() : 300;
        return {width, heightForWidth(width)};
    }

    // One line: the layouts ask heightForWidth() for the real height.
    QSize minimumSizeHint() const override { return {10, fontMetrics().height()}; }

    // A wheel over the text scrolls whatever holds it.
    void wheelEvent(QWheelEvent* event) override { event->ignore(); }

private:
    mutable std::optional<std::pair<int, int>> m_measured;
};

} // namespace

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
    m_value = new SelectableText(cell.value, Design::font(13, QFont::Normal, face), this);
    m_value->setObjectName(QStringLiteral("value"));
    column->addWidget(m_value);
    setAccessibleName(cell.title);
}
