#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Adds film grain of strength amount (0..1) in cells of size pixels; the seed fixes the pattern.
class SettingsEffectGrain : public SettingsEffectParametric<SettingsEffectGrain> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT, SIZE, SEED };

    SettingsEffectGrain();
};

} // namespace Tavrel::PhotoCore
