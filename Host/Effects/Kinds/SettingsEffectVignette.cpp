#include "Host/Effects/Kinds/SettingsEffectVignette.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectVignette::CLASS_ID = "vignette";

SettingsEffectVignette::SettingsEffectVignette()
    : SettingsEffectParametric({{"amount", 0.0}, {"radius", 70}})
{
}

} // namespace Tavrel::PhotoCore
