#include "GlimmarPresetsUtil/Settings/SliderSetting.h"

#include "Host/Effects/InvokeEffectHelper.h"
#include "Host/Types/CallStack.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <vector>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::InvokeEffectHelper;

namespace {

struct Variable {
    std::string effectId; ///< the id IEffectSettings::Find looks up
    std::string parameter;
    double begin = 0;     ///< parameter value at slider begin
    double end = 0;       ///< parameter value at slider end

    bool operator==(const Variable& other) const
    {
        return effectId == other.effectId && parameter == other.parameter && begin == other.begin && end == other.end;
    }
};

// Halves away from zero; beyond the int range the result saturates (the plain cast would be undefined).
int RoundHalfAwayFromZero(double v)
{
    const double rounded = v >= 0 ? v + 0.5 : v - 0.5;
    return static_cast<int>(std::clamp(rounded, static_cast<double>(std::numeric_limits<int>::min()),
                                       static_cast<double>(std::numeric_limits<int>::max())));
}

// The point at x of the line through (fromBegin, toBegin) and (fromEnd, toEnd); toBegin when the
// first range has no width, which would otherwise divide by zero.
double MapLinear(double x, double fromBegin, double fromEnd, double toBegin, double toEnd)
{
    if (fromEnd == fromBegin)
        return toBegin;
    return (toEnd - toBegin) * (x - fromBegin) / (fromEnd - fromBegin) + toBegin;
}

std::string Describe(const Variable& variable)
{
    return "Slider Setting(effectID: " + variable.effectId + ", parameter: " + variable.parameter + ")";
}

} // namespace

struct SliderSetting::Impl {
    std::vector<Variable> variables;
    double begin = 0;
    double end = 0;
    int value = 0;
    bool strict = false;
};

SliderSetting::SliderSetting(bool strict) : m_impl(std::make_unique<Impl>())
{
    m_impl->strict = strict;
}

SliderSetting::SliderSetting(const PresetConfig::IntensitySliderSetting& config, bool strict) : SliderSetting(strict)
{
    m_impl->begin = config.m_data.m_begin;
    m_impl->end = config.m_data.m_end;
    m_impl->variables.reserve(config.m_data.m_variables.size());
    for (const PresetConfig::Variable& variable : config.m_data.m_variables)
        m_impl->variables.push_back({variable.m_effectID, variable.m_setting, variable.m_begin, variable.m_end});
}

SliderSetting::SliderSetting(const SliderSetting& other) : m_impl(std::make_unique<Impl>(*other.m_impl)) {}

SliderSetting::SliderSetting(SliderSetting&& other) noexcept = default;

SliderSetting& SliderSetting::operator=(const SliderSetting& other)
{
    *m_impl = *other.m_impl;
    return *this;
}

SliderSetting& SliderSetting::operator=(SliderSetting&& other) noexcept = default;

SliderSetting::~SliderSetting() = default;

bool SliderSetting::operator==(const SliderSetting& other) const
{
    const Impl& a = *m_impl;
    const Impl& b = *other.m_impl;
    return a.begin == b.begin && a.end == b.end && a.value == b.value && a.variables == b.variables;
}

std::string SliderSetting::EffectID() const { return std::string(); }

std::set<std::string> SliderSetting::GetEffectIDs() const
{
    std::set<std::string> ids;
    for (const Variable& variable : m_impl->variables)
        ids.insert(variable.effectId);
    return ids;
}

bool SliderSetting::LoadValue(const IEffectSettings::ConstList& effects)
{
    Impl& d = *m_impl;
    // Without variables there is nothing to read: keep the value.
    if (d.variables.empty())
        return false;
    const Variable& variable = d.variables.front();
    const IEffectSettings::ConstPtr effect = IEffectSettings::Find(effects, variable.effectId);
    if (!effect) {
        if (d.strict)
            TAVREL_THROW(std::invalid_argument, Describe(variable) + " can't be obtained from effects list!");
        return false;
    }
    const double x = InvokeEffectHelper::InvokeGet(variable.parameter, *effect);
    const double v = MapLinear(x, variable.begin, variable.end, d.begin, d.end);
    d.value = std::isnan(v) ? RoundHalfAwayFromZero(d.begin) : RoundHalfAwayFromZero(v);
    return true;
}

bool SliderSetting::LoadValue(const IEffectSettings::List& effects)
{
    return LoadValue(IEffectSettings::ToConstList(effects));
}

bool SliderSetting::SaveValue(IEffectSettings::List& effects) const
{
    const Impl& d = *m_impl;
    bool found = true;
    for (const Variable& variable : d.variables) {
        const IEffectSettings::Ptr effect = IEffectSettings::Find(effects, variable.effectId);
        found = static_cast<bool>(effect);
        if (!effect) {
            if (d.strict)
                TAVREL_THROW(std::invalid_argument, Describe(variable) + " can't be set for effects list!");
            continue;
        }
        InvokeEffectHelper::InvokeSet(variable.parameter, *effect,
                                      MapLinear(d.value, d.begin, d.end, variable.begin, variable.end));
    }
    return found;
}

bool SliderSetting::IsEnabled() const { return true; }

EffectsSettings SliderSetting::ApplyIntensityToEffects(const std::vector<std::shared_ptr<IEffectSettings>>& effects,
                                                       unsigned int) const
{
    IEffectSettings::List copy = effects;
    SaveValue(copy);
    EffectsSettings result;
    for (const std::string& id : GetEffectIDs()) {
        // A missing effect (non-strict only) would hand the drawer an empty pointer: leave it out.
        if (IEffectSettings::Ptr effect = IEffectSettings::Find(copy, id))
            result.Effects().push_back(std::move(effect));
    }
    return result;
}

int SliderSetting::Min() const { return static_cast<int>(m_impl->begin); }

int SliderSetting::Max() const { return static_cast<int>(m_impl->end); }

int SliderSetting::Value() const { return m_impl->value; }

void SliderSetting::SetValue(int value) { m_impl->value = value; }

void SliderSetting::Init(EffectsSettings& settings)
{
    IIntensitySetting& setting = *this;
    setting.LoadValue(settings);
}

void SliderSetting::LoadValue(const EffectsSettings& settings) { LoadValue(settings.EffectsConst()); }

void SliderSetting::SaveValue(EffectsSettings& settings) { SaveValue(settings.Effects()); }

} // namespace Tavrel::Glimmar::GlimmarPresets
