#include "ui/report/ReportApplicationRow.h"

#include "audit/MacReportPDF.h"
#include "audit/ResolvedDeveloperName.h"
#include "ui/kit/ReportLicenseBadge.h"
#include "ui/kit/ReportSignatureBadge.h"
#include "ui/kit/TextBlock.h"
#include "ui/report/ReportColors.h"

#include <QFontMetricsF>
#include <QPainter>

#include <cmath>
#include <limits>

const QColor ReportApplicationRow::zebraColor = ReportColors::lightFill;
const QColor ReportApplicationRow::textColor = ReportColors::ink;
const QColor ReportApplicationRow::dividerColor = Design::border;

namespace {

// The columns of the five text cells.
constexpr std::array<int, 5> textColumns{0, 1, 2, 3, 4};
constexpr int signatureColumn = 5;
// Characters whose advances the measure keeps: Latin, Vietnamese and more.
constexpr char16_t advanceTableSize = 0x2000;
constexpr int licenseColumn = 6;

bool isLineBreak(char32_t c)
{
    return c == u'\n' || c == u'\r' || c == 0x2028 || c == 0x2029;
}

} // namespace

std::array<ReportApplicationRow::Column, ReportApplicationRow::columnCount>
ReportApplicationRow::columns(int rowWidth)
{
    int fixed = 2 * horizontalPadding + (columnCount - 1) * columnSpacing;
    for (int width : fixedWidths)
        fixed += width;
    std::array<Column, columnCount> result;
    int x = horizontalPadding;
    for (int k = 0; k < columnCount; ++k) {
        const int width = k == nameColumn ? qMax(0, rowWidth - fixed) : fixedWidths[k];
        result[k] = {x, width};
        x += width + columnSpacing;
    }
    return result;
}

Qt::Alignment ReportApplicationRow::columnAlignment(int column)
{
    return column == 0 || column == 2 ? Qt::AlignTrailing : Qt::AlignLeading;
}

Design::FontSpec ReportApplicationRow::cellFont()
{
    return {10, QFont::Medium, Design::FontDesign::rounded};
}

QStringList ReportApplicationRow::cellTexts(qsizetype position, const InstalledMacApplication& application)
{
    return {QString::number(position + 1), application.name, application.version, application.source,
            resolvedDeveloperName(application)};
}

ReportApplicationRow::Measure::Measure()
    : m_probe(std::make_unique<TextBlock>(QString(), cellFont(), textColor)),
      m_metrics(Design::font(cellFont()))
{
    m_advances.assign(advanceTableSize, std::numeric_limits<float>::quiet_NaN());
    m_probe->setMaximumLines(2);
    m_probe->setText(QStringLiteral("X"));
    m_oneLine = m_probe->heightForWidth(1000);
}

ReportApplicationRow::Measure::~Measure() = default;

int ReportApplicationRow::Measure::height(qsizetype position, const InstalledMacApplication& application,
                                          int rowWidth)
{
    const auto spans = columns(rowWidth);
    const QStringList texts = cellTexts(position, application);
    int content = badgeHeight;
    for (qsizetype k = 0; k < texts.size(); ++k)
        content = qMax(content, textHeight(texts.at(k), spans[textColumns[k]].width));
    return content + 2 * verticalPadding + dividerHeight;
}

int ReportApplicationRow::Measure::textHeight(const QString& text, int width)
{
    if (text.isEmpty())
        return 0;
    // A text on one line in the cell font itself is as high as one line of
    // that font. Shaping a text is slow, so its width is first estimated from
    // the characters' own advances, with room to spare for kerning. Anything
    // else (a line break, a character from a fallback font, a text that may
    // not fit) is laid out as the cell lays it out.
    double natural = 0;
    bool simple = true;
    for (const QChar c : text) {
        const double width = c.unicode() < advanceTableSize ? advance(c.unicode()) : -1;
        if (width < 0 || isLineBreak(c.unicode())) {
            simple = false;
            break;
        }
        natural += width;
    }
    if (simple && natural * 1.05 + 2 <= width)
        return m_oneLine;
    m_probe->setText(text);
    return m_probe->heightForWidth(width);
}

double ReportApplicationRow::Measure::advance(char16_t c)
{
    float& known = m_advances[c];
    if (std::isnan(known))
        known = m_metrics.inFontUcs4(c) ? float(m_metrics.horizontalAdvance(QChar(c))) : -1.0f;
    return known;
}

ReportApplicationRow::ReportApplicationRow(QWidget* parent) : QWidget(parent)
{
    for (int k = 0; k < int(textColumns.size()); ++k) {
        auto* cell = new TextBlock({}, cellFont(), textColor, this);
        cell->setMaximumLines(2);
        cell->setAlignment(columnAlignment(textColumns[k]) | Qt::AlignVCenter);
        m_texts.append(cell);
    }
    const AppStrings english;
    m_signature = new ReportSignatureBadge({}, english, this);
    m_license = new ReportLicenseBadge(MacReportPDF::evidenceOf(m_application), english, this);
}

void ReportApplicationRow::setEntry(qsizetype position, const InstalledMacApplication& application,
                                    const AppStrings& strings)
{
    const bool zebraChanged = (position % 2) != (m_position % 2);
    m_position = position;
    m_application = application;
    const QStringList texts = cellTexts(position, application);
    for (qsizetype k = 0; k < texts.size(); ++k)
        m_texts[k]->setText(texts.at(k));
    m_signature->setStatus(application.signatureStatus, strings);
    m_license->setEvidence(MacReportPDF::evidenceOf(application), strings);
    setAccessibleName(application.name);
    if (zebraChanged)
        update();
}

void ReportApplicationRow::setStrings(const AppStrings& strings)
{
    m_signature->setStrings(strings);
    m_license->setStrings(strings);
}

QColor ReportApplicationRow::background() const
{
    return m_position % 2 == 0 ? QColor(Qt::white) : zebraColor;
}

void ReportApplicationRow::resizeEvent(QResizeEvent*)
{
    placeCells();
}

void ReportApplicationRow::placeCells()
{
    const auto spans = columns(width());
    const int top = verticalPadding;
    const int content = qMax(0, height() - dividerHeight - 2 * verticalPadding);
    for (int k = 0; k < int(textColumns.size()); ++k) {
        const Column span = spans[textColumns[k]];
        m_texts[k]->setGeometry(span.x, top, span.width, content);
    }
    const int badgeTop = top + (content - badgeHeight) / 2;
    m_signature->setGeometry(spans[signatureColumn].x, badgeTop, spans[signatureColumn].width, badgeHeight);
    m_license->setGeometry(spans[licenseColumn].x, badgeTop, spans[licenseColumn].width, badgeHeight);
}

void ReportApplicationRow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int rowHeight = height() - dividerHeight;
    painter.fillRect(QRect(0, 0, width(), rowHeight), background());
    painter.fillRect(QRect(0, rowHeight, width(), dividerHeight), Qt::white);
    painter.fillRect(QRect(dividerInset, rowHeight, qMax(0, width() - 2 * dividerInset), dividerHeight),
                     dividerColor);
}
