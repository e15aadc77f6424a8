#include "Host/Render/TextureBlend.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace Tavrel::PhotoCore {
namespace {

double Blend(double texture, double image, TextureBlend::Mode mode)
{
    if (mode == TextureBlend::Mode::Screen)
        return 1.0 - (1.0 - texture) * (1.0 - image);
    // Soft light without the seams of the piecewise forms: exactly the image at mid-grey.
    return (1.0 - 2.0 * texture) * image * image + 2.0 * texture * image;
}

} // namespace

TextureBlend::TextureBlend(const QImage& texture, int tileWidth, double amount, Mode mode)
{
    const int width = std::max(tileWidth, 1);
    const int height = std::max(static_cast<int>(std::lround(double(width) * texture.height() / texture.width())), 1);
    m_tile = texture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                 .convertToFormat(QImage::Format_RGB32);
    amount = std::clamp(amount, 0.0, 1.0);
    for (int t = 0; t < 256; ++t) {
        // A texture level of 128 stands for the exact middle, so mid-grey tiles leave the image alone.
        const double level = t == 128 ? 0.5 : t / 255.0;
        for (int b = 0; b < 256; ++b) {
            const double image = b / 255.0;
            const double mixed = image + amount * (Blend(level, image, mode) - image);
            m_table[static_cast<std::size_t>(t * 256 + b)] =
                static_cast<std::uint8_t>(std::clamp(std::lround(mixed * 255.0), 0L, 255L));
        }
    }
}

bool TextureBlend::Widens() const
{
    for (std::size_t i = 1; i < m_table.size(); ++i) {
        if (i % 256 != 0 && std::abs(m_table[i] - m_table[i - 1]) > 1)
            return true;
    }
    return false;
}

void TextureBlend::Apply(const PixelBand& band) const
{
    const int width = band.width;
    const int tileWidth = m_tile.width();
    const int tileHeight = m_tile.height();
    for (int row = 0; row < band.height; ++row) {
        const std::uint32_t* in = band.source[row];
        const auto* tile = reinterpret_cast<const std::uint32_t*>(m_tile.constScanLine((band.top + row) % tileHeight));
        std::uint32_t* out = band.target[row];
        for (int x = 0, tx = 0; x < width; ++x, tx = tx + 1 == tileWidth ? 0 : tx + 1) {
            const std::uint32_t p = in[x];
            const std::uint32_t t = tile[tx];
            std::uint32_t result = 0xFF000000u;
            for (int shift = 0; shift <= 16; shift += 8) {
                const std::uint32_t index = ((t >> shift) & 0xFF) << 8 | ((p >> shift) & 0xFF);
                result |= std::uint32_t(m_table[index]) << shift;
            }
            out[x] = result;
        }
    }
}

} // namespace Tavrel::PhotoCore
