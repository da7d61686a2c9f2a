#pragma once

#include "app/DevivuKitViewModel.h"

#include <QColor>
#include <QRect>
#include <QString>
#include <QWidget>

class SymbolView;
class TextBlock;

// One transient notice: the kind's symbol in the kind's colour and the text
// as given (13 px semibold, at most two lines), in a white card outlined in
// the kind's colour at 35 % with a soft shadow. The view is at most 360 px
// wide; the card, as wide as its content, sits centred in it. Where the view
// goes and when it shows belong to the window.
//
// The view fades as a whole, shadow included (opacity, 0 to 1), so the window
// can fade it in and out as it slides.
class ToastView : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double opacity READ opacity WRITE setOpacity)

public:
    using Message = DevivuKitViewModel::ToastMessage;

    static constexpr int maximumWidth = 360;

    explicit ToastView(const Message& message, QWidget* parent = nullptr);

    const Message& message() const { return m_message; }
    void setMessage(const Message& message);

    double opacity() const;
    void setOpacity(double opacity);

    static QString symbolName(Message::Kind kind);
    static QColor kindColor(Message::Kind kind);

    // The card inside the view.
    QRect cardRect() const;
    SymbolView* symbolView() const { return m_symbol; }
    TextBlock* textBlock() const { return m_text; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    struct Geometry {
        QRect card;
        QRect symbol;
        QRect text;
    };
    Geometry geometryAt(int width) const;
    void placeChildren();

    class Shadow;

    Message m_message;
    Shadow* m_shadow;
    SymbolView* m_symbol;
    TextBlock* m_text;
};
