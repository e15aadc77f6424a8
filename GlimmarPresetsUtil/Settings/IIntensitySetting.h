#pragma once

#include "GlimmarPresetsUtil/GlimmarPresetsUtilExport.h"
#include "Host/Effects/EffectsSettings.h"

#include <memory>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

/// The intensity control of a preset: turns the tile's one whole-number slider
/// value into effect parameters, a blend level or scaled corrections, and
/// recovers that value from existing effect settings.
class GLIMMARPRESETSUTIL_EXPORT IIntensitySetting {
public:
    virtual ~IIntensitySetting();

    /// Whether the preset shows and uses an intensity slider.
    virtual bool IsEnabled() const = 0;
    /// The effects to render for the current value. sourceIndex is the drawer's
    /// (see EffectPresetApplier); only the blending setting uses it. Const for the
    /// setting only: effect objects are shared with the preset, and an
    /// implementation may write the value into them in place.
    virtual PhotoCore::EffectsSettings
    ApplyIntensityToEffects(const std::vector<std::shared_ptr<PhotoCore::IEffectSettings>>& effects,
                            unsigned int sourceIndex) const = 0;
    virtual int Min() const = 0;
    virtual int Max() const = 0;
    virtual int Value() const = 0;
    /// No implementation clamps the value.
    virtual void SetValue(int value) = 0;
    /// Called once when the preset is built, with the preset's own effects.
    virtual void Init(PhotoCore::EffectsSettings& settings) = 0;
    /// Recovers the value from existing settings.
    virtual void LoadValue(const PhotoCore::EffectsSettings& settings) = 0;
    /// Writes the value into settings.
    virtual void SaveValue(PhotoCore::EffectsSettings& settings) = 0;
};

} // namespace Tavrel::Glimmar::GlimmarPresets
