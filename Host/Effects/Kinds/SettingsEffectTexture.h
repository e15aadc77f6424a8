#pragma once

#include "Host/Effects/SettingsEffectParametric.h"

#include <cstdint>

namespace Tavrel::PhotoCore {

/// Blends a downloaded texture over the photo by amount (0..1), tiled in squares of scale times the photo's
/// long side: soft light around mid-grey, or screen (lightening only) when screen is set. Without the
/// texture file the photo stays as it is.
class SettingsEffectTexture : public SettingsEffectParametric<SettingsEffectTexture> {
public:
    static const std::string CLASS_ID;
    /// The download resource type of effect textures.
    static constexpr std::int32_t RESOURCE_TYPE = 3;
    /// Parameter indices for Text, Number and Flag.
    enum : std::size_t { TEXTURE, AMOUNT, SCALE, SCREEN };

    SettingsEffectTexture();
};

} // namespace Tavrel::PhotoCore
