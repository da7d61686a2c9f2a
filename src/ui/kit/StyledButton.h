#pragma once

#include "ui/kit/ButtonStyle.h"

#include <QAbstractButton>
#include <QString>

#include <functional>

// A button painted in a ButtonStyle: the filled, sidebar, action and outlined
// looks of the window are all this one class.
//
// Its action runs either on a click (the release) or, in mouse-down mode, on
// pressed() alone: once when the mouse button goes down (before the release,
// wherever the release happens), once for Space, once for click(); never while
// the button is disabled. The action runs on a copy, so it may restyle,
// re-title, disable or hide this button and replace its action; it must never
// delete the button: screens update their buttons in place.
//
// It takes the focus by Tab only and shows its focus ring only while the
// focus came by the keyboard (FocusRing).
class StyledButton : public QAbstractButton {
    Q_OBJECT
    Q_PROPERTY(QString symbolName READ symbol WRITE setSymbol)

public:
    enum class Trigger { click, mouseDown };

    explicit StyledButton(const ButtonStyle& style = {}, QWidget* parent = nullptr);
    StyledButton(const QString& title, const QString& symbol, const ButtonStyle& style,
                 QWidget* parent = nullptr);
    ~StyledButton() override;

    const ButtonStyle& buttonStyle() const { return m_style; }
    void setButtonStyle(const ButtonStyle& style);

    // The title as shown, plain text ("Meeting & Chat" shows its "&" and
    // makes no shortcut). text() holds it with "&" escaped as "&&".
    QString title() const { return m_title; }
    void setTitle(const QString& title);

    // The leading symbol's name (see Symbols); empty for none.
    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);

    void setAction(std::function<void()> action, Trigger trigger = Trigger::click);
    Trigger trigger() const { return m_trigger; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void run(Trigger trigger);
    void updateCursorAndPolicy();
    double leadingWidth() const;
    double trailingWidth() const;
    double titleWidth() const;
    int contentHeight() const;

    ButtonStyle m_style;
    QString m_title;
    QString m_symbol;
    std::function<void()> m_action;
    Trigger m_trigger = Trigger::click;
    bool m_running = false;
    bool m_keyboardFocus = false;
};
