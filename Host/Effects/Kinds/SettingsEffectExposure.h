#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Brightens (positive) or darkens (negative) by a number of stops, -3..3.
class SettingsEffectExposure : public SettingsEffectParametric<SettingsEffectExposure> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT };

    SettingsEffectExposure();
};

} // namespace Tavrel::PhotoCore
