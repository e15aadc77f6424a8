#include "Host/ImageMixer.h"

#include <algorithm>
#include <cstdint>

namespace Tavrel::PhotoCore {

void ImageMixer::Mix(QImage& result, const QImage& input, int level)
{
    level = std::clamp(level, 0, 255);
    if (level == 0)
        return;
    if (level == 255) {
        result = input;
        return;
    }
    const auto keep = static_cast<std::uint32_t>(255 - level);
    const auto take = static_cast<std::uint32_t>(level);
    const int bytes = result.width() * 4;
    for (int y = 0; y < result.height(); ++y) {
        std::uint8_t* out = result.scanLine(y);
        const std::uint8_t* in = input.constScanLine(y);
        for (int i = 0; i < bytes; ++i) {
            // Exact rounding of x / 255 for x <= 255 * 255 without a division.
            const std::uint32_t x = out[i] * keep + in[i] * take + 128;
            out[i] = static_cast<std::uint8_t>((x + (x >> 8)) >> 8);
        }
    }
}

} // namespace Tavrel::PhotoCore
