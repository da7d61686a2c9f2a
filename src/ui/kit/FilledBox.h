#pragma once

#include <QColor>
#include <QWidget>

// A plain container drawn as a rounded box (RoundedBox): filled, and
// outlined when the outline is not transparent. Its children are laid over
// it as they are; nothing is clipped.
class FilledBox : public QWidget {
    Q_OBJECT

public:
    explicit FilledBox(const QColor& fill, double radius, const QColor& outline = Qt::transparent,
                       QWidget* parent = nullptr);

    QColor fill() const { return m_fill; }
    QColor outline() const { return m_outline; }
    double radius() const { return m_radius; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_fill;
    double m_radius;
    QColor m_outline;
};
