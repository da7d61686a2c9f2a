#pragma once

#include <QColor>
#include <QPointer>
#include <QWidget>

class QAbstractAnimation;
class QGraphicsOpacityEffect;
class QHBoxLayout;

// A full-width strip at the top of a column (the forced-update and operation
// banners): a row of children, 14 px apart, padded 24 left and right and 10
// top and bottom, on a background colour with a 1 px rule along its bottom.
//
// The strip enters by sliding down from its top edge while it fades in, and
// leaves the same way back, over 0.18 s (at once while the window's
// animations are off); the column asks for that with setShownAnimated(). The
// strip's height follows the part that has come into view.
class Banner : public QWidget {
    Q_OBJECT
    Q_PROPERTY(double reveal READ reveal WRITE setReveal)

public:
    static constexpr int slideMilliseconds = 180;

    // Shows the strip and slides it in, or slides it out and then hides it.
    // A call while the strip moves turns it round from where it is; while
    // the column is not on screen the strip is shown or hidden at once.
    void setShownAnimated(bool shown);
    // Where the strip is going: true once setShownAnimated(true) was asked
    // (also while it still slides in).
    bool isShownTarget() const { return m_shownTarget; }

    // How much of the strip is in view, from 0 (none) to 1 (all of it).
    double reveal() const { return m_reveal; }
    void setReveal(double reveal);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;

protected:
    Banner(const QColor& background, const QColor& rule, QWidget* parent = nullptr);

    // The row the subclass fills.
    QHBoxLayout* row() const { return m_row; }

    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    int bodyHeight(int width) const;
    void placeBody();

    QWidget* m_body;
    QHBoxLayout* m_row;
    QGraphicsOpacityEffect* m_fade;
    QPointer<QAbstractAnimation> m_slide;
    double m_reveal = 1.0;
    bool m_shownTarget = true;
};
