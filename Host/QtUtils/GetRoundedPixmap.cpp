#include "Host/QtUtils/GetRoundedPixmap.h"

#include <QPainter>

namespace Tavrel {

QPixmap GetRoundedPixmap(const QPixmap& pixmap, qreal xRadius, qreal yRadius)
{
    if (pixmap.isNull() || (xRadius <= 0 && yRadius <= 0))
        return pixmap;
    QPixmap source = pixmap;
    source.setDevicePixelRatio(1.0);
    QPixmap rounded(source.size());
    rounded.fill(Qt::transparent);
    {
        QPainter painter(&rounded);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QBrush(source));
        painter.drawRoundedRect(QRectF(source.rect()), xRadius, yRadius);
    }
    rounded.setDevicePixelRatio(pixmap.devicePixelRatio());
    return rounded;
}

} // namespace Tavrel
