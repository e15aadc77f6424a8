#pragma once

#include "Host/Effects/EffectSettings.h"

namespace Tavrel::PhotoCore {

/// The effect kind of a mask blender: an effect package painted through a mask.
/// Made with EffectSettingsImpl<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>::Create.
class EffectsPackageWithBrushSettings : public EffectSettings {
public:
    using EffectSettings::EffectSettings;
};

} // namespace Tavrel::PhotoCore
