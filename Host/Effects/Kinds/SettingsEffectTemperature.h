#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Cools (negative) or warms (positive) the colours, -100..100.
class SettingsEffectTemperature : public SettingsEffectParametric<SettingsEffectTemperature> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT };

    SettingsEffectTemperature();
};

} // namespace Tavrel::PhotoCore
