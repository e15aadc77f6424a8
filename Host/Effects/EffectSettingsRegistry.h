#pragma once

#include "Host/Effects/IEffectSettings.h"

#include <string_view>

namespace Tavrel::PhotoCore {

/// Makes effects with default settings from their class identifier; each kind
/// gets its effect type (a blender an EffectsPackageWithBrushSettings, the
/// empty effect an EmptySettings, the others an EffectSettings).
class EffectSettingsRegistry {
public:
    /// Throws std::invalid_argument for a class identifier no effect has.
    static IEffectSettings::Ptr Create(std::string_view classId);
};

} // namespace Tavrel::PhotoCore
