#pragma once

#include "ui/kit/Design.h"

#include <QColor>
#include <QString>
#include <QWidget>

class TextBlock;

// A one-line label on a filled box that fills the width it is given: the
// evidence pills of the audit and the badges of the report table. The text
// shrinks down to a minimum scale when it does not fit, and only then is cut
// with an ellipsis; it never wraps. Scanned data stay plain text.
class BadgeLabel : public QWidget {
    Q_OBJECT

public:
    struct Colors {
        QColor foreground;
        QColor background;
        QColor border; // a 1 px outline; transparent or invalid: none

        bool operator==(const Colors&) const = default;
    };

    // The fixed parts of a look.
    struct Look {
        Design::FontSpec font;
        double minimumScale = 1.0;
        int horizontalPadding = 0;
        int minimumHeight = 0;
        double radius = 8; // negative: a capsule (half the height)
        Qt::Alignment alignment = Qt::AlignHCenter;

        // The audit's evidence pills: 10 px bold, centred, at least 28 high,
        // radius 8, no padding.
        static Look evidencePill(double minimumScale);
        // The report table's badges: bold at a size, leading, at least 20
        // high, a capsule, shrinking to 0.62.
        static Look reportBadge(double pixelSize, int horizontalPadding);
    };

    BadgeLabel(const Look& look, QWidget* parent = nullptr);

    QString text() const;
    void setText(const QString& text);

    Colors colors() const { return m_colors; }
    void setColors(const Colors& colors);

    // The text as laid out (its scale, whether it was cut).
    const TextBlock* label() const { return m_label; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool hasBorder() const;
    int inset() const;

    Look m_look;
    Colors m_colors;
    TextBlock* m_label;
};
