#include "Host/Render/ColourMatrix.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cmath>

namespace Tavrel::PhotoCore {
namespace {

constexpr int SHIFT = ColourMatrix::SHIFT;
constexpr std::int32_t ONE = 1 << SHIFT;
// Coefficients stay far from the range where 255 * 3 * coefficient overflows.
constexpr double LIMIT = 64.0;
// The most a result can move, in levels, by rounding the coefficients to fixed point.
constexpr double QUANTUM = 3.0 * 255.0 / (2 * ONE);

inline std::uint32_t Channel(std::int32_t value)
{
    return static_cast<std::uint32_t>(std::clamp((value + ONE / 2) >> SHIFT, 0, 255));
}

// The largest factor by which the matrix can stretch a difference in any one channel.
double Gain(const ColourMatrix::Rows& rows)
{
    double gain = 0.0;
    for (const auto& row : rows)
        gain = std::max(gain, std::abs(row[0]) + std::abs(row[1]) + std::abs(row[2]));
    return gain;
}

// True when every colour of the cube lands inside it, so that nothing is clamped.
bool KeepsColoursInRange(const ColourMatrix::Rows& rows)
{
    for (const auto& row : rows) {
        double low = 0.0;
        double high = 0.0;
        for (const double c : row)
            (c < 0.0 ? low : high) += c;
        if (low < 0.0 || high > 1.0 + 1e-9)
            return false;
    }
    return true;
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

ColourMatrix::ColourMatrix(const Rows& rows) : ColourMatrix(rows, 0.0) {}

ColourMatrix::ColourMatrix(const Rows& rows, double drift) : m_drift(drift)
{
    for (std::size_t i = 0; i < 9; ++i) {
        const double value = std::isfinite(rows[i / 3][i % 3]) ? rows[i / 3][i % 3] : 0.0;
        m_rows[i / 3][i % 3] = std::clamp(value, -LIMIT, LIMIT);
        m_coefficients[i] = static_cast<std::int32_t>(std::lround(m_rows[i / 3][i % 3] * ONE));
    }
}

std::optional<ColourMatrix> ColourMatrix::Then(const ColourMatrix& next) const
{
    // Applied in turn, this matrix's results are rounded (half a level) and clamped;
    // next stretches that difference. Values that differ by at most one level round
    // to levels at most one apart.
    const double drift = Gain(next.m_rows) * (m_drift + 0.5 + 2 * QUANTUM) + 2 * QUANTUM;
    if (drift > 1.0 || !KeepsColoursInRange(m_rows))
        return std::nullopt;
    Rows product{};
    for (std::size_t i = 0; i < 3; ++i) {
        for (std::size_t j = 0; j < 3; ++j) {
            for (std::size_t k = 0; k < 3; ++k)
                product[i][j] += next.m_rows[i][k] * m_rows[k][j];
        }
    }
    return ColourMatrix(product, drift);
}

bool ColourMatrix::IsIdentity() const
{
    const std::array<std::int32_t, 9> identity{ONE, 0, 0, 0, ONE, 0, 0, 0, ONE};
    return m_coefficients == identity;
}

bool ColourMatrix::Widens() const
{
    // A mix towards grey keeps the unit gain up to its fixed-point rounding.
    return Gain(m_rows) > 1.0 + 1e-9;
}

TAVREL_VECTOR_KERNEL void ColourMatrix::Apply(const PixelBand& band) const
{
    const int width = band.width;
    const auto [rr, rg, rb, gr, gg, gb, br, bg, bb] = m_coefficients;
    for (int row = 0; row < band.height; ++row) {
        const std::uint32_t* in = band.source[row];
        std::uint32_t* out = band.target[row];
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
