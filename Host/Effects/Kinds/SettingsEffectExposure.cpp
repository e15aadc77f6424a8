#include "Host/Effects/Kinds/SettingsEffectExposure.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectExposure::CLASS_ID = "exposure";

SettingsEffectExposure::SettingsEffectExposure()
    : SettingsEffectParametric({{"amount", 0.0}})
{
}

} // namespace Tavrel::PhotoCore
