#include "Host/Effects/Kinds/SettingsEffectSaturation.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectSaturation::CLASS_ID = "saturation";

SettingsEffectSaturation::SettingsEffectSaturation()
    : SettingsEffectParametric({{"amount", 0.0}})
{
}

} // namespace Tavrel::PhotoCore
