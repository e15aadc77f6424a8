#pragma once

#include "Host/Render/PixelBand.h"

#include <QImage>

#include <array>
#include <cstdint>

namespace Tavrel::PhotoCore {

/// Blends a texture, tiled from the top left corner, over an RGB32 image channel by channel: soft light,
/// where mid-grey changes nothing, or screen, where black changes nothing.
class TextureBlend {
public:
    enum class Mode { SoftLight, Screen };

    /// texture: RGB32, scaled to tileWidth pixels wide (keeping its aspect) and repeated; amount 0..1
    /// mixes between the image (0) and the full blend (1).
    TextureBlend(const QImage& texture, int tileWidth, double amount, Mode mode);

    /// True when two levels one apart may come out more than one apart.
    bool Widens() const;
    /// Writes the blended band.
    void Apply(const PixelBand& band) const;

private:
    QImage m_tile;
    /// The result for texture level t and image level b at t * 256 + b.
    std::array<std::uint8_t, 256 * 256> m_table;
};

} // namespace Tavrel::PhotoCore
