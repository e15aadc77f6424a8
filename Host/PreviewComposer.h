#pragma once

#include "Host/EffectsSettings.h"
#include "Host/PreviewPolicy.h"

#include <QImage>
#include <QSize>

#include <functional>

namespace Tavrel::PhotoCore {

/// Draws a preview tile of a picture as a PreviewPolicy says. The effects are rendered at
/// tile resolution (or at the picture scaled to cover the tile, when cropping after them),
/// never on the picture as given.
class PreviewComposer {
public:
    using Renderer = std::function<QImage(const QImage& input, const EffectsSettings& settings)>;

    /// A Format_RGB32 image of the size. Fit shows the whole picture centred and padded
    /// (crop policy then does not apply); otherwise the picture is cropped to the tile's
    /// aspect before or after the effects, or stretched when cropping is disabled. A split
    /// shows the original left of the middle and the effect right of it, parted by a line
    /// pixelRatio pixels wide. A null picture or an empty size gives a null image.
    static QImage Compose(const QImage& picture, const EffectsSettings& settings, const QSize& size,
                          const PreviewPolicy& policy, const Renderer& renderer);
};

} // namespace Tavrel::PhotoCore
