#pragma once

#include "Interfaces/ImageUtils.h"

namespace Tavrel::PhotoCore {

/// ImageUtils for VideoFrame. Frames of other photo cores are refused with std::invalid_argument.
/// Pixmaps are GUI objects: call from the user-interface thread.
class QtImageUtils : public ImageUtils {
public:
    QPixmap FrameToPixmap(const FramePtr& frame) const override;
    FramePtr PixmapToFrame(const QPixmap& pixmap, IVideoFrameFactory& factory) const override;
};

} // namespace Tavrel::PhotoCore
