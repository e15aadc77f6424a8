#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/ISettingsPainter.h"
#include "Interfaces/IVideoFrame.h"
#include "Interfaces/MaskInfo.h"

#include <limits>
#include <memory>

namespace Tavrel::PhotoCore {

/// The drawer's painter side: a temporary paint over the photo that can be
/// updated many times and then committed as a history entry.
///
/// A paint whose settings carry a reset index (EffectsSettingsPackage::resetIndex)
/// is a new entry drawn on the photo as it was at that position; otherwise, or
/// when the painter settings say editLatestEntry, it changes the latest entry:
/// its effects of the same identifier are replaced and its blend level is the paint's.
class IPhotoCoreDrawerPainter {
public:
    /// "Up to the latest position", for Prepare and CommitPaint.
    static constexpr int MAX_POS = std::numeric_limits<int>::max();

    virtual ~IPhotoCoreDrawerPainter() = default;

    /// The painter to use from now on; mask limits the paint to a mask (empty: the whole photo).
    virtual void SetPainterSettings(const std::shared_ptr<ISettingsPainter>& settings,
                                    const std::shared_ptr<MaskInfo::IMask>& mask) = 0;
    /// Opens a paint on the photo at positions from..to; gives the frame painted on (may be
    /// null while it is still being rendered).
    virtual FramePtr Prepare(int from, int to) = 0;
    /// Renders the paint with these settings on the drawer's thread; a DrawerEventFrameTemporary
    /// follows. With wait, returns only when the render is done.
    virtual void UpdatePaint(const EffectsSettings& settings, bool wait) = 0;
    /// Makes the paint a history entry (see above); a DrawerEventFrame follows. With wait,
    /// returns only when the render is done. Without an open paint nothing happens.
    virtual void CommitPaint(int from, int to, bool wait) = 0;
};

} // namespace Tavrel::PhotoCore
