#pragma once

#include <QColor>
#include <QFont>
#include <QString>
#include <QTextEdit>

#include <optional>
#include <utility>

class QWheelEvent;

// Plain text that can be selected and copied, exactly as tall as its wrapped
// lines: it wraps at word boundaries and anywhere inside a word too long for
// a line; no frame, no scroll bars, no background, never editable. A wheel
// over it scrolls whatever holds it.
class SelectableText : public QTextEdit {
    Q_OBJECT

public:
    SelectableText(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);

    QString text() const { return toPlainText(); }
    // Replaces the text (plain, never rich) and asks the layout for the new
    // height.
    void setText(const QString& text);

    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    // One line: the layouts ask heightForWidth() for the real height.
    QSize minimumSizeHint() const override;

protected:
    void wheelEvent(QWheelEvent* event) override;

private:
    mutable std::optional<std::pair<int, int>> m_measured;
};
