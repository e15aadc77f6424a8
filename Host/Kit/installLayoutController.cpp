#include "Host/Kit/installLayoutController.h"

#include "Host/Kit/LayoutController.h"

#include <QWidget>

namespace Tavrel::Util {

void installLayoutController(QWidget* widget)
{
    if (widget && !widget->findChild<LayoutController*>(QString(), Qt::FindDirectChildrenOnly))
        new LayoutController(widget);
}

} // namespace Tavrel::Util
