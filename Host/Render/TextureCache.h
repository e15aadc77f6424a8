#pragma once

#include <QImage>
#include <QString>

namespace Tavrel::PhotoCore {

/// Texture images by file path, read once and shared by every render on any thread.
class TextureCache {
public:
    /// The texture at path as RGB32; null when the file is absent, unreadable or larger than 64 megapixels. A file that cannot be used is reported once as a warning naming it, and read again only
    /// when it changes; a texture that arrives later is read then.
    static QImage Get(const QString& path);
};

} // namespace Tavrel::PhotoCore
