#pragma once

#include <QColor>
#include <QWidget>

// A card whose content is cut to a rounded rectangle: it paints its fill, and
// above its children the corners outside the rounded rectangle in the colour
// of what surrounds the card, then the 1 px outline. Content that reaches the
// card's edges (a tinted title row, a scroll area) so looks clipped to it.
class RoundedCard : public QWidget {
    Q_OBJECT

public:
    struct Look {
        QColor fill;
        QColor outline;
        QColor surround; // the colour behind the card
        double radius = 12;
    };

    explicit RoundedCard(const Look& look, QWidget* parent = nullptr);

    const Look& look() const { return m_look; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void childEvent(QChildEvent* event) override;

private:
    Look m_look;
    QWidget* m_corners = nullptr;
};
