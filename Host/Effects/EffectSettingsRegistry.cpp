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

#include <functional>
#include <map>
#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

using Factory = std::function<IEffectSettings::Ptr()>;

template <typename S, typename Base = EffectSettings>
std::pair<const std::string, Factory> Entry()
{
    // Built in place: Create(S()) would copy a settings object per effect read.
    return {S::CLASS_ID, [] { return std::make_shared<EffectSettingsImpl<S, Base>>(std::make_unique<S>()); }};
}

const std::map<std::string, Factory>& Factories()
{
    static const std::map<std::string, Factory> factories{
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

IEffectSettings::Ptr EffectSettingsRegistry::Create(const std::string& classId)
{
    const auto& factories = Factories();
    const auto it = factories.find(classId);
    if (it == factories.end())
        throw std::invalid_argument("unknown effect class \"" + classId + "\"");
    return it->second();
}

} // namespace Tavrel::PhotoCore
