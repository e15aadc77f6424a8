#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/IEffectSettings.h"

#include <QImage>

#include <functional>
#include <optional>

namespace Tavrel::PhotoCore {

/// Renders effects on opaque photos (QImage::Format_RGB32).
/// Blend levels say how much of the input shows through: 0 none, 255 all.
class EffectRenderer {
public:
    struct RenderOptions {
        /// Asked between steps of the render, possibly from several threads at once: it must be cheap and
        /// thread-safe. Once it answers true no further step starts and the render gives nothing. Empty:
        /// never cancelled.
        std::function<bool()> cancelled;
        /// How many threads may work on the render at once: 0 for one per core, 1 for the calling thread
        /// alone.
        int threads = 0;
    };

    /// The input with the settings' effects applied in order, then mixed with the
    /// input by the settings' blend level.
    static QImage Render(const QImage& input, const EffectsSettings& settings);
    /// As above; nullopt when options.cancelled answered true.
    static std::optional<QImage> Render(const QImage& input, const EffectsSettings& settings,
                                        const RenderOptions& options);
    /// The input with one effect applied; a mask blender renders its inner chain
    /// and mixes it with the input by its own level.
    static QImage Render(const QImage& input, const IEffectSettings& effect);
};

} // namespace Tavrel::PhotoCore
