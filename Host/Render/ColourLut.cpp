#include "Host/Render/ColourLut.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>

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

TAVREL_VECTOR_KERNEL void ColourLut::Apply(const QImage& source, QImage& target) const
{
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            out[x] = m_red[(p >> 16) & 0xFF] | m_green[(p >> 8) & 0xFF] | m_blue[p & 0xFF];
        }
    }
}

} // namespace Tavrel::PhotoCore
