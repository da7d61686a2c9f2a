#pragma once

#include "i18n/AppStrings.h"
#include "model/InstallStatus.h"

#include <QColor>
#include <QString>
#include <QWidget>

#include <optional>

class TextBlock;

// The badge of an install status: "● " and the status label (for an entry
// being worked on, its progress text when one is given), 12 px bold, centred
// in a 104 by 32 rounded box outlined in the status's colours. The size never
// follows the text: a text too long first shrinks a little (to 3/4), then is
// cut with an ellipsis.
class StatusPill : public QWidget {
    Q_OBJECT

public:
    struct Colors {
        QColor foreground;
        QColor background;
        QColor border;
    };

    static constexpr int fixedWidth = 104;
    static constexpr int fixedHeight = 32;

    StatusPill(InstallStatus status, const std::optional<QString>& progressText, const AppStrings& strings,
               QWidget* parent = nullptr);

    void setStatus(InstallStatus status, const std::optional<QString>& progressText, const AppStrings& strings);

    InstallStatus status() const { return m_status; }
    // The text as given to the badge (before any cut).
    QString text() const { return m_text; }

    static Colors colors(InstallStatus status);

    TextBlock* textBlock() const { return m_label; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    InstallStatus m_status = InstallStatus::missing;
    QString m_text;
    TextBlock* m_label;
};
