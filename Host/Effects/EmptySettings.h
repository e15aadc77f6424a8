#pragma once

#include "Host/Effects/EffectSettings.h"

namespace Tavrel::PhotoCore {

/// The effect that applies nothing. Made with
/// EffectSettingsImpl<SettingsEffectEmpty, EmptySettings>::Create(SettingsEffectEmpty()).
class EmptySettings : public EffectSettings {
public:
    using EffectSettings::EffectSettings;
};

} // namespace Tavrel::PhotoCore
