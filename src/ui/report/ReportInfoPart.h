#pragma once

#include <QColor>
#include <QString>
#include <QWidget>

class QVBoxLayout;
class SymbolTile;
class TextBlock;

// A titled card of the report sheet's profile column, tinted in one colour:
// a 28 px tile with the symbol, the title (13 px bold) over the subtitle
// (9 px), then the caller's content; 11 px padding, the tint at 0.055 as its
// fill and at 0.2 as its outline, radius 11. It fills the width it is given
// and keeps its content at the top.
class ReportInfoPart : public QWidget {
    Q_OBJECT

public:
    ReportInfoPart(const QString& title, const QString& subtitle, const QString& symbol, const QColor& tint,
                   QWidget* parent = nullptr);

    void setTexts(const QString& title, const QString& subtitle);
    QString title() const;
    QString subtitle() const;
    QColor tint() const { return m_tint; }

    // Adds a widget below the header and the earlier content.
    void addContent(QWidget* widget);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_tint;
    TextBlock* m_title;
    TextBlock* m_subtitle;
    QVBoxLayout* m_content;
};
