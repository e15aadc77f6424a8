#pragma once

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

    /// Writes the blended source into target, which has the size of source and may be source itself.
    void Apply(const QImage& source, QImage& target) const;

private:
    QImage m_tile;
    /// The result for texture level t and image level b at t * 256 + b.
    std::array<std::uint8_t, 256 * 256> m_table;
};

} // namespace Tavrel::PhotoCore
