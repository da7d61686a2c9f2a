#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

// The square tile that stands for an audited application: a rounded box
// (radius 8) filled with Design::iconFrame and outlined at 1 px, with the
// initial of the application's name in the middle.
class InitialTile : public QWidget {
    Q_OBJECT

public:
    // A tile of the side with the initial of name at a font size, semibold.
    InitialTile(const QString& name, int side, double fontPixelSize, const QColor& outline,
                QWidget* parent = nullptr);

    QString initialText() const { return m_initial; }

    // The first character (grapheme) of the name with white space trimmed
    // from both ends, upper-cased with full case mapping ("ß" gives "SS");
    // "?" when nothing is left.
    static QString initial(const QString& name);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_initial;
    double m_fontPixelSize;
    QColor m_outline;
};
