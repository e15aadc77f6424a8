#include "Host/Render/TextureCache.h"

#include <QImageReader>

#include <map>
#include <mutex>

namespace Tavrel::PhotoCore {

QImage TextureCache::Get(const QString& path)
{
    if (path.isEmpty())
        return {};
    static std::mutex mutex;
    static std::map<QString, QImage> textures;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto it = textures.find(path);
        if (it != textures.end())
            return it->second;
    }
    // Read outside the lock: a slow file must not hold up renders of other textures.
    QImage texture = QImageReader(path).read();
    if (texture.isNull())
        return {};
    texture = texture.convertToFormat(QImage::Format_RGB32);
    const std::lock_guard<std::mutex> lock(mutex);
    return textures.emplace(path, std::move(texture)).first->second;
}

} // namespace Tavrel::PhotoCore
