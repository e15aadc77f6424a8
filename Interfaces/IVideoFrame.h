#pragma once

#include <boost/intrusive_ptr.hpp>

#include <atomic>

namespace Tavrel::PhotoCore {

/// A picture produced or consumed by the drawer; reference counted, handed out
/// as FramePtr. The pixel layout belongs to the photo core (see ImageUtils).
class IVideoFrame {
public:
    virtual ~IVideoFrame() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;

private:
    mutable std::atomic<int> m_references{0};

    friend void intrusive_ptr_add_ref(const IVideoFrame* frame)
    {
        frame->m_references.fetch_add(1, std::memory_order_relaxed);
    }
    friend void intrusive_ptr_release(const IVideoFrame* frame)
    {
        if (frame->m_references.fetch_sub(1, std::memory_order_acq_rel) == 1)
            delete frame;
    }
};

using FramePtr = boost::intrusive_ptr<IVideoFrame>;

/// A frame size in pixels with its pixel aspect (1:1 for square pixels).
struct FrameSize {
    int width = 0;
    int height = 0;
    int pixelAspectNumerator = 1;
    int pixelAspectDenominator = 1;
};

} // namespace Tavrel::PhotoCore
