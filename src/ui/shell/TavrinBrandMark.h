#pragma once

#include <QWidget>

// The product's small drawn logo: a white rounded tile (radius 10, a faint
// outline) filling the widget, with the product's initial "T" (34 px, black
// weight, italic, in the sidebar's colour) and two 7 px orange squares at its
// upper right and lower left. Only the tile follows the widget's size; the
// letter and the squares keep their sizes and offsets from the centre.
class TavrinBrandMark : public QWidget {
    Q_OBJECT

public:
    explicit TavrinBrandMark(QWidget* parent = nullptr);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
};
