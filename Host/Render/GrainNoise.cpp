#include "Host/Render/GrainNoise.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace Tavrel::PhotoCore {
namespace {

// Integer avalanche hash: cheap, branch-free and vectorisable.
inline std::uint32_t Hash(std::uint32_t x, std::uint32_t rowKey)
{
    std::uint32_t h = x * 0x8DA6B343u ^ rowKey;
    h ^= h >> 15;
    h *= 0x2C1B3C6Du;
    h ^= h >> 12;
    h *= 0x297A2D39u;
    h ^= h >> 15;
    return h;
}

inline std::uint32_t AddClamped(std::uint32_t channel, std::int32_t offset)
{
    return static_cast<std::uint32_t>(std::clamp(static_cast<std::int32_t>(channel) + offset, 0, 255));
}

} // namespace

GrainNoise::GrainNoise(double amount, int size, std::uint32_t seed)
    : m_strength(static_cast<std::int32_t>(std::lround(std::clamp(amount, 0.0, 1.0) * 128.0)))
    , m_size(std::max(size, 1))
    , m_seed(seed)
{
}

bool GrainNoise::IsIdentity() const
{
    return m_strength == 0;
}

TAVREL_VECTOR_KERNEL void GrainNoise::Apply(const PixelBand& band) const
{
    const int width = band.width;
    const auto cells = static_cast<std::size_t>((width + m_size - 1) / m_size);
    std::vector<std::int32_t> cellOffsets(cells);
    // Cells of one pixel need no spreading over their row.
    std::vector<std::int32_t> spread(m_size == 1 ? 0 : static_cast<std::size_t>(width));
    const std::int32_t* offsets = m_size == 1 ? cellOffsets.data() : spread.data();
    for (int row = 0; row < band.height; ++row) {
        const int y = band.top + row;
        if (row == 0 || y % m_size == 0) {
            const std::uint32_t rowKey = static_cast<std::uint32_t>(y / m_size) * 0xD8163841u ^ m_seed * 0xCB1AB31Fu;
            for (std::size_t c = 0; c < cells; ++c) {
                const std::uint32_t h = Hash(static_cast<std::uint32_t>(c), rowKey);
                // Sum of two uniform bytes: a triangular spread around zero, -255..255.
                const auto noise = static_cast<std::int32_t>((h & 0xFF) + ((h >> 8) & 0xFF)) - 255;
                cellOffsets[c] = noise * m_strength / 512;
            }
            for (std::size_t x = 0; x < spread.size(); ++x)
                spread[x] = cellOffsets[x / static_cast<std::size_t>(m_size)];
        }
        const std::uint32_t* in = band.source[row];
        std::uint32_t* out = band.target[row];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            const std::int32_t o = offsets[x];
            out[x] = 0xFF000000u | AddClamped((p >> 16) & 0xFF, o) << 16 | AddClamped((p >> 8) & 0xFF, o) << 8
                | AddClamped(p & 0xFF, o);
        }
    }
}

} // namespace Tavrel::PhotoCore
