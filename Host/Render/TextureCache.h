#pragma once

#include <QImage>
#include <QString>

namespace Tavrel::PhotoCore {

/// Texture images by file path, read once and shared by every render on any thread.
class TextureCache {
public:
    /// The texture at path as RGB32; null when the file is absent or unreadable. Failures are not kept,
    /// so a texture that arrives later is read then.
    static QImage Get(const QString& path);
};

} // namespace Tavrel::PhotoCore
