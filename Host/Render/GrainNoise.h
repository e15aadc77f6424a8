#pragma once

#include "Host/Render/PixelBand.h"

#include <cstdint>

namespace Tavrel::PhotoCore {

/// Adds monochrome film grain to an RGB32 image: every cell of size x size
/// pixels gets one brightness offset from a hash of its position and the seed,
/// so the same parameters always give the same grain.
class GrainNoise {
public:
    /// amount 0..1 (1: offsets up to about a quarter of the range); size >= 1.
    GrainNoise(double amount, int size, std::uint32_t seed);

    /// True when the grain is too weak to change any pixel.
    bool IsIdentity() const;
    /// Writes the grainy band.
    void Apply(const PixelBand& band) const;

private:
    std::int32_t m_strength;
    int m_size;
    std::uint32_t m_seed;
};

} // namespace Tavrel::PhotoCore
