#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <memory>
#include <set>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Maps the slider linearly onto named numeric effect parameters.
///
/// Slider value `begin` corresponds to every variable's begin and `end` to its
/// end; values outside are extrapolated. Writing sets every variable's
/// parameter (unrounded); recovering reads the first variable's parameter only
/// and rounds to the nearest whole number, halves away from zero. A strict
/// setting throws std::invalid_argument when a variable's effect is missing;
/// otherwise that variable is skipped.
///
/// Degenerate ranges: with a zero-width slider range every parameter is written
/// at its variable's begin; with a zero-width variable range (or a parameter
/// that is not a number) the recovered value is the slider's begin. A recovered
/// value beyond the int range saturates at INT_MIN or INT_MAX.
class GLIMMARPRESETSUTIL_EXPORT SliderSetting : public IIntensitySetting {
public:
    /// No variables, begin = end = 0, value 0.
    explicit SliderSetting(bool strict = false);
    /// Range and variables from the configuration; value 0.
    SliderSetting(const PresetConfig::IntensitySliderSetting& config, bool strict);
    SliderSetting(const SliderSetting& other);
    SliderSetting(SliderSetting&& other) noexcept;
    SliderSetting& operator=(const SliderSetting& other);
    SliderSetting& operator=(SliderSetting&& other) noexcept;
    ~SliderSetting() override;

    /// Compares range, value and variables, not the strict flag.
    bool operator==(const SliderSetting& other) const;
    bool operator!=(const SliderSetting& other) const { return !(*this == other); }

    /// Always empty: a slider setting is not bound to one effect (see GetEffectIDs).
    std::string EffectID() const;
    /// The variables' effect ids, each once, ascending.
    std::set<std::string> GetEffectIDs() const;

    /// Recovers the value from the first variable; false (value kept) when its
    /// effect is missing or there are no variables.
    bool LoadValue(const PhotoCore::IEffectSettings::ConstList& effects);
    bool LoadValue(const PhotoCore::IEffectSettings::List& effects);
    /// Writes every variable's parameter into the listed effect objects; the result
    /// says whether the last variable's effect was found (true without variables).
    bool SaveValue(PhotoCore::IEffectSettings::List& effects) const;

    bool IsEnabled() const override;
    /// Writes the value into the given effect objects themselves (the setting
    /// stays as it is), then returns the effects the slider drives, once each,
    /// ordered by id.
    PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const override;
    int Min() const override;
    int Max() const override;
    int Value() const override;
    void SetValue(int value) override;
    /// Starts at the value the settings' effects encode.
    void Init(PhotoCore::EffectsSettings& settings) override;
    void LoadValue(const PhotoCore::EffectsSettings& settings) override;
    void SaveValue(PhotoCore::EffectsSettings& settings) override;

private:
    struct Impl;
    std::unique_ptr<Impl> m_impl;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
