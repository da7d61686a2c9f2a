#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// One symbol (see Symbols) drawn centred in the widget, tinted to a colour.
// The widget carries its name as the property "symbolName".
class SymbolView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString symbolName READ symbolName WRITE setSymbolName)

public:
    // A symbol of the side (logical pixels) in the colour; the widget's size
    // follows the side until it is given a fixed one.
    explicit SymbolView(const QString& symbolName = {}, double side = 16, const QColor& color = {},
                        QWidget* parent = nullptr);

    QString symbolName() const { return m_name; }
    void setSymbolName(const QString& name);

    QColor color() const { return m_color; }
    // An invalid colour draws in Design::text.
    void setColor(const QColor& color);

    double side() const { return m_side; }
    void setSide(double side);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    double m_side;
    QColor m_color;
};

// A symbol framed to a square of the side, at the symbol's default size and
// colour (the close label "xmark" at 28, the copy label "doc.on.doc" at 24).
SymbolView* squareSymbolImage(const QString& symbolName, int side, QWidget* parent = nullptr);
