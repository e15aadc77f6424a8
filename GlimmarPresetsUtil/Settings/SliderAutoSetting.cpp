#include "GlimmarPresetsUtil/Settings/SliderAutoSetting.h"

#include "Host/Effects/SettingsEffectMaskBlender.h"
#include "Host/Types/CallStack.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <numeric>
#include <set>
#include <stdexcept>
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

bool IsBlender(const IEffectSettings::Ptr& effect) { return SettingsEffectMaskBlender::Of(effect.get()) != nullptr; }

const SettingsEffectMaskBlender* FindBlender(const IEffectSettings::List& effects)
{
    const auto found = std::find_if(effects.begin(), effects.end(), IsBlender);
    return found == effects.end() ? nullptr : SettingsEffectMaskBlender::Of(found->get());
}

} // namespace

struct SliderAutoSetting::Impl {
    double minimum = 0.0;
    double maximum = 100.0;
    int value = 100;
    EffectsSettings reference;

    void ApplyIntensity(IEffectSettings& effect) const
    {
        const double factor = value / maximum;
        const std::unique_ptr<PhotoCore::EffectPropertyAccess> access = effect.GetPropertyAccess();
        for (const std::string& name : access->GetPropertyNames()) {
            if (IsExcluded(name))
                continue;
            const PropertyTree property = access->GetProperty(name);
            if (IsNumber(property))
                access->SetProperty(name, PropertyTreeScalar(property.getScalar().toDouble() * factor));
        }
    }
};

SliderAutoSetting::SliderAutoSetting() : m_impl(std::make_unique<Impl>()) {}

SliderAutoSetting::SliderAutoSetting(const SliderAutoSetting& other) : m_impl(std::make_unique<Impl>(*other.m_impl)) {}

SliderAutoSetting::SliderAutoSetting(SliderAutoSetting&& other) noexcept = default;

SliderAutoSetting& SliderAutoSetting::operator=(const SliderAutoSetting& other)
{
    *m_impl = *other.m_impl;
    return *this;
}

SliderAutoSetting& SliderAutoSetting::operator=(SliderAutoSetting&& other) noexcept = default;

SliderAutoSetting::~SliderAutoSetting() = default;

bool SliderAutoSetting::IsEnabled() const { return true; }

EffectsSettings SliderAutoSetting::ApplyIntensityToEffects(const std::vector<std::shared_ptr<IEffectSettings>>&,
                                                           unsigned int) const
{
    EffectsSettings result = m_impl->reference;
    const auto blenderEffect = std::find_if(result.Effects().begin(), result.Effects().end(), IsBlender);
    // Without a blender there is nothing to scale: the reference as it is.
    if (blenderEffect == result.Effects().end())
        return result;
    // Copies of EffectsSettings share effect objects: give the result its own blender
    // so that the reference's keeps its inner effects.
    *blenderEffect = (*blenderEffect)->Clone();
    SettingsEffectMaskBlender& blender = *SettingsEffectMaskBlender::Of(blenderEffect->get());
    // By position: inner effects may share an identifier, which a lookup by id would merge.
    IEffectSettings::ConstList scaled;
    for (const IEffectSettings::ConstPtr& effect : blender.GetEffects()) {
        const IEffectSettings::Ptr clone = effect->Clone();
        m_impl->ApplyIntensity(*clone);
        scaled.push_back(clone);
    }
    blender.SetEffectsImpl(scaled, true);
    return result;
}

int SliderAutoSetting::Min() const { return static_cast<int>(m_impl->minimum); }

int SliderAutoSetting::Max() const { return static_cast<int>(m_impl->maximum); }

int SliderAutoSetting::Value() const { return m_impl->value; }

void SliderAutoSetting::SetValue(int value) { m_impl->value = value; }

void SliderAutoSetting::Init(EffectsSettings& settings)
{
    const auto& effects = settings.Effects();
    if (std::find(effects.begin(), effects.end(), nullptr) != effects.end())
        TAVREL_THROW(std::invalid_argument, "an automatic intensity cannot scale a preset with an empty effect pointer");
    m_impl->reference = settings;
}

void SliderAutoSetting::LoadValue(const EffectsSettings& settings)
{
    Impl& d = *m_impl;
    const EffectsSettings current = settings;
    const SettingsEffectMaskBlender* currentBlender = FindBlender(current.Effects());
    const SettingsEffectMaskBlender* referenceBlender = FindBlender(d.reference.Effects());
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
    const double value = std::accumulate(ratios.begin(), ratios.end(), 0.0) * d.maximum / static_cast<double>(ratios.size());
    if (std::isnan(value))
        return;
    d.value = static_cast<int>(std::clamp(value, static_cast<double>(std::numeric_limits<int>::min()),
                                          static_cast<double>(std::numeric_limits<int>::max())));
}

void SliderAutoSetting::SaveValue(EffectsSettings&) {}

} // namespace Tavrel::Glimmar::GlimmarPresets
