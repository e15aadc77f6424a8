#include "Host/Drawer/VideoFrame.h"

#include "Host/Types/CallStack.h"

#include <stdexcept>

namespace Tavrel::PhotoCore {

VideoFrame::VideoFrame(const QImage& image)
    : m_image(image.format() == QImage::Format_RGB32 ? image : image.convertToFormat(QImage::Format_RGB32))
{
}

int VideoFrame::Width() const { return m_image.width(); }

int VideoFrame::Height() const { return m_image.height(); }

const QImage& VideoFrame::ImageOf(const FramePtr& frame)
{
    const auto* videoFrame = dynamic_cast<const VideoFrame*>(frame.get());
    if (!videoFrame)
        TAVREL_THROW(std::invalid_argument, "the frame was not made by this photo core");
    return videoFrame->Image();
}

} // namespace Tavrel::PhotoCore
