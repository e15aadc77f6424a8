#include "Host/QtUtils/GetWidgetScreenPixelRatio.h"

#include <QGuiApplication>
#include <QWidget>

namespace Tavrel {

qreal GetWidgetScreenPixelRatio(const QWidget* widget)
{
    if (widget)
        return widget->devicePixelRatioF();
    return qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
}

} // namespace Tavrel
