#include "Host/Kit/FixWidgetStyle.h"

#include <QStyle>
#include <QWidget>

namespace Tavrel::Util {

void FixWidgetStyle::Apply(QWidget* widget)
{
    if (!widget)
        return;
    QStyle* style = widget->style();
    style->unpolish(widget);
    style->polish(widget);
    for (QWidget* child : widget->findChildren<QWidget*>()) {
        child->style()->unpolish(child);
        child->style()->polish(child);
    }
    widget->update();
}

} // namespace Tavrel::Util
