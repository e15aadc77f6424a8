#include "Host/Kit/installFadeOverlays.h"

#include "Host/Kit/FadeOverlay.h"

#include <QAbstractScrollArea>

namespace Tavrel::Tessel {

void installFadeOverlays(QAbstractScrollArea* area, Qt::Orientation orientation)
{
    if (!area)
        return;
    new FadeOverlay(area, orientation, true);
    new FadeOverlay(area, orientation, false);
}

} // namespace Tavrel::Tessel
