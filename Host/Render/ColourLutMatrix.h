#pragma once

#include "Host/Render/PixelBand.h"

#include <array>
#include <cstdint>

namespace Tavrel::PhotoCore {

class ColourLut;
class ColourMatrix;

/// A lookup table followed by a colour matrix, in one pass that gives exactly what the
/// two give in turn. The matrix is linear, so each input channel's table can hold its
/// looked-up level times the matrix's column for that channel: a pixel is the sum of
/// three table rows, rounded and clamped as the matrix does.
class ColourLutMatrix {
public:
    ColourLutMatrix(const ColourLut& lut, const ColourMatrix& matrix);

    /// Writes the band with the table and then the matrix applied, opaque.
    void Apply(const PixelBand& band) const;

private:
    /// Blue, green, red and alpha sums in the matrix's fixed point: the byte order of an
    /// RGB32 pixel, so that packing the lanes gives the pixel.
    using Lanes = std::array<std::int32_t, 4>;

    std::uint32_t Pixel(std::uint32_t input) const;

    /// Per input channel (red, green, blue), per level.
    alignas(16) std::array<std::array<Lanes, 256>, 3> m_rows;
};

} // namespace Tavrel::PhotoCore
