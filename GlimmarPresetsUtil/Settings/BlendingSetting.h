#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <memory>
#include <utility>

namespace Tavrel::Glimmar::GlimmarPresets {

/// The slider sets one blend level instead of effect parameters.
///
/// Slider values map onto levels with IntToIntMapping(slider min, slider max,
/// core end, core begin). The level lives in the mask blender when the first
/// effect is one, otherwise in the EffectsSettings' own blend level.
class GLIMMARPRESETSUTIL_EXPORT BlendingSetting : public IIntensitySetting {
public:
    /// Core range from the configuration; the configured value is the slider value as it is.
    BlendingSetting(const PresetConfig::IntensityBlendSetting& config, const std::pair<int, int>& sliderRange);
    /// The value starts at coreRange.second.
    BlendingSetting(const std::pair<int, int>& coreRange = {1, 255}, const std::pair<int, int>& sliderRange = {1, 100});
    BlendingSetting(const BlendingSetting& other);
    BlendingSetting(BlendingSetting&& other) noexcept;
    BlendingSetting& operator=(const BlendingSetting& other);
    BlendingSetting& operator=(BlendingSetting&& other) noexcept;
    ~BlendingSetting() override;

    /// The level of the current value.
    int ValueToCore() const;
    /// The value of a level.
    void SetValueFromCore(int level);

    bool IsEnabled() const override;
    /// With a blender first in effects: the stored effects (same objects), their
    /// blender set in place to the level and sourceIndex. That blender is shared
    /// with the preset, so the setting stays as it is but the preset's effect
    /// changes. Otherwise no effects, only the blend level.
    PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const override;
    int Min() const override;
    int Max() const override;
    int Value() const override;
    void SetValue(int value) override;
    /// Writes the current value into the settings, then keeps them. Throws
    /// std::invalid_argument when their first effect is an empty pointer.
    void Init(PhotoCore::EffectsSettings& settings) override;
    void LoadValue(const PhotoCore::EffectsSettings& settings) override;
    void SaveValue(PhotoCore::EffectsSettings& settings) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
