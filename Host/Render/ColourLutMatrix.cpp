#include "Host/Render/ColourLutMatrix.h"

#include "Host/Render/ColourLut.h"
#include "Host/Render/ColourMatrix.h"

#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Tavrel::PhotoCore {

ColourLutMatrix::ColourLutMatrix(const ColourLut& lut, const ColourMatrix& matrix)
{
    constexpr std::int32_t HALF = 1 << (ColourMatrix::SHIFT - 1);
    const auto tables = lut.Tables();
    const auto& c = matrix.Coefficients();
    for (std::size_t channel = 0; channel < 3; ++channel) {
        for (std::size_t level = 0; level < 256; ++level) {
            const std::int32_t value = tables[channel][level];
            m_rows[channel][level] = {c[6 + channel] * value, c[3 + channel] * value, c[channel] * value, 0};
        }
    }
    // The red rows also carry the rounding of every sum, and an opaque alpha.
    for (Lanes& lanes : m_rows[0]) {
        for (std::int32_t& lane : lanes)
            lane += HALF;
        lanes[3] += 255 << ColourMatrix::SHIFT;
    }
}

std::uint32_t ColourLutMatrix::Pixel(std::uint32_t input) const
{
    const Lanes& r = m_rows[0][(input >> 16) & 0xFF];
    const Lanes& g = m_rows[1][(input >> 8) & 0xFF];
    const Lanes& b = m_rows[2][input & 0xFF];
    std::uint32_t pixel = 0;
    for (std::size_t lane = 0; lane < 4; ++lane) {
        const std::int32_t level = (r[lane] + g[lane] + b[lane]) >> ColourMatrix::SHIFT;
        pixel |= static_cast<std::uint32_t>(std::clamp(level, 0, 255)) << (8 * lane);
    }
    return pixel;
}

void ColourLutMatrix::Apply(const PixelBand& band) const
{
#ifdef __SSE2__
    const auto load = [](const Lanes& lanes) { return _mm_load_si128(reinterpret_cast<const __m128i*>(lanes.data())); };
    const auto sum = [this, &load](std::uint32_t p) {
        const __m128i rg = _mm_add_epi32(load(m_rows[0][(p >> 16) & 0xFF]), load(m_rows[1][(p >> 8) & 0xFF]));
        return _mm_srai_epi32(_mm_add_epi32(rg, load(m_rows[2][p & 0xFF])), ColourMatrix::SHIFT);
    };
#endif
    const int width = band.width;
    for (int row = 0; row < band.height; ++row) {
        const std::uint32_t* in = band.source[row];
        std::uint32_t* out = band.target[row];
        int x = 0;
#ifdef __SSE2__
        // Four pixels at a time: narrowing their sums with saturation is the clamp.
        for (; x + 4 <= width; x += 4) {
            const __m128i low = _mm_packs_epi32(sum(in[x]), sum(in[x + 1]));
            const __m128i high = _mm_packs_epi32(sum(in[x + 2]), sum(in[x + 3]));
            _mm_storeu_si128(reinterpret_cast<__m128i*>(out + x), _mm_packus_epi16(low, high));
        }
#endif
        for (; x < width; ++x)
            out[x] = Pixel(in[x]);
    }
}

} // namespace Tavrel::PhotoCore
