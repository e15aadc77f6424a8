#include "Host/Render/ColourMatrix.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>

namespace Tavrel::PhotoCore {
namespace {

constexpr int SHIFT = 14;
constexpr std::int32_t ONE = 1 << SHIFT;
// Coefficients stay far from the range where 255 * 3 * coefficient overflows.
constexpr double LIMIT = 64.0;

inline std::uint32_t Channel(std::int32_t value)
{
    return static_cast<std::uint32_t>(std::clamp((value + ONE / 2) >> SHIFT, 0, 255));
}

} // namespace

ColourMatrix::Rows ColourMatrix::IdentityRows()
{
    return {{{1.0, 0.0, 0.0}, {0.0, 1.0, 0.0}, {0.0, 0.0, 1.0}}};
}

ColourMatrix::Rows ColourMatrix::Mix(const Rows& rows, double amount)
{
    Rows mixed = IdentityRows();
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j)
            mixed[i][j] += amount * (rows[i][j] - mixed[i][j]);
    }
    return mixed;
}

ColourMatrix::ColourMatrix(const Rows& rows)
{
    for (std::size_t i = 0; i < 9; ++i) {
        const double value = std::isfinite(rows[i / 3][i % 3]) ? rows[i / 3][i % 3] : 0.0;
        m_coefficients[i] = static_cast<std::int32_t>(std::lround(std::clamp(value, -LIMIT, LIMIT) * ONE));
    }
}

bool ColourMatrix::IsIdentity() const
{
    const std::array<std::int32_t, 9> identity{ONE, 0, 0, 0, ONE, 0, 0, 0, ONE};
    return m_coefficients == identity;
}

TAVREL_VECTOR_KERNEL void ColourMatrix::Apply(const QImage& source, QImage& target) const
{
    const auto [rr, rg, rb, gr, gg, gb, br, bg, bb] = m_coefficients;
    const int width = source.width();
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(source.constScanLine(y));
        auto* out = reinterpret_cast<std::uint32_t*>(target.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const std::uint32_t p = in[x];
            const auto r = static_cast<std::int32_t>((p >> 16) & 0xFF);
            const auto g = static_cast<std::int32_t>((p >> 8) & 0xFF);
            const auto b = static_cast<std::int32_t>(p & 0xFF);
            out[x] = 0xFF000000u | Channel(rr * r + rg * g + rb * b) << 16 | Channel(gr * r + gg * g + gb * b) << 8
                | Channel(br * r + bg * g + bb * b);
        }
    }
}

} // namespace Tavrel::PhotoCore
