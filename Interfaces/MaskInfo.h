#pragma once

#include "Host/Effects/ISettingsPainter.h"

#include <memory>
#include <string>

namespace Tavrel::PhotoCore::MaskInfo {

/// A mask painted on the photo by one of the drawer's painters.
class IMask {
public:
    virtual ~IMask() = default;
    /// The painter that painted the mask (compare IPhotoCoreDrawer::GetPainterId).
    virtual std::string GetPainterId() const = 0;
    /// The settings that painter worked with; shared with the mask.
    virtual std::shared_ptr<ISettingsPainter> GetPainterSettings() const = 0;
};

/// A mask record of the history; mask is empty when the position has none.
struct MaskInfoEx {
    std::shared_ptr<IMask> mask;
    int position = -1;
};

} // namespace Tavrel::PhotoCore::MaskInfo
