#pragma once

#include <array>
#include <cstdint>

namespace Tavrel::PhotoCore {

/// Four 8-bit channels, channel 0 first: red, green, blue, alpha.
struct Color {
    std::array<std::uint8_t, 4> channels{0, 0, 0, 255};

    bool operator==(const Color& other) const { return channels == other.channels; }
    bool operator!=(const Color& other) const { return !(*this == other); }
};

enum class EffectPolicy : std::int32_t { Original = 0, ApplyNormal = 1, ApplySplit = 2 };
enum class CropPolicy : std::int32_t { Disable = 0, BeforeEffect = 1, AfterEffect = 2 };
enum class FitPolicy : std::int32_t { Disable = 0, Fit = 1 };

/// How a preview tile is drawn.
///  - effectPolicy: Original shows the picture without effects, ApplyNormal with
///    them, ApplySplit the original on the left half and the effect on the right,
///    parted by a line of splitColor.
///  - cropPolicy: crop the picture to the tile's aspect before or after the effects
///    are rendered, or not at all (the picture is then stretched).
///  - fitPolicy: Fit shows the whole picture inside the tile, padded with fitPaddingColor.
///  - applyWithMask: the effects are applied through the photo's latest mask.
///  - pixelRatio: the screen's whole-number pixel ratio, for line widths.
struct PreviewPolicy {
    EffectPolicy m_effectPolicy = EffectPolicy::ApplySplit;
    CropPolicy m_cropPolicy = CropPolicy::BeforeEffect;
    FitPolicy m_fitPolicy = FitPolicy::Disable;
    Color m_fitPaddingColor{{0, 0, 0, 255}};
    bool m_applyWithMask = false;
    Color m_splitColor{{255, 255, 255, 255}};
    int pixelRatio = 1;

    bool operator==(const PreviewPolicy& other) const
    {
        return m_effectPolicy == other.m_effectPolicy && m_cropPolicy == other.m_cropPolicy &&
               m_fitPolicy == other.m_fitPolicy && m_fitPaddingColor == other.m_fitPaddingColor &&
               m_applyWithMask == other.m_applyWithMask && m_splitColor == other.m_splitColor &&
               pixelRatio == other.pixelRatio;
    }
    bool operator!=(const PreviewPolicy& other) const { return !(*this == other); }
};

} // namespace Tavrel::PhotoCore
