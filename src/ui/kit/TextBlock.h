#pragma once

#include "ui/kit/Design.h"

#include <QColor>
#include <QList>
#include <QRectF>
#include <QString>
#include <QWidget>

#include <optional>

// A block of plain text (never rich text: "<b>x</b>" shows as written) in a
// font of the design, at its exact size even when that size is a fraction of
// a pixel. It wraps at word boundaries (anywhere inside a word too long for a
// line) and can be limited:
// - to N lines, the last one ending in an ellipsis when text is cut;
// - to one line, cut with an ellipsis at the end, the start or the middle;
// - to one line that first shrinks down to a minimum scale, then is cut.
// What it paints is exactly what its size hints measure. A limited block
// (N lines, or one line that is cut or shrinks) carries
// Design::elidesProperty; an unlimited one must be given its size.
class TextBlock : public QWidget {
    Q_OBJECT

public:
    // One line as painted: its text and its box in the block's coordinates,
    // from the top of the text (the widget may centre the text vertically).
    struct Line {
        QString text;
        QRectF rect;
    };
    struct Layout {
        QList<Line> lines;
        double scale = 1.0;     // the shrink applied to fit one line (1: none)
        double height = 0.0;    // of all lines, in logical pixels
        bool truncated = false; // text was cut
    };

    explicit TextBlock(QWidget* parent = nullptr);
    TextBlock(const QString& text, const Design::FontSpec& font, const QColor& color,
              QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    Design::FontSpec fontSpec() const { return m_font; }
    void setFontSpec(const Design::FontSpec& font);

    QColor color() const { return m_color; }
    void setColor(const QColor& color);

    // 0: as many lines as the text needs; 1: one line that never wraps.
    int maximumLines() const { return m_maximumLines; }
    void setMaximumLines(int lines);

    // Where a single line is cut (Qt::ElideNone clips it). A block of several
    // lines always ends its last line with the ellipsis.
    Qt::TextElideMode elideMode() const { return m_elideMode; }
    void setElideMode(Qt::TextElideMode mode);

    // How far a single line may shrink before it is cut (1: never).
    double minimumScale() const { return m_minimumScale; }
    void setMinimumScale(double scale);

    // Horizontal alignment of each line and vertical alignment of the text in
    // a taller widget. Default: leading and vertically centred.
    Qt::Alignment alignment() const { return m_alignment; }
    void setAlignment(Qt::Alignment alignment);

    // The text laid out at a width, as it would be painted.
    Layout layout(double width) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void changed();

    QString m_text;
    Design::FontSpec m_font;
    QColor m_color;
    int m_maximumLines = 0;
    Qt::TextElideMode m_elideMode = Qt::ElideRight;
    double m_minimumScale = 1.0;
    Qt::Alignment m_alignment = Qt::AlignLeading | Qt::AlignVCenter;

    mutable std::optional<std::pair<double, Layout>> m_cache;
};
