#pragma once

#include <QImage>

namespace Tavrel::PhotoCore {

/// Mixes an effect's result with its input, channel by channel.
class ImageMixer {
public:
    /// result = (result * (255 - level) + input * level) / 255, rounded; level is
    /// clamped to 0..255 (0 keeps the result, 255 gives the input). Both images
    /// are RGB32 of the same size.
    static void Mix(QImage& result, const QImage& input, int level);
};

} // namespace Tavrel::PhotoCore
