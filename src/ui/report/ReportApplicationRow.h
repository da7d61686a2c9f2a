#pragma once

#include "i18n/AppStrings.h"
#include "model/InstalledMacApplication.h"
#include "ui/kit/Design.h"

#include <QColor>
#include <QFontMetricsF>
#include <QList>
#include <QString>
#include <QWidget>

#include <array>
#include <memory>
#include <vector>

class ReportLicenseBadge;
class ReportSignatureBadge;
class TextBlock;

// One application of the report sheet's table, followed by its divider:
// position + 1, name, version, source, developer (10 px medium, at most two
// lines each), the signature badge and the licence badge, each filling its
// column. White at even positions, (248, 251, 255) at odd ones; the divider
// below is inset 13 px from both sides. Scanned values are plain text.
//
// The list sizes each row with heightFor and reuses rows as they scroll, so a
// row is given its entry with setEntry.
class ReportApplicationRow : public QWidget {
    Q_OBJECT

public:
    // The seven columns of the rows and of the column header: number, name,
    // version, source, developer, signature, licence.
    static constexpr int columnCount = 7;
    static constexpr int nameColumn = 1;
    static constexpr int horizontalPadding = 13;
    static constexpr int verticalPadding = 8;
    static constexpr int columnSpacing = 8;
    static constexpr int dividerInset = 13;
    static constexpr int dividerHeight = 1;
    static constexpr int badgeHeight = 20;
    // The fixed widths; the name column takes the rest of the row.
    static constexpr std::array<int, columnCount> fixedWidths{28, 0, 68, 78, 112, 150, 124};

    struct Column {
        int x = 0;
        int width = 0;
    };
    // Where the columns lie in a row of the width.
    static std::array<Column, columnCount> columns(int rowWidth);
    // Trailing for the number and the version, leading for the rest.
    static Qt::Alignment columnAlignment(int column);

    static const QColor zebraColor;
    static const QColor textColor;
    static const QColor dividerColor;
    static Design::FontSpec cellFont();

    // The five texts of a row: the number, name, version, source and
    // developer.
    static QStringList cellTexts(qsizetype position, const InstalledMacApplication& application);
    // Measures rows without building them: the height of a row with its
    // divider at a row width, exactly as a row lays itself out.
    class Measure {
    public:
        Measure();
        ~Measure();
        Measure(const Measure&) = delete;
        Measure& operator=(const Measure&) = delete;

        int height(qsizetype position, const InstalledMacApplication& application, int rowWidth);

    private:
        int textHeight(const QString& text, int width);
        // The advance of a character below U+2000 in the cell font itself;
        // negative when the font lacks it.
        double advance(char16_t c);

        std::unique_ptr<TextBlock> m_probe; // lays out the texts that need it
        QFontMetricsF m_metrics;
        int m_oneLine = 0;
        std::vector<float> m_advances;
    };

    explicit ReportApplicationRow(QWidget* parent = nullptr);

    void setEntry(qsizetype position, const InstalledMacApplication& application, const AppStrings& strings);
    void setStrings(const AppStrings& strings);

    qsizetype position() const { return m_position; }
    const InstalledMacApplication& application() const { return m_application; }
    // White or the zebra colour.
    QColor background() const;

    // The text cells in column order (number, name, version, source,
    // developer) and the badges.
    const QList<TextBlock*>& textCells() const { return m_texts; }
    ReportSignatureBadge* signatureBadge() const { return m_signature; }
    ReportLicenseBadge* licenseBadge() const { return m_license; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeCells();

    qsizetype m_position = 0;
    InstalledMacApplication m_application;
    QList<TextBlock*> m_texts;
    ReportSignatureBadge* m_signature;
    ReportLicenseBadge* m_license;
};
