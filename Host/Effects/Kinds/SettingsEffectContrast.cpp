#include "Host/Effects/Kinds/SettingsEffectContrast.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectContrast::CLASS_ID = "contrast";

SettingsEffectContrast::SettingsEffectContrast()
    : SettingsEffectParametric({{"amount", 0.0}})
{
}

} // namespace Tavrel::PhotoCore
