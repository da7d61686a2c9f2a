#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// A small rounded label: one line of 11 px bold text, 8 px on either side, 22
// px high, on a filled rounded rectangle (radius 8). Its width follows the
// text; given less, the text is cut with an ellipsis and never wraps. An
// empty pill is a 16 by 22 box of its background.
class Pill : public QWidget {
    Q_OBJECT

public:
    Pill(const QString& text, const QColor& foreground, const QColor& background, QWidget* parent = nullptr);

    QString text() const { return m_text; }
    void setText(const QString& text);

    QColor foreground() const { return m_foreground; }
    QColor background() const { return m_background; }
    void setColors(const QColor& foreground, const QColor& background);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

    static constexpr int fixedHeight = 22;
    static constexpr int padding = 8;
    static constexpr double radius = 8;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    QColor m_foreground;
    QColor m_background;
};
