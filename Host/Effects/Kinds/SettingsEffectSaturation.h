#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Strengthens or weakens colours, -100..100; -100 gives grey.
class SettingsEffectSaturation : public SettingsEffectParametric<SettingsEffectSaturation> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT };

    SettingsEffectSaturation();
};

} // namespace Tavrel::PhotoCore
