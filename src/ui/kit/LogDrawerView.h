#pragma once

#include <QString>
#include <QStringList>
#include <QWidget>

class DevivuKitViewModel;
class QScrollBar;

// The log drawer: a 130 px high card that lists the view model's log lines,
// oldest first, in a 12 px monospaced font; a long line wraps. The text is not
// selectable. On every change of the log the view scrolls so that the newest
// line sits at the bottom edge, also after the user scrolled up.
//
// The log streams many lines a second, so the drawer follows it piece by
// piece: lines added at the end are laid out alone, lines trimmed from the
// top are dropped, and only a log that changed otherwise is laid out anew.
class LogDrawerView : public QWidget {
    Q_OBJECT

public:
    static constexpr int fixedHeight = 130;

    explicit LogDrawerView(DevivuKitViewModel& model, QWidget* parent = nullptr);

    // The lines shown, oldest first.
    QStringList lines() const;
    QScrollBar* verticalScrollBar() const;
    // Line layouts made since the drawer was built (appended lines and
    // full relayouts): what following the log has cost.
    int linesLaidOut() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    class Lines;
    Lines* m_lines;
};
