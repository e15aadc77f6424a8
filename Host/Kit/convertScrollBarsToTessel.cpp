#include "Host/Kit/convertScrollBarsToTessel.h"

#include "Host/Kit/FixWidgetStyle.h"

#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QVariant>

namespace Tavrel::Tessel {

void convertScrollBarsToTessel(QAbstractScrollArea* area)
{
    if (!area)
        return;
    for (QScrollBar* bar : {area->verticalScrollBar(), area->horizontalScrollBar()}) {
        if (!bar)
            continue;
        bar->setProperty("tessel", true);
        // Thin bars float over the content's edge instead of taking a gutter's room.
        bar->setAttribute(Qt::WA_OpaquePaintEvent, false);
        bar->setContextMenuPolicy(Qt::NoContextMenu);
        Util::FixWidgetStyle::Apply(bar);
    }
}

} // namespace Tavrel::Tessel
