#include "Host/Render/ImageMixer.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cstdint>

namespace Tavrel::PhotoCore {

TAVREL_VECTOR_KERNEL void ImageMixer::Mix(const PixelBand& band, const PixelLines<const std::uint32_t>& input,
                                          int level)
{
    // Every intermediate fits 16 bits, which lets the loop run on 16-bit lanes.
    const auto take = static_cast<std::uint16_t>(std::clamp(level, 0, 255));
    const auto keep = static_cast<std::uint16_t>(255 - take);
    const int bytes = band.width * 4;
    for (int row = 0; row < band.height; ++row) {
        const auto* a = reinterpret_cast<const std::uint8_t*>(band.source[row]);
        const auto* b = reinterpret_cast<const std::uint8_t*>(input[row]);
        auto* out = reinterpret_cast<std::uint8_t*>(band.target[row]);
        for (int i = 0; i < bytes; ++i) {
            // Exact rounding of x / 255 for x <= 255 * 255 without a division.
            const auto x = static_cast<std::uint16_t>(a[i] * keep + b[i] * take + 128);
            out[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(x + (x >> 8)) >> 8);
        }
    }
}

} // namespace Tavrel::PhotoCore
