#include "Host/Kit/ToolButtonWithImage.h"

#include <QLinearGradient>
#include <QPainter>

#include <cmath>

namespace Tavrel {

ToolButtonWithImage::ToolButtonWithImage(QWidget* parent) : QToolButton(parent), m_scrimColor(0, 0, 0, 120)
{
    setAttribute(Qt::WA_Hover);
}

void ToolButtonWithImage::SetImageGrid(int rows, int columns, const QMargins& margins, int spacing)
{
    m_rows = std::max(rows, 1);
    m_columns = std::max(columns, 1);
    m_margins = margins;
    m_spacing = std::max(spacing, 0);
    for (auto it = m_pixmaps.begin(); it != m_pixmaps.end();) {
        const bool inside = it->first.first < m_rows && it->first.second < m_columns;
        it = inside ? std::next(it) : m_pixmaps.erase(it);
    }
    update();
}

void ToolButtonWithImage::SetPreview(const QPixmap& pixmap, int row, int column)
{
    if (row < 0 || row >= m_rows || column < 0 || column >= m_columns)
        return;
    if (pixmap.isNull())
        m_pixmaps.erase({row, column});
    else
        m_pixmaps[{row, column}] = pixmap;
    update();
}

QColor ToolButtonWithImage::ScrimColor() const
{
    return m_scrimColor;
}

void ToolButtonWithImage::SetScrimColor(const QColor& color)
{
    m_scrimColor = color;
    update();
}

QRect ToolButtonWithImage::CellRect(int row, int column) const
{
    const QRect area = rect().marginsRemoved(m_margins);
    const int width = (area.width() - (m_columns - 1) * m_spacing) / m_columns;
    const int height = (area.height() - (m_rows - 1) * m_spacing) / m_rows;
    return {area.left() + column * (width + m_spacing), area.top() + row * (height + m_spacing), width, height};
}

void ToolButtonWithImage::paintEvent(QPaintEvent* event)
{
    QToolButton::paintEvent(event);
    if (m_pixmaps.empty())
        return;

    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const qreal ratio = devicePixelRatioF();
    for (const auto& [cell, pixmap] : m_pixmaps) {
        const QRect target = CellRect(cell.first, cell.second);
        if (target.isEmpty())
            continue;
        // Cover the cell at device resolution, centred, cropping what sticks out.
        const QSize devicePixels(std::lround(target.width() * ratio), std::lround(target.height() * ratio));
        QPixmap scaled = pixmap.size() == devicePixels
            ? pixmap
            : pixmap.scaled(devicePixels, Qt::KeepAspectRatioByExpanding, Qt::SmoothTransformation);
        const QRect crop(QPoint((scaled.width() - devicePixels.width()) / 2,
                                (scaled.height() - devicePixels.height()) / 2),
                         devicePixels);
        scaled = scaled.copy(crop);
        scaled.setDevicePixelRatio(ratio);
        if (!isEnabled())
            painter.setOpacity(0.45);
        painter.drawPixmap(target.topLeft(), scaled);
        painter.setOpacity(1.0);

        if (m_scrimColor.alpha() > 0) {
            QColor clear = m_scrimColor;
            clear.setAlpha(0);
            const int band = target.height() * 2 / 5;
            QLinearGradient top(target.topLeft(), QPointF(target.left(), target.top() + band));
            top.setColorAt(0, m_scrimColor);
            top.setColorAt(1, clear);
            painter.fillRect(QRect(target.topLeft(), QSize(target.width(), band)), top);
            QLinearGradient bottom(QPointF(target.left(), target.bottom() - band), target.bottomLeft());
            bottom.setColorAt(0, clear);
            bottom.setColorAt(1, m_scrimColor);
            painter.fillRect(QRect(target.left(), target.bottom() - band + 1, target.width(), band), bottom);
        }
    }
}

void ToolButtonWithImage::enterEvent(QEvent* event)
{
    QToolButton::enterEvent(event);
    emit hoverEnter();
}

void ToolButtonWithImage::leaveEvent(QEvent* event)
{
    QToolButton::leaveEvent(event);
    emit hoverLeave();
}

} // namespace Tavrel
