#pragma once

#include "ui/kit/Pill.h"

#include <QColor>
#include <QString>

// The pill of an entry's install source or of its package summary: the text
// in blue on a light blue ground.
class SourcePill : public Pill {
    Q_OBJECT

public:
    explicit SourcePill(const QString& text, QWidget* parent = nullptr);

    static inline const QColor foregroundColor{28, 91, 156};
    static inline const QColor backgroundColor{232, 242, 255};
};
