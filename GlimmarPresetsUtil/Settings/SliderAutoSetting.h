#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"

#include <memory>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Scales every numeric parameter of the effects inside the preset's mask
/// blender by value / maximum (range 0..100, starting at 100). Parameters named
/// "hue", booleans, texts and non-scalar properties are left alone; effects
/// outside the blender too.
class GLIMMARPRESETSUTIL_EXPORT SliderAutoSetting : public IIntensitySetting {
public:
    SliderAutoSetting();
    SliderAutoSetting(const SliderAutoSetting& other);
    SliderAutoSetting(SliderAutoSetting&& other) noexcept;
    SliderAutoSetting& operator=(const SliderAutoSetting& other);
    SliderAutoSetting& operator=(SliderAutoSetting&& other) noexcept;
    ~SliderAutoSetting() override;

    bool IsEnabled() const override;
    /// The reference with its blender replaced by a copy holding scaled clones of
    /// the inner effects, position by position; both arguments are ignored. The
    /// reference stays as it was.
    PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const override;
    int Min() const override;
    int Max() const override;
    int Value() const override;
    void SetValue(int value) override;
    /// Keeps the settings as the reference; the value is not read back. Throws
    /// std::invalid_argument when the settings hold an empty effect pointer.
    void Init(PhotoCore::EffectsSettings& settings) override;
    /// The value is the mean ratio of current to reference parameters (doubles
    /// preferred over whole numbers) times the maximum, truncated, saturating at
    /// the int range. Left unchanged without a blender on either side or without
    /// any ratio; std::out_of_range when the current blender holds an effect class
    /// the reference blender lacks.
    void LoadValue(const PhotoCore::EffectsSettings& settings) override;
    /// Does nothing.
    void SaveValue(PhotoCore::EffectsSettings& settings) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
