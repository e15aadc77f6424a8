#pragma once

#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"

namespace Tavrel::Glimmar::GlimmarPresets {

/// The intensity control of presets without a slider: disabled, range and value
/// 0, and it neither reads nor writes effects.
class IntensitySettingEmpty : public virtual IIntensitySetting {
public:
    bool IsEnabled() const override;
    /// A default EffectsSettings.
    PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const override;
    int Min() const override;
    int Max() const override;
    int Value() const override;
    void SetValue(int value) override;
    void Init(PhotoCore::EffectsSettings& settings) override;
    void LoadValue(const PhotoCore::EffectsSettings& settings) override;
    void SaveValue(PhotoCore::EffectsSettings& settings) override;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
