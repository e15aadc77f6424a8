#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Types/PreviewPolicy.h"

#include <QImage>
#include <QSize>

#include <functional>
#include <mutex>

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
    QImage Compose(const QImage& picture, const EffectsSettings& settings, const QSize& size,
                   const PreviewPolicy& policy, const Renderer& renderer);

private:
    /// The part of the picture scaled to the size. The last result is kept: the tiles of a
    /// list ask for the same picture at the same size, and scaling costs more than their effects.
    QImage Scaled(const QImage& picture, const QRect& part, const QSize& size);

    std::mutex m_mutex;
    qint64 m_pictureKey = 0;
    QRect m_part;
    QImage m_scaled;
};

} // namespace Tavrel::PhotoCore
