#include "GlimmarPresetsUtil/Settings/SliderSetting.h"

#include "Host/Types/CallStack.h"
#include "Host/Effects/InvokeEffectHelper.h"

#include <algorithm>
#include <stdexcept>

namespace Tavrel::Glimmar::GlimmarPresets {

using PhotoCore::EffectsSettings;
using PhotoCore::IEffectSettings;
using PhotoCore::InvokeEffectHelper;

namespace {

int RoundHalfAwayFromZero(double v) { return static_cast<int>(v >= 0 ? v + 0.5 : v - 0.5); }

std::string Describe(const std::string& effectId, const std::string& parameter)
{
    return "Slider Setting(effectID: " + effectId + ", parameter: " + parameter + ")";
}

} // namespace

SliderSetting::SliderSetting(bool strict) : m_strict(strict) {}

SliderSetting::SliderSetting(const PresetConfig::IntensitySliderSetting& config, bool strict)
    : m_begin(config.m_data.m_begin), m_end(config.m_data.m_end), m_strict(strict)
{
    m_variables.reserve(config.m_data.m_variables.size());
    for (const PresetConfig::Variable& variable : config.m_data.m_variables)
        m_variables.push_back({variable.m_effectID, variable.m_setting, variable.m_begin, variable.m_end});
}

bool SliderSetting::operator==(const SliderSetting& other) const
{
    const auto sameVariable = [](const Variable& a, const Variable& b) {
        return a.effectId == b.effectId && a.parameter == b.parameter && a.begin == b.begin && a.end == b.end;
    };
    return m_effectId == other.m_effectId && m_begin == other.m_begin && m_end == other.m_end &&
           m_value == other.m_value && m_variables.size() == other.m_variables.size() &&
           std::equal(m_variables.begin(), m_variables.end(), other.m_variables.begin(), sameVariable);
}

std::string SliderSetting::EffectID() const { return m_effectId; }

std::set<std::string> SliderSetting::GetEffectIDs() const
{
    std::set<std::string> ids;
    for (const Variable& variable : m_variables)
        ids.insert(variable.effectId);
    return ids;
}

bool SliderSetting::LoadValue(const IEffectSettings::ConstList& effects)
{
    // Without variables there is nothing to read: keep the value.
    if (m_variables.empty())
        return false;
    const Variable& variable = m_variables.front();
    const IEffectSettings::ConstPtr effect = IEffectSettings::Find(effects, variable.effectId);
    if (!effect) {
        if (m_strict)
            TAVREL_THROW(std::invalid_argument,
                         Describe(variable.effectId, variable.parameter) + " can't be obtained from effects list!",
                         "Settings/SliderSetting");
        return false;
    }
    const double x = InvokeEffectHelper::InvokeGet(variable.parameter, *effect);
    const double v = (m_end - m_begin) * (x - variable.begin) / (variable.end - variable.begin) + m_begin;
    m_value = RoundHalfAwayFromZero(v);
    return true;
}

bool SliderSetting::LoadValue(const IEffectSettings::List& effects)
{
    return LoadValue(IEffectSettings::ToConstList(effects));
}

bool SliderSetting::SaveValue(IEffectSettings::List& effects) const
{
    bool found = true;
    for (const Variable& variable : m_variables) {
        const IEffectSettings::Ptr effect = IEffectSettings::Find(effects, variable.effectId);
        found = static_cast<bool>(effect);
        if (!effect) {
            if (m_strict)
                TAVREL_THROW(std::invalid_argument,
                             Describe(variable.effectId, variable.parameter) + " can't be set for effects list!",
                             "Settings/SliderSetting");
            continue;
        }
        const double p = (m_value - m_begin) * (variable.end - variable.begin) / (m_end - m_begin) + variable.begin;
        InvokeEffectHelper::InvokeSet(variable.parameter, *effect, p);
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

int SliderSetting::Min() const { return static_cast<int>(m_begin); }

int SliderSetting::Max() const { return static_cast<int>(m_end); }

int SliderSetting::Value() const { return m_value; }

void SliderSetting::SetValue(int value) { m_value = value; }

void SliderSetting::Init(EffectsSettings& settings)
{
    IIntensitySetting& setting = *this;
    setting.LoadValue(settings);
}

void SliderSetting::LoadValue(const EffectsSettings& settings) { LoadValue(settings.EffectsConst()); }

void SliderSetting::SaveValue(EffectsSettings& settings) { SaveValue(settings.Effects()); }

} // namespace Tavrel::Glimmar::GlimmarPresets
