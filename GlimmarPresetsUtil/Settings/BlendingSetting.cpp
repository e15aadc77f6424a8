#include "GlimmarPresetsUtil/Settings/BlendingSetting.h"

#include "Host/Effects/SettingsEffectMaskBlender.h"

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::SettingsEffectMaskBlender;

BlendingSetting::BlendingSetting(const PresetConfig::IntensityBlendSetting& config,
                                 const std::pair<int, int>& sliderRange)
    : m_coreBegin(config.m_begin)
    , m_coreEnd(config.m_end)
    , m_sliderMin(sliderRange.first)
    , m_sliderMax(sliderRange.second)
    , m_mapping(m_sliderMin, m_sliderMax, m_coreEnd, m_coreBegin)
    , m_value(config.m_value)
{
}

BlendingSetting::BlendingSetting(const std::pair<int, int>& coreRange, const std::pair<int, int>& sliderRange)
    : m_coreBegin(coreRange.first)
    , m_coreEnd(coreRange.second)
    , m_sliderMin(sliderRange.first)
    , m_sliderMax(sliderRange.second)
    , m_mapping(m_sliderMin, m_sliderMax, m_coreEnd, m_coreBegin)
    , m_value(coreRange.second)
{
}

int BlendingSetting::ValueToCore() const { return m_mapping.GetForward(m_value); }

void BlendingSetting::SetValueFromCore(int level) { m_value = m_mapping.GetBackward(level); }

bool BlendingSetting::IsEnabled() const { return true; }

EffectsSettings BlendingSetting::ApplyIntensityToEffects(const std::vector<std::shared_ptr<IEffectSettings>>& effects,
                                                         unsigned int sourceIndex) const
{
    const bool startsWithBlender =
        !effects.empty() && effects.front()->GetEffectSettings().GetClassId() == SettingsEffectMaskBlender::CLASS_ID;
    // Stored settings without a blender first are treated like a list without one.
    auto* blender = startsWithBlender && !m_settings.Effects().empty()
                        ? dynamic_cast<SettingsEffectMaskBlender*>(&m_settings.Effects().front()->GetEffectSettingsRef())
                        : nullptr;
    EffectsSettings result;
    if (blender) {
        result.Effects() = m_settings.Effects();
        blender->SetLevel(ValueToCore());
        blender->SetSourceIndex(sourceIndex);
    } else {
        result.Package().blendLevel = ValueToCore();
    }
    return result;
}

int BlendingSetting::Min() const { return m_sliderMin; }

int BlendingSetting::Max() const { return m_sliderMax; }

int BlendingSetting::Value() const { return m_value; }

void BlendingSetting::SetValue(int value) { m_value = value; }

void BlendingSetting::Init(EffectsSettings& settings)
{
    IIntensitySetting& setting = *this;
    setting.SaveValue(settings);
    m_settings = settings;
}

void BlendingSetting::LoadValue(const EffectsSettings& settings)
{
    const auto* blender = settings.Effects().empty()
                              ? nullptr
                              : dynamic_cast<const SettingsEffectMaskBlender*>(
                                    &settings.Effects().front()->GetEffectSettings());
    SetValueFromCore(blender ? blender->GetLevel() : settings.Package().blendLevel);
}

void BlendingSetting::SaveValue(EffectsSettings& settings)
{
    auto* blender = settings.Effects().empty()
                        ? nullptr
                        : dynamic_cast<SettingsEffectMaskBlender*>(&settings.Effects().front()->GetEffectSettingsRef());
    if (blender)
        blender->SetLevel(ValueToCore());
    else
        settings.Package().blendLevel = ValueToCore();
}

} // namespace Tavrel::Glimmar::GlimmarPresets
