#pragma once

#include "Interfaces/IVideoFrame.h"

namespace Tavrel::PhotoCore {

/// Makes frames of the photo core's pixel layout.
class IVideoFrameFactory {
public:
    virtual ~IVideoFrameFactory() = default;
    /// A new frame of the given size, transparent black.
    virtual FramePtr CreateFrame(const FrameSize& size) = 0;
};

} // namespace Tavrel::PhotoCore
