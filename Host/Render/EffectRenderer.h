#pragma once

#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/IEffectSettings.h"

#include <QImage>

#include <functional>
#include <optional>

namespace Tavrel::PhotoCore {

/// Renders effects on opaque photos (QImage::Format_RGB32).
/// Blend levels say how much of the input shows through: 0 none, 255 all.
///
/// A render goes through the photo once, in bands of rows that each pass through the
/// whole chain while they are in the cache, on as many threads as there are cores
/// (the calling thread among them). Consecutive curve effects run as one table, and
/// consecutive colour matrices as one matrix where that is close enough: every
/// channel of a result is within one level of the effects applied one by one.
class EffectRenderer {
public:
    /// The rows of a band take about this many bytes, so that the rows read and
    /// written stay in a core's cache while every stage passes over them.
    static constexpr int BAND_BYTES = 256 * 1024;

    struct RenderOptions {
        /// Asked before each band, from every rendering thread, possibly at once: it must
        /// be cheap and thread-safe. Once it answers true no further band starts and the
        /// render gives nothing. Empty: never cancelled.
        std::function<bool()> cancelled;
        /// How many threads may render at once: 0 for one per core, 1 for the calling
        /// thread alone.
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
