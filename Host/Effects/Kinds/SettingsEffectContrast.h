#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Spreads (positive) or compresses (negative) tones around mid-grey, -100..100.
class SettingsEffectContrast : public SettingsEffectParametric<SettingsEffectContrast> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT };

    SettingsEffectContrast();
};

} // namespace Tavrel::PhotoCore
