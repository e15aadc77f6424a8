#include "Host/Effects/Kinds/SettingsEffectHueShift.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectHueShift::CLASS_ID = "hueShift";

SettingsEffectHueShift::SettingsEffectHueShift()
    : SettingsEffectParametric({{"hue", 0.0}, {"strength", 1.0}})
{
}

} // namespace Tavrel::PhotoCore
