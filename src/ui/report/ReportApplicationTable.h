#pragma once

#include <QList>
#include <QWidget>

class DevivuKitViewModel;
class Pill;
class ReportApplicationList;
class StyledButton;
class SymbolView;
class TextBlock;

// The report sheet's application table, the content of its right card: the
// title row with the number of applications, the dark column header, and the
// body. With a snapshot the body is the scan-time line (while the snapshot
// has a date) over the rows, built lazily; without one it is the empty state,
// whose Scan computer button ("report-scan-computer", disabled while a scan
// runs) asks for the first scan. A running scan leaves earlier rows in place.
// Texts follow the language: the sheet's own words as Vietnamese/English
// pairs, the developer and signature column titles and the badges in every
// language. The scan time is written in the system locale's short date and
// time.
class ReportApplicationTable : public QWidget {
    Q_OBJECT

public:
    explicit ReportApplicationTable(DevivuKitViewModel& model, QWidget* parent = nullptr);

    TextBlock* titleText() const { return m_title; }
    TextBlock* subtitleText() const { return m_subtitle; }
    Pill* countPill() const { return m_count; }
    // The seven column titles, in column order.
    const QList<TextBlock*>& columnTitles() const { return m_columnTitles; }
    // The snapshot's view (scan-time line and rows) and the empty state; one
    // of them is shown.
    QWidget* snapshotView() const { return m_snapshotView; }
    TextBlock* scanTimeLine() const { return m_scanTime; }
    ReportApplicationList* list() const { return m_list; }
    QWidget* emptyState() const { return m_emptyState; }
    TextBlock* emptyTitle() const { return m_emptyTitle; }
    TextBlock* emptyText() const { return m_emptyText; }
    StyledButton* scanButton() const { return m_scanButton; }

    // "Scanned: " or "Quét lúc: " followed by the date in the system locale's
    // short date and time.
    static QString scanTimeText(const QDateTime& date, bool vietnamese);

Q_SIGNALS:
    // The empty state's scan button was pressed.
    void scanRequested();

private:
    void applyLanguage();
    void applyApplications();
    void applySnapshot();
    void applyRefreshing();
    void placeColumnTitles();

    DevivuKitViewModel& m_model;
    TextBlock* m_title;
    TextBlock* m_subtitle;
    Pill* m_count;
    QWidget* m_columnHeader;
    QList<TextBlock*> m_columnTitles;
    QWidget* m_snapshotView;
    QWidget* m_scanTimeRow;
    TextBlock* m_scanTime;
    ReportApplicationList* m_list;
    QWidget* m_emptyState;
    SymbolView* m_emptySymbol;
    TextBlock* m_emptyTitle;
    TextBlock* m_emptyText;
    StyledButton* m_scanButton;
};
