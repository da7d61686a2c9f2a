#include "ui/audit/InitialTile.h"

#include "ui/kit/Design.h"

#include <QPainter>
#include <QPainterPath>
#include <QTextBoundaryFinder>

namespace {

const QColor initialColor(36, 50, 71);

} // namespace

InitialTile::InitialTile(const QString& name, int side, double fontPixelSize, const QColor& outline,
                         QWidget* parent)
    : QWidget(parent), m_initial(initial(name)), m_fontPixelSize(fontPixelSize), m_outline(outline)
{
    setFixedSize(side, side);
    setAccessibleName(m_initial);
}

QString InitialTile::initial(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.isEmpty())
        return QStringLiteral("?");
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, trimmed);
    const qsizetype end = graphemes.toNextBoundary();
    return trimmed.left(end > 0 ? end : trimmed.size()).toUpper();
}

void InitialTile::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath box;
    box.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 8, 8);
    painter.fillPath(box, Design::iconFrame);
    painter.strokePath(box, QPen(m_outline, 1));
    painter.setFont(Design::font(m_fontPixelSize, QFont::DemiBold));
    painter.setPen(initialColor);
    painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine, m_initial);
}
