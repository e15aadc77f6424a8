#pragma once

#include "Interfaces/IVideoFrame.h"
#include "Interfaces/IVideoFrameFactory.h"

#include <QPixmap>

namespace Tavrel::PhotoCore {

/// Conversions between the photo core's frames and Qt pictures.
class ImageUtils {
public:
    virtual ~ImageUtils() = default;
    /// A null frame gives a null pixmap.
    virtual QPixmap FrameToPixmap(const FramePtr& frame) const = 0;
    /// A frame made by the factory holding the pixmap's pixels; a null pixmap gives an empty frame.
    virtual FramePtr PixmapToFrame(const QPixmap& pixmap, IVideoFrameFactory& factory) const = 0;
};

} // namespace Tavrel::PhotoCore
