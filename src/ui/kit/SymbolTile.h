#pragma once

#include "ui/kit/Design.h"

#include <QColor>
#include <QString>
#include <QWidget>

// A square tile with a symbol centred on it: a rounded rectangle (radius 8
// unless the look says otherwise) filled with one colour and optionally
// outlined by a 1 px line. The catalog row's 66 px icon frame, the banners'
// 42 px tiles, the detail sheet's 58 px tile and the audit empty state's 72 px
// tile. The tile carries its symbol's name as the property "symbolName".
class SymbolTile : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString symbolName READ symbolName WRITE setSymbolName)

public:
    struct Look {
        int side = 42;
        QColor fill;
        QColor outline = Qt::transparent; // none when transparent
        Design::FontSpec symbolFont;      // the symbol is set at this size
        QColor symbolColor;
        double radius = 8;
    };

    SymbolTile(const QString& symbolName, const Look& look, QWidget* parent = nullptr);

    QString symbolName() const { return m_name; }
    void setSymbolName(const QString& name);

    const Look& look() const { return m_look; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_name;
    Look m_look;
};
