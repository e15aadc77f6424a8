#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Mixes towards the grey weighted by the red, green and blue weights, by amount (0..1).
class SettingsEffectBlackWhiteMix : public SettingsEffectParametric<SettingsEffectBlackWhiteMix> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { RED, GREEN, BLUE, AMOUNT };

    SettingsEffectBlackWhiteMix();
};

} // namespace Tavrel::PhotoCore
