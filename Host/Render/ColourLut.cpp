#include "Host/Render/ColourLut.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Tavrel::PhotoCore {

ColourLut::ColourLut(const Table& red, const Table& green, const Table& blue)
{
    for (std::size_t level = 0; level < 256; ++level) {
        m_red[level] = 0xFF000000u | std::uint32_t(red[level]) << 16;
        m_green[level] = std::uint32_t(green[level]) << 8;
        m_blue[level] = blue[level];
    }
}

ColourLut::Table ColourLut::Tabulate(const std::function<double(double)>& f)
{
    Table table{};
    for (int level = 0; level < 256; ++level)
        table[level] = static_cast<std::uint8_t>(std::clamp(std::lround(f(level)), 0L, 255L));
    return table;
}

ColourLut::Table ColourLut::Identity()
{
    return Tabulate([](double level) { return level; });
}

ColourLut ColourLut::Then(const ColourLut& next) const
{
    ColourLut both;
    for (std::size_t level = 0; level < 256; ++level) {
        both.m_red[level] = next.m_red[(m_red[level] >> 16) & 0xFF];
        both.m_green[level] = next.m_green[m_green[level] >> 8];
        both.m_blue[level] = next.m_blue[m_blue[level]];
    }
    return both;
}

bool ColourLut::IsIdentity() const
{
    for (std::uint32_t level = 0; level < 256; ++level) {
        if (m_red[level] != (0xFF000000u | level << 16) || m_green[level] != level << 8 || m_blue[level] != level)
            return false;
    }
    return true;
}

bool ColourLut::Widens() const
{
    const auto steep = [](const Shifted& table, int shift) {
        for (std::size_t level = 1; level < 256; ++level) {
            if (std::abs(int((table[level] >> shift) & 0xFF) - int((table[level - 1] >> shift) & 0xFF)) > 1)
                return true;
        }
        return false;
    };
    return steep(m_red, 16) || steep(m_green, 8) || steep(m_blue, 0);
}

std::array<ColourLut::Table, 3> ColourLut::Tables() const
{
    std::array<Table, 3> tables{};
    for (std::size_t level = 0; level < 256; ++level) {
        tables[0][level] = static_cast<std::uint8_t>(m_red[level] >> 16);
        tables[1][level] = static_cast<std::uint8_t>(m_green[level] >> 8);
        tables[2][level] = static_cast<std::uint8_t>(m_blue[level]);
    }
    return tables;
}

TAVREL_VECTOR_KERNEL void ColourLut::Apply(const PixelBand& band) const
{
    const int width = band.width;
    for (int row = 0; row < band.height; ++row) {
        const std::uint32_t* in = band.source[row];
        std::uint32_t* out = band.target[row];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            out[x] = m_red[(p >> 16) & 0xFF] | m_green[(p >> 8) & 0xFF] | m_blue[p & 0xFF];
        }
    }
}

} // namespace Tavrel::PhotoCore
