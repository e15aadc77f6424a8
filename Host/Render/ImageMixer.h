#pragma once

#include "Host/Render/PixelBand.h"

namespace Tavrel::PhotoCore {

/// Mixes an effect's result with its input, channel by channel.
class ImageMixer {
public:
    /// Writes (effect * (255 - level) + input * level) / 255, rounded, where effect is
    /// the band's source and input holds the same rows before the effect; level is
    /// clamped to 0..255 (0 gives the effect, 255 the input).
    static void Mix(const PixelBand& band, const PixelLines<const std::uint32_t>& input, int level);
};

} // namespace Tavrel::PhotoCore
