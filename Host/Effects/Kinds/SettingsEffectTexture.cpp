#include "Host/Effects/Kinds/SettingsEffectTexture.h"

namespace Tavrel::PhotoCore {

const std::string SettingsEffectTexture::CLASS_ID = "texture";

SettingsEffectTexture::SettingsEffectTexture()
    : SettingsEffectParametric({{"texture", ""}, {"amount", 0.5}, {"scale", 0.5}, {"screen", false}})
{
}

} // namespace Tavrel::PhotoCore
