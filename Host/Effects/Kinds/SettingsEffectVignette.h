#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

namespace Tavrel::PhotoCore {

/// Darkens towards the corners by amount (0..1), starting at radius percent of the half diagonal.
class SettingsEffectVignette : public SettingsEffectParametric<SettingsEffectVignette> {
public:
    static const std::string CLASS_ID;
    /// Parameter indices for Number and Integer.
    enum : std::size_t { AMOUNT, RADIUS };

    SettingsEffectVignette();
};

} // namespace Tavrel::PhotoCore
