#include "Host/Effects/Kinds/SettingsEffectGrain.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectGrain::CLASS_ID = "grain";

SettingsEffectGrain::SettingsEffectGrain()
    : SettingsEffectParametric({{"amount", 0.0}, {"size", 1}, {"seed", 7}})
{
}

} // namespace Tavrel::PhotoCore
