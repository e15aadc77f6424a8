#include "Host/Effects/Kinds/SettingsEffectBlackWhiteMix.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectBlackWhiteMix::CLASS_ID = "blackWhiteMix";

SettingsEffectBlackWhiteMix::SettingsEffectBlackWhiteMix()
    : SettingsEffectParametric({{"red", 0.30}, {"green", 0.59}, {"blue", 0.11}, {"amount", 1.0}})
{
}

} // namespace Tavrel::PhotoCore
