#pragma once

#include "Host/Effects/IEffectSettings.h"
#include "Host/Render/PixelBand.h"

#include <QSize>

#include <vector>

namespace Tavrel::PhotoCore {

class ISettingsEffect;

/// What an effect chain does to a photo of one size, as stages that run on a band
/// of rows at a time, so that a band goes through the whole chain while it is in
/// the cache. Consecutive curve effects become one lookup table (exactly); consecutive
/// colour matrices become one matrix where every result stays within one level of
/// the matrices applied in turn, and no later stage can widen that level; a table
/// followed by a matrix becomes one pass over the pixels (exactly).
class RenderPlan {
public:
    /// The effects in order, then a mix with the photo by blendLevel (0: none, 255:
    /// the photo alone). Throws std::invalid_argument for an effect class without a
    /// renderer.
    RenderPlan(const IEffectSettings::ConstList& effects, int blendLevel, const QSize& size);
    /// One effect; a mask blender mixes its inner chain with its input by its own level.
    RenderPlan(const IEffectSettings& effect, const QSize& size);
    ~RenderPlan();

    /// True when the plan leaves every pixel as it is.
    bool IsEmpty() const;
    /// Renders the band: its source holds the photo's rows, its target (other lines)
    /// gets the result. Safe to call for different bands at once.
    void Run(const PixelBand& band) const;

private:
    struct Stage;
    struct Runner;

    explicit RenderPlan(const QSize& size);
    void Add(const IEffectSettings& effect);
    void Add(const ISettingsEffect& settings);
    void AddAll(const IEffectSettings::ConstList& effects);
    void Push(Stage stage);
    /// What follows until EndMix is mixed with what went before by level.
    void BeginMix();
    void EndMix(int level);
    void FuseMatrices();
    /// A table followed by a matrix becomes one pass.
    void FuseTablesWithMatrices();

    QSize m_size;
    std::vector<Stage> m_stages;
    /// Where the stages of each mix not yet ended begin.
    std::vector<std::size_t> m_mixes;
};

} // namespace Tavrel::PhotoCore
