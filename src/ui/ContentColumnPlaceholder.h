#pragma once

#include <QWidget>

// The window's main column right of the sidebar until its screens are
// built: an empty area on the window's background colour.
class ContentColumnPlaceholder : public QWidget {
    Q_OBJECT

public:
    explicit ContentColumnPlaceholder(QWidget* parent = nullptr);
};
