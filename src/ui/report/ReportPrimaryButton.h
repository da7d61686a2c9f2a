#pragma once

#include <QPushButton>
#include <QString>

class QGraphicsDropShadowEffect;

// A push button painted in ReportPrimaryButtonStyle. Being a QPushButton, it
// can be its dialog's default button: Return presses it while it is enabled
// and does nothing while it is disabled. Never an auto-default button. Like
// the kit's buttons it takes the focus by Tab only (FocusRing).
class ReportPrimaryButton : public QPushButton {
    Q_OBJECT
    Q_PROPERTY(QString symbolName READ symbol WRITE setSymbol)

public:
    explicit ReportPrimaryButton(QWidget* parent = nullptr);

    // The title as shown, plain text; text() holds it with "&" escaped.
    QString title() const { return m_title; }
    void setTitle(const QString& title);

    QString symbol() const { return m_symbol; }
    void setSymbol(const QString& symbol);

    // The shadow's current colour (transparent while disabled).
    QColor shadowColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void updateShadow();

    QString m_title;
    QString m_symbol;
    QGraphicsDropShadowEffect* m_shadow;
    bool m_keyboardFocus = false;
};
