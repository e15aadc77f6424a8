#pragma once

#include "Host/EffectSettingsRegistry.h"
#include "Host/EffectsSettings.h"
#include "Host/SettingsEffectMaskBlender.h"

#include <boost/exception/get_error_info.hpp>

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

// The message without the call stack that follows it.
inline std::string FirstLine(const std::exception& error)
{
    const std::string text = error.what();
    return text.substr(0, text.find('\n'));
}

// "file function" as recorded by boost::throw_exception.
inline std::string ThrowSite(const std::exception& error)
{
    const auto* info = dynamic_cast<const boost::exception*>(&error);
    const char* const* file = info ? boost::get_error_info<boost::throw_file>(*info) : nullptr;
    const char* const* function = info ? boost::get_error_info<boost::throw_function>(*info) : nullptr;
    return std::string(file ? *file : "?") + " " + (function ? *function : "?");
}
