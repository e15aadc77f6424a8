#pragma once

#include "Host/Render/PixelBand.h"

#include <array>
#include <cstdint>
#include <functional>

namespace Tavrel::PhotoCore {

/// One 256-entry lookup table per colour channel, applied to RGB32 pixels.
class ColourLut {
public:
    using Table = std::array<std::uint8_t, 256>;

    ColourLut(const Table& red, const Table& green, const Table& blue);

    /// The table of f(level) rounded and clamped to 0..255, for every level 0..255.
    static Table Tabulate(const std::function<double(double)>& f);
    static Table Identity();

    /// This table followed by next, as one table: exactly what applying both in turn gives.
    ColourLut Then(const ColourLut& next) const;
    /// True when applying would change no pixel.
    bool IsIdentity() const;
    /// True when two levels one apart may come out more than one apart.
    bool Widens() const;

    /// The red, green and blue tables.
    std::array<Table, 3> Tables() const;

    /// Writes the band with every channel replaced by its table entry, opaque.
    void Apply(const PixelBand& band) const;

private:
    ColourLut() = default;

    // Entries already shifted into place, so a pixel is three lookups and two ors.
    using Shifted = std::array<std::uint32_t, 256>;
    Shifted m_red;
    Shifted m_green;
    Shifted m_blue;
};

} // namespace Tavrel::PhotoCore
