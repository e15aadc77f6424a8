#include "Host/Effects/EffectsSettings.h"

#include "Host/Effects/EffectSettings.h"
#include "Host/Effects/SettingsEffectEmpty.h"

#include <algorithm>
#include <stdexcept>

namespace Tavrel::PhotoCore {
namespace {

template <typename List>
PropertyTree SerializeList(const List& effects)
{
    PropertyTree tree;
    tree.convertToList();
    auto& list = tree.getList();
    list.reserve(effects.size());
    for (const auto& effect : effects)
        list.push_back(EffectSettings::SerializePtr(effect));
    return tree;
}

} // namespace

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

PropertyTree EffectsSettings::SerializeEffects() const
{
    return SerializeList(m_effects);
}

PropertyTree EffectsSettings::SerializeEffects(const IEffectSettings::List& effects)
{
    return SerializeList(effects);
}

PropertyTree EffectsSettings::SerializeEffects(const IEffectSettings::ConstList& effects)
{
    return SerializeList(effects);
}

IEffectSettings::List EffectsSettings::DeserializeEffects(const PropertyTree& tree)
{
    if (!tree.isList())
        throw std::invalid_argument("serialized effects: expected a list");
    IEffectSettings::List effects;
    effects.reserve(tree.getList().size());
    for (const PropertyTree& element : tree.getList())
        effects.push_back(EffectSettings::DeserializePtr(element));
    return effects;
}

} // namespace Tavrel::PhotoCore
