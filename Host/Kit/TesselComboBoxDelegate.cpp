#include "Host/Kit/TesselComboBoxDelegate.h"

#include <QApplication>
#include <QComboBox>
#include <QPainter>
#include <QPainterPath>

namespace Tavrel::Tessel {

namespace {
constexpr int ROW_HEIGHT = 32;
constexpr int PADDING = 10;
constexpr int MARK_SIZE = 12;
} // namespace

TesselComboBoxDelegate::TesselComboBoxDelegate(QComboBox* comboBox, bool markCurrent)
    : QStyledItemDelegate(comboBox), m_comboBox(comboBox), m_markCurrent(markCurrent)
{
}

void TesselComboBoxDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                                   const QModelIndex& index) const
{
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const QPalette& palette = opt.palette;
    const bool enabled = opt.state & QStyle::State_Enabled;
    const bool highlighted = enabled && (opt.state & (QStyle::State_Selected | QStyle::State_MouseOver));
    const bool current = m_markCurrent && index.row() == m_comboBox->currentIndex();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    if (highlighted) {
        QPainterPath path;
        path.addRoundedRect(QRectF(opt.rect).adjusted(4, 1, -4, -1), 6, 6);
        painter->fillPath(path, palette.color(QPalette::Highlight));
    }

    QRect textRect = opt.rect.adjusted(PADDING + 4, 0, -(PADDING + 4), 0);
    if (m_markCurrent)
        textRect.setRight(textRect.right() - MARK_SIZE - PADDING);
    QFont font = opt.font;
    font.setBold(current);
    painter->setFont(font);
    painter->setPen(palette.color(enabled ? QPalette::Active : QPalette::Disabled,
                                  highlighted ? QPalette::HighlightedText : QPalette::Text));
    painter->drawText(textRect, Qt::AlignVCenter | Qt::AlignLeft,
                      opt.fontMetrics.elidedText(opt.text, Qt::ElideRight, textRect.width()));

    if (current) {
        // A check mark drawn with two strokes, so no icon resource is needed.
        const QRectF mark(opt.rect.right() - PADDING - 4 - MARK_SIZE, opt.rect.center().y() - MARK_SIZE / 2.0,
                          MARK_SIZE, MARK_SIZE);
        QPen pen(painter->pen().color(), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
        painter->setPen(pen);
        const QPointF points[] = {{mark.left(), mark.top() + mark.height() * 0.55},
                                  {mark.left() + mark.width() * 0.38, mark.bottom() - mark.height() * 0.1},
                                  {mark.right(), mark.top() + mark.height() * 0.15}};
        painter->drawPolyline(points, 3);
    }
    painter->restore();
}

QSize TesselComboBoxDelegate::sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const
{
    const QSize base = QStyledItemDelegate::sizeHint(option, index);
    const int extra = 2 * (PADDING + 4) + (m_markCurrent ? MARK_SIZE + PADDING : 0);
    return {base.width() + extra, std::max(base.height(), ROW_HEIGHT)};
}

} // namespace Tavrel::Tessel
