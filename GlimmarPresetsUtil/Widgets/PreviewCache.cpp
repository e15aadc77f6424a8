#include "GlimmarPresetsUtil/Widgets/PreviewCache.h"

#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"
#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"

#include <QCache>

#include <algorithm>
#include <utility>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

namespace {

// In KiB: about 1,500 tiles of 200 by 120 device pixels, so that a long panel stays
// whole at a pixel ratio of 1 and most of it at 2.
constexpr int MAX_KIB = 128 * 1024;

// What a preview is drawn from besides the photo. The intensity slider rewrites the
// effects' parameters in place, so the effects are kept by content.
struct Stamp {
    quint64 revision = 0;
    qint64 ownPicture = 0;
    PropertyTree effects;
    PreviewPolicy policy;

    Stamp(const IItemModelPreset& preset, quint64 generatorRevision)
        : revision(generatorRevision)
        , ownPicture(preset.GetPreview().cacheKey())
        , effects(preset.GetPreviewEffectSettings().SerializeEffects())
        , policy(preset.GetPreviewPolicy())
    {
    }

    bool operator==(const Stamp& other) const
    {
        return revision == other.revision && ownPicture == other.ownPicture && policy == other.policy &&
               effects == other.effects;
    }
};

struct Kept {
    Stamp stamp;
    QPixmap picture;
};

QPixmap Render(const IItemModelPreset& preset, EffectPreviewGenerator& generator)
{
    const QPixmap own = preset.GetPreview();
    if (own.isNull())
        return generator.GetPreview(preset.GetPreviewEffectSettings(), preset.GetPreviewPolicy());
    return generator.GetPreview(own, preset.GetPreviewEffectSettings(), preset.GetPreviewPolicy());
}

} // namespace

struct PreviewCache::Impl {
    QCache<const IItemModelPreset*, Kept> kept{MAX_KIB};
};

PreviewCache::PreviewCache() : m_impl(std::make_unique<Impl>()) {}

PreviewCache::~PreviewCache() = default;

QPixmap PreviewCache::Get(const IItemModelPreset& preset, EffectPreviewGenerator& generator)
{
    if (preset.IsDownloadable())
        return Render(preset, generator);

    Stamp stamp(preset, generator.GetRevision());
    if (const Kept* kept = m_impl->kept.object(&preset)) {
        if (kept->stamp == stamp)
            return kept->picture;
    }
    const QPixmap picture = Render(preset, generator);
    if (picture.isNull()) {
        m_impl->kept.remove(&preset);
        return picture;
    }
    // Read after rendering: a render that finds the photo changed moves the revision on.
    stamp.revision = generator.GetRevision();
    const int kib = std::max(1, picture.width() * picture.height() * picture.depth() / 8 / 1024);
    m_impl->kept.insert(&preset, new Kept{std::move(stamp), picture}, kib);
    return picture;
}

void PreviewCache::Forget(const IItemModelPreset* preset)
{
    m_impl->kept.remove(preset);
}

} // namespace Tavrel::Glimmar::GlimmarPresets
