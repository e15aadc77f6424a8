#include "Host/Effects/EffectSettingsRegistry.h"

#include "Host/Effects/EffectSettingsImpl.h"
#include "Host/Effects/EffectsPackageWithBrushSettings.h"
#include "Host/Effects/EmptySettings.h"
#include "Host/Effects/Kinds/SettingsEffectBlackWhiteMix.h"
#include "Host/Effects/Kinds/SettingsEffectContrast.h"
#include "Host/Effects/SettingsEffectEmpty.h"
#include "Host/Effects/Kinds/SettingsEffectExposure.h"
#include "Host/Effects/Kinds/SettingsEffectGrain.h"
#include "Host/Effects/Kinds/SettingsEffectHueShift.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Effects/Kinds/SettingsEffectSaturation.h"
#include "Host/Effects/Kinds/SettingsEffectTemperature.h"
#include "Host/Effects/Kinds/SettingsEffectTexture.h"
#include "Host/Effects/Kinds/SettingsEffectVignette.h"

#include <map>
#include <stdexcept>
#include <string>

namespace Tavrel::PhotoCore {
namespace {

using Factory = IEffectSettings::Ptr (*)();

template <typename S, typename Base = EffectSettings>
std::pair<const std::string, Factory> Entry()
{
    // Copies of one default object: building the defaults anew costs more than copying them.
    return {S::CLASS_ID, [] {
                static const S defaults;
                return IEffectSettings::Ptr(EffectSettingsImpl<S, Base>::Create(defaults));
            }};
}

const std::map<std::string, Factory, std::less<>>& Factories()
{
    static const std::map<std::string, Factory, std::less<>> factories{
        Entry<SettingsEffectEmpty, EmptySettings>(),
        Entry<SettingsEffectMaskBlender, EffectsPackageWithBrushSettings>(),
        Entry<SettingsEffectExposure>(),
        Entry<SettingsEffectContrast>(),
        Entry<SettingsEffectSaturation>(),
        Entry<SettingsEffectHueShift>(),
        Entry<SettingsEffectTemperature>(),
        Entry<SettingsEffectVignette>(),
        Entry<SettingsEffectGrain>(),
        Entry<SettingsEffectBlackWhiteMix>(),
        Entry<SettingsEffectTexture>(),
    };
    return factories;
}

} // namespace

IEffectSettings::Ptr EffectSettingsRegistry::Create(std::string_view classId)
{
    const auto& factories = Factories();
    const auto it = factories.find(classId);
    if (it == factories.end())
        throw std::invalid_argument("unknown effect class \"" + std::string(classId) + "\"");
    return it->second();
}

} // namespace Tavrel::PhotoCore
