#include "Host/Render/TextureCache.h"

#include "Host/QtUtils/ImageFile.h"

#include <glog/logging.h>

#include <QDateTime>
#include <QFileInfo>

#include <map>
#include <mutex>
#include <utility>

namespace Tavrel::PhotoCore {
namespace {

// Textures are tiled over the photo; more pixels only cost memory.
constexpr qint64 MaxPixels = 64'000'000;

} // namespace

QImage TextureCache::Get(const QString& path)
{
    if (path.isEmpty())
        return {};
    // A file that failed is remembered as it was, so that it is reported once, and read again
    // only when it changes.
    const QFileInfo info(path);
    if (!info.exists())
        return {};
    const auto version = std::make_pair(info.lastModified(), info.size());
    static std::mutex mutex;
    static std::map<QString, QImage> textures;
    static std::map<QString, std::pair<QDateTime, qint64>> failures;
    {
        const std::lock_guard<std::mutex> lock(mutex);
        const auto it = textures.find(path);
        if (it != textures.end())
            return it->second;
        const auto failed = failures.find(path);
        if (failed != failures.end() && failed->second == version)
            return {};
    }
    // Read outside the lock: a slow file must not hold up renders of other textures.
    QString problem;
    QImage texture = ImageFile::Read(path, MaxPixels, problem);
    if (!texture.isNull())
        texture = texture.convertToFormat(QImage::Format_RGB32);
    const std::lock_guard<std::mutex> lock(mutex);
    if (texture.isNull()) {
        const auto [failed, first] = failures.try_emplace(path, version);
        if (first || failed->second != version) {
            failed->second = version;
            LOG(WARNING) << "texture " << path.toStdString() << " cannot be used: " << problem.toStdString();
        }
        return {};
    }
    failures.erase(path);
    return textures.emplace(path, std::move(texture)).first->second;
}

} // namespace Tavrel::PhotoCore
