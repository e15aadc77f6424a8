#include "Host/Render/RadialFalloff.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

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
    std::vector<std::uint32_t> offsets(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        const double d = (i + 0.5 - count / 2.0) / halfDiagonal;
        offsets[static_cast<std::size_t>(i)] = static_cast<std::uint32_t>(std::lround(d * d * STEPS));
    }
    return offsets;
}

} // namespace

RadialFalloff::RadialFalloff(double amount, double start)
    : m_amount(std::clamp(amount, 0.0, 1.0))
    , m_start(std::clamp(start, 0.0, 1.0))
{
}

TAVREL_VECTOR_KERNEL void RadialFalloff::Apply(const QImage& source, QImage& target) const
{
    const int width = source.width();
    const int height = source.height();
    if (width == 0 || height == 0)
        return;
    const double halfDiagonal = std::hypot(width, height) / 2.0;
    const auto columns = SquaredOffsets(width, halfDiagonal);
    const auto rows = SquaredOffsets(height, halfDiagonal);

    // Two rounded offsets may together exceed STEPS slightly.
    std::vector<std::uint16_t> factors(STEPS + 2);
    const double span = std::max(1.0 - m_start, 1e-6);
    for (std::size_t i = 0; i < factors.size(); ++i) {
        const double t = std::clamp((std::sqrt(double(i) / STEPS) - m_start) / span, 0.0, 1.0);
        const double darkening = m_amount * t * t * (3.0 - 2.0 * t);
        factors[i] = static_cast<std::uint16_t>(std::lround((1.0 - darkening) * ONE));
    }

    std::vector<std::uint32_t> lineFactors(columns.size());
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
        const std::uint16_t* rowFactors = factors.data() + rows[static_cast<std::size_t>(y)];
        for (std::size_t x = 0; x < columns.size(); ++x)
            lineFactors[x] = rowFactors[columns[x]];
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
