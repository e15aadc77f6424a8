#pragma once

#include "Host/Render/ImageBuffer.h"

#include <QImage>

namespace Tavrel::PhotoCore {

/// The image an effect chain renders on. It starts as the (shared) input and
/// gets a buffer of its own only when the first effect changes pixels, so a
/// chain that changes nothing costs no copy.
class RenderCanvas {
public:
    explicit RenderCanvas(QImage image) : m_image(std::move(image)) {}

    const QImage& Image() const { return m_image; }
    void Replace(QImage image) { m_image = std::move(image); }

    /// Calls paint(source, target): target is the current image itself when
    /// nothing else shares it, else a new buffer that becomes the current image.
    template <typename Paint>
    void Change(Paint paint)
    {
        if (m_image.isDetached()) {
            paint(m_image, m_image);
            return;
        }
        QImage target = ImageBuffer::Allocate(m_image.size());
        paint(m_image, target);
        m_image = std::move(target);
    }

private:
    QImage m_image;
};

} // namespace Tavrel::PhotoCore
