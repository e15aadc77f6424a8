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

    /// Replaces every pixel's channels by their table entries; alpha becomes opaque.
    void Apply(QImage& image) const;

private:
    Table m_red;
    Table m_green;
    Table m_blue;
};

} // namespace Tavrel::PhotoCore
