#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "GlimmarPresetsUtil/Settings/IIntensitySetting.h"
#include "GlimmarPresetsUtil/Settings/PresetConfig.h"

#include <set>
#include <string>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

/// Maps the slider linearly onto named numeric effect parameters.
///
/// Slider value `begin` corresponds to every variable's begin and `end` to its
/// end; values outside are extrapolated. Writing sets every variable's
/// parameter (unrounded); recovering reads the first variable's parameter only
/// and rounds to the nearest whole number, halves away from zero. A strict
/// setting throws std::invalid_argument when a variable's effect is missing;
/// otherwise that variable is skipped.
class GLIMMARPRESETSUTIL_EXPORT SliderSetting : public IIntensitySetting {
public:
    struct Variable {
        std::string effectId; ///< the id IEffectSettings::Find looks up
        std::string parameter;
        double begin = 0;     ///< parameter value at slider begin
        double end = 0;       ///< parameter value at slider end
    };

    /// No variables, begin = end = 0, value 0.
    explicit SliderSetting(bool strict = false);
    /// Range and variables from the configuration; value 0.
    SliderSetting(const PresetConfig::IntensitySliderSetting& config, bool strict);

    /// Compares everything but the strict flag.
    bool operator==(const SliderSetting& other) const;
    bool operator!=(const SliderSetting& other) const { return !(*this == other); }

    std::string EffectID() const;
    /// The variables' effect ids, each once, ascending.
    std::set<std::string> GetEffectIDs() const;

    /// Recovers the value from the first variable; false (value kept) when its
    /// effect is missing or there are no variables.
    bool LoadValue(const PhotoCore::IEffectSettings::ConstList& effects);
    bool LoadValue(const PhotoCore::IEffectSettings::List& effects);
    /// Writes every variable's parameter; the result says whether the last
    /// variable's effect was found (true without variables).
    bool SaveValue(PhotoCore::IEffectSettings::List& effects) const;

    bool IsEnabled() const override;
    /// Writes the value into the given effect objects themselves, then returns
    /// the effects the slider drives, once each, ordered by id.
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
    std::vector<Variable> m_variables;
    double m_begin = 0;
    double m_end = 0;
    std::string m_effectId;
    int m_value = 0;
    bool m_strict = false;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
