#pragma once

#include <QImage>

namespace Tavrel::PhotoCore {

/// Allocates RGB32 images for rendered results.
class ImageBuffer {
public:
    /// An uninitialised RGB32 image. Large images are backed by huge pages where
    /// the system offers them: faulting in a fresh photo-sized buffer page by page
    /// costs more than rendering into it.
    static QImage Allocate(const QSize& size);
};

} // namespace Tavrel::PhotoCore
