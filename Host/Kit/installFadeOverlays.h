#pragma once

#include <Qt>

class QAbstractScrollArea;

namespace Tavrel::Tessel {

/// Puts a fade over both edges of the area's viewport along the orientation (top and bottom for
/// Qt::Vertical). Each fade shows only while there is more to scroll that way. The fades are
/// `Tavrel::Tessel::FadeOverlay` children of the area and die with it.
void installFadeOverlays(QAbstractScrollArea* area, Qt::Orientation orientation);

} // namespace Tavrel::Tessel
