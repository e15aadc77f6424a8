#include "Host/Kit/ClickSlider.h"

#include <QMouseEvent>
#include <QStyle>
#include <QStyleOptionSlider>

namespace Tavrel {

ClickSlider::ClickSlider(QWidget* parent) : ClickSlider(Qt::Horizontal, parent) {}

ClickSlider::ClickSlider(Qt::Orientation orientation, QWidget* parent) : QSlider(orientation, parent) {}

QRect ClickSlider::HandleRect() const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
}

void ClickSlider::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton) {
        const QRect handle = HandleRect();
        if (!handle.contains(event->pos())) {
            QStyleOptionSlider option;
            initStyleOption(&option);
            // Centre the handle on the click; the base class then finds the handle under the
            // pointer and starts an ordinary drag from there.
            const QRect groove = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderGroove, this);
            const bool horizontal = orientation() == Qt::Horizontal;
            const int handleLength = horizontal ? handle.width() : handle.height();
            const int start = horizontal ? groove.left() : groove.top();
            const int span = (horizontal ? groove.width() : groove.height()) - handleLength;
            const int pos = (horizontal ? event->pos().x() : event->pos().y()) - start - handleLength / 2;
            const bool upsideDown = horizontal ? option.upsideDown : !option.upsideDown;
            setValue(QStyle::sliderValueFromPosition(minimum(), maximum(), pos, std::max(span, 1), upsideDown));
        }
    }
    QSlider::mousePressEvent(event);
}

} // namespace Tavrel
