#include "Host/Kit/TesselProgressCircular.h"

#include <QPainter>

namespace Tavrel::Tessel {

TesselProgressCircular::TesselProgressCircular(QWidget* parent)
    : QProgressBar(parent), m_ringColor(palette().color(QPalette::Highlight)), m_trackColor(255, 255, 255, 60)
{
    setRange(0, 100);
    setValue(0);
}

QColor TesselProgressCircular::RingColor() const
{
    return m_ringColor;
}

void TesselProgressCircular::SetRingColor(const QColor& color)
{
    m_ringColor = color;
    update();
}

QColor TesselProgressCircular::TrackColor() const
{
    return m_trackColor;
}

void TesselProgressCircular::SetTrackColor(const QColor& color)
{
    m_trackColor = color;
    update();
}

int TesselProgressCircular::Thickness() const
{
    return m_thickness;
}

void TesselProgressCircular::SetThickness(int thickness)
{
    m_thickness = std::max(thickness, 1);
    update();
}

QSize TesselProgressCircular::sizeHint() const
{
    return isTextVisible() ? QSize(40, 40) : QSize(20, 20);
}

QSize TesselProgressCircular::minimumSizeHint() const
{
    return {m_thickness * 3, m_thickness * 3};
}

void TesselProgressCircular::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);

    const int side = std::min(width(), height());
    const qreal inset = m_thickness / 2.0 + 0.5;
    const QRectF ring = QRectF((width() - side) / 2.0, (height() - side) / 2.0, side, side)
                            .adjusted(inset, inset, -inset, -inset);

    QPen pen(m_trackColor, m_thickness, Qt::SolidLine, Qt::FlatCap);
    painter.setPen(pen);
    painter.drawEllipse(ring);

    const int span = maximum() - minimum();
    const qreal fraction = span > 0 ? qreal(value() - minimum()) / span : 0.0;
    if (fraction > 0) {
        pen.setColor(m_ringColor);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        // Qt angles are in sixteenths of a degree, counter-clockwise from three o'clock.
        painter.drawArc(ring, 90 * 16, -int(fraction * 360 * 16));
    }

    if (isTextVisible() && !text().isEmpty()) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawText(rect(), Qt::AlignCenter, text());
    }
}

} // namespace Tavrel::Tessel
