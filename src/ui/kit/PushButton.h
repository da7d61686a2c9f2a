#pragma once

#include <QPushButton>
#include <QString>

// The platform's default push button, for the sheets' plain buttons (Close,
// Scan again, the Homebrew helpers, the cloud panel's actions). On macOS it
// is the native button as it is. Elsewhere the style draws it, but in the
// proportions of a Mac push button: 28 px high, 12 px between the label and
// each side, in the window's 13 px font; the style's own hint would leave a
// few pixels around the label and stand 24 px high beside the painted 32 px
// controls. Never an auto-default button; like the painted buttons it takes
// the focus by Tab only.
class PushButton : public QPushButton {
    Q_OBJECT

public:
    static constexpr int standardHeight = 28;
    static constexpr int labelPadding = 12;

    explicit PushButton(const QString& objectName, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;
};
