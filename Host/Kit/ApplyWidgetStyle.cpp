#include "Host/Kit/ApplyWidgetStyle.h"

#include "Host/Kit/FixWidgetStyle.h"

#include <QString>
#include <QVariant>
#include <QWidget>

namespace Tavrel::Util {

void ApplyWidgetStyle(QWidget* widget, const QString& value, const char* property)
{
    if (!widget || !property)
        return;
    const QVariant current = widget->property(property);
    if (current.isValid() && current.toString() == value)
        return; // re-polishing a whole tile costs far more than the check
    widget->setProperty(property, value);
    FixWidgetStyle::Apply(widget);
}

} // namespace Tavrel::Util
