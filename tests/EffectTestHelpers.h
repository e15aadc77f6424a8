#pragma once

#include "Host/Effects/EffectSettingsRegistry.h"
#include "Host/Effects/EffectsSettings.h"
#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <string>
#include <utility>
#include <vector>

// A catalogue effect with the given parameters and, when given, its own id.
inline Tavrel::PhotoCore::IEffectSettings::Ptr
MakeEffect(const std::string& classId, const std::vector<std::pair<std::string, Tavrel::PropertyTreeScalar>>& values,
           const std::string& id = {})
{
    auto effect = Tavrel::PhotoCore::EffectSettingsRegistry::Create(classId);
    for (const auto& [name, value] : values)
        effect->GetEffectSettingsRef().SetProperty(name, value);
    if (!id.empty())
        effect->SetId(id);
    return effect;
}

// The blender that the first effect of settings has to be.
inline const Tavrel::PhotoCore::SettingsEffectMaskBlender& BlenderOf(const Tavrel::PhotoCore::EffectsSettings& settings)
{
    return dynamic_cast<const Tavrel::PhotoCore::SettingsEffectMaskBlender&>(settings.Effects().at(0)->GetEffectSettings());
}

inline Tavrel::PropertyTreeScalar Param(const Tavrel::PhotoCore::IEffectSettings& effect, const std::string& name)
{
    return effect.GetEffectSettings().GetProperty(name).getScalar();
}
