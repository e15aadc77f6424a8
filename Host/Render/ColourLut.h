#pragma once

#include <QImage>

#include <array>
#include <cstdint>
#include <functional>

namespace Tavrel::PhotoCore {

/// One 256-entry lookup table per colour channel, applied to RGB32 images.
class ColourLut {
public:
    using Table = std::array<std::uint8_t, 256>;

    ColourLut(const Table& red, const Table& green, const Table& blue);

    /// The table of f(level) rounded and clamped to 0..255, for every level 0..255.
    static Table Tabulate(const std::function<double(double)>& f);
    static Table Identity();

    /// Writes source with every channel replaced by its table entry into target,
    /// opaque; target has the size of source and may be source itself.
    void Apply(const QImage& source, QImage& target) const;

private:
    // Entries already shifted into place, so a pixel is three lookups and two ors.
    using Shifted = std::array<std::uint32_t, 256>;
    Shifted m_red;
    Shifted m_green;
    Shifted m_blue;
};

} // namespace Tavrel::PhotoCore
