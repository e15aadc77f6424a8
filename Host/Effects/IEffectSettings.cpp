#include "Host/Effects/IEffectSettings.h"

#include <algorithm>

namespace Tavrel::PhotoCore {
namespace {

template <typename List>
typename List::value_type FindIn(const List& effects, const std::string& id)
{
    const auto it = std::find_if(effects.begin(), effects.end(),
                                 [&id](const auto& effect) { return effect && effect->GetId() == id; });
    return it == effects.end() ? nullptr : *it;
}

} // namespace

IEffectSettings::Ptr IEffectSettings::Find(const List& effects, const std::string& id)
{
    return FindIn(effects, id);
}

IEffectSettings::ConstPtr IEffectSettings::Find(const ConstList& effects, const std::string& id)
{
    return FindIn(effects, id);
}

IEffectSettings::ConstList IEffectSettings::ToConstList(const List& effects)
{
    return ConstList(effects.begin(), effects.end());
}

} // namespace Tavrel::PhotoCore
