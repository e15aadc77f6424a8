#include "Host/Effects/EffectsSettings.h"

#include "Host/Effects/SettingsEffectEmpty.h"

#include <algorithm>

namespace Tavrel::PhotoCore {

IEffectSettings::ConstList EffectsSettings::EffectsConst() const
{
    return IEffectSettings::ToConstList(m_effects);
}

void EffectsSettings::SetEffectsConst(const IEffectSettings::ConstList& effects)
{
    // The effects stay shared with the caller, as everywhere else in a chain.
    m_effects.clear();
    m_effects.reserve(effects.size());
    for (const auto& effect : effects)
        m_effects.push_back(std::const_pointer_cast<IEffectSettings>(effect));
}

bool EffectsSettings::IsReset() const
{
    return std::all_of(m_effects.begin(), m_effects.end(), [](const IEffectSettings::Ptr& effect) {
        return !effect || effect->GetClassId() == SettingsEffectEmpty::CLASS_ID;
    });
}

EffectsSettings EffectsSettings::Clone() const
{
    EffectsSettings copy(*this);
    for (auto& effect : copy.m_effects) {
        if (effect)
            effect = effect->Clone();
    }
    return copy;
}

} // namespace Tavrel::PhotoCore
