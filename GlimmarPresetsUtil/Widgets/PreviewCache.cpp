#include "GlimmarPresetsUtil/Widgets/PreviewCache.h"

#include "GlimmarPresetsUtil/Apply/EffectPreviewGenerator.h"
#include "GlimmarPresetsUtil/Presets/IItemModelPreset.h"

#include <QCache>

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <utility>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

using namespace PhotoCore;

namespace {

// In KiB: about 1,500 tiles of 200 by 120 device pixels, so that a long panel stays
// whole at a pixel ratio of 1 and most of it at 2.
constexpr int MAX_KIB = 128 * 1024;

// An effect as a stamp holds it: its settings object and that object's revision. Settings
// made where forgotten ones lay start with a newer revision, so a reused address never matches.
using EffectKey = std::pair<const ISettingsEffect*, std::uint64_t>;

EffectKey KeyOf(const IEffectSettings::Ptr& effect)
{
    if (!effect)
        return {nullptr, 0};
    const ISettingsEffect& settings = effect->GetEffectSettings();
    return {&settings, settings.GetRevision()};
}

// What a preview is drawn from besides the photo. The intensity slider rewrites the
// effects' parameters in place, which their revisions tell.
struct Stamp {
    quint64 revision = 0;
    qint64 ownPicture = 0;
    std::vector<EffectKey> effects;
    PreviewPolicy policy;

    Stamp(const IItemModelPreset& preset, quint64 generatorRevision)
        : revision(generatorRevision), ownPicture(preset.GetPreview().cacheKey()), policy(preset.GetPreviewPolicy())
    {
        const auto& now = preset.GetPreviewEffectSettings().Effects();
        effects.reserve(now.size());
        std::transform(now.begin(), now.end(), std::back_inserter(effects), KeyOf);
    }

    // Asked on every paint of a tile, so it makes nothing.
    bool Matches(const IItemModelPreset& preset, quint64 generatorRevision) const
    {
        const auto& now = preset.GetPreviewEffectSettings().Effects();
        return revision == generatorRevision && ownPicture == preset.GetPreview().cacheKey()
               && policy == preset.GetPreviewPolicy()
               && std::equal(effects.begin(), effects.end(), now.begin(), now.end(),
                             [](const EffectKey& kept, const IEffectSettings::Ptr& effect) {
                                 return kept == KeyOf(effect);
                             });
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

    if (const Kept* kept = m_impl->kept.object(&preset)) {
        if (kept->stamp.Matches(preset, generator.GetRevision()))
            return kept->picture;
    }
    Stamp stamp(preset, generator.GetRevision());
    const QPixmap picture = Render(preset, generator);
    if (picture.isNull()) {
        m_impl->kept.remove(&preset);
        return picture;
    }
    const int kib = std::max(1, picture.width() * picture.height() * picture.depth() / 8 / 1024);
    m_impl->kept.insert(&preset, new Kept{std::move(stamp), picture}, kib);
    return picture;
}

void PreviewCache::Forget(const IItemModelPreset* preset)
{
    m_impl->kept.remove(preset);
}

void PreviewCache::Clear()
{
    m_impl->kept.clear();
}

} // namespace Tavrel::Glimmar::GlimmarPresets
