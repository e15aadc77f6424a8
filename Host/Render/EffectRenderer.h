#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/IEffectSettings.h"

#include <QImage>

namespace Tavrel::PhotoCore {

/// Renders effects on opaque photos (QImage::Format_RGB32) on the calling thread.
/// Blend levels say how much of the input shows through: 0 none, 255 all.
class EffectRenderer {
public:
    /// The input with the settings' effects applied in order, then mixed with the
    /// input by the settings' blend level.
    static QImage Render(const QImage& input, const EffectsSettings& settings);
    /// The input with one effect applied; a mask blender renders its inner chain
    /// and mixes it with the input by its own level.
    static QImage Render(const QImage& input, const IEffectSettings& effect);
};

} // namespace Tavrel::PhotoCore
