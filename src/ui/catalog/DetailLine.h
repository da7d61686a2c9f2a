#pragma once

#include <QString>
#include <QWidget>

class TextBlock;

// One labelled value of a detail sheet: the title, 11 px bold in muted grey,
// over the value, 13 px, wrapped onto as many lines as it needs.
class DetailLine : public QWidget {
    Q_OBJECT

public:
    DetailLine(const QString& title, const QString& value, QWidget* parent = nullptr);

    void setTexts(const QString& title, const QString& value);

    QString title() const;
    QString value() const;
    TextBlock* titleText() const { return m_title; }
    TextBlock* valueText() const { return m_value; }

private:
    TextBlock* m_title;
    TextBlock* m_value;
};
