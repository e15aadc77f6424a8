#include "Host/Render/RadialFalloff.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>

namespace Tavrel::PhotoCore {
namespace {

constexpr int SHIFT = 15;
constexpr std::uint32_t ONE = 1u << SHIFT;
// Squared distances (in half diagonals) are quantised to this many steps; the
// table lookup replaces a square root per pixel.
constexpr std::uint32_t STEPS = 1u << 14;

// Squared distance of each pixel centre from the middle, per column or row.
std::vector<std::uint32_t> SquaredOffsets(int count, double halfDiagonal)
{
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(std::max(count, 0)));
    for (int i = 0; i < count; ++i) {
        const double d = (i + 0.5 - count / 2.0) / halfDiagonal;
        offsets[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(std::lround(d * d * STEPS));
    }
    return offsets;
}

} // namespace

RadialFalloff::RadialFalloff(double amount, double start, const QSize& size)
{
    const double halfDiagonal = std::max(std::hypot(size.width(), size.height()) / 2.0, 0.5);
    m_columns = SquaredOffsets(size.width(), halfDiagonal);
    m_rows = SquaredOffsets(size.height(), halfDiagonal);
    amount = std::clamp(amount, 0.0, 1.0);
    start = std::clamp(start, 0.0, 1.0);
    // Two rounded offsets may together exceed STEPS slightly.
    m_factors.resize(STEPS + 2);
    const double span = std::max(1.0 - start, 1e-6);
    for (std::size_t i = 0; i < m_factors.size(); ++i) {
        const double t = std::clamp((std::sqrt(double(i) / STEPS) - start) / span, 0.0, 1.0);
        const double darkening = amount * t * t * (3.0 - 2.0 * t);
        m_factors[i] = static_cast<std::uint16_t>(std::lround((1.0 - darkening) * ONE));
    }
}

TAVREL_VECTOR_KERNEL void RadialFalloff::Apply(const PixelBand& band) const
{
    const int width = band.width;
    std::vector<std::uint32_t> lineFactors(static_cast<std::size_t>(width));
    for (int row = 0; row < band.height; ++row) {
        const std::uint16_t* rowFactors = m_factors.data() + m_rows[static_cast<std::size_t>(band.top + row)];
        for (std::size_t x = 0; x < lineFactors.size(); ++x)
            lineFactors[x] = rowFactors[m_columns[x]];
        const std::uint32_t* in = band.source[row];
        std::uint32_t* out = band.target[row];
        for (int x = 0; x < width; ++x) {
            const std::uint32_t f = lineFactors[static_cast<std::size_t>(x)];
            const std::uint32_t p = in[x];
            const std::uint32_t r = (((p >> 16) & 0xFF) * f + ONE / 2) >> SHIFT;
            const std::uint32_t g = (((p >> 8) & 0xFF) * f + ONE / 2) >> SHIFT;
            const std::uint32_t b = ((p & 0xFF) * f + ONE / 2) >> SHIFT;
            out[x] = 0xFF000000u | r << 16 | g << 8 | b;
        }
    }
}

} // namespace Tavrel::PhotoCore
