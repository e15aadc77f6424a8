#include "Host/Render/ImageMixer.h"

#include "Host/Render/VectorKernel.h"

#include <algorithm>
#include <cstdint>

namespace Tavrel::PhotoCore {

TAVREL_VECTOR_KERNEL void ImageMixer::Mix(const QImage& effect, const QImage& input, int level, QImage& target)
{
    // Every intermediate fits 16 bits, which lets the loop run on 16-bit lanes.
    const auto take = static_cast<std::uint16_t>(std::clamp(level, 0, 255));
    const auto keep = static_cast<std::uint16_t>(255 - take);
    const int bytes = effect.width() * 4;
    for (int y = 0; y < effect.height(); ++y) {
        const std::uint8_t* a = effect.constScanLine(y);
        const std::uint8_t* b = input.constScanLine(y);
        std::uint8_t* out = target.scanLine(y);
        for (int i = 0; i < bytes; ++i) {
            // Exact rounding of x / 255 for x <= 255 * 255 without a division.
            const auto x = static_cast<std::uint16_t>(a[i] * keep + b[i] * take + 128);
            out[i] = static_cast<std::uint8_t>(static_cast<std::uint16_t>(x + (x >> 8)) >> 8);
        }
    }
}

} // namespace Tavrel::PhotoCore
