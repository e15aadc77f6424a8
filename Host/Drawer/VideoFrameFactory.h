#pragma once

#include "Interfaces/IVideoFrameFactory.h"

namespace Tavrel::PhotoCore {

/// Makes VideoFrame objects. Format_RGB32 has no alpha, so new frames are opaque black.
class VideoFrameFactory : public IVideoFrameFactory {
public:
    /// Negative sizes give an empty frame.
    FramePtr CreateFrame(const FrameSize& size) override;
};

} // namespace Tavrel::PhotoCore
