#include "Host/Effects/Kinds/SettingsEffectTemperature.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectTemperature::CLASS_ID = "temperature";

SettingsEffectTemperature::SettingsEffectTemperature()
    : SettingsEffectParametric({{"amount", 0.0}})
{
}

} // namespace Tavrel::PhotoCore
