#pragma once

#include "Interfaces/IVideoFrame.h"

#include <QImage>

namespace Tavrel::PhotoCore {

/// The host's frame: an opaque QImage in QImage::Format_RGB32.
class VideoFrame : public IVideoFrame {
public:
    /// Converts the image to Format_RGB32 when it has another format.
    explicit VideoFrame(const QImage& image);

    int Width() const override;
    int Height() const override;

    const QImage& Image() const { return m_image; }
    /// For writing pixels; the image stays in Format_RGB32 only if the writer keeps it so.
    QImage& Image() { return m_image; }

    /// The image of a frame made by this host; throws std::invalid_argument for foreign frames.
    static const QImage& ImageOf(const FramePtr& frame);

private:
    QImage m_image;
};

} // namespace Tavrel::PhotoCore
