#include "Host/Drawer/QtImageUtils.h"

#include "Host/Types/CallStack.h"
#include "Host/Drawer/VideoFrame.h"

#include <QPainter>

#include <stdexcept>

namespace Tavrel::PhotoCore {

QPixmap QtImageUtils::FrameToPixmap(const FramePtr& frame) const
{
    if (!frame)
        return QPixmap();
    return QPixmap::fromImage(VideoFrame::ImageOf(frame));
}

FramePtr QtImageUtils::PixmapToFrame(const QPixmap& pixmap, IVideoFrameFactory& factory) const
{
    if (pixmap.isNull())
        return factory.CreateFrame(FrameSize{});
    FramePtr frame = factory.CreateFrame(FrameSize{pixmap.width(), pixmap.height()});
    auto* videoFrame = dynamic_cast<VideoFrame*>(frame.get());
    if (!videoFrame)
        TAVREL_THROW(std::invalid_argument, "the factory does not make frames of this photo core");
    // Drawn over the factory's opaque black, so translucent pixmaps lose their alpha as the frame layout does.
    QImage image = pixmap.toImage();
    image.setDevicePixelRatio(1.0);
    QPainter painter(&videoFrame->Image());
    painter.drawImage(0, 0, image);
    return frame;
}

} // namespace Tavrel::PhotoCore
