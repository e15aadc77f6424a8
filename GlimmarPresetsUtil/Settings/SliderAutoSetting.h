#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"

namespace Tavrel::Glimmar::GlimmarPresets {

/// Scales every numeric parameter of the effects inside the preset's mask
/// blender by value / maximum (range 0..100, starting at 100). Parameters named
/// "hue", booleans, texts and non-scalar properties are left alone; effects
/// outside the blender too.
class GLIMMARPRESETSUTIL_EXPORT SliderAutoSetting : public IIntensitySetting {
public:
    SliderAutoSetting() = default;

    bool IsEnabled() const override;
    /// The reference with its blender replaced by a copy holding scaled clones of
    /// the inner effects; both arguments are ignored. The reference stays as it was.
    PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const override;
    int Min() const override;
    int Max() const override;
    int Value() const override;
    void SetValue(int value) override;
    /// Keeps the settings as the reference; the value is not read back.
    void Init(PhotoCore::EffectsSettings& settings) override;
    /// The value is the mean ratio of current to reference parameters (doubles
    /// preferred over whole numbers) times the maximum, truncated. Left unchanged
    /// without a blender on either side or without any ratio; std::out_of_range when
    /// the current blender holds an effect class the reference blender lacks.
    void LoadValue(const PhotoCore::EffectsSettings& settings) override;
    /// Does nothing.
    void SaveValue(PhotoCore::EffectsSettings& settings) override;

private:
    void ApplyIntensity(PhotoCore::IEffectSettings& effect) const;

    double m_minimum = 0.0;
    double m_maximum = 100.0;
    int m_value = 100;
    PhotoCore::EffectsSettings m_reference;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
