#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"

#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Types/CallStack.h"
#include "Host/Types/IntToIntMapping.h"

#include <stdexcept>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::SettingsEffectMaskBlender;

namespace {

// The blender that carries the level: the first effect, when it is one.
SettingsEffectMaskBlender* FirstBlender(const IEffectSettings::List& effects)
{
    return effects.empty() ? nullptr : SettingsEffectMaskBlender::Of(effects.front().get());
}

} // namespace

struct BlendingSetting::Impl {
    Impl(int coreBegin, int coreEnd, const std::pair<int, int>& sliderRange, int value)
        : coreBegin(coreBegin)
        , coreEnd(coreEnd)
        , sliderMin(sliderRange.first)
        , sliderMax(sliderRange.second)
        , mapping(sliderMin, sliderMax, coreEnd, coreBegin)
        , value(value)
    {
    }

    int coreBegin;
    int coreEnd;
    int sliderMin;
    int sliderMax;
    IntToIntMapping mapping;
    int value;
    EffectsSettings settings;
};

BlendingSetting::BlendingSetting(const PresetConfig::IntensityBlendSetting& config,
                                 const std::pair<int, int>& sliderRange)
    : m_impl(std::make_unique<Impl>(config.m_begin, config.m_end, sliderRange, config.m_value))
{
}

BlendingSetting::BlendingSetting(const std::pair<int, int>& coreRange, const std::pair<int, int>& sliderRange)
    : m_impl(std::make_unique<Impl>(coreRange.first, coreRange.second, sliderRange, coreRange.second))
{
}

BlendingSetting::BlendingSetting(const BlendingSetting& other) : m_impl(std::make_unique<Impl>(*other.m_impl)) {}

BlendingSetting::BlendingSetting(BlendingSetting&& other) noexcept = default;

BlendingSetting& BlendingSetting::operator=(const BlendingSetting& other)
{
    *m_impl = *other.m_impl;
    return *this;
}

BlendingSetting& BlendingSetting::operator=(BlendingSetting&& other) noexcept = default;

BlendingSetting::~BlendingSetting() = default;

int BlendingSetting::ValueToCore() const { return m_impl->mapping.GetForward(m_impl->value); }

void BlendingSetting::SetValueFromCore(int level) { m_impl->value = m_impl->mapping.GetBackward(level); }

bool BlendingSetting::IsEnabled() const { return true; }

EffectsSettings BlendingSetting::ApplyIntensityToEffects(const std::vector<std::shared_ptr<IEffectSettings>>& effects,
                                                         unsigned int sourceIndex) const
{
    // Stored settings without a blender first are treated like a list without one.
    SettingsEffectMaskBlender* blender = FirstBlender(effects) ? FirstBlender(m_impl->settings.Effects()) : nullptr;
    EffectsSettings result;
    if (blender) {
        result.Effects() = m_impl->settings.Effects();
        blender->SetLevel(ValueToCore());
        blender->SetSourceIndex(sourceIndex);
    } else {
        result.Package().blendLevel = ValueToCore();
    }
    return result;
}

int BlendingSetting::Min() const { return m_impl->sliderMin; }

int BlendingSetting::Max() const { return m_impl->sliderMax; }

int BlendingSetting::Value() const { return m_impl->value; }

void BlendingSetting::SetValue(int value) { m_impl->value = value; }

void BlendingSetting::Init(EffectsSettings& settings)
{
    if (!settings.Effects().empty() && !settings.Effects().front())
        TAVREL_THROW(std::invalid_argument, "a blend intensity cannot find the level of a preset whose first effect is "
                                            "an empty pointer");
    IIntensitySetting& setting = *this;
    setting.SaveValue(settings);
    m_impl->settings = settings;
}

void BlendingSetting::LoadValue(const EffectsSettings& settings)
{
    const SettingsEffectMaskBlender* blender = FirstBlender(settings.Effects());
    SetValueFromCore(blender ? blender->GetLevel() : settings.Package().blendLevel);
}

void BlendingSetting::SaveValue(EffectsSettings& settings)
{
    if (SettingsEffectMaskBlender* blender = FirstBlender(settings.Effects()))
        blender->SetLevel(ValueToCore());
    else
        settings.Package().blendLevel = ValueToCore();
}

} // namespace Tavrel::Glimmar::GlimmarPresets
