#include "Host/Drawer/VideoFrameFactory.h"

#include "Host/Drawer/VideoFrame.h"

#include <algorithm>

namespace Tavrel::PhotoCore {

FramePtr VideoFrameFactory::CreateFrame(const FrameSize& size)
{
    if (size.width <= 0 || size.height <= 0)
        return FramePtr(new VideoFrame(QImage()));
    QImage image(size.width, size.height, QImage::Format_RGB32);
    image.fill(Qt::black);
    return FramePtr(new VideoFrame(image));
}

} // namespace Tavrel::PhotoCore
