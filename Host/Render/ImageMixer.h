#pragma once

#include <QImage>

namespace Tavrel::PhotoCore {

/// Mixes an effect's result with its input, channel by channel.
class ImageMixer {
public:
    /// target = (effect * (255 - level) + input * level) / 255, rounded; level is
    /// clamped to 0..255 (0 gives the effect, 255 the input). All three images
    /// are RGB32 of one size; target may be effect itself.
    static void Mix(const QImage& effect, const QImage& input, int level, QImage& target);
};

} // namespace Tavrel::PhotoCore
