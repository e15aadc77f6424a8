#include "GlimmarPresetsUtil/Settings/SliderAutoSetting.h"

#include "Host/Effects/SettingsEffectMaskBlender.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <set>
#include <string>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::SettingsEffectMaskBlender;

namespace {

const std::set<std::string> EXCLUDED_PARAMETERS{"hue"};

bool IsExcluded(const std::string& name) { return EXCLUDED_PARAMETERS.count(name) != 0; }

bool IsNumber(const PropertyTree& property)
{
    return property.isScalar() && !property.getScalar().isBool() && !property.getScalar().isString();
}

bool IsBlender(const IEffectSettings::Ptr& effect)
{
    return effect->GetEffectSettings().GetClassId() == SettingsEffectMaskBlender::CLASS_ID;
}

const SettingsEffectMaskBlender* FindBlender(const IEffectSettings::List& effects)
{
    const auto found = std::find_if(effects.begin(), effects.end(), IsBlender);
    return found == effects.end() ? nullptr
                                  : &static_cast<const SettingsEffectMaskBlender&>((*found)->GetEffectSettings());
}

} // namespace

bool SliderAutoSetting::IsEnabled() const { return true; }

void SliderAutoSetting::ApplyIntensity(IEffectSettings& effect) const
{
    const double factor = m_value / m_maximum;
    const std::unique_ptr<PhotoCore::EffectPropertyAccess> access = effect.GetPropertyAccess();
    for (const std::string& name : access->GetPropertyNames()) {
        if (IsExcluded(name))
            continue;
        const PropertyTree property = access->GetProperty(name);
        if (IsNumber(property))
            access->SetProperty(name, PropertyTreeScalar(property.getScalar().toDouble() * factor));
    }
}

EffectsSettings SliderAutoSetting::ApplyIntensityToEffects(const std::vector<std::shared_ptr<IEffectSettings>>&,
                                                           unsigned int) const
{
    EffectsSettings result = m_reference;
    const auto blenderEffect = std::find_if(result.Effects().begin(), result.Effects().end(), IsBlender);
    // Without a blender there is nothing to scale: the reference as it is.
    if (blenderEffect == result.Effects().end())
        return result;
    // Copies of EffectsSettings share effect objects: give the result its own blender
    // so that the reference's keeps its inner effects.
    *blenderEffect = (*blenderEffect)->Clone();
    auto& blender = static_cast<SettingsEffectMaskBlender&>((*blenderEffect)->GetEffectSettingsRef());
    const IEffectSettings::ConstList inner = blender.GetEffects();
    for (const IEffectSettings::ConstPtr& effect : inner) {
        const IEffectSettings::Ptr clone = effect->Clone();
        ApplyIntensity(*clone);
        blender.SetEffectImpl(clone, true);
    }
    return result;
}

int SliderAutoSetting::Min() const { return static_cast<int>(m_minimum); }

int SliderAutoSetting::Max() const { return static_cast<int>(m_maximum); }

int SliderAutoSetting::Value() const { return m_value; }

void SliderAutoSetting::SetValue(int value) { m_value = value; }

void SliderAutoSetting::Init(EffectsSettings& settings) { m_reference = settings; }

void SliderAutoSetting::LoadValue(const EffectsSettings& settings)
{
    const EffectsSettings current = settings;
    const SettingsEffectMaskBlender* currentBlender = FindBlender(current.Effects());
    const SettingsEffectMaskBlender* referenceBlender = FindBlender(m_reference.Effects());
    if (!currentBlender || !referenceBlender)
        return;

    std::map<std::string, IEffectSettings::ConstPtr> referenceByClass;
    for (const IEffectSettings::ConstPtr& effect : referenceBlender->GetEffects())
        referenceByClass[effect->GetClassId()] = effect;

    std::vector<double> floatingRatios;
    std::vector<double> integerRatios;
    for (const IEffectSettings::ConstPtr& effect : currentBlender->GetEffects()) {
        const IEffectSettings::ConstPtr& reference = referenceByClass.at(effect->GetClassId());
        const auto currentAccess = effect->GetPropertyAccess();
        const auto referenceAccess = reference->GetPropertyAccess();
        for (const std::string& name : currentAccess->GetPropertyNames()) {
            if (IsExcluded(name))
                continue;
            const PropertyTree property = currentAccess->GetProperty(name);
            if (!IsNumber(property))
                continue;
            const PropertyTreeScalar& currentValue = property.getScalar();
            const PropertyTree referenceProperty = referenceAccess->GetProperty(name);
            const PropertyTreeScalar& referenceValue = referenceProperty.getScalar();
            if (referenceValue.toDouble() == 0.0)
                continue;
            const double ratio = currentValue.toDouble() / referenceValue.toDouble();
            if (currentValue.isDouble() || referenceValue.isDouble())
                floatingRatios.push_back(ratio);
            else
                integerRatios.push_back(ratio);
        }
    }

    const std::vector<double>& ratios = floatingRatios.empty() ? integerRatios : floatingRatios;
    // No ratio, no evidence of a scale: keep the value.
    if (ratios.empty())
        return;
    const double sum = std::accumulate(ratios.begin(), ratios.end(), 0.0);
    m_value = static_cast<int>(sum * m_maximum / static_cast<double>(ratios.size()));
}

void SliderAutoSetting::SaveValue(EffectsSettings&) {}

} // namespace Tavrel::Glimmar::GlimmarPresets
