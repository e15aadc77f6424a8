#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Turns hues by a number of degrees, mixed with the unshifted colour by strength (0..1).
class SettingsEffectHueShift : public SettingsEffectParametric<SettingsEffectHueShift> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { HUE, STRENGTH };

    SettingsEffectHueShift();
};

} // namespace Tavrel::PhotoCore
