#pragma once

#include <QPixmap>

#include <memory>

namespace Tavrel::Glimmar::GlimmarPresets {

class EffectPreviewGenerator;
class IItemModelPreset;

/// The previews a list model has rendered, one per preset, each kept until the
/// preset's preview effects or policy, its own picture or the generator's revision
/// (workspace, size, screen ratio) changes, or until Clear, so that tiles opened
/// again while scrolling or switching groups render nothing. A preset's name plays
/// no part. Changes of the photo are not noticed here: the list clears its caches
/// when the editor says the photo changed.
///
/// Presets with downloadable resources are rendered every time: their pictures
/// change when the resources arrive, which no setting tells. The cache is bounded;
/// the least recently asked previews go first.
class PreviewCache {
public:
    PreviewCache();
    ~PreviewCache();

    /// The preset's preview: the kept one when it is still current, else one
    /// rendered now (with its own picture when it has one) and kept unless null.
    QPixmap Get(const IItemModelPreset& preset, EffectPreviewGenerator& generator);
    /// Drops the preset's preview; call it before the preset may be destroyed.
    void Forget(const IItemModelPreset* preset);
    /// Drops every preview.
    void Clear();

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
